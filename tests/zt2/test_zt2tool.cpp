#include "platform/folders.h"
#include "records/csvexport.h"
#include "records/zt2file.h"
#include "test_settingsfixture.h"
#include "test_zt2sets.h"
#include "testregistry.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace zt;
using namespace zt::test;

// End to end: the built zt2 program against files in a private home folder.
class Zt2ToolTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void csvIsTheLibraryExportWithTheUsersNames_data();
    void csvIsTheLibraryExportWithTheUsersNames();
    void infoShowsHeaderStatisticsAndMeanKineticTemperature();
    void infoOfTheSampleFileRuns();
    void badInputFailsWithOneLineAndWritesNothing_data();
    void badInputFailsWithOneLineAndWritesNothing();
    void csvCutShortByTheFileSizeLimitKeepsThePreviousFile();
    void namesWithAControlCharacterDoNotCutTheOutput();
    void namesFileEndingEarlyGivesANumberedError();
    void outputThatCannotBeWrittenFails();
    void helpPrintsUsage();

private:
    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    Run run(const QStringList &args, std::function<void()> childSetup = {});
    QString work(const QString &name) const { return m_work->filePath(name); }

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_work;
};

namespace {

// Slot 7 "本社倉庫": "冷蔵庫Ａ" (kind 12) and slot 5 with the default name (kind 10).
std::unique_ptr<LogSet> namedSet()
{
    auto set = emptySet();
    set->OyaSlot = 7;
    set->KoCount = 5;
    addSeries(*set, 2, 12, {200, 300, StarValue}, {40, 60, DashValue});
    addSeries(*set, 5, 10, {-100, 400}, {}, 3);
    computeStatistics(*set);
    return set;
}

// Terminal cells of a text: CJK characters take two, half-width katakana one.
int cells(const QString &text)
{
    int n = 0;
    for (QChar c : text)
        n += c.unicode() >= 0x3000 && !(c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F) ? 2 : 1;
    return n;
}

QStringList tokensOf(const QString &line)
{
    return line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The first line whose words begin with `words`.
QString lineStartingWith(const QStringList &lines, const QStringList &words)
{
    for (const QString &line : lines)
        if (tokensOf(line).mid(0, words.size()) == words)
            return line;
    return QString();
}

} // namespace

void Zt2ToolTest::initTestCase()
{
    QVERIFY(m_home.isValid());
    useHome(m_home);
    QVERIFY(QDir().mkpath(settingsFolder()));
    SettingsRecords names;
    names.oya.OyaName[7] = QStringLiteral("本社倉庫");
    names.koNames.name(7, 2) = QStringLiteral("冷蔵庫Ａ");
    for (SettingsFile file : {SettingsFile::OyaNames, SettingsFile::KoNames})
        QCOMPARE(writeSettings(file, joinPath(settingsFolder(), settingsFileName(file)), names), 0);
}

void Zt2ToolTest::init()
{
    m_work = std::make_unique<QTemporaryDir>();
    QVERIFY(m_work->isValid());
}

Zt2ToolTest::Run Zt2ToolTest::run(const QStringList &args, std::function<void()> childSetup)
{
    QProcess p;
    p.setWorkingDirectory(m_work->path());
    if (childSetup)
        p.setChildProcessModifier(childSetup);
    p.start(QStringLiteral(ZT2_PROGRAM), args);
    Run r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

void Zt2ToolTest::csvIsTheLibraryExportWithTheUsersNames_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("output");
    QTest::newRow("named output") << QStringList{"csv", "in.zt2", "out.csv"} << "out.csv";
    QTest::newRow("beside the input") << QStringList{"csv", "in.zt2"} << "in.csv";
}

void Zt2ToolTest::csvIsTheLibraryExportWithTheUsersNames()
{
    QFETCH(QStringList, args);
    QFETCH(QString, output);
    QCOMPARE(saveZt2(work(QStringLiteral("in.zt2")), *namedSet()), 0);

    const Run r = run(args);
    QCOMPARE(r.err, QString());
    QCOMPARE(r.exitCode, 0);

    SettingsRecords names;
    for (SettingsFile file : {SettingsFile::OyaNames, SettingsFile::KoNames})
        QCOMPARE(readSettings(file, joinPath(settingsFolder(), settingsFileName(file)), names), 0);
    auto set = std::make_unique<LogSet>();
    QCOMPARE(loadZt2(work(QStringLiteral("in.zt2")), names.oya, names.koNames, *set), 0);
    QCOMPARE(exportCsv(work(QStringLiteral("expected.csv")), *set), 0);
    const QByteArray written = readBytes(work(output));
    QCOMPARE(written, readBytes(work(QStringLiteral("expected.csv"))));
    QVERIFY(written.contains(cp932(QStringLiteral(",受信器名:,本社倉庫\r\n"))));
    QVERIFY(written.contains(cp932(QStringLiteral(",,送信器名:,冷蔵庫Ａ,冷蔵庫Ａ,5,\r\n"))));
}

void Zt2ToolTest::infoShowsHeaderStatisticsAndMeanKineticTemperature()
{
    QCOMPARE(saveZt2(work(QStringLiteral("in.zt2")), *namedSet()), 0);
    const Run r = run({QStringLiteral("info"), QStringLiteral("in.zt2")});
    QCOMPARE(r.err, QString());
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    const auto fields = [&](const QString &start) {
        return tokensOf(lineStartingWith(lines, {start}));
    };
    QCOMPARE(fields(QStringLiteral("受信器:")), (QStringList{"受信器:", "7", "本社倉庫"}));
    QCOMPARE(fields(QStringLiteral("開始時刻:")),
             (QStringList{"開始時刻:", "2024-05-01", "00:00"}));
    QCOMPARE(fields(QStringLiteral("収録間隔:")), (QStringList{"収録間隔:", "00:10"}));
    // Temperatures 20.0 and 30.0 give a mean kinetic temperature of 26.26 degrees.
    const QString ch1 = lineStartingWith(lines, {"2", "冷蔵庫Ａ"});
    QCOMPARE(ch1.split(QLatin1Char(' '), Qt::SkipEmptyParts),
             (QStringList{"2", "冷蔵庫Ａ", "12", "3", "0", "1", "[ﾟC]", "1", "30.0", "20.0", "25.0",
                          "26.3"}));
    const QString ch2 = lines.value(lines.indexOf(ch1) + 1);
    QCOMPARE(ch2.split(QLatin1Char(' '), Qt::SkipEmptyParts),
             (QStringList{"2", "[%rh]", "1", "60", "40", "50"}));
    // -10.0 and 40.0: 33.37; a kind-10 transmitter has no CH2 line.
    const QString kind10 = lineStartingWith(lines, {"5", "5"});
    QCOMPARE(
        kind10.split(QLatin1Char(' '), Qt::SkipEmptyParts),
        (QStringList{"5", "5", "10", "2", "3", "1", "[ﾟC]", "0", "40.0", "-10.0", "15.0", "33.4"}));
    QCOMPARE(lines.value(lines.indexOf(kind10) + 1), QString());
    // Columns line up on screen although the name is written in wide characters.
    const QString header = lineStartingWith(lines, {"No."});
    for (const QString &line : {ch1, ch2, kind10})
        QCOMPARE(cells(line.left(line.indexOf(QLatin1Char('[')))),
                 cells(header.left(header.indexOf(QStringLiteral("単位")))));
}

void Zt2ToolTest::infoOfTheSampleFileRuns()
{
    const Run r = run({QStringLiteral("info"), QString::fromUtf8(dataDir()) + "/sample.zt2"});
    QCOMPARE(r.err, QString());
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    QVERIFY(lineStartingWith(lines, {"受信器:"}).endsWith(QStringLiteral("未登録")));
    QVERIFY(!lineStartingWith(lines, {"1", "1", "12", "144", "0", "1"}).isEmpty());
    QVERIFY(!lineStartingWith(lines, {"3", "3", "10", "138", "6", "1"}).isEmpty());
}

void Zt2ToolTest::badInputFailsWithOneLineAndWritesNothing_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << QStringList{"info", "missing.zt2"}
                                  << "zt2: missing.zt2: ファイル名が正しくありません｡";
    QTest::newRow("empty file") << QStringList{"csv", "empty.zt2"}
                                << "zt2: empty.zt2: ファイルの読み込み中にエラーが発生しました｡";
    QTest::newRow("impossible file") << QStringList{"csv", "impossible.zt2", "x.csv"}
                                     << "zt2: impossible.zt2: 不正なファイル形式です。";
    QTest::newRow("header cut short")
        << QStringList{"info", "short.zt2"} << "zt2: short.zt2: 不正なファイル形式です。";
    QTest::newRow("a folder") << QStringList{"info", "folder.zt2"} << "zt2: folder.zt2: ";
    QTest::newRow("unknown command")
        << QStringList{"convert", "good.zt2"} << "zt2: 不明なコマンドです: convert";
    QTest::newRow("no arguments") << QStringList{} << "zt2: コマンドがありません。";
    QTest::newRow("csv without a file") << QStringList{"csv"} << "zt2: csv の引数";
    QTest::newRow("csv with three operands")
        << QStringList{"csv", "good.zt2", "a.csv", "b.csv"} << "zt2: csv の引数";
    QTest::newRow("info with two operands")
        << QStringList{"info", "good.zt2", "good.csv"} << "zt2: info の引数";
    QTest::newRow("output is the input") << QStringList{"csv", "good.zt2", "./good.zt2"}
                                         << "zt2: ./good.zt2: 出力先が入力ファイルと同じです。";
    QTest::newRow("output folder missing") << QStringList{"csv", "good.zt2", "gone/out.csv"}
                                           << "zt2: gone/out.csv: パスが見つかりません。";
    QTest::newRow("empty name") << QStringList{"info", ""} << "zt2: ファイル名が空です。";
    QTest::newRow("empty output name")
        << QStringList{"csv", "good.zt2", ""} << "zt2: ファイル名が空です。";
    QTest::newRow("output is a FIFO")
        << QStringList{"csv", "good.zt2", "fifo"} << "zt2: fifo: パス名が無効です｡ (エラー75)";
    QTest::newRow("input is a FIFO")
        << QStringList{"info", "fifo"} << "zt2: fifo: パス名が無効です｡ (エラー75)";
    QTest::newRow("input longer than any saved file")
        << QStringList{"info", "long.zt2"} << "zt2: long.zt2: 不正なファイル形式です。 (エラー321)";
}

void Zt2ToolTest::badInputFailsWithOneLineAndWritesNothing()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QCOMPARE(saveZt2(work(QStringLiteral("good.zt2")), *sampleSet()), 0);
    writeBytes(work(QStringLiteral("empty.zt2")), QByteArray());
    writeBytes(work(QStringLiteral("short.zt2")), encodeZt2(*sampleSet()).left(10));
    QVERIFY(QFile::copy(QString::fromUtf8(dataDir()) + "/impossible.zt2",
                        work(QStringLiteral("impossible.zt2"))));
    QVERIFY(QDir(m_work->path()).mkdir(QStringLiteral("folder.zt2")));
    QCOMPARE(mkfifo(QFile::encodeName(work(QStringLiteral("fifo"))).constData(), 0600), 0);
    // A good file followed by more bytes than a full file holds (sparse, so cheap).
    QFile::copy(work(QStringLiteral("good.zt2")), work(QStringLiteral("long.zt2")));
    QVERIFY(QFile::resize(work(QStringLiteral("long.zt2")), Zt2MaxFileBytes + 1));
    const QStringList before = entriesOf(m_work->path());
    const QByteArray good = readBytes(work(QStringLiteral("good.zt2")));

    const Run r = run(args);
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.startsWith(message), qPrintable(r.err));
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    QVERIFY(r.err.endsWith(QLatin1Char('\n')));
    QCOMPARE(entriesOf(m_work->path()), before);
    QCOMPARE(readBytes(work(QStringLiteral("good.zt2"))), good);
    QVERIFY(QFileInfo(work(QStringLiteral("fifo"))).isFile() == false);
    struct stat st
    {
    };
    QCOMPARE(stat(QFile::encodeName(work(QStringLiteral("fifo"))).constData(), &st), 0);
    QVERIFY(S_ISFIFO(st.st_mode));
}

void Zt2ToolTest::csvCutShortByTheFileSizeLimitKeepsThePreviousFile()
{
    QCOMPARE(saveZt2(work(QStringLiteral("in.zt2")), *sampleSet()), 0);
    writeBytes(work(QStringLiteral("out.csv")), "previous export\r\n");
    const Run r =
        run({QStringLiteral("csv"), QStringLiteral("in.zt2"), QStringLiteral("out.csv")}, [] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1024, 1024};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err,
             QStringLiteral("zt2: out.csv: ディスクの空き容量が不足しています｡ (エラー61)\n"));
    QCOMPARE(readBytes(work(QStringLiteral("out.csv"))), QByteArray("previous export\r\n"));
    QCOMPARE(entriesOf(m_work->path()), (QStringList{"in.zt2", "out.csv"}));
}

void Zt2ToolTest::namesWithAControlCharacterDoNotCutTheOutput()
{
    const QString names = joinPath(settingsFolder(), settingsFileName(SettingsFile::KoNames));
    const QByteArray saved = readBytes(names);
    QByteArray bytes = saved;
    // Slot 7, KoNo 2 is line 6 * 30 + 2; its name gets a NUL in the middle.
    const QByteArray name = cp932(QStringLiteral("\"冷蔵庫Ａ\""));
    QVERIFY(bytes.contains(name));
    bytes.replace(name, cp932(QStringLiteral("\"冷蔵")) + '\0' + cp932(QStringLiteral("庫Ａ\"")));
    writeBytes(names, bytes);
    QCOMPARE(saveZt2(work(QStringLiteral("in.zt2")), *namedSet()), 0);
    const Run r = run({QStringLiteral("info"), QStringLiteral("in.zt2")});
    writeBytes(names, saved);
    QCOMPARE(r.err, QString());
    QCOMPARE(r.exitCode, 0);
    QVERIFY(!r.out.contains(QChar(0)));
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    QVERIFY2(!lineStartingWith(lines, {"2", "冷蔵", "庫Ａ", "12"}).isEmpty(), qPrintable(r.out));
    QVERIFY(!lineStartingWith(lines, {"5", "5", "10"}).isEmpty());
}

void Zt2ToolTest::namesFileEndingEarlyGivesANumberedError()
{
    const QString names = joinPath(settingsFolder(), settingsFileName(SettingsFile::KoNames));
    const QByteArray saved = readBytes(names);
    writeBytes(names, "\"1\"\r\n\"2\"\r\n");
    QCOMPARE(saveZt2(work(QStringLiteral("in.zt2")), *namedSet()), 0);
    const Run r = run({QStringLiteral("info"), QStringLiteral("in.zt2")});
    writeBytes(names, saved);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    QVERIFY2(r.err.startsWith(QStringLiteral("zt2: ") + names + QStringLiteral(": ")),
             qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("ファイルが途中で終わっています。 (エラー62)")),
             qPrintable(r.err));
    QVERIFY(r.out.contains(QStringLiteral("本社倉庫")));
}

void Zt2ToolTest::outputThatCannotBeWrittenFails()
{
    QCOMPARE(saveZt2(work(QStringLiteral("in.zt2")), *namedSet()), 0);
    // stdout is a file that may not grow past 64 bytes: the report does not fit.
    QProcess p;
    p.setWorkingDirectory(m_work->path());
    p.setStandardOutputFile(work(QStringLiteral("out.txt")));
    p.setChildProcessModifier([] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    p.start(QStringLiteral(ZT2_PROGRAM), {QStringLiteral("info"), QStringLiteral("in.zt2")});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(QString::fromUtf8(p.readAllStandardError()),
             QStringLiteral("zt2: 標準出力への書き込みに失敗しました。\n"));
    QCOMPARE(p.exitCode(), 1);
}

void Zt2ToolTest::helpPrintsUsage()
{
    const Run r = run({QStringLiteral("--help")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QString());
    QVERIFY(r.out.contains(QStringLiteral("zt2 csv FILE.zt2 [OUT.csv]")));
    QVERIFY(r.out.contains(QStringLiteral("zt2 info FILE.zt2")));
}

ZT_TEST(Zt2ToolTest)
#include "test_zt2tool.moc"
