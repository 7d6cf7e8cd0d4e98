#include "app/watchapp.h"

#include "engine/monitorcycle.h"
#include "link/seriallink.h"
#include "platform/folders.h"
#include "platform/ports.h"
#include "platform/stoprequests.h"
#include "platform/windowpresence.h"
#include "platform/windowtitles.h"
#include "records/messages.h"
#include "records/settingsstartup.h"
#include "ui/dialogservice.h"
#include "ui/messageroutine.h"
#include "ui/statusdialog.h"
#include "windows/alarmlogform.h"
#include "windows/newviewform.h"
#include "windows/watchstatuskinds.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace zt {

namespace {
// An ending waits this long, at most this often, for a synchronous command to finish.
constexpr int EndWaitMs = 100;
constexpr int EndWaitLimit = 100;

void showStartTexts(StatusDialog &dialog, const QString &text)
{
    const QStringList lines = QString(text)
                                  .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                  .split(QLatin1Char('\n'));
    dialog.mainText()->setText(lines.value(0));
    dialog.secondText()->setText(lines.mid(1).join(QLatin1Char('\n')));
}
} // namespace

WatchApp::WatchApp(DialogService &dialogs, QObject *parent)
    : QObject(parent), dialogs(dialogs), linkPtr(std::make_unique<SerialLink>(LinkMode::Watch)),
      cyclePtr(std::make_unique<MonitorCycle>(*linkPtr)),
      startPresence(new WindowPresence(monitorStartTitle(), this)),
      listPresence(new WindowPresence(monitorListTitle(), this)), stops(new StopRequests(this))
{
    setObjectName(QStringLiteral("MAIN"));
    connect(startPresence, &WindowPresence::raiseRequested, this, &WatchApp::raiseVisibleWindow);
    connect(listPresence, &WindowPresence::raiseRequested, this, &WatchApp::raiseVisibleWindow);
    connect(stops, &StopRequests::stopRequested, this, &WatchApp::onStopRequested);
    connect(cyclePtr.get(), &MonitorCycle::pollFailuresAlert, this,
            [this] { QTimer::singleShot(0, this, &WatchApp::askPollFailures); });
    connect(cyclePtr.get(), &MonitorCycle::cannotContinue, this,
            [this] { QTimer::singleShot(0, this, &WatchApp::askCannotContinue); });
}

WatchApp::~WatchApp()
{
    delete logForm;
    delete listForm;
    delete startForm;
}

bool WatchApp::raiseRunningInstance()
{
    for (const QString &title : {monitorListTitle(), monitorStartTitle()}) {
        if (isWindowOpen(title)) {
            raiseWindow(title);
            return true;
        }
    }
    return false;
}

void WatchApp::setIntervals(int pollMs, int replyTimeoutMs)
{
    cyclePtr->setPollInterval(pollMs);
    cyclePtr->setReplyTimeout(replyTimeoutMs);
}

void WatchApp::startUp()
{
    stops->install();
    stops->watchSessionEnd();
    ensureFolders();
    reportSettingsErrors(loadMonitorSettings(settingsFolder(), settings));
    linkPtr->setPortName(portDevice(settings.app.PortNo));
    cyclePtr->setSettings(&settings);
    cyclePtr->alarmLog().setFolder(joinPath(documentsFolder(), QStringLiteral("log")));
    cyclePtr->alarmLog().setSaveHour(settings.autos.saveTime.hour());

    // Published before the port opens, so kestrel keeps off the receiver from now on.
    startPresence->publish();
    startForm = new StatusDialog;
    startForm->setModal(true);
    const StatusKind kind = watchStatusKind(1);
    startForm->showKind(1, [this](StatusDialog &dialog) { runStart(dialog); });
    startForm->setWindowTitle(kind.caption);
    showStartTexts(*startForm, kind.lines.join(QLatin1Char('\n')));
    connect(cyclePtr.get(), &MonitorCycle::startProgress, startForm,
            [this](const QString &text) { showStartTexts(*startForm, text); });
    connect(startForm, &QDialog::finished, this, [this] {
        if (starting) {
            stopAfterStart = true; // closed while the start runs: end once it has run
            return;
        }
        if (!listForm && !endStarted) {
            endStarted = true;
            startPresence->withdraw();
            emit finished(1);
        }
    });
    startForm->show();
}

void WatchApp::reportSettingsErrors(const SettingsErrors &errors)
{
    for (const SettingsError &e : errors) {
        if (e.defaultsApplied)
            dialogs.message(nullptr, {e.title(), e.fixedText(), 48});
        else
            showError(dialogs, nullptr, e.error, e.title());
    }
}

void WatchApp::runStart(StatusDialog &dialog)
{
    starting = true;
    const StartResult result = cyclePtr->start();
    starting = false;
    if (result == StartResult::Success) {
        openListWindow();
        dialog.accept();
        if (stopAfterStart)
            endMonitoring(0);
        return;
    }
    // The dialog stays with the reason; closing it ends the program.
    dialog.setTexts(watchStatusKind(1).caption, startFailureLines(int(result)));
    dialog.cancelButton()->setVisible(true);
    if (stopAfterStart)
        dialog.reject();
}

void WatchApp::openListWindow()
{
    MonitorCycle &c = *cyclePtr;
    listForm = new NewViewForm(c);
    wireListWindow();
    c.refreshContacts();
    for (int k = 1; k <= MaxKo; ++k)
        c.slot(k).dataUpdated = false;
    c.alarmLog().scheduleNextDailySave(c.receiverClock());
    c.alarmLog().allowSaving();
    listForm->setReleaseCoversBattery(settings.autos.releaseType == 1);
    listForm->refreshAll();
    listForm->show();
    // The list's title first, then the start's goes: a monitor is visible throughout.
    listPresence->publish();
    startPresence->withdraw();
    if (hooks.listOpened)
        hooks.listOpened();
    emit listWindowShown();
}

void WatchApp::wireListWindow()
{
    NewViewForm *f = listForm;
    connect(f, &NewViewForm::endRequested, this, &WatchApp::askEnd);
    connect(f, &NewViewForm::logWindowRequested, this, &WatchApp::showLogWindow);
    connect(f, &NewViewForm::minimisedChanged, this, [this](bool minimised) {
        if (!logForm || !logForm->isVisible())
            return;
        if (minimised)
            logForm->showMinimized();
        else
            logForm->showNormal();
    });
    connect(f, &NewViewForm::dataSaveRequested, this, [this] { runHook(hooks.manualDataSave); });
    connect(f, &NewViewForm::alarmSettingsRequested, this,
            [this] { runHook(hooks.alarmSettings); });
    connect(f, &NewViewForm::contactSettingsRequested, this,
            [this] { runHook(hooks.contactSettings); });
    connect(f, &NewViewForm::periodicOptionsRequested, this,
            [this] { runHook(hooks.periodicOptions); });
    connect(f, &NewViewForm::contactReleaseRequested, this,
            [this] { runHook(hooks.contactRelease); });
    connect(f, &NewViewForm::monitorReleaseRequested, this, [this](int koNo) {
        if (hooks.monitorRelease)
            hooks.monitorRelease(listForm, koNo);
        else
            notAvailable();
    });
}

void WatchApp::runHook(const std::function<void(QWidget *)> &hook)
{
    if (hook)
        hook(listForm);
    else
        notAvailable();
}

void WatchApp::notAvailable()
{
    askWatchKind(dialogs, listForm, 100);
}

void WatchApp::showLogWindow()
{
    if (!logForm)
        logForm = new AlarmLogForm(cyclePtr->alarmLog());
    logForm->showNormal();
    logForm->raise();
    logForm->activateWindow();
}

void WatchApp::askEnd()
{
    if (asking || endStarted)
        return;
    asking = true;
    const ContactIndicators &contacts = cyclePtr->contacts();
    const int answer =
        askWatchKind(dialogs, listForm, 2, contacts.alarmOn() || contacts.batteryOn());
    if (answer == AnswerOk && !endStarted && hasUnsavedData()) {
        if (askWatchKind(dialogs, listForm, 40) == AnswerYes && !endStarted) {
            asking = false;
            saveThenEnd();
            return;
        }
    }
    asking = false;
    if (answer == AnswerOk)
        endMonitoring(0);
}

bool WatchApp::hasUnsavedData() const
{
    if (hooks.hasUnsavedData)
        return hooks.hasUnsavedData();
    // Records arrived since the list opened and nothing has saved them.
    for (int k = 1; k <= cyclePtr->koCount(); ++k)
        if (cyclePtr->slot(k).dataUpdated)
            return true;
    return false;
}

void WatchApp::askPollFailures()
{
    if (asking || endStarted)
        return;
    asking = true;
    const int answer = zt::askPollFailures(dialogs, listForm);
    asking = false;
    if (endStarted)
        return;
    if (answer == AnswerYes)
        cyclePtr->restartPolling(0);
    else
        endMonitoring(0);
}

void WatchApp::askCannotContinue()
{
    if (endStarted)
        return;
    asking = true;
    const int answer = askWatchKind(dialogs, listForm, 7);
    asking = false;
    if (endStarted)
        return;
    if (answer == AnswerYes)
        saveThenEnd();
    else
        endMonitoring(0);
}

void WatchApp::saveThenEnd()
{
    if (hooks.saveData)
        hooks.saveData(listForm, 0);
    else
        dialogs.message(listForm, {watchStatusKind(40).caption,
                                   QStringLiteral("監視データの保存はまだ使用できません"), 48});
    endMonitoring(0);
}

void WatchApp::onStopRequested()
{
    if (endStarted)
        return;
    if (starting) {
        stopAfterStart = true;
        return;
    }
    if (listForm && hooks.outsideStop)
        hooks.outsideStop();
    endMonitoring(0);
}

void WatchApp::endMonitoring(int exitCode)
{
    if (endStarted)
        return;
    if (starting) {
        stopAfterStart = true;
        return;
    }
    endStarted = true;
    cyclePtr->stopPolling();
    finish(exitCode);
}

void WatchApp::finish(int exitCode)
{
    // The last command cannot go out while a synchronous one holds the line.
    if (linkPtr->busy() && endWaits++ < EndWaitLimit) {
        QTimer::singleShot(EndWaitMs, this, [this, exitCode] { finish(exitCode); });
        return;
    }
    if (hooks.ending)
        hooks.ending();
    cyclePtr->stop();
    // Entries since the last save are kept, as "履歴の保存" keeps them.
    if (cyclePtr->alarmLog().count() > 0)
        cyclePtr->alarmLog().save();
    listPresence->withdraw();
    startPresence->withdraw();
    if (listForm) {
        listForm->allowClose();
        listForm->close();
    }
    if (logForm)
        logForm->close();
    if (startForm)
        startForm->hide();
    emit finished(exitCode);
}

void WatchApp::raiseVisibleWindow()
{
    QWidget *w = listForm ? static_cast<QWidget *>(listForm) : startForm.data();
    if (!w)
        return;
    w->hide();
    w->showNormal();
    w->raise();
    w->activateWindow();
}

} // namespace zt
