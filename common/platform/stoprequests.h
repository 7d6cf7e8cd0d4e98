#pragma once

#include <QObject>

class QSocketNotifier;

// Asks from outside to end the program: SIGTERM, SIGINT, SIGHUP and the desktop session
// ending. A signal handler may only write to a pipe, so the handler writes the signal
// number and the event loop reads it back (the self-pipe trick) and emits stopRequested.
namespace zt {

class StopRequests : public QObject
{
    Q_OBJECT
public:
    explicit StopRequests(QObject *parent = nullptr);
    ~StopRequests() override;

    // Installs the handlers; false when another instance owns them or the pipe fails.
    bool install();
    // Also treats the desktop session's end as a stop request (needs a QGuiApplication).
    void watchSessionEnd();

signals:
    // The signal number, or 0 for the end of the desktop session. Emitted once per
    // request; the program decides what to do with repeats.
    void stopRequested(int signalNumber);

private:
    void readPipe();
    QSocketNotifier *notifier = nullptr;
    bool owner = false;
};

} // namespace zt
