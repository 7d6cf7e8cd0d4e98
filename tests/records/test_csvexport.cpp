#include "records/csvexport.h"
#include "records/cp932.h"
#include "records/fileerrors.h"
#include "test_settingsfixture.h"
#include "test_zt2sets.h"
#include "testregistry.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zt;
using namespace zt::test;

class CsvExportTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void kindTenWithThreeSamplesIsFifteenHeaderLinesAndThreeRows();
    void columnsUnitsAndStatisticsFollowTheKind_data();
    void columnsUnitsAndStatisticsFollowTheKind();
    void sampleCellsAreFormattedByQuantity_data();
    void sampleCellsAreFormattedByQuantity();
    void rowTimesAdvanceByTheInterval_data();
    void rowTimesAdvanceByTheInterval();
    void rowsBeforeTheFirstSampleHaveEmptyCells();
    void statisticsWithoutValueShowDashesAndEmptySeriesShowNothing();
    void unnamedTransmitterIsExportedAndNamedByItsSlot();
    void exportReplacesAnExistingFile();
    void failedExportKeepsThePreviousFile_data();
    void failedExportKeepsThePreviousFile();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

QStringList linesOf(const LogSet &set)
{
    const QString text = fromCp932(csvBytes(set));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // after the last CR LF
    return lines;
}

// Two samples per channel in slot 1 of `kind`, then a kind-10 transmitter in slot 3.
std::unique_ptr<LogSet> kindSet(int kind)
{
    auto set = emptySet();
    addSeries(*set, 1, kind, {254, 200}, {65, 50});
    addSeries(*set, 3, 10, {100});
    computeStatistics(*set);
    return set;
}

} // namespace

void CsvExportTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void CsvExportTest::kindTenWithThreeSamplesIsFifteenHeaderLinesAndThreeRows()
{
    auto set = emptySet();
    set->oyaName = QStringLiteral("本社");
    addSeries(*set, 2, 10, {254, StarValue, -5}).name = QStringLiteral("冷蔵庫");
    computeStatistics(*set);
    const QString expected = QStringLiteral("\r\n"
                                            ",受信器名:,本社\r\n"
                                            ",開始時刻:,24-05-01 00:00\r\n"
                                            ",収録間隔:,00:10\r\n"
                                            "\r\n"
                                            ",,送信器名:,冷蔵庫,\r\n"
                                            ",,,[ﾟC],\r\n"
                                            ",,収録数:,3,\r\n"
                                            ",,ｴﾗｰ 数:,1,\r\n"
                                            ",,最高値:,25.4,\r\n"
                                            ",,最低値:,-0.5,\r\n"
                                            ",,平均値:,12.4,\r\n"
                                            "\r\n"
                                            "\r\n"
                                            ",No.,時刻,冷蔵庫,\r\n"
                                            ",1,2024-05-01 00:00,25.4,\r\n"
                                            ",2,2024-05-01 00:10,*****,\r\n"
                                            ",3,2024-05-01 00:20,-0.5,\r\n");
    QCOMPARE(fromCp932(csvBytes(*set)), expected);
    QCOMPARE(csvBytes(*set), cp932(expected));
}

void CsvExportTest::columnsUnitsAndStatisticsFollowTheKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("units");
    QTest::addColumn<QString>("errors");
    QTest::addColumn<QString>("maxima");
    QTest::addColumn<QString>("row");
    // The kind-10 transmitter of slot 3 follows in every line.
    QTest::newRow("12") << 12 << "1,1,3,"
                        << "[ﾟC ],[%rh],[ﾟC],"
                        << "0,0,0,"
                        << "25.4,65,10.0,"
                        << "25.4,65,10.0,";
    QTest::newRow("0") << 0 << "1,1,3,"
                       << "[ﾟC ],[%rh],[ﾟC],"
                       << "0,0,0,"
                       << "25.4,65,10.0,"
                       << "25.4,65,10.0,";
    QTest::newRow("10") << 10 << "1,3,"
                        << "[ﾟC],[ﾟC],"
                        << "0,0,"
                        << "25.4,10.0,"
                        << "25.4,10.0,";
    QTest::newRow("11") << 11 << "1,1,3,"
                        << "[ﾟC],[ﾟC],[ﾟC],"
                        << "0,0,0,"
                        << "25.4,6.5,10.0,"
                        << "25.4,6.5,10.0,";
    // An unknown kind keeps both columns in every line, so slot 3 stays under its name.
    QTest::newRow("99") << 99 << "1,1,3,"
                        << "[ ],[ ],[ﾟC],"
                        << "0,0,0,"
                        << ",,10.0,"
                        << "25.4,6.5,10.0,";
}

void CsvExportTest::columnsUnitsAndStatisticsFollowTheKind()
{
    QFETCH(int, kind);
    QFETCH(QString, names);
    QFETCH(QString, units);
    QFETCH(QString, errors);
    QFETCH(QString, maxima);
    QFETCH(QString, row);
    auto set = kindSet(kind);
    set->ko(1).name = QStringLiteral("1");
    set->ko(3).name = QStringLiteral("3");
    const QStringList lines = linesOf(*set);
    QCOMPARE(lines.size(), 15 + 2);
    QCOMPARE(lines[5], QStringLiteral(",,送信器名:,") + names);
    QCOMPARE(lines[6], QStringLiteral(",,,") + units);
    QCOMPARE(lines[7].count(QLatin1Char(',')), lines[5].count(QLatin1Char(',')));
    QCOMPARE(lines[8], QStringLiteral(",,ｴﾗｰ 数:,") + errors);
    QCOMPARE(lines[9], QStringLiteral(",,最高値:,") + maxima);
    QCOMPARE(lines[14], QStringLiteral(",No.,時刻,") + names);
    QCOMPARE(lines[15], QStringLiteral(",1,2024-05-01 00:00,") + row);
}

void CsvExportTest::sampleCellsAreFormattedByQuantity_data()
{
    QTest::addColumn<int>("temperature");
    QTest::addColumn<int>("humidity");
    QTest::addColumn<QString>("cells");
    QTest::newRow("25.4 and 65") << 254 << 65 << "25.4,65,";
    QTest::newRow("zero") << 0 << 0 << "0.0,0,";
    QTest::newRow("below zero") << -5 << -3 << "-0.5,-3,";
    QTest::newRow("whole negative") << -10 << 100 << "-1.0,100,";
    QTest::newRow("range ends") << -998 << 9998 << "-99.8,9998,";
    QTest::newRow("star") << int(StarValue) << int(StarValue) << "*****,*****,";
    QTest::newRow("dash") << int(DashValue) << int(DashValue) << "-----,-----,";
}

void CsvExportTest::sampleCellsAreFormattedByQuantity()
{
    QFETCH(int, temperature);
    QFETCH(int, humidity);
    QFETCH(QString, cells);
    auto set = emptySet();
    addSeries(*set, 1, 12, {qint16(temperature)}, {qint16(humidity)});
    computeStatistics(*set);
    QCOMPARE(linesOf(*set).value(15), QStringLiteral(",1,2024-05-01 00:00,") + cells);
}

void CsvExportTest::rowTimesAdvanceByTheInterval_data()
{
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("startLine");
    QTest::addColumn<QString>("intervalLine");
    QTest::addColumn<QString>("thirdRowTime");
    const auto at = [](int y, int mo, int d, int h, int mi) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi), Qt::UTC);
    };
    QTest::newRow("24 hours over a leap day") << at(2024, 2, 28, 8, 0) << 0 << "24-02-28 08:00"
                                              << "24:00"
                                              << "2024-03-01 08:00";
    QTest::newRow("10 minutes into a new year")
        << at(2010, 12, 31, 23, 50) << 10 << "10-12-31 23:50"
        << "00:10"
        << "2011-01-01 00:10";
    QTest::newRow("90 minutes") << at(2024, 5, 1, 0, 0) << 90 << "24-05-01 00:00"
                                << "01:30"
                                << "2024-05-01 03:00";
    QTest::newRow("23:59") << at(2024, 5, 1, 0, 1) << 23 * 60 + 59 << "24-05-01 00:01"
                           << "23:59"
                           << "2024-05-02 23:59";
}

void CsvExportTest::rowTimesAdvanceByTheInterval()
{
    QFETCH(QDateTime, start);
    QFETCH(int, minutes);
    QFETCH(QString, startLine);
    QFETCH(QString, intervalLine);
    QFETCH(QString, thirdRowTime);
    auto set = emptySet();
    set->setStartTime(start);
    set->setInterval(minutes);
    addSeries(*set, 1, 10, {1, 2, 3});
    computeStatistics(*set);
    const QStringList lines = linesOf(*set);
    QCOMPARE(lines[2], QStringLiteral(",開始時刻:,") + startLine);
    QCOMPARE(lines[3], QStringLiteral(",収録間隔:,") + intervalLine);
    QCOMPARE(lines[17], QStringLiteral(",3,") + thirdRowTime + QStringLiteral(",0.3,"));
}

void CsvExportTest::rowsBeforeTheFirstSampleHaveEmptyCells()
{
    auto set = emptySet();
    addSeries(*set, 1, 12, {100, 200}, {50, 60}, 2);
    addSeries(*set, 2, 10, {300});
    computeStatistics(*set);
    const QStringList lines = linesOf(*set);
    QCOMPARE(lines.mid(15),
             (QStringList{",1,2024-05-01 00:00,,,30.0,", ",2,2024-05-01 00:10,,,,",
                          ",3,2024-05-01 00:20,10.0,50,,", ",4,2024-05-01 00:30,20.0,60,,"}));
}

void CsvExportTest::statisticsWithoutValueShowDashesAndEmptySeriesShowNothing()
{
    auto set = emptySet();
    addSeries(*set, 1, 12, {StarValue, DashValue}, {DashValue, StarValue});
    addSeries(*set, 2, 12, {});
    computeStatistics(*set);
    const QStringList lines = linesOf(*set);
    QCOMPARE(lines[7], QStringLiteral(",,収録数:,2,2,0,0,"));
    QCOMPARE(lines[8], QStringLiteral(",,ｴﾗｰ 数:,2,2,0,0,"));
    for (int line : {9, 10, 11})
        QCOMPARE(lines[line].section(QLatin1Char(','), 3), QStringLiteral("----,----,,,"));
    QCOMPARE(lines.size(), 15 + 2);
}

void CsvExportTest::unnamedTransmitterIsExportedAndNamedByItsSlot()
{
    auto set = emptySet();
    addSeries(*set, 4, 10, {1});
    addSeries(*set, 7, 10, {2}).name = QStringLiteral("外気");
    computeStatistics(*set);
    const QString path = m_dir->filePath(QStringLiteral("names.csv"));
    QCOMPARE(exportCsv(path, *set), 0);
    QCOMPARE(set->ko(4).name, QStringLiteral("4"));
    QCOMPARE(set->ko(7).name, QStringLiteral("外気"));
    const QStringList lines = fromCp932(readBytes(path)).split(QStringLiteral("\r\n"));
    QCOMPARE(lines[5], QStringLiteral(",,送信器名:,4,外気,"));
    QCOMPARE(lines[14], QStringLiteral(",No.,時刻,4,外気,"));
}

void CsvExportTest::exportReplacesAnExistingFile()
{
    const QString path = m_dir->filePath(QStringLiteral("old.csv"));
    writeBytes(path, QByteArray(100000, 'x'));
    auto set = sampleSet();
    QCOMPARE(exportCsv(path, *set), 0);
    QCOMPARE(readBytes(path), csvBytes(*set));
    QCOMPARE(entriesOf(m_dir->path()), QStringList{QStringLiteral("old.csv")});
}

void CsvExportTest::failedExportKeepsThePreviousFile_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::addColumn<int>("error");
    QTest::newRow("file size limit") << false << int(ErrDiskFull);
    QTest::newRow("read-only folder") << true << int(ErrPathAccess);
}

void CsvExportTest::failedExportKeepsThePreviousFile()
{
    QFETCH(bool, readOnlyFolder);
    QFETCH(int, error);
    const QString folder = m_dir->filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(folder));
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                      QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup;
    QVERIFY(QFile::setPermissions(m_dir->path(), open));
    const QString path = folder + QStringLiteral("/kept.csv");
    writeBytes(path, "previous export\r\n");
    if (readOnlyFolder)
        QVERIFY(QFile::setPermissions(folder, open & ~QFile::WriteOwner));

    auto set = sampleSet();
    const int result =
        runInChild(readOnlyFolder ? std::function<bool()>(asUnprivilegedUser) : fileSizeLimit(4096),
                   [&] { return exportCsv(path, *set); });
    QFile::setPermissions(folder, open);
    QCOMPARE(result, error);
    QCOMPARE(readBytes(path), QByteArray("previous export\r\n"));
    QCOMPARE(entriesOf(folder), QStringList{QStringLiteral("kept.csv")});
}

ZT_TEST(CsvExportTest)
#include "test_csvexport.moc"
