#pragma once

#include "link/replyframer.h"

#include <QObject>
#include <QString>
#include <QStringView>
#include <functional>

class QEventLoop;
class QSerialPort;
class QTimer;

namespace zt {

// The receiver's serial port: 9600 8N1 without flow control, event driven on the
// user-interface thread. One command is outstanding at a time, either a
// synchronous Transact or an asynchronous send whose end is signalled by
// completed().
class SerialLink : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultReplyTimeoutMs = 2000;
    static constexpr int DefaultAttempts = 4;

    explicit SerialLink(LinkMode mode, QObject *parent = nullptr,
                        int replyTimeoutMs = DefaultReplyTimeoutMs, int attempts = DefaultAttempts);
    ~SerialLink() override;

    LinkMode mode() const { return m_framer.mode(); }
    void setReplyTimeout(int ms) { m_replyTimeoutMs = ms; }
    int replyTimeout() const { return m_replyTimeoutMs; }
    void setAttempts(int attempts) { m_attempts = attempts; }
    int attempts() const { return m_attempts; }

    // Device path (e.g. "/dev/ttyUSB0", a pty) or, on Windows, "COMn".
    void setPortName(const QString &device);
    QString portName() const;

    // 0, or PortErrorNoSuchDevice / PortErrorInUse / PortErrorPermission.
    int OpenPort();
    int ClosePort();
    bool isOpen() const;

    // STX "000" access code "," data "," ETX CR LF. False when it cannot be written.
    bool SendFrame(QStringView access, QStringView code, QStringView data);
    void ResetReceive();
    // ms > 0 starts TimeOutTimer; 0 stops it and stops expecting a reply.
    void ArmTimeout(int ms);
    // The same on TimeOutTimer2, whose tick never runs the completion handler.
    void ArmTimeout2(int ms);

    // Judges a complete ReplyText; false rejects it without further attempts.
    using ReplyCheck = std::function<bool(const QString &replyText)>;
    // The synchronous command: up to attempts() tries, retrying at once on a
    // time-out or line error, while the event loop keeps running. False when all
    // attempts fail, the reply is rejected, or another command is outstanding.
    bool Transact(QStringView access, QStringView code, QStringView data, const ReplyCheck &check,
                  bool useSecondTimer = false);
    // Sends without waiting. True: exactly one completed() follows, on the reply,
    // a line error or the time-out. False (a Transact waits, the port is closed or
    // the write failed): no completed() follows for this call.
    bool sendAsync(QStringView access, QStringView code, QStringView data);
    bool busy() const { return m_transactDepth > 0; }
    // Ends a waiting Transact at once with failure and no further attempts (the
    // user's Cancel during a port search).
    void cancelWait();

    void setPendingCode(const QString &code) { m_pendingCode = code; }
    QString pendingCode() const { return m_pendingCode; }

    CommState commState() const { return m_framer.commState(); }
    QString replyText() const { return m_framer.replyText(); }
    bool syncWait() const { return m_framer.syncWait(); }
    bool commIndicator() const { return m_framer.commIndicator(); }
    const ReplyFramer &framer() const { return m_framer; }

signals:
    // The completion hand-off (CmdButtonTimer or TimeOutTimer tick) of an
    // asynchronous send; never emitted for a synchronous Transact.
    void completed();
    void commIndicatorChanged(bool on);
    // A Transact attempt ended without a reply (time-out or line error).
    void attemptFailed(zt::CommState state);

private:
    void onReadyRead();
    void onPortError(int error);
    void onTimeOut();
    void onTimeOut2();
    void onSendWait();
    void apply(FramerAction action, bool lineError);
    void afterFramerChange();
    bool waitForReply();
    void discardInput();
    QTimer *makeTimer(const char *name, int intervalMs);

    ReplyFramer m_framer;
    QSerialPort *m_port;
    QTimer *m_timeOutTimer;
    QTimer *m_timeOutTimer2;
    QTimer *m_cmdButtonTimer;
    QTimer *m_sendWaitTimer;
    QEventLoop *m_waitLoop = nullptr;
    int m_replyTimeoutMs;
    int m_attempts;
    int m_transactDepth = 0;
    bool m_cancelled = false;
    bool m_lastIndicator = false;
    QString m_pendingCode;
    QString m_device;
};

} // namespace zt
