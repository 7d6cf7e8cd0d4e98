#pragma once

class QWidget;

namespace zt {

class AnalyzerSession;
class DialogService;
class FileCommands;

// The read-out command after the monitor guard and the unsaved-data question:
// message 88, the preparation inside the status dialog (kind 4), then `NewDataRead2`.
// The session's set is replaced only by a read-out that ended well.
class ReadoutCommand
{
public:
    ReadoutCommand(AnalyzerSession &session, DialogService &dialogs, FileCommands &files,
                   QWidget *window);

    // The receiver's reply time-out, shorter in tests.
    void setReplyTimeout(int ms) { replyTimeoutMs = ms; }

    // True when a new set was taken. `startMonitor` is set when the extra option asks
    // for the monitor to be started after it.
    bool run(bool *startMonitor = nullptr);

private:
    AnalyzerSession &session;
    DialogService &dialogs;
    FileCommands &files;
    QWidget *window;
    int replyTimeoutMs;
};

} // namespace zt
