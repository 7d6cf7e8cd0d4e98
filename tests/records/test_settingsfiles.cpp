#include "records/fileerrors.h"
#include "records/settingsfiles.h"
#include "records/settingsstartup.h"
#include "test_settingsfixture.h"
#include "testregistry.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zt;
using namespace zt::test;

class SettingsFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void everyKindReadsBackWhatWasWritten_data();
    void everyKindReadsBackWhatWasWritten();
    void defaultFilesHaveTheirExactLayout_data();
    void defaultFilesHaveTheirExactLayout();
    void missingFileAppliesDefaultsAndCreatesNothing_data();
    void missingFileAppliesDefaultsAndCreatesNothing();
    void shortOrMalformedFileKeepsWhatWasReadBefore_data();
    void shortOrMalformedFileKeepsWhatWasReadBefore();
    void autoSaveFileReadsItsOtherForms_data();
    void autoSaveFileReadsItsOtherForms();
    void everyValueTheFilesCanHoldReads_data();
    void everyValueTheFilesCanHoldReads();
    void autoSaveFileCutAfterTheExtensionLabelKeepsWhatWasRead();
    void awkwardNamesDoNotShiftTheNamesAfterThem();
    void unencodableNameFailsTheWriteAndKeepsTheOldFile();
    void folderInPlaceOfTheFileIsAReadError();

private:
    QString pathOf(SettingsFile file) const { return m_dir->filePath(settingsFileName(file)); }

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void SettingsFilesTest::initTestCase()
{
    QVERIFY(m_home.isValid());
    useHome(m_home);
}

void SettingsFilesTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>(m_home.filePath(QStringLiteral("settings-XXXXXX")));
    QVERIFY(m_dir->isValid());
}

static void addEveryKind()
{
    QTest::addColumn<SettingsFile>("file");
    QTest::newRow("zt2000.dat") << SettingsFile::App;
    QTest::newRow("zt2oynname.dat") << SettingsFile::OyaNames;
    QTest::newRow("zt2koname.dat") << SettingsFile::KoNames;
    QTest::newRow("zt2oyaid.dat") << SettingsFile::OyaIds;
    QTest::newRow("zt2autos.dat") << SettingsFile::AutoSave;
    QTest::newRow("zt2000op.dat") << SettingsFile::Options;
    QTest::newRow("zt2000opTIme.dat") << SettingsFile::ReadTimes;
}

void SettingsFilesTest::everyKindReadsBackWhatWasWritten_data()
{
    addEveryKind();
}

void SettingsFilesTest::everyKindReadsBackWhatWasWritten()
{
    QFETCH(SettingsFile, file);
    SettingsRecords written = markedRecords();
    written.app = {-32768, 0, 1, 32767, -100, 100, 0, -1};
    written.oya.OyaID[2] = std::numeric_limits<qint32>::min();
    written.oya.OyaID[100] = std::numeric_limits<qint32>::max();
    written.oya.OyaName[2] = QStringLiteral("第1倉庫, 北側");
    written.oya.OyaName[3] = QString();
    written.koNames.name(100, 30) = QStringLiteral("ﾚｲｿﾞｳ,ＡＢ～");
    written.koNames.name(1, 1) = QStringLiteral("  lead");
    QCOMPARE(writeSettings(file, pathOf(file), written), 0);

    SettingsRecords read;
    QCOMPARE(readSettings(file, pathOf(file), read), 0);
    QVERIFY(sameKind(file, read, written));
    QCOMPARE(entriesOf(m_dir->path()), QStringList{settingsFileName(file)});
}

void SettingsFilesTest::defaultFilesHaveTheirExactLayout_data()
{
    QTest::addColumn<SettingsFile>("file");
    QTest::addColumn<QByteArray>("bytes");
    QByteArray ids = "0\r\n";
    QByteArray oyaNames, koNames, marks;
    for (int slot = 1; slot <= MaxOya; ++slot) {
        ids += "0\r\n";
        oyaNames += "\"\"\r\n";
        for (int ko = 1; ko <= MaxKo; ++ko)
            koNames += "\"" + QByteArray::number(ko) + "\"\r\n";
    }
    for (int k = 1; k <= MaxKo; ++k)
        marks += "\"9912300000\"\r\n-32768\r\n-32768\r\n";
    const QByteArray autos = cp932(QStringLiteral("1,0,0,#00:00:00#\r\n"
                                                  "\"[CSV自動保存時間設定]\"\r\n1\r\n"
                                                  "\"[接点設定]\"\r\n1,0,0\r\n"
                                                  "\"[接点自動OFF時間設定]\"\r\n5\r\n"
                                                  "1\r\n5\r\n10\r\n30\r\n60\r\n"
                                                  "\"[自動保存拡張設定]\"\r\n0\r\n"));
    QTest::newRow("zt2000.dat") << SettingsFile::App << QByteArray("1,0,0,100,0,100,0,0\r\n");
    QTest::newRow("zt2oynname.dat") << SettingsFile::OyaNames << oyaNames;
    QTest::newRow("zt2koname.dat") << SettingsFile::KoNames << koNames;
    QTest::newRow("zt2oyaid.dat") << SettingsFile::OyaIds << ids;
    QTest::newRow("zt2autos.dat") << SettingsFile::AutoSave << autos;
    QTest::newRow("zt2000op.dat") << SettingsFile::Options << QByteArray("0\r\n");
    QTest::newRow("zt2000opTIme.dat") << SettingsFile::ReadTimes << marks;
}

void SettingsFilesTest::defaultFilesHaveTheirExactLayout()
{
    QFETCH(SettingsFile, file);
    QFETCH(QByteArray, bytes);
    QCOMPARE(writeSettings(file, pathOf(file), SettingsRecords{}), 0);
    QCOMPARE(readBytes(pathOf(file)), bytes);
}

void SettingsFilesTest::missingFileAppliesDefaultsAndCreatesNothing_data()
{
    addEveryKind();
}

void SettingsFilesTest::missingFileAppliesDefaultsAndCreatesNothing()
{
    QFETCH(SettingsFile, file);
    SettingsRecords records = markedRecords();
    QCOMPARE(readSettings(file, pathOf(file), records), 0);

    SettingsRecords expected;
    if (file == SettingsFile::ReadTimes) // times stay, values go back to -32768
        for (int k = 0; k < MaxKo; ++k)
            expected.readMarks[k].time = markedRecords().readMarks[k].time;
    QVERIFY(sameKind(file, records, expected));
    QCOMPARE(records.oya.OyaName[0], QStringLiteral("未登録"));
    QVERIFY(entriesOf(m_dir->path()).isEmpty());
}

void SettingsFilesTest::shortOrMalformedFileKeepsWhatWasReadBefore_data()
{
    QTest::addColumn<SettingsFile>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("error");
    QTest::addColumn<SettingsRecords>("expected");

    const SettingsRecords before = markedRecords();
    SettingsRecords r = before;
    r.oya.OyaCount = 3;
    QByteArray ids = "3\r\n";
    for (int slot = 1; slot <= 50; ++slot) {
        ids += QByteArray::number(slot * 7) + "\r\n";
        r.oya.OyaID[slot] = slot * 7;
    }
    QTest::newRow("zt2oyaid.dat with 51 values")
        << SettingsFile::OyaIds << ids << InputPastEndError << r;

    r = before;
    r.app.PortNo = 5;
    r.app.ScaleFixed1 = 0;
    r.app.ScaleFixed2 = 1;
    QTest::newRow("zt2000.dat with 3 values")
        << SettingsFile::App << QByteArray("5,0,1\r\n") << InputPastEndError << r;
    QTest::newRow("zt2000.dat with a word")
        << SettingsFile::App << QByteArray("5,0,1,x,1,1,1,1") << BadFileFormatError << r;

    r = before;
    r.koNames.name(1, 1) = QStringLiteral("一");
    r.koNames.name(1, 2) = QStringLiteral("二");
    QTest::newRow("zt2koname.dat with 2 names")
        << SettingsFile::KoNames << cp932(QStringLiteral("\"一\"\r\n\"二\"\r\n"))
        << InputPastEndError << r;

    r = before;
    r.readMarks[0] = {QStringLiteral("2401010000"), 1, 2};
    r.readMarks[1].time = QStringLiteral("2401010010");
    QTest::newRow("zt2000opTIme.dat cut inside a record")
        << SettingsFile::ReadTimes << QByteArray("\"2401010000\"\r\n1\r\n2\r\n\"2401010010\"\r\n")
        << InputPastEndError << r;
    QTest::newRow("zt2000opTIme.dat time not yymmddhhnn")
        << SettingsFile::ReadTimes << QByteArray("\"2401010000\",1,2,\"24-01-01\",3,4")
        << BadFileFormatError << (r = before, r.readMarks[0] = {"2401010000", 1, 2}, r);

    r = before;
    r.autos.autoSave = 1;
    r.autos.saveType = 0;
    r.autos.folderMode = 2;
    r.autos.saveTime = QTime(6, 0);
    r.autos.csvSaveTime = 1;
    r.autos.autoOffSeconds = 10;
    r.autos.releaseType = 0;
    r.autos.autoReturn = 1;
    r.autos.autoOffChoices = {10, 20};
    const QString autosHead =
        QStringLiteral("1,0,2,#06:00:00#\r\n\"[CSV自動保存時間設定]\"\r\n1\r\n"
                       "\"[接点設定]\"\r\n10,0,1\r\n"
                       "\"[接点自動OFF時間設定]\"\r\n");
    QTest::newRow("zt2autos.dat cut in the auto-off list")
        << SettingsFile::AutoSave << cp932(autosHead + "3\r\n10\r\n20\r\n") << InputPastEndError
        << r;
    r.autos.autoOffChoices = {};
    QTest::newRow("zt2autos.dat cut after 101 auto-off times are announced")
        << SettingsFile::AutoSave << cp932(autosHead + "101\r\n") << InputPastEndError << r;
    QTest::newRow("zt2autos.dat with a word for the save type")
        << SettingsFile::AutoSave << QByteArray("1,x,0,#00:00:00#") << BadFileFormatError
        << (r = before, r.autos.autoSave = 1, r);

    QTest::newRow("zt2000op.dat empty")
        << SettingsFile::Options << QByteArray("\r\n") << InputPastEndError << before;
}

void SettingsFilesTest::shortOrMalformedFileKeepsWhatWasReadBefore()
{
    QFETCH(SettingsFile, file);
    QFETCH(QByteArray, bytes);
    QFETCH(int, error);
    QFETCH(SettingsRecords, expected);
    writeBytes(pathOf(file), bytes);
    SettingsRecords records = markedRecords();
    QCOMPARE(readSettings(file, pathOf(file), records), error);
    QVERIFY(sameKind(file, records, expected));
}

void SettingsFilesTest::autoSaveFileReadsItsOtherForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QTime>("saveTime");
    QTest::addColumn<QList<qint16>>("choices");
    QTest::addColumn<qint16>("accumulate");
    const QString head = QStringLiteral("\"[CSV自動保存時間設定]\"\r\n1\r\n"
                                        "\"[接点設定]\"\r\n1,0,0\r\n"
                                        "\"[接点自動OFF時間設定]\"\r\n");
    const QString tail = QStringLiteral("\"[自動保存拡張設定]\"\r\n1\r\n");
    QTest::newRow("one choice, hh:mm time")
        << QStringLiteral("1,0,0,08:00\r\n") + head + "1\r\n45\r\n" + tail << QTime(8, 0)
        << QList<qint16>{45} << qint16(1);
    QTest::newRow("seven choices on one line")
        << QStringLiteral("1,0,0,#23:00:00#\r\n") + head + "7,1,2,3,4,5,6,7\r\n" + tail
        << QTime(23, 0) << QList<qint16>{1, 2, 3, 4, 5, 6, 7} << qint16(1);
    QTest::newRow("no choices") << QStringLiteral("1,0,0,#01:00:00#\r\n") + head + "0\r\n" + tail
                                << QTime(1, 0) << QList<qint16>{} << qint16(1);
    QTest::newRow("older file without the extension section")
        << QStringLiteral("1,0,0,12:00\r\n") + head + "2\r\n5\r\n60\r\n"
        << QTime(12, 0) << QList<qint16>{5, 60} << qint16(0);
}

void SettingsFilesTest::autoSaveFileReadsItsOtherForms()
{
    QFETCH(QString, text);
    QFETCH(QTime, saveTime);
    QFETCH(QList<qint16>, choices);
    QFETCH(qint16, accumulate);
    const QString path = pathOf(SettingsFile::AutoSave);
    writeBytes(path, cp932(text));
    SettingsRecords records;
    QCOMPARE(readSettings(SettingsFile::AutoSave, path, records), 0);
    QCOMPARE(records.autos.saveTime, saveTime);
    QCOMPARE(
        QList<qint16>(records.autos.autoOffChoices.begin(), records.autos.autoOffChoices.end()),
        choices);
    QCOMPARE(records.autos.accumulate, accumulate);
    QCOMPARE(records.autos.autoOffSeconds, qint16(1));

    // Written back, the list keeps its length.
    QCOMPARE(writeSettings(SettingsFile::AutoSave, path, records), 0);
    SettingsRecords again;
    QCOMPARE(readSettings(SettingsFile::AutoSave, path, again), 0);
    QCOMPARE(again.autos, records.autos);
}

void SettingsFilesTest::everyValueTheFilesCanHoldReads_data()
{
    QTest::addColumn<SettingsFile>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<SettingsRecords>("expected");

    SettingsRecords r;
    QByteArray ids = "100\r\n";
    r.oya.OyaCount = 100;
    for (int slot = 1; slot <= MaxOya; ++slot) {
        ids += QByteArray::number(1000 + slot) + "\r\n";
        r.oya.OyaID[slot] = 1000 + slot;
    }
    QTest::newRow("zt2oyaid.dat with 100 receivers") << SettingsFile::OyaIds << ids << r;

    r = SettingsRecords{};
    r.AutoSaveOption = 2;
    QTest::newRow("zt2000op.dat with 2") << SettingsFile::Options << QByteArray("2\r\n") << r;
    r.AutoSaveOption = -1;
    QTest::newRow("zt2000op.dat with -1") << SettingsFile::Options << QByteArray("-1\r\n") << r;

    r = SettingsRecords{};
    r.autos.autoSave = 2;
    r.autos.saveType = 3;
    r.autos.folderMode = -1;
    r.autos.saveTime = QTime(7, 30);
    r.autos.csvSaveTime = 32767;
    r.autos.autoOffSeconds = -5;
    r.autos.releaseType = 4;
    r.autos.autoReturn = 9;
    r.autos.autoOffChoices.assign(101, 0);
    for (int i = 0; i < 101; ++i)
        r.autos.autoOffChoices[std::size_t(i)] = qint16(i - 50);
    r.autos.accumulate = 7;
    QByteArray list = "101\r\n";
    for (qint16 v : r.autos.autoOffChoices)
        list += QByteArray::number(v) + "\r\n";
    QTest::newRow("zt2autos.dat with values beyond the dialogs' choices")
        << SettingsFile::AutoSave
        << cp932(QStringLiteral("2,3,-1,#07:30:00#\r\n\"[CSV自動保存時間設定]\"\r\n32767\r\n"
                                "\"[接点設定]\"\r\n-5,4,9\r\n\"[接点自動OFF時間設定]\"\r\n")) +
               list + cp932(QStringLiteral("\"[自動保存拡張設定]\"\r\n7\r\n"))
        << r;
}

void SettingsFilesTest::everyValueTheFilesCanHoldReads()
{
    QFETCH(SettingsFile, file);
    QFETCH(QByteArray, bytes);
    QFETCH(SettingsRecords, expected);
    writeBytes(pathOf(file), bytes);
    SettingsRecords records;
    QCOMPARE(readSettings(file, pathOf(file), records), 0);
    QVERIFY(sameKind(file, records, expected));

    // What was read is written back as it stood.
    QCOMPARE(writeSettings(file, pathOf(file), records), 0);
    SettingsRecords again;
    QCOMPARE(readSettings(file, pathOf(file), again), 0);
    QVERIFY(sameKind(file, again, expected));
}

void SettingsFilesTest::autoSaveFileCutAfterTheExtensionLabelKeepsWhatWasRead()
{
    const QString path = pathOf(SettingsFile::AutoSave);
    writeBytes(path, cp932(QStringLiteral("0,1,2,#05:00:00#\r\n\"[CSV自動保存時間設定]\"\r\n3\r\n"
                                          "\"[接点設定]\"\r\n30,1,1\r\n"
                                          "\"[接点自動OFF時間設定]\"\r\n2\r\n15\r\n45\r\n"
                                          "\"[自動保存拡張設定]\"\r\n")));
    SettingsRecords records;
    SettingsErrors errors;
    monitorReadSettings(SettingsFile::AutoSave, path, records, errors);
    QVERIFY(errors.empty());
    QCOMPARE(records.autos.autoSave, qint16(0));
    QCOMPARE(records.autos.saveType, qint16(1));
    QCOMPARE(records.autos.saveTime, QTime(5, 0));
    QCOMPARE(records.autos.autoOffSeconds, qint16(30));
    QCOMPARE(records.autos.autoOffChoices, (std::vector<qint16>{15, 45}));
    QCOMPARE(records.autos.accumulate, qint16(0));
}

void SettingsFilesTest::awkwardNamesDoNotShiftTheNamesAfterThem()
{
    SettingsRecords written;
    written.koNames.name(5, 1) = QStringLiteral("6\"扉\"");
    written.koNames.name(5, 2) = QStringLiteral("上段\r\n下段");
    written.koNames.name(5, 3) = QStringLiteral("a,b,c");
    const QString path = pathOf(SettingsFile::KoNames);
    QCOMPARE(writeSettings(SettingsFile::KoNames, path, written), 0);

    SettingsRecords read;
    QCOMPARE(readSettings(SettingsFile::KoNames, path, read), 0);
    QCOMPARE(read.koNames.name(5, 1), QStringLiteral("6＂扉＂"));
    QCOMPARE(read.koNames.name(5, 2), QStringLiteral("上段  下段"));
    QCOMPARE(read.koNames.name(5, 3), QStringLiteral("a,b,c"));
    QCOMPARE(read.koNames.name(5, 4), QStringLiteral("4"));
    QCOMPARE(read.koNames.name(100, 30), QStringLiteral("30"));
}

void SettingsFilesTest::unencodableNameFailsTheWriteAndKeepsTheOldFile()
{
    const QString path = pathOf(SettingsFile::OyaNames);
    SettingsRecords records;
    records.oya.OyaName[2] = QStringLiteral("倉庫");
    QCOMPARE(writeSettings(SettingsFile::OyaNames, path, records), 0);
    const QByteArray before = readBytes(path);

    records.oya.OyaName[3] = QStringLiteral("冷凍🧊");
    QCOMPARE(writeSettings(SettingsFile::OyaNames, path, records), int(ErrWriteFailed));
    QCOMPARE(readBytes(path), before);
    QCOMPARE(entriesOf(m_dir->path()), QStringList{settingsFileName(SettingsFile::OyaNames)});
}

void SettingsFilesTest::folderInPlaceOfTheFileIsAReadError()
{
    const QString path = pathOf(SettingsFile::App);
    QVERIFY(QDir().mkpath(path));
    SettingsRecords records = markedRecords();
    QCOMPARE(readSettings(SettingsFile::App, path, records), int(ErrPathAccess));
    QCOMPARE(records.app, markedRecords().app);
    QVERIFY(writeSettings(SettingsFile::App, path, records) != 0);
}

ZT_TEST(SettingsFilesTest)
#include "test_settingsfiles.moc"
