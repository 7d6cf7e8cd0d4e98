#include "records/settingsstartup.h"
#include "test_settingsfixture.h"
#include "testregistry.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zt;
using namespace zt::test;

class SettingsStartupTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void analyzerStartsOnAnEmptyFolderAndCreatesOnlyTheOptionsFile();
    void analyzerKeepsAnExistingOptionsFile();
    void monitorStartsOnAnEmptyFolderAndLeavesOnlyNoTimeRecords();
    void monitorReadsOnlyThePortNumber_data();
    void monitorReadsOnlyThePortNumber();
    void monitorFallsBackToDefaultsWhenAFileEndsEarly_data();
    void monitorFallsBackToDefaultsWhenAFileEndsEarly();
    void readMarksResetKeepsWhatWasReadInMemory();
    void failuresAreReportedInStartUpOrder();

private:
    QString pathOf(SettingsFile file) const { return m_dir->filePath(settingsFileName(file)); }

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void SettingsStartupTest::initTestCase()
{
    QVERIFY(m_home.isValid());
    useHome(m_home);
}

void SettingsStartupTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>(m_home.filePath(QStringLiteral("settings-XXXXXX")));
    QVERIFY(m_dir->isValid());
}

void SettingsStartupTest::analyzerStartsOnAnEmptyFolderAndCreatesOnlyTheOptionsFile()
{
    SettingsRecords records = markedRecords();
    QVERIFY(loadAnalyzerSettings(m_dir->path(), records).empty());
    const SettingsRecords defaults;
    for (SettingsFile file : {SettingsFile::App, SettingsFile::OyaNames, SettingsFile::KoNames,
                              SettingsFile::OyaIds, SettingsFile::Options})
        QVERIFY2(sameKind(file, records, defaults), qPrintable(settingsFileName(file)));
    QCOMPARE(entriesOf(m_dir->path()), QStringList{QStringLiteral("zt2000op.dat")});
    QCOMPARE(readBytes(pathOf(SettingsFile::Options)), QByteArray("0\r\n"));
}

void SettingsStartupTest::analyzerKeepsAnExistingOptionsFile()
{
    writeBytes(pathOf(SettingsFile::Options), "1\n");
    SettingsRecords records;
    QVERIFY(loadAnalyzerSettings(m_dir->path(), records).empty());
    QCOMPARE(records.AutoSaveOption, qint16(1));
    QCOMPARE(readBytes(pathOf(SettingsFile::Options)), QByteArray("1\n"));
}

void SettingsStartupTest::monitorStartsOnAnEmptyFolderAndLeavesOnlyNoTimeRecords()
{
    SettingsRecords records = markedRecords();
    QVERIFY(loadMonitorSettings(m_dir->path(), records).empty());
    QCOMPARE(records.app.PortNo, qint16(1));
    QCOMPARE(records.autos, AutoSaveSettings{});
    QCOMPARE(records.AutoSaveOption, qint16(0));
    QCOMPARE(entriesOf(m_dir->path()), QStringList{QStringLiteral("zt2000opTIme.dat")});
    QCOMPARE(ReadMark{}.time, QStringLiteral("9912300000"));

    SettingsRecords reread = markedRecords();
    QCOMPARE(readSettings(SettingsFile::ReadTimes, pathOf(SettingsFile::ReadTimes), reread), 0);
    for (const ReadMark &mark : reread.readMarks)
        QVERIFY(mark == ReadMark{});
}

void SettingsStartupTest::monitorReadsOnlyThePortNumber_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint16>("portNo");
    QTest::addColumn<int>("analyzerError");
    QTest::newRow("full line") << QByteArray("4,1,1,50,10,80,20,0\r\n") << qint16(4) << 0;
    QTest::newRow("port alone") << QByteArray("7\r\n") << qint16(7) << InputPastEndError;
    QTest::newRow("rest unreadable") << QByteArray("2,x") << qint16(2) << BadFileFormatError;
}

void SettingsStartupTest::monitorReadsOnlyThePortNumber()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint16, portNo);
    QFETCH(int, analyzerError);
    writeBytes(pathOf(SettingsFile::App), bytes);

    SettingsRecords monitor = markedRecords();
    SettingsErrors errors;
    monitorReadSettings(SettingsFile::App, pathOf(SettingsFile::App), monitor, errors);
    QVERIFY(errors.empty());
    QCOMPARE(monitor.app.PortNo, portNo);
    QCOMPARE(monitor.app.ScaleMax1, markedRecords().app.ScaleMax1);

    SettingsRecords analyzer;
    QCOMPARE(readSettings(SettingsFile::App, pathOf(SettingsFile::App), analyzer), analyzerError);
    QCOMPARE(analyzer.app.PortNo, portNo);
}

void SettingsStartupTest::monitorFallsBackToDefaultsWhenAFileEndsEarly_data()
{
    QTest::addColumn<SettingsFile>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("error");
    QTest::newRow("zt2000.dat empty") << SettingsFile::App << QByteArray() << InputPastEndError;
    QTest::newRow("zt2autos.dat cut")
        << SettingsFile::AutoSave << QByteArray("0,1,1,#05:00:00#") << InputPastEndError;
    QTest::newRow("zt2oynname.dat cut")
        << SettingsFile::OyaNames << QByteArray("\"A\"\r\n") << InputPastEndError;
    QTest::newRow("zt2koname.dat cut")
        << SettingsFile::KoNames << QByteArray("\"A\",\"B\"") << InputPastEndError;
    QTest::newRow("zt2oyaid.dat cut")
        << SettingsFile::OyaIds << QByteArray("1,55") << InputPastEndError;
    QTest::newRow("zt2000op.dat empty")
        << SettingsFile::Options << QByteArray("  ") << InputPastEndError;
    QTest::newRow("zt2oyaid.dat malformed keeps values")
        << SettingsFile::OyaIds << QByteArray("1,55,abc") << BadFileFormatError;
}

void SettingsStartupTest::monitorFallsBackToDefaultsWhenAFileEndsEarly()
{
    QFETCH(SettingsFile, file);
    QFETCH(QByteArray, bytes);
    QFETCH(int, error);
    writeBytes(pathOf(file), bytes);
    SettingsRecords records = markedRecords();
    SettingsErrors errors;
    monitorReadSettings(file, pathOf(file), records, errors);

    QCOMPARE(errors.size(), size_t(1));
    const SettingsError &e = errors.front();
    QCOMPARE(e.file, file);
    QCOMPARE(e.error, error);
    QVERIFY(!e.writing);
    if (error == InputPastEndError) {
        QVERIFY(e.defaultsApplied);
        QCOMPARE(e.title(), QStringLiteral("ファイル読込"));
        QCOMPARE(e.fixedText(),
                 QStringLiteral("設定の読込に失敗しました。監視設定をやり直してください。"));
        QVERIFY(sameKind(file, records, SettingsRecords{}));
    } else {
        QVERIFY(!e.defaultsApplied);
        QCOMPARE(e.title(), QStringLiteral("ファイルの読込"));
        QVERIFY(e.fixedText().isEmpty());
        QCOMPARE(records.oya.OyaCount, qint16(1));
        QCOMPARE(records.oya.OyaID[1], 55);
        QCOMPARE(records.oya.OyaID[2], markedRecords().oya.OyaID[2]);
    }
}

void SettingsStartupTest::readMarksResetKeepsWhatWasReadInMemory()
{
    SettingsRecords written = markedRecords();
    const QString path = pathOf(SettingsFile::ReadTimes);
    QCOMPARE(writeSettings(SettingsFile::ReadTimes, path, written), 0);

    SettingsRecords records;
    SettingsErrors errors;
    resetReadMarks(path, records, errors);
    QVERIFY(errors.empty());
    QCOMPARE(records.readMarks, written.readMarks);
    QCOMPARE(readBytes(path).count("\"9912300000\"\r\n-32768\r\n-32768\r\n"), MaxKo);
    QCOMPARE(readBytes(path).size(), MaxKo * 30);
}

void SettingsStartupTest::failuresAreReportedInStartUpOrder()
{
    writeBytes(pathOf(SettingsFile::OyaIds), "2,1,2");
    writeBytes(pathOf(SettingsFile::App), "1,0,zero");
    writeBytes(pathOf(SettingsFile::AutoSave), "1");
    QVERIFY(QDir(m_dir->path()).mkdir(settingsFileName(SettingsFile::ReadTimes)));

    SettingsRecords analyzer;
    const SettingsErrors a = loadAnalyzerSettings(m_dir->path(), analyzer);
    const SettingsErrors expectedA{{SettingsFile::App, BadFileFormatError},
                                   {SettingsFile::OyaIds, InputPastEndError}};
    QVERIFY(a == expectedA);
    QCOMPARE(analyzer.oya.OyaID[2], 2);

    SettingsRecords monitor;
    const SettingsErrors m = loadMonitorSettings(m_dir->path(), monitor);
    QCOMPARE(m.size(), size_t(4));
    QCOMPARE(m[0].file, SettingsFile::AutoSave);
    QVERIFY(m[0].defaultsApplied);
    QCOMPARE(m[1].file, SettingsFile::OyaIds);
    QVERIFY(m[1].defaultsApplied);
    QCOMPARE(monitor.oya.OyaID[2], 0);
    QCOMPARE(m[2].file, SettingsFile::ReadTimes);
    QVERIFY(!m[2].writing && m[2].error != 0);
    QCOMPARE(m[3].file, SettingsFile::ReadTimes);
    QVERIFY(m[3].writing && m[3].error != 0);
    QCOMPARE(m[3].title(), QStringLiteral("ファイルの保存"));
}

ZT_TEST(SettingsStartupTest)
#include "test_settingsstartup.moc"
