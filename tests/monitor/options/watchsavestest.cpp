#include "testregistry.h"

#include "app/watchapp.h"
#include "engine/monitorcycle.h"
#include "monitor/windows/watchrig.h"
#include "options/watchsaves.h"
#include "records/messages.h"
#include "records/zt2file.h"
#include "ui/alarmsettingsdialog.h"
#include "ui/alarmspinbox.h"
#include "ui/scripteddialogservice.h"
#include "windows/newviewform.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>

using namespace zt;
using zt::test::WatchRig;

namespace {
constexpr int FastPollMs = 50;
constexpr int FastTimeoutMs = 300;

QString watchFolder()
{
    return documentsFolder() + QStringLiteral("/data/watch");
}

LogSet loaded(const QString &path)
{
    LogSet set;
    if (loadZt2(path, OyaRegistry(), KoNameTable(), set) != 0)
        set.OyaSlot = -1;
    return set;
}
} // namespace

// The saves, journal, releases and dialogs plugged into the program object, end to end
// against the virtual receiver.
class WatchSavesTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<WatchRig> rig;
    ScriptedDialogService dialogs;
    std::unique_ptr<WatchApp> app;
    std::unique_ptr<WatchSaves> saves;

    bool start(bool withRig = true)
    {
        if (withRig)
            rig = std::make_unique<WatchRig>();
        app = std::make_unique<WatchApp>(dialogs);
        saves = std::make_unique<WatchSaves>(*app, dialogs, documentsFolder(), settingsFolder());
        app->setIntervals(FastPollMs, FastTimeoutMs);
        app->startUp();
        return rig->opened &&
               QTest::qWaitFor([this] { return app->listWindow() != nullptr; }, 10000);
    }
    bool nextBatch(int minutes = 20)
    {
        QSignalSpy ended(&app->cycle(), &MonitorCycle::cycleEnded);
        QSignalSpy stored(&app->cycle(), &MonitorCycle::recordsStored);
        rig->time.advanceMinutes(minutes);
        return stored.wait(5000) && (ended.count() > 0 || ended.wait(5000));
    }
    QAction *saveAction() const
    {
        return app->listWindow()->action(QStringLiteral("JochuDataSave"));
    }
    QStringList logTexts() const
    {
        QStringList out;
        for (int i = 0; i < app->cycle().alarmLog().count(); ++i)
            out << app->cycle().alarmLog().oldestAt(i).text;
        return out;
    }

private slots:
    void cleanup()
    {
        saves.reset();
        app.reset();
        rig.reset();
        dialogs.clear();
    }

    void readRecordsAreJournalledAndSavedByHand()
    {
        QVERIFY(start());
        QVERIFY(!saveAction()->isEnabled());
        QVERIFY(nextBatch());
        QVERIFY(saveAction()->isEnabled());
        const CollectedData journal = saves->saves().journal().read();
        int journalled = 0, buffered = 0;
        for (const SlotRecords &s : journal.slotRecords) {
            journalled += int(s.records.size());
            buffered += app->cycle().buffer(s.koNo).count();
            QCOMPARE(s.firstTime, app->cycle().buffer(s.koNo).oldestTime());
        }
        QVERIFY(journalled > 0);
        QCOMPARE(journalled, buffered);

        saveAction()->trigger();
        QVERIFY(!saveAction()->isEnabled());
        QVERIFY(logTexts().contains(QStringLiteral("手動データ保存")));
        QVERIFY(!saves->saves().journal().read().hasRecords());
        const QString path = saves->saves().lastSavedPath();
        QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("2405011220_mn.zt2"));
        const LogSet set = loaded(path);
        QCOMPARE(set.ko(1).HasData, qint16(1));
        QCOMPARE(set.ko(1).DataCount, qint16(app->cycle().buffer(1).count()));
        QVERIFY(dialogs.asked().isEmpty());
    }

    void journalLeftByAnEarlierRunIsSavedAtTheStart()
    {
        rig = std::make_unique<WatchRig>();
        QVERIFY(QDir().mkpath(settingsFolder()));
        Journal old(journalPath(settingsFolder()));
        SetHeader h;
        h.intervalMinutes = 10;
        h.koCount = 4;
        const QDateTime t = QDateTime(QDate(2024, 4, 30), QTime(8, 0), Qt::UTC);
        QCOMPARE(old.append(h, {1, 12, t, {300, 150, 800, 300}, {{215, 605}, {216, 615}}}, false),
                 0);
        QCOMPARE(old.append(h, {1, 12, t.addSecs(1200), {}, {{217, 625}}}, false), 0);
        QVERIFY(start(false));
        QVERIFY(logTexts().contains(QStringLiteral("未保存データ復旧保存")));
        const LogSet set = loaded(watchFolder() + QStringLiteral("/2405011200_c.zt2"));
        QCOMPARE(set.ko(1).DataCount, qint16(3));
        QCOMPARE(set.value(1, 1, 3), qint16(217));
        QCOMPARE(set.value(1, 2, 3), qint16(62)); // 62.5 %rh halves to even
        QCOMPARE(set.startTime(), t);
        // Only this run's records are journalled now: the newest one of each slot.
        for (const SlotRecords &s : saves->saves().journal().read().slotRecords)
            QCOMPARE(int(s.records.size()), app->cycle().buffer(s.koNo).count());
    }

    void kind40YesSavesThroughTheFileDialogBeforeTheEnd()
    {
        QVERIFY(start());
        QVERIFY(nextBatch());
        const QString chosen = watchFolder() + QStringLiteral("/chosen.zt2");
        dialogs.answerMessage(AnswerOk);  // kind 2
        dialogs.answerMessage(AnswerYes); // kind 40
        dialogs.answerFile(chosen);
        QSignalSpy finished(app.get(), &WatchApp::finished);
        emit app->listWindow()->endRequested();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
        const QList<ScriptedDialogService::Asked> &asked = dialogs.asked();
        QCOMPARE(asked.size(), 3);
        QCOMPARE(asked.at(2).kind, ScriptedDialogService::Asked::SaveFile);
        QCOMPARE(QFileInfo(asked.at(2).file.fileName).fileName(),
                 QStringLiteral("2405011220_mn.zt2"));
        QCOMPARE(loaded(chosen).ko(1).HasData, qint16(1));
        QVERIFY(rig->sawRemoteOff());
    }

    void emptyFileAnswerCancelsTheSave()
    {
        QVERIFY(start());
        QVERIFY(nextBatch());
        dialogs.answerFile(QString());
        QVERIFY(!app->hooks.saveData(app->listWindow(), 0));
        QVERIFY(saves->hasUnsavedRecords());
        QVERIFY(QDir(watchFolder()).entryList(QDir::Files).isEmpty());
    }

    void dailySaveAtTheHourEmptiesTheBuffers()
    {
        QVERIFY(start());
        AutoSaveSettings o = app->settings.autos;
        o.saveTime = QTime(13, 0);
        saves->saves().setOptions(o);
        saves->saves().reschedule(app->cycle().receiverClock());
        QVERIFY(nextBatch());
        QVERIFY(nextBatch());
        QVERIFY(nextBatch()); // 13:00: records to 13:00, then the save
        QTRY_VERIFY_WITH_TIMEOUT(logTexts().contains(QStringLiteral("データ自動保存")), 5000);
        const LogSet set = loaded(watchFolder() + QStringLiteral("/2405011300_d.zt2"));
        QCOMPARE(set.ko(1).HasData, qint16(1));
        QCOMPARE(set.ko(1).firstSampleTime, QDateTime()); // not stored in files
        // The check runs on the poll reply: what that cycle read starts the next file.
        const RecordBuffer &b = app->cycle().buffer(1);
        const KoSeries &k = set.ko(1);
        QCOMPARE(rowTime(set.startTime(), 10, k.StartOffset + k.DataCount).addSecs(600),
                 b.oldestTime());
        QCOMPARE(b.newestTime(), QDateTime(QDate(2024, 5, 1), QTime(13, 0), Qt::UTC));
        QCOMPARE(saves->saves().nextSave(), QDateTime(QDate(2024, 5, 2), QTime(13, 0), Qt::UTC));
        const CollectedData journal = saves->saves().journal().read();
        QCOMPARE(int(journal.slotRecords.at(0).records.size()), b.count());
    }

    void alarmLimitsChangedInWatchTakeEffectAtOnce()
    {
        QVERIFY(start());
        QCOMPARE(app->cycle().slot(1).limits.AlarmHigh1, qint16(300));
        QTimer::singleShot(0, this, [] {
            auto *d = qobject_cast<AlarmSettingsDialog *>(QApplication::activeModalWidget());
            if (!d)
                return;
            d->tabs()->setCurrentIndex(0);
            d->spin(0)->setValue(25); // CH1 upper 25 ℃
            d->okButton()->click();
        });
        QTRY_VERIFY_WITH_TIMEOUT(app->cycle().state() == CycleState::Idle, 5000);
        app->hooks.alarmSettings(app->listWindow());
        QCOMPARE(app->cycle().slot(1).limits.AlarmHigh1, qint16(250));
        QVERIFY(logTexts().contains(QStringLiteral("送信器01警報設定変更")));
        bool sent = false;
        for (const QString &f : rig->received())
            sent = sent ||
                   (f.mid(6, 2) == QStringLiteral("07") && f.contains(QStringLiteral(",0100FA")));
        QVERIFY(sent);
    }

    void alarmSettingsWaitWhileAnExchangeRunsAndSendOnTheNextOk()
    {
        QVERIFY(start());
        int refusedAt = -1;
        bool visibleAfterRefusal = false;
        QTimer::singleShot(0, this, [&] {
            auto *d = qobject_cast<AlarmSettingsDialog *>(QApplication::activeModalWidget());
            if (!d)
                return;
            d->spin(0)->setValue(26);
            // OK pressed while a poll is out: nothing is sent, the dialog stays.
            auto press = std::make_shared<QMetaObject::Connection>();
            *press =
                connect(&app->cycle(), &MonitorCycle::stateChanged, d, [&, d, press](CycleState s) {
                    if (s != CycleState::PollSent)
                        return;
                    QObject::disconnect(*press);
                    refusedAt = int(rig->received().size());
                    d->okButton()->click();
                    visibleAfterRefusal = d->isVisible();
                    // Once the cycle is idle again, OK sends the kept change.
                    QTimer::singleShot(0, d, [this, d] {
                        (void)QTest::qWaitFor(
                            [this] { return app->cycle().state() == CycleState::Idle; }, 5000);
                        d->okButton()->click();
                    });
                });
        });
        app->hooks.alarmSettings(app->listWindow());
        QVERIFY(refusedAt >= 0);
        QVERIFY(visibleAfterRefusal);
        QCOMPARE(app->cycle().slot(1).limits.AlarmHigh1, qint16(260));
        // The start wrote the limits once; after the refusal exactly one write followed.
        const QStringList frames = rig->received();
        int writes = 0;
        for (int i = refusedAt; i < frames.size(); ++i)
            writes += frames.at(i).mid(6, 2) == QStringLiteral("07") &&
                      frames.at(i).mid(4, 2) == QStringLiteral("01");
        QCOMPARE(writes, 1);
        QCOMPARE(logTexts().count(QStringLiteral("送信器01警報設定変更")), 1);
    }
};

ZT_TEST(WatchSavesTest)
#include "watchsavestest.moc"
