#include "app/watchapp.h"
#include "engine/monitorcycle.h"
#include "link/seriallink.h"
#include "monitor/windows/watchrig.h"
#include "platform/windowpresence.h"
#include "platform/windowtitles.h"
#include "records/messages.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"
#include "windows/newviewform.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <csignal>

using namespace zt;
using zt::test::WatchRig;

namespace {
constexpr int FastPollMs = 50;
constexpr int FastTimeoutMs = 300;

QString home()
{
    return qEnvironmentVariable("HOME");
}

QStringList logFiles()
{
    return QDir(documentsFolder() + QStringLiteral("/log")).entryList(QDir::Files);
}

sim::Scenario withBatteryAlarm()
{
    sim::Scenario s = test::watchScenario();
    sim::ScenarioEvent battery;
    battery.type = sim::ScenarioEvent::Type::Battery;
    battery.slot = 1;
    battery.from = s.clockStart.addSecs(-3600);
    s.events << battery;
    return s;
}
} // namespace

// The program object end to end: start-up against the virtual receiver on COM1 of a
// private HOME, the list window, and the ways monitoring ends.
class WatchAppTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<WatchRig> rig;
    ScriptedDialogService dialogs;
    std::unique_ptr<WatchApp> app;
    std::unique_ptr<QSignalSpy> finished;

    bool startApp(const sim::Scenario &scenario = test::watchScenario())
    {
        rig = std::make_unique<WatchRig>(scenario);
        app = std::make_unique<WatchApp>(dialogs);
        app->setIntervals(FastPollMs, FastTimeoutMs);
        finished = std::make_unique<QSignalSpy>(app.get(), &WatchApp::finished);
        app->startUp();
        return rig->opened;
    }
    bool waitForList()
    {
        return QTest::qWaitFor([this] { return app->listWindow() != nullptr; }, 10000);
    }

private slots:
    void cleanup()
    {
        app.reset();
        finished.reset();
        rig.reset();
        dialogs.clear();
    }

    void startsShowsTheListAndUpdatesIt()
    {
        QVERIFY(startApp());
        QVERIFY(isWindowOpen(monitorStartTitle()) || app->listWindow());
        QVERIFY(waitForList());
        QVERIFY(app->listWindow()->isVisible());
        QCOMPARE(app->listWindow()->windowTitle(), QStringLiteral("送信器データ一覧"));
        QVERIFY(isWindowOpen(monitorListTitle()));
        QVERIFY(!isWindowOpen(monitorStartTitle()));
        QCOMPARE(app->cycle().alarmLog().oldestAt(0).text, QStringLiteral("監視開始"));

        // Twenty minutes later the receiver holds new records; a poll brings them in.
        const QString before = app->listWindow()->timeLabel()->text();
        QSignalSpy stored(&app->cycle(), &MonitorCycle::recordsStored);
        rig->time.advanceMinutes(20);
        QVERIFY(stored.wait(5000));
        QTRY_VERIFY(app->listWindow()->timeLabel()->text() != before);
        QCOMPARE(app->listWindow()->timeLabel()->text(),
                 QStringLiteral("受信器時刻  24-05-01 12:20"));
        QVERIFY(dialogs.asked().isEmpty());

        // Those records are not saved yet: the end asks kind 40 first.
        dialogs.answerMessage(AnswerOk); // kind 2
        dialogs.answerMessage(AnswerNo); // kind 40: end without saving
        app->listWindow()->close();
        QTRY_VERIFY(!finished->isEmpty());
        QCOMPARE(dialogs.messages().size(), 2);
        QCOMPARE(dialogs.messages().at(1).caption, QStringLiteral("データの保存"));
        QVERIFY(rig->sawRemoteOff());
    }

    // Pictures of both windows after two hours of the built-in scenario on 30 slots.
    void grabsTheWindowsWhenAsked()
    {
        const QString dir = qEnvironmentVariable("ZT_GRAB_DIR");
        if (dir.isEmpty())
            QSKIP("ZT_GRAB_DIR not set");
        sim::Scenario full = sim::defaultScenario(QDateTime::currentDateTime());
        full.systemKoCount = 30;
        for (int k = 5; k <= 30; ++k) {
            sim::SlotSetup more = full.transmitters.at((k - 1) % 4);
            more.slot = k;
            full.transmitters << more;
        }
        QVERIFY(startApp(full));
        QVERIFY(waitForList());
        for (int step = 0; step < 12; ++step) {
            QSignalSpy ended(&app->cycle(), &MonitorCycle::cycleEnded);
            rig->time.advanceMinutes(10);
            QVERIFY(ended.wait(5000));
        }
        NewViewForm *list = app->listWindow();
        list->clickCell(1, 0);
        list->resize(list->sizeHint());
        app->listWindow()->action(QStringLiteral("logdisp"))->trigger();
        QVERIFY(app->logWindow());
        QTest::qWait(50);
        QVERIFY(list->grab().save(dir + QStringLiteral("/watch-list.png")));
        QVERIFY(app->logWindow()->grab().save(dir + QStringLiteral("/watch-log.png")));
    }

    void aRaiseRequestBringsTheListBack()
    {
        QVERIFY(startApp());
        QVERIFY(waitForList());
        app->listWindow()->hide();
        // What kestrel's second "監視" and a second start of watch send.
        QVERIFY(raiseWindow(monitorListTitle()));
        QTRY_VERIFY(app->listWindow()->isVisible());
    }

    void closeBoxAsksKind2AndOkEndsOutOfRemoteMode()
    {
        QVERIFY(startApp());
        QVERIFY(waitForList());
        dialogs.answerMessage(AnswerCancel);
        app->listWindow()->close();
        QCOMPARE(dialogs.messages().size(), 1);
        const MessageRequest asked = dialogs.messages().at(0);
        QCOMPARE(asked.caption, QStringLiteral("監視の終了"));
        QCOMPARE(asked.text, QStringLiteral("監視を終了します\nよろしいですか？"));
        QCOMPARE(asked.buttonTexts, QStringList({"OK", "Cancel"}));
        QVERIFY(!app->ended());
        QVERIFY(app->listWindow()->isVisible());

        dialogs.answerMessage(AnswerOk);
        app->listWindow()->close();
        QVERIFY(finished->wait(5000) || !finished->isEmpty());
        QCOMPARE(finished->at(0).at(0).toInt(), 0);
        QVERIFY(rig->sawRemoteOff());
        QVERIFY(!app->link().isOpen());
        QVERIFY(!isWindowOpen(monitorListTitle()));
        // The log held "監視開始": it is kept in a file, not thrown away.
        QCOMPARE(logFiles().size(), 1);
    }

    void anOnContactAddsTheWarningLine()
    {
        QVERIFY(startApp(withBatteryAlarm()));
        QVERIFY(waitForList());
        QTRY_VERIFY(app->cycle().contacts().batteryOn());
        dialogs.answerMessage(AnswerCancel);
        app->listWindow()->action(QStringLiteral("tojiru"))->trigger();
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).text,
                 QStringLiteral("監視を終了します\nよろしいですか？\n"
                                "監視を終了すると警報接点もクリアされます"));
    }

    void unsavedRecordsAskKind40BeforeTheEnd()
    {
        QVERIFY(startApp());
        QVERIFY(waitForList());
        app->hooks.hasUnsavedData = [] { return true; };
        dialogs.answerMessage(AnswerOk);  // kind 2
        dialogs.answerMessage(AnswerYes); // kind 40
        dialogs.answerMessage(AnswerOk);  // saving is not there yet
        app->listWindow()->close();
        QTRY_VERIFY(!finished->isEmpty());
        const QList<MessageRequest> asked = dialogs.messages();
        QCOMPARE(asked.size(), 3);
        QCOMPARE(asked.at(1).caption, QStringLiteral("データの保存"));
        QCOMPARE(asked.at(1).text,
                 QStringLiteral("監視時に取り込んだデータが存在しています\n"
                                "保存する場合は Yes を、保存しない場合は No を押してください"));
        QCOMPARE(asked.at(1).buttonTexts, QStringList({"Yes", "No"}));
        QVERIFY(rig->sawRemoteOff());
    }

    void threeFailedPollsAskAndNoEnds()
    {
        QVERIFY(startApp());
        QVERIFY(waitForList());
        sim::ServerFaults lost;
        lost.noReply = true;
        lost.count = 12; // enough for three polls of four attempts, then the receiver answers
        rig->server.setFaults(lost);
        dialogs.answerMessage(AnswerNo);
        QTRY_VERIFY_WITH_TIMEOUT(!finished->isEmpty(), 15000);
        QCOMPARE(finished->at(0).at(0).toInt(), 0);
        const QList<MessageRequest> asked = dialogs.messages();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.at(0).caption, QStringLiteral("通信失敗"));
        QCOMPARE(asked.at(0).buttonTexts, QStringList({"Yes", "No"}));
        QVERIFY(rig->sawRemoteOff());
        QVERIFY(!app->link().isOpen());
        QCOMPARE(logFiles().size(), 1);
    }

    void aReceiverThatRefusesRemoteModeEndsThroughKind7()
    {
        QVERIFY(startApp());
        QVERIFY(waitForList());
        sim::ServerFaults refused;
        refused.nak = true;
        rig->server.setFaults(refused);
        dialogs.answerMessage(AnswerNo);
        QTRY_VERIFY_WITH_TIMEOUT(!finished->isEmpty(), 15000);
        QCOMPARE(finished->at(0).at(0).toInt(), 0);
        const QList<MessageRequest> asked = dialogs.messages();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.at(0).caption, QStringLiteral("監視続行不可能"));
        QCOMPARE(asked.at(0).text,
                 QStringLiteral("受信器の状態が変化したため、監視を続行できません\n"
                                "データを保存しますか？"));
        // Out of remote mode is still asked for, and the port is closed.
        QVERIFY(rig->sawRemoteOff());
        QVERIFY(!app->link().isOpen());
    }

    void theLogWindowMinimisesAndRestoresWithTheList()
    {
        QVERIFY(startApp());
        QVERIFY(waitForList());
        NewViewForm *list = app->listWindow();
        list->action(QStringLiteral("logdisp"))->trigger();
        QVERIFY(app->logWindow() && app->logWindow()->isVisible());
        list->showMinimized();
        QTRY_VERIFY(app->logWindow()->isMinimized());
        list->showNormal();
        QTRY_VERIFY(!app->logWindow()->isMinimized());
    }

    void aStopSignalEndsWithoutAnyDialog()
    {
        QVERIFY(startApp());
        QVERIFY(waitForList());
        QCOMPARE(::raise(SIGTERM), 0);
        QTRY_VERIFY(!finished->isEmpty());
        QCOMPARE(finished->at(0).at(0).toInt(), 0);
        QVERIFY(dialogs.asked().isEmpty());
        QVERIFY(rig->sawRemoteOff());
        QVERIFY(!app->link().isOpen());
    }

    void aSettingsFileEndingEarlyIsReportedAndTheStartGoesOn()
    {
        rig = std::make_unique<WatchRig>();
        QFile autos(settingsFolder() + QStringLiteral("/zt2autos.dat"));
        QVERIFY(autos.open(QIODevice::WriteOnly));
        autos.write("1\r\n");
        autos.close();
        app = std::make_unique<WatchApp>(dialogs);
        finished = std::make_unique<QSignalSpy>(app.get(), &WatchApp::finished);
        app->startUp();
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).caption, QStringLiteral("ファイル読込"));
        QCOMPARE(dialogs.messages().at(0).text,
                 QStringLiteral("設定の読込に失敗しました。監視設定をやり直してください。"));
        QVERIFY(waitForList());
        // The read marks were reset: the file stands for no time on every slot.
        QFile marks(settingsFolder() + QStringLiteral("/zt2000opTIme.dat"));
        QVERIFY(marks.open(QIODevice::ReadOnly));
        QVERIFY(marks.readAll().startsWith("\"9912300000\"\r\n-32768\r\n"));
    }

    void aPortThatCannotOpenShowsTheReason()
    {
        rig = std::make_unique<WatchRig>();
        // COM1 leads nowhere: the start dialog keeps the reason, closing it ends.
        const QString com1 = portLinkFolder() + QStringLiteral("/COM1");
        QFile::remove(com1);
        QVERIFY(QFile::link(home() + QStringLiteral("/no-such-device"), com1));
        app = std::make_unique<WatchApp>(dialogs);
        finished = std::make_unique<QSignalSpy>(app.get(), &WatchApp::finished);
        app->startUp();
        QTRY_VERIFY(app->startDialog() && !app->startDialog()->working());
        QVERIFY(!app->listWindow());
        QCOMPARE(app->startDialog()->windowTitle(), QStringLiteral("監視の開始"));
        QCOMPARE(app->startDialog()->mainText()->text(),
                 QStringLiteral("ポートが開けませんでした"));
        QCOMPARE(app->startDialog()->secondText()->text(),
                 QStringLiteral("設定を確認してください"));
        QVERIFY(rig->received().isEmpty());
        // kestrel sees a monitor while the start dialog is up, even a failed one.
        QVERIFY(isWindowOpen(monitorStartTitle()));
        if (const QString dir = qEnvironmentVariable("ZT_GRAB_DIR"); !dir.isEmpty())
            QVERIFY(app->startDialog()->grab().save(dir + QStringLiteral("/watch-start.png")));
        app->startDialog()->reject();
        QCOMPARE(finished->size(), 1);
        QCOMPARE(finished->at(0).at(0).toInt(), 1);
        QVERIFY(!isWindowOpen(monitorStartTitle()));
    }
};

ZT_TEST(WatchAppTest)
#include "watchapptest.moc"
