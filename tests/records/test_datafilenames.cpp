#include "records/datafilenames.h"
#include "testregistry.h"

#include <QTest>

using namespace zt;

class DataFileNamesTest : public QObject
{
    Q_OBJECT

private slots:
    void initialNameIsTestInTheDataFolder_data();
    void initialNameIsTestInTheDataFolder();
    void loadedNameGetsTheDataExtension_data();
    void loadedNameGetsTheDataExtension();
    void csvProposalAndNameAfterExportSwapTheExtension_data();
    void csvProposalAndNameAfterExportSwapTheExtension();
    void automaticSaveNameCarriesTheLocalTime_data();
    void automaticSaveNameCarriesTheLocalTime();
};

void DataFileNamesTest::initialNameIsTestInTheDataFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "/home/u/Documents/ORVANE/ZTSeries5/data"
                           << "/home/u/Documents/ORVANE/ZTSeries5/data/test.zt2";
    QTest::newRow("trailing separator") << "/d/data/"
                                        << "/d/data/test.zt2";
}

void DataFileNamesTest::initialNameIsTestInTheDataFolder()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QCOMPARE(initialDataFileName(folder), name);
}

void DataFileNamesTest::loadedNameGetsTheDataExtension_data()
{
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<QString>("current");
    QTest::newRow("already .zt2") << "/d/data.zt2"
                                  << "/d/data.zt2";
    QTest::newRow("upper-case .ZT2") << "/d/DATA.ZT2"
                                     << "/d/DATA.ZT2";
    QTest::newRow("data.bak") << "/d/data.bak"
                              << "/d/data.zt2";
    QTest::newRow("no extension") << "/d/data"
                                  << "/d/data.zt2";
    QTest::newRow("one-letter extension") << "/d/a.b"
                                          << "/d/a.zt2";
    QTest::newRow("long extension") << "/d/log.backup"
                                    << "/d/log.zt2";
    QTest::newRow("dot in the folder only") << "/d/my.files/data"
                                            << "/d/my.files/data.zt2";
    QTest::newRow("leading dot") << "/d/.bak"
                                 << "/d/.bak.zt2";
    QTest::newRow("two dots") << "/d/x.tar.gz"
                              << "/d/x.tar.zt2";
}

void DataFileNamesTest::loadedNameGetsTheDataExtension()
{
    QFETCH(QString, loaded);
    QFETCH(QString, current);
    QCOMPARE(nameAfterLoad(loaded), current);
}

void DataFileNamesTest::csvProposalAndNameAfterExportSwapTheExtension_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("proposal");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("after");
    QTest::newRow("plain") << "/d/test.zt2"
                           << "/d/test.csv"
                           << "/e/out.csv"
                           << "/e/out.zt2";
    QTest::newRow("no extensions") << "/d/test"
                                   << "/d/test.csv"
                                   << "/e/out"
                                   << "/e/out.zt2";
    QTest::newRow("short extensions") << "/d/a.b"
                                      << "/d/a.csv"
                                      << "/e/c.d"
                                      << "/e/c.zt2";
}

void DataFileNamesTest::csvProposalAndNameAfterExportSwapTheExtension()
{
    QFETCH(QString, current);
    QFETCH(QString, proposal);
    QFETCH(QString, chosen);
    QFETCH(QString, after);
    QCOMPARE(csvProposal(current), proposal);
    QCOMPARE(nameAfterExport(chosen), after);
}

void DataFileNamesTest::automaticSaveNameCarriesTheLocalTime_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("name");
    QTest::newRow("example") << QDateTime(QDate(2010, 12, 31), QTime(9, 15), Qt::UTC)
                             << "/d/data/Auto101231_0915.zt2";
    QTest::newRow("afternoon, seconds dropped")
        << QDateTime(QDate(2024, 1, 2), QTime(23, 5, 59), Qt::UTC) << "/d/data/Auto240102_2305.zt2";
}

void DataFileNamesTest::automaticSaveNameCarriesTheLocalTime()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, name);
    QCOMPARE(autoSaveName(QStringLiteral("/d/data"), now), name);
}

ZT_TEST(DataFileNamesTest)
#include "test_datafilenames.moc"
