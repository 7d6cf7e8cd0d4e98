#include "platform/folders.h"
#include "records/zt2file.h"
#include "test_settingsfixture.h"
#include "test_zt2sets.h"
#include "testregistry.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace zt;
using namespace zt::test;

// `zt2 print`: every printout as a PDF, read back with pdftotext and rendered with pdftoppm.
class Zt2PrintTest : public QObject
{
    Q_OBJECT

    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_work;

    QString work(const QString &name) const { return m_work->filePath(name); }

    Run run(const QStringList &args, std::function<void()> childSetup = {})
    {
        QProcess p;
        p.setWorkingDirectory(m_work->path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM")); // it must find its way without a display
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        p.setProcessEnvironment(env);
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

    static QString tool(const QString &program, const QStringList &args)
    {
        QProcess p;
        p.start(program, args);
        if (!p.waitForFinished(30000) || p.exitCode() != 0)
            return QStringLiteral("<%1 failed>").arg(program);
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    // Slot 7 "本社倉庫": KoNo 2 "冷蔵庫Ａ" (kind 12) and KoNo 5 (kind 10) starting later.
    static std::unique_ptr<LogSet> namedSet()
    {
        auto set = emptySet();
        set->OyaSlot = 7;
        set->KoCount = 5;
        addSeries(*set, 2, 12, {200, 310, StarValue, 215}, {40, 60, DashValue, 55});
        addSeries(*set, 5, 10, {-100, 400}, {}, 3);
        computeStatistics(*set);
        return set;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        useHome(m_home);
        QVERIFY(QDir().mkpath(settingsFolder()));
        SettingsRecords names;
        names.oya.OyaName[7] = QStringLiteral("本社倉庫");
        names.koNames.name(7, 2) = QStringLiteral("冷蔵庫Ａ");
        for (SettingsFile file : {SettingsFile::OyaNames, SettingsFile::KoNames})
            QCOMPARE(writeSettings(file, joinPath(settingsFolder(), settingsFileName(file)), names),
                     0);
    }
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
        QCOMPARE(saveZt2(work(QStringLiteral("in.zt2")), *namedSet()), 0);
    }

    void everyPrintoutIsWrittenAsPdf_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("list") << QStringList{"list"}
                              << QStringList{"No",    "冷蔵庫", "24/05/01 00:00", "31.0◆", "*****",
                                             "-----", "-10.0",  "40.0◆",          "1 / 1"}
                              << QStringList{"未完成"};
        QTest::newRow("part") << QStringList{"part", "--rows", "2-2"}
                              << QStringList{"24/05/01 00:10", "31.0◆", "60"}
                              << QStringList{"24/05/01 00:00", "24/05/01 00:20"};
        QTest::newRow("params") << QStringList{"params"}
                                << QStringList{"受信器名", "本社倉庫", "24-05-01", "00:10", "[rh]",
                                               "収録数",   "エラー数", "平均値",   "24.2"}
                                << QStringList{};
        QTest::newRow("graph") << QStringList{"graph"}
                               << QStringList{"[℃]",    "[%rh]",  "送信器名", "ｴﾗｰ数",
                                              "最高値", "冷蔵庫", "24-05-01", "00:00"}
                               << QStringList{};
        QTest::newRow("graph of one transmitter")
            << QStringList{"graph", "--transmitters", "5"} << QStringList{"[℃]", "40.0", "-10.0"}
            << QStringList{"冷蔵庫", "[%rh]"};
        QTest::newRow("list of one transmitter") << QStringList{"list", "--transmitters", "2"}
                                                 << QStringList{"冷蔵庫"} << QStringList{"-10.0"};
    }
    void everyPrintoutIsWrittenAsPdf()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        const QString out = work(QStringLiteral("out.pdf"));
        QStringList line = {QStringLiteral("print"), args[0], QStringLiteral("in.zt2"), out};
        line += args.mid(1);
        const Run r = run(line);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, out + QLatin1Char('\n'));
        const QString text = tool(QStringLiteral("pdftotext"),
                                  {QStringLiteral("-layout"), out, QStringLiteral("-")});
        for (const QString &t : present)
            QVERIFY2(text.contains(t), qPrintable(t + QStringLiteral(" missing in:\n") + text));
        for (const QString &t : absent)
            QVERIFY2(!text.contains(t), qPrintable(t + QStringLiteral(" present in:\n") + text));
        QVERIFY(tool(QStringLiteral("pdfinfo"), {out}).contains(QStringLiteral("A4")));
        // Rendered for a look when a folder for the pictures is named.
        const QString dir = qEnvironmentVariable("ZT_GRAB_DIR");
        const QString png = (dir.isEmpty() ? m_work->path() : dir) + QStringLiteral("/zt2-") +
                            QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-');
        tool(QStringLiteral("pdftoppm"),
             {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"),
              QStringLiteral("-singlefile"), out, png});
        QVERIFY(QFileInfo(png + QStringLiteral(".png")).size() > 1000);
    }

    void badInputFailsWithOneLineAndLeavesTheOutputAsItWas_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown printout")
            << QStringList{"print", "table", "in.zt2", "out.pdf"} << "印刷の種類は";
        QTest::newRow("missing output")
            << QStringList{"print", "list", "in.zt2"} << "print の引数の数が正しくありません。";
        QTest::newRow("rows not a range")
            << QStringList{"print", "part", "in.zt2", "out.pdf", "--rows", "3"} << "--rows は";
        QTest::newRow("rows past the end")
            << QStringList{"print", "part", "in.zt2", "out.pdf", "--rows", "2-9"} << "1-5";
        QTest::newRow("rows reversed")
            << QStringList{"print", "part", "in.zt2", "out.pdf", "--rows", "3-2"} << "1-5";
        QTest::newRow("rows for the whole list")
            << QStringList{"print", "list", "in.zt2", "out.pdf", "--rows", "1-2"}
            << "--rows は part と graph にだけ指定できます。";
        QTest::newRow("transmitter without data")
            << QStringList{"print", "list", "in.zt2", "out.pdf", "--transmitters", "3"}
            << "送信器 3 のデータはありません。";
        QTest::newRow("transmitter twice")
            << QStringList{"print", "list", "in.zt2", "out.pdf", "--transmitters", "2,2"}
            << "送信器 2 が重複しています。";
        QTest::newRow("five transmitters")
            << QStringList{"print", "list", "in.zt2", "out.pdf", "--transmitters", "1,2,3,4,5"}
            << "4台まで";
        QTest::newRow("transmitters not numbers")
            << QStringList{"print", "list", "in.zt2", "out.pdf", "--transmitters", "a"}
            << "--transmitters は";
        QTest::newRow("no such input")
            << QStringList{"print", "list", "none.zt2", "out.pdf"} << "none.zt2";
        QTest::newRow("output is the input") << QStringList{"print", "list", "in.zt2", "in.zt2"}
                                             << "出力先が入力ファイルと同じです。";
        QTest::newRow("unknown option")
            << QStringList{"print", "list", "in.zt2", "out.pdf", "--colour"} << "不明なオプション";
    }
    void badInputFailsWithOneLineAndLeavesTheOutputAsItWas()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        writeBytes(work(QStringLiteral("out.pdf")), "previous");
        const QByteArray input = readBytes(work(QStringLiteral("in.zt2")));
        const Run r = run(args);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.startsWith(QStringLiteral("zt2: ")), qPrintable(r.err));
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
        QCOMPARE(r.out, QString());
        QCOMPARE(readBytes(work(QStringLiteral("out.pdf"))), QByteArray("previous"));
        QCOMPARE(readBytes(work(QStringLiteral("in.zt2"))), input);
        QCOMPARE(entriesOf(m_work->path()), (QStringList{"in.zt2", "out.pdf"}));
    }

    void pdfCutShortByTheFileSizeLimitKeepsThePreviousFile()
    {
        writeBytes(work(QStringLiteral("out.pdf")), "previous");
        const Run r = run({QStringLiteral("print"), QStringLiteral("list"),
                           QStringLiteral("in.zt2"), QStringLiteral("out.pdf")},
                          [] {
                              std::signal(SIGXFSZ, SIG_IGN);
                              const rlimit limit{2048, 2048};
                              setrlimit(RLIMIT_FSIZE, &limit);
                          });
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err, QStringLiteral("zt2: out.pdf: ディスクの空き容量が不足しています｡\n"));
        QCOMPARE(readBytes(work(QStringLiteral("out.pdf"))), QByteArray("previous"));
        QCOMPARE(entriesOf(m_work->path()), (QStringList{"in.zt2", "out.pdf"}));
    }
};

ZT_TEST(Zt2PrintTest)
#include "test_zt2print.moc"
