#pragma once

class QWidget;

namespace zt {

class AnalyzerSession;
class DialogService;
class SerialLink;

// `menuIniSet` after the monitor guard: the receiver is read inside the status dialog
// (kind 7) and, when it answered, the recording settings dialog opens on the open port.
class RecordingSettingsCommand
{
public:
    RecordingSettingsCommand(AnalyzerSession &session, DialogService &dialogs, QWidget *window);
    void run();
    // The same on a link the caller set up (tests use a short time-out).
    void run(SerialLink &link);

private:
    AnalyzerSession &session;
    DialogService &dialogs;
    QWidget *window;
};

} // namespace zt
