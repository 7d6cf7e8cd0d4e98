#include "testregistry.h"

#include "periodic/journal.h"
#include "platform/folders.h"
#include "records/cp932.h"
#include "records/zt2file.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using namespace zt;

#ifdef WATCH_PATH
namespace {
QString watchFolder()
{
    return documentsFolder() + QStringLiteral("/data/watch");
}

QStringList filesEndingIn(const QString &suffix)
{
    QStringList out;
    for (const QString &f : QDir(watchFolder()).entryList(QDir::Files))
        if (f.endsWith(suffix))
            out << f;
    return out;
}
} // namespace

// The real `watch` against the real `zt5sim` running fast: killed without a chance
// to save, it loses nothing; asked to stop, it saves first.
class WatchKillTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    QProcess sim;
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
    void startWatch(QProcess &watch)
    {
        watch.setProcessEnvironment(environment());
        watch.start(QStringLiteral(WATCH_PATH), {});
        QVERIFY(watch.waitForStarted());
    }
    // The most records one slot has in the journal.
    static int journalled()
    {
        int most = 0;
        for (const SlotRecords &s : Journal(journalPath(settingsFolder())).read().slotRecords)
            most = qMax(most, int(s.records.size()));
        return most;
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
        // Ten simulated minutes a second: a radio batch every two seconds.
        sim.start(QStringLiteral(ZT5SIM_PATH), {"--port", "COM1", "--speed", "600"});
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

    void killedWatchLosesNothingItRead()
    {
        QProcess watch;
        startWatch(watch);
        // Each slot's newest record comes first; the polls every 10 s bring batches.
        QTRY_VERIFY_WITH_TIMEOUT(journalled() >= 3, 40000);
        ::kill(pid_t(watch.processId()), SIGKILL);
        QVERIFY(watch.waitForFinished(5000));
        QCOMPARE(watch.exitStatus(), QProcess::CrashExit);
        const CollectedData before = Journal(journalPath(settingsFolder())).read();
        QVERIFY(before.hasRecords());
        QVERIFY(filesEndingIn(QStringLiteral("_c.zt2")).isEmpty());

        // The next start writes them as recovered data before anything else.
        QProcess again;
        startWatch(again);
        QTRY_VERIFY_WITH_TIMEOUT(filesEndingIn(QStringLiteral("_c.zt2")).size() == 1, 30000);
        LogSet set;
        const QString path =
            watchFolder() + QLatin1Char('/') + filesEndingIn(QStringLiteral("_c.zt2")).first();
        QCOMPARE(loadZt2(path, OyaRegistry(), KoNameTable(), set), 0);
        for (const SlotRecords &s : before.slotRecords) {
            const KoSeries &k = set.ko(s.koNo);
            QCOMPARE(int(k.DataCount), int(s.records.size()));
            QCOMPARE(rowTime(set.startTime(), before.header.intervalMinutes, k.StartOffset + 1),
                     s.firstTime);
            const bool whole = ch2InWholeUnits(s.koKind);
            for (int n = 0; n < k.DataCount; ++n) {
                QCOMPARE(set.value(k.SeriesNo, 1, n + 1), storedValue(s.records[n].ch1, false));
                QCOMPARE(set.value(k.SeriesNo, 2, n + 1), storedValue(s.records[n].ch2, whole));
            }
        }

        // Asked to stop from outside, it saves what it read first (kind 5), then ends.
        QTRY_VERIFY_WITH_TIMEOUT(journalled() >= 2, 40000);
        again.terminate();
        QVERIFY(again.waitForFinished(15000));
        QCOMPARE(again.exitStatus(), QProcess::NormalExit);
        QCOMPARE(again.exitCode(), 0);
        QCOMPARE(filesEndingIn(QStringLiteral("_mn.zt2")).size(), 1);
        QCOMPARE(journalled(), 0);
        QStringList logs = QDir(documentsFolder() + QStringLiteral("/log")).entryList(QDir::Files);
        QVERIFY(!logs.isEmpty());
        logs.sort();
        QFile log(documentsFolder() + QStringLiteral("/log/") + logs.last());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString text = fromCp932(log.readAll());
        for (const char *entry : {"未保存データ復旧保存", "終了時データ保存"})
            QVERIFY2(text.contains(QString::fromUtf8(entry)), entry);
    }
};

ZT_TEST(WatchKillTest)
#include "watchkilltest.moc"
#endif
