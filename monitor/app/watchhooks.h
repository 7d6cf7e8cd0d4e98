#pragma once

#include <functional>

class QWidget;

namespace zt {

// What the data saves, the contacts and the option dialogs plug into the program.
// An empty hook shows that the function is not available yet.
struct WatchHooks
{
    // Collected records not saved yet (kind 40 is asked before the end); without the
    // hook, any slot whose data were updated since the list opened.
    std::function<bool()> hasUnsavedData;
    // Saves the monitoring data with a save kind (0: through the file dialog); false
    // when nothing was saved.
    std::function<bool(QWidget *parent, int saveKind)> saveData;
    // Menu commands and buttons of the list window.
    std::function<void(QWidget *parent)> manualDataSave;
    std::function<void(QWidget *parent)> alarmSettings;
    std::function<void(QWidget *parent)> contactSettings;
    std::function<void(QWidget *parent)> periodicOptions;
    std::function<void(QWidget *parent)> contactRelease;
    // Column 8 of a monitored slot (kind 3).
    std::function<void(QWidget *parent, int koNo)> monitorRelease;
    // Run once the list window has opened (schedules, timers).
    std::function<void()> listOpened;
    // Run on every ending after a successful start, before the receiver leaves remote mode.
    std::function<void()> ending;
    // Run first when the end is asked from outside (a signal, the session's end): no
    // dialog may be shown then.
    std::function<void()> outsideStop;
};

} // namespace zt
