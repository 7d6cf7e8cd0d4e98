#pragma once

#include "app/watchhooks.h"
#include "records/settingsstartup.h"
#include "ui/statusdialog.h"
#include "windows/alarmlogform.h"
#include "windows/newviewform.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace zt {

class DialogService;
class MonitorCycle;
class SerialLink;
class StopRequests;
class WindowPresence;

// The monitor program (its hidden main form): start-up, the list and log windows on
// the cycle, the status dialogs, and every way monitoring ends.
class WatchApp : public QObject
{
    Q_OBJECT
public:
    explicit WatchApp(DialogService &dialogs, QObject *parent = nullptr);
    ~WatchApp() override;

    // A running monitor is asked to come forward; true when one answered (then this
    // start must end without touching the port or any file).
    static bool raiseRunningInstance();

    // Folders, settings files, the read marks reset, then the start dialog (kind 1)
    // running the monitoring start; the list window follows on success.
    void startUp();

    // Ends monitoring without asking: out of remote mode, port closed, log saved,
    // then finished(exitCode). Waits for an exchange in progress to end first.
    void endMonitoring(int exitCode = 0);

    WatchHooks hooks;
    SettingsRecords settings;
    MonitorCycle &cycle() { return *cyclePtr; }
    SerialLink &link() { return *linkPtr; }
    NewViewForm *listWindow() const { return listForm; }
    AlarmLogForm *logWindow() const { return logForm; }
    StatusDialog *startDialog() const { return startForm; }
    StopRequests &stopRequests() { return *stops; }
    bool ended() const { return endStarted; }

    // For tests: poll interval and reply time-out of the cycle.
    void setIntervals(int pollMs, int replyTimeoutMs);

signals:
    void listWindowShown();
    void finished(int exitCode);

private:
    void reportSettingsErrors(const SettingsErrors &errors);
    void runStart(StatusDialog &dialog);
    void openListWindow();
    void wireListWindow();
    void onStopRequested();
    void askEnd();
    bool hasUnsavedData() const;
    void askPollFailures();
    void askCannotContinue();
    void saveThenEnd();
    void showLogWindow();
    void notAvailable();
    void runHook(const std::function<void(QWidget *)> &hook);
    void finish(int exitCode);
    void raiseVisibleWindow();

    DialogService &dialogs;
    std::unique_ptr<SerialLink> linkPtr;
    std::unique_ptr<MonitorCycle> cyclePtr;
    WindowPresence *startPresence;
    WindowPresence *listPresence;
    StopRequests *stops;
    QPointer<StatusDialog> startForm;
    QPointer<NewViewForm> listForm;
    QPointer<AlarmLogForm> logForm;
    bool starting = false;
    bool stopAfterStart = false;
    bool endStarted = false;
    bool asking = false;
    int endWaits = 0;
};

} // namespace zt
