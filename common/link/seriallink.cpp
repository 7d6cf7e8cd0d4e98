#include "link/seriallink.h"

#include "link/porterror.h"

#include <QEventLoop>
#include <QPointer>
#include <QSerialPort>
#include <QTimer>

namespace zt {

namespace {
// CmdButtonTimer delays of the completion hand-off.
constexpr int KestrelHandOffMs = 1;
constexpr int WatchHandOffMs = 2;
constexpr int WatchLineErrorHandOffMs = 10;
constexpr int SendWaitMs = 2;
} // namespace

SerialLink::SerialLink(LinkMode mode, QObject *parent, int replyTimeoutMs, int attempts)
    : QObject(parent), m_framer(mode), m_port(new QSerialPort(this)),
      m_timeOutTimer(makeTimer("TimeOutTimer", replyTimeoutMs)),
      m_timeOutTimer2(makeTimer("TimeOutTimer2", replyTimeoutMs)),
      m_cmdButtonTimer(makeTimer("CmdButtonTimer", KestrelHandOffMs)),
      m_sendWaitTimer(makeTimer("SendWaitTimer", SendWaitMs)), m_replyTimeoutMs(replyTimeoutMs),
      m_attempts(attempts)
{
    connect(m_port, &QSerialPort::readyRead, this, &SerialLink::onReadyRead);
    connect(m_port, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError e) { onPortError(int(e)); });
    connect(m_timeOutTimer, &QTimer::timeout, this, &SerialLink::onTimeOut);
    connect(m_timeOutTimer2, &QTimer::timeout, this, &SerialLink::onTimeOut2);
    connect(m_sendWaitTimer, &QTimer::timeout, this, &SerialLink::onSendWait);
    connect(m_cmdButtonTimer, &QTimer::timeout, this, &SerialLink::completed);
}

SerialLink::~SerialLink()
{
    if (m_waitLoop)
        m_waitLoop->quit();
}

QTimer *SerialLink::makeTimer(const char *name, int intervalMs)
{
    auto *timer = new QTimer(this);
    timer->setObjectName(QLatin1String(name));
    timer->setSingleShot(true);
    timer->setInterval(intervalMs);
    return timer;
}

void SerialLink::setPortName(const QString &device)
{
    if (m_port->isOpen())
        ClosePort();
    m_device = device;
    m_port->setPortName(device);
}

QString SerialLink::portName() const
{
    return m_device;
}

bool SerialLink::isOpen() const
{
    return m_port->isOpen();
}

int SerialLink::OpenPort()
{
    if (m_port->isOpen())
        return 0;
    if (m_device.isEmpty())
        return PortErrorNoSuchDevice;
    m_port->setBaudRate(QSerialPort::Baud9600);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port->open(QIODevice::ReadWrite))
        return openErrorNumber(m_port->error(), m_device);
    m_port->clear(); // Qt 6.4 may hand over stale bytes of the previous user
    return 0;
}

int SerialLink::ClosePort()
{
    m_timeOutTimer->stop();
    m_timeOutTimer2->stop();
    m_cmdButtonTimer->stop();
    m_sendWaitTimer->stop();
    if (m_port->isOpen())
        m_port->close();
    // A waiting Transact fails at once instead of running into its time-outs.
    if (m_framer.rxArmed())
        m_framer.lineError();
    afterFramerChange();
    return 0;
}

bool SerialLink::SendFrame(QStringView access, QStringView code, QStringView data)
{
    if (mode() == LinkMode::Kestrel)
        OpenPort(); // kestrel opens on demand; a failure shows as a failed write
    if (!m_port->isOpen())
        return false;
    QByteArray frame;
    frame.reserve(12 + data.size());
    frame.append(STX).append("000");
    frame.append(access.toLatin1()).append(code.toLatin1());
    frame.append(',').append(data.toLatin1()).append(',');
    frame.append(ETX).append(CR).append(LF);
    return m_port->write(frame) == frame.size();
}

void SerialLink::discardInput()
{
    if (m_port->isOpen())
        m_port->clear(QSerialPort::Input);
}

void SerialLink::ResetReceive()
{
    // Both modes drop what is waiting: a late reply to an earlier attempt must
    // not be taken for the answer to the next one.
    discardInput();
    m_framer.resetReceive();
    afterFramerChange();
}

void SerialLink::ArmTimeout(int ms)
{
    if (ms > 0) {
        m_timeOutTimer->start(ms);
        return;
    }
    m_timeOutTimer->stop();
    m_framer.disarm();
    afterFramerChange();
}

void SerialLink::ArmTimeout2(int ms)
{
    if (ms > 0) {
        m_timeOutTimer2->start(ms);
        return;
    }
    m_timeOutTimer2->stop();
    m_framer.disarm();
    afterFramerChange();
}

bool SerialLink::Transact(QStringView access, QStringView code, QStringView data,
                          const ReplyCheck &check, bool useSecondTimer)
{
    // A second command from an event handled while one waits would mix replies.
    if (m_transactDepth > 0 || m_framer.rxArmed())
        return false;
    QPointer<SerialLink> self(this);
    ++m_transactDepth;
    m_cancelled = false;
    m_framer.setSyncWait(true);
    bool accepted = false;
    bool replied = false;
    for (int attempt = 0; attempt < m_attempts && !replied && !m_cancelled; ++attempt) {
        ResetReceive();
        if (!SendFrame(access, code, data)) {
            m_framer.lineError();
            emit attemptFailed(commState());
            continue;
        }
        useSecondTimer ? ArmTimeout2(m_replyTimeoutMs) : ArmTimeout(m_replyTimeoutMs);
        const bool alive = waitForReply();
        if (!alive || !self)
            return false; // the link was destroyed while waiting
        if (commState() == CommState::Complete) {
            useSecondTimer ? ArmTimeout2(0) : ArmTimeout(0);
            replied = true;
            accepted = check ? check(replyText()) : true;
        } else {
            emit attemptFailed(commState());
            if (!self)
                return false;
        }
    }
    if (!self)
        return false;
    m_timeOutTimer->stop();
    m_timeOutTimer2->stop();
    m_framer.setSyncWait(false);
    --m_transactDepth;
    return accepted;
}

void SerialLink::cancelWait()
{
    if (m_transactDepth == 0)
        return;
    m_cancelled = true;
    m_timeOutTimer->stop();
    m_timeOutTimer2->stop();
    if (commState() == CommState::Waiting)
        m_framer.timedOut();
    if (m_waitLoop)
        m_waitLoop->quit();
}

bool SerialLink::waitForReply()
{
    if (commState() != CommState::Waiting)
        return true;
    QPointer<SerialLink> self(this);
    QEventLoop loop;
    m_waitLoop = &loop;
    loop.exec();
    if (!self)
        return false;
    m_waitLoop = nullptr;
    return true;
}

bool SerialLink::sendAsync(QStringView access, QStringView code, QStringView data)
{
    if (m_transactDepth > 0)
        return false;
    ResetReceive();
    if (!SendFrame(access, code, data)) {
        // One contract for every refusal: false and no completion, so the caller
        // handles the failure itself and nothing arrives later to confuse it.
        m_framer.lineError();
        m_cmdButtonTimer->stop();
        afterFramerChange();
        return false;
    }
    ArmTimeout(m_replyTimeoutMs);
    return true;
}

void SerialLink::onReadyRead()
{
    const QByteArray bytes = m_port->readAll();
    apply(m_framer.feed(bytes), false);
}

void SerialLink::onPortError(int error)
{
    switch (QSerialPort::SerialPortError(error)) {
    case QSerialPort::NoError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
    case QSerialPort::NotOpenError:
        return; // open failures are OpenPort's result
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
        // Qt 6.4 repeats these without end once the other side hangs up.
        m_port->close();
        break;
    default:
        discardInput();
        break;
    }
    m_port->clearError();
    apply(m_framer.lineError(), true);
}

void SerialLink::onTimeOut()
{
    m_timeOutTimer->stop();
    m_sendWaitTimer->stop();
    if (!m_framer.rxArmed() && commState() != CommState::Waiting)
        return; // the reply won the race
    m_framer.timedOut();
    afterFramerChange();
    if (!m_framer.syncWait())
        emit completed();
}

void SerialLink::onTimeOut2()
{
    m_timeOutTimer2->stop();
    if (!m_framer.rxArmed() && commState() != CommState::Waiting)
        return;
    m_framer.timedOut();
    afterFramerChange();
}

void SerialLink::onSendWait()
{
    m_framer.completeSyncWait();
    afterFramerChange();
}

void SerialLink::apply(FramerAction action, bool lineError)
{
    switch (action) {
    case FramerAction::None:
        break;
    case FramerAction::StartSendWait:
        m_sendWaitTimer->start(SendWaitMs);
        break;
    case FramerAction::StartCmdButton:
        m_timeOutTimer->stop();
        // A synchronous waiter takes its result itself; the hand-off is for
        // asynchronous sends only.
        if (!m_framer.syncWait()) {
            int ms = KestrelHandOffMs;
            if (mode() == LinkMode::Watch)
                ms = lineError ? WatchLineErrorHandOffMs : WatchHandOffMs;
            m_cmdButtonTimer->start(ms);
        }
        break;
    }
    afterFramerChange();
}

void SerialLink::afterFramerChange()
{
    if (m_framer.commIndicator() != m_lastIndicator) {
        m_lastIndicator = m_framer.commIndicator();
        emit commIndicatorChanged(m_lastIndicator);
    }
    if (m_waitLoop && commState() != CommState::Waiting)
        m_waitLoop->quit();
}

} // namespace zt
