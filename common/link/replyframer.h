#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Assembles receiver replies from the bytes the port delivers, in whatever chunks
// they arrive. Knows nothing about the port or timers: it reports what the link
// should start next, so it can be driven byte by byte in tests.
namespace zt {

constexpr char STX = 0x02;
constexpr char ETX = 0x03;
constexpr char ACK = 0x06;
constexpr char NAK = 0x15;
constexpr char CR = 0x0D;
constexpr char LF = 0x0A;

enum class LinkMode {
    Kestrel, // one character per receive event, a reply completes on LF
    Watch,   // all waiting characters per event, a reply completes on ETX
};

// CommState values.
enum class CommState : qint16 { Waiting = 1, Complete = 2, TimedOut = 3, LineError = 5 };

// What the link starts after a receive or line-error event.
enum class FramerAction {
    None,
    StartCmdButton, // hand the reply (or failure) to the completion handler
    StartSendWait,  // watch: a synchronous waiter gets the reply via SendWaitTimer
};

class ReplyFramer
{
public:
    // More than this many characters between STX and ETX is an overrun (the
    // receive buffer size): the longest real reply is 422 characters.
    static constexpr int MaxReplyLength = 1024;

    explicit ReplyFramer(LinkMode mode) : m_mode(mode) {}

    LinkMode mode() const { return m_mode; }

    // ResetReceive: a fresh wait for the next reply.
    void resetReceive();
    // Bytes that arrived; in kestrel mode they are taken one per event.
    FramerAction feed(QByteArrayView bytes);
    // A line error reported by the port (ignored while nothing is expected).
    FramerAction lineError();
    // TimeOutTimer tick.
    void timedOut();
    // Stop expecting a reply: later characters are discarded.
    void disarm();
    // Watch: SendWaitTimer tick completes the synchronous wait.
    void completeSyncWait();

    void setSyncWait(bool on) { m_syncWait = on; }
    bool syncWait() const { return m_syncWait; }

    CommState commState() const { return m_commState; }
    const QByteArray &rxBuffer() const { return m_rxBuffer; }
    int rxCount() const { return m_rxCount; }
    QString replyText() const { return QString::fromLatin1(m_replyText); }
    bool rxArmed() const { return m_rxArmed; }
    // Watch's communication indicator: on while a reply is awaited.
    bool commIndicator() const { return m_commIndicator; }

private:
    FramerAction feedKestrelChar(char c);
    FramerAction feedWatch(QByteArrayView bytes);
    FramerAction append(QByteArrayView bytes);
    FramerAction overrun();
    void setIndicator(bool on);

    LinkMode m_mode;
    CommState m_commState = CommState::Waiting;
    QByteArray m_rxBuffer;
    int m_rxCount = -1;
    QByteArray m_replyText;
    bool m_rxArmed = false;
    bool m_syncWait = false;
    bool m_commIndicator = false;
};

} // namespace zt
