#include "platform/folders.h"
#include "platform/windowpresence.h"
#include "platform/windowtitles.h"
#include "support/testregistry.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace zt;

// The real `watch` program against the real `zt5sim` on COM1 of a private HOME.
class WatchProgramTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    QProcess sim;
    QByteArray simOutput;
    QList<QByteArray> saved;
    const QList<const char *> names = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME",
                                       "XDG_RUNTIME_DIR"};

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : names)
            env.insert(QString::fromLatin1(name), qEnvironmentVariable(name));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }
    int framesWith(const QByteArray &text)
    {
        simOutput += sim.readAllStandardOutput();
        return int(simOutput.count(text));
    }

private slots:
    void initTestCase()
    {
        for (const char *name : names)
            saved << qgetenv(name);
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_DATA_HOME", (home.path() + "/.local/share").toUtf8());
        qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
        qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
        sim.setProcessEnvironment(environment());
        sim.start(QStringLiteral(ZT5SIM_PATH), {"--port", "COM1", "--log"});
        QVERIFY(sim.waitForStarted());
        QTRY_VERIFY(QFileInfo::exists(settingsFolder() + QStringLiteral("/ports/COM1")));
    }
    void cleanupTestCase()
    {
        sim.terminate();
        sim.waitForFinished();
        for (int i = 0; i < names.size(); ++i)
            qputenv(names[i], saved[i]);
    }

    void startsSecondStartLeavesAndSigtermEndsOutOfRemoteMode()
    {
        QProcess watch;
        watch.setProcessEnvironment(environment());
        watch.start(QStringLiteral(WATCH_PATH), {});
        QVERIFY(watch.waitForStarted());
        // Monitoring runs once the list window is published and the receiver is polled.
        QTRY_VERIFY_WITH_TIMEOUT(isWindowOpen(monitorListTitle()), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(framesWith("< <STX>0002010,001234,") >= 2, 15000);
        QCOMPARE(framesWith("< <STX>0000120,0012341,"), 1);

        // A second start raises the first and ends without touching the receiver.
        const int identifications = framesWith("< <STX>0002005,");
        QProcess second;
        second.setProcessEnvironment(environment());
        second.start(QStringLiteral(WATCH_PATH), {});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(framesWith("< <STX>0002005,"), identifications);
        QCOMPARE(watch.state(), QProcess::Running);

        watch.terminate(); // SIGTERM
        QVERIFY(watch.waitForFinished(15000));
        QCOMPARE(watch.exitStatus(), QProcess::NormalExit);
        QCOMPARE(watch.exitCode(), 0);
        QTRY_COMPARE(framesWith("< <STX>0000120,0012340,"), 1);
        QVERIFY(!isWindowOpen(monitorListTitle()));
        const QStringList logs =
            QDir(documentsFolder() + QStringLiteral("/log")).entryList({"log_*.txt"}, QDir::Files);
        QCOMPARE(logs.size(), 1);
    }
};

ZT_TEST(WatchProgramTest)
#include "watchprogramtest.moc"
