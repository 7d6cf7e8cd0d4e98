#include "testregistry.h"

#include "app/watchapp.h"
#include "engine/monitorcycle.h"
#include "monitor/windows/watchrig.h"
#include "options/watchsaves.h"
#include "records/zt2file.h"
#include "ui/scripteddialogservice.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <map>

using namespace zt;
using zt::test::WatchRig;

namespace {
constexpr int Days = 7;
constexpr int StepMinutes = 20; // one radio batch per step
constexpr int Measure = 10;

using SampleKey = std::pair<int, QDateTime>; // slot, time
using Sample = std::pair<qint16, qint16>;    // CH1, CH2 as a file holds them
} // namespace

// Seven simulated days of monitoring with the default daily save at 00:00 and
// accumulate off: one file per day, every record read in exactly one file.
class WatchSoakTest : public QObject
{
    Q_OBJECT

private slots:
    void sevenDaysGiveOneFilePerDayAndEveryRecordOnce()
    {
        WatchRig rig;
        ScriptedDialogService dialogs;
        WatchApp app(dialogs);
        WatchSaves saves(app, dialogs, documentsFolder(), settingsFolder());
        app.setIntervals(20, 300);
        int journalLeftAfterSave = 0;
        connect(&saves.saves(), &PeriodicSaves::unsavedChanged, this, [&](bool unsaved) {
            if (!unsaved && saves.saves().journal().read().hasRecords())
                ++journalLeftAfterSave;
        });
        QElapsedTimer wall;
        wall.start();
        app.startUp();
        QVERIFY(QTest::qWaitFor([&] { return app.listWindow() != nullptr; }, 10000));
        const QDateTime first = app.cycle().receiverClock();
        const int steps = (Days * 24 + 6) * 60 / StepMinutes; // to 18:00 of the last day
        for (int i = 0; i < steps; ++i) {
            QSignalSpy ended(&app.cycle(), &MonitorCycle::cycleEnded);
            rig.time.advanceMinutes(StepMinutes);
            QVERIFY2(ended.wait(5000), qPrintable(QString::number(i)));
            QVERIFY(ended.wait(5000)); // the cycle after the batch found nothing new
        }
        const qint64 ms = wall.elapsed();

        const QStringList files =
            QDir(documentsFolder() + QStringLiteral("/data/watch")).entryList(QDir::Files);
        QCOMPARE(files.size(), Days);
        for (const QString &f : files)
            QVERIFY2(f.endsWith(QStringLiteral("0000_d.zt2")), qPrintable(f));
        QCOMPARE(journalLeftAfterSave, 0);

        std::map<SampleKey, Sample> seen;
        int duplicates = 0;
        for (const QString &f : files) {
            LogSet set;
            QCOMPARE(loadZt2(documentsFolder() + QStringLiteral("/data/watch/") + f, OyaRegistry(),
                             KoNameTable(), set),
                     0);
            for (const KoSeries &s : set.series)
                for (int n = 1; s.HasData == 1 && n <= s.DataCount; ++n) {
                    const QDateTime t = rowTime(set.startTime(), Measure, s.StartOffset + n);
                    const Sample v{set.value(s.SeriesNo, 1, n), set.value(s.SeriesNo, 2, n)};
                    duplicates += !seen.emplace(SampleKey{s.KoNo, t}, v).second;
                }
        }
        QCOMPARE(duplicates, 0);

        // Against the simulator: every record it produced from the start to the newest
        // the monitor read, in a file or (after the last save) still in the buffer.
        int expected = 0, missing = 0, wrong = 0;
        for (int k = 1; k <= 3; ++k) {
            const sim::SlotState &slot = rig.engine.slot(k);
            const RecordBuffer &b = app.cycle().buffer(k);
            const bool whole = ch2InWholeUnits(slot.setup.kind);
            for (int i = 0; i < slot.ring.size(); ++i) {
                const QDateTime t = rig.engine.sampleTime(slot.nextSample - slot.ring.size() + i);
                if (t < first || t > b.newestTime())
                    continue;
                ++expected;
                const RawRecord r = slot.ring.at(i);
                const Sample want{storedValue(r.ch1, false), storedValue(r.ch2, whole)};
                const auto it = seen.find({k, t});
                if (it != seen.end()) {
                    wrong += it->second != want;
                    continue;
                }
                const qint64 inBuffer = b.oldestTime().secsTo(t) / 60 / Measure;
                if (t < b.oldestTime() || b.at(int(inBuffer)).ch1 != r.ch1)
                    ++missing;
            }
        }
        qInfo("soak: %d days, %d files, %d records checked, %d in files, %lld ms", Days,
              int(files.size()), expected, int(seen.size()), ms);
        QVERIFY(expected > 3 * Days * 144);
        QCOMPARE(missing, 0);
        QCOMPARE(wrong, 0);
        app.endMonitoring(0);
    }
};

ZT_TEST(WatchSoakTest)
#include "watchsoaktest.moc"
