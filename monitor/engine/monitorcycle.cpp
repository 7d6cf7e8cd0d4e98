#include "engine/monitorcycle.h"

#include "link/receivercommands.h"
#include "link/replyparsers.h"
#include "link/seriallink.h"

#include <QTimer>
#include <algorithm>

namespace zt {

namespace {
// Error codes of a failed exchange besides the link's own CommState values.
constexpr int ErrorRefused = 100;
constexpr int ErrorMalformed = 1000;
// A poll that finds a synchronous command waiting tries again this much later.
constexpr int BusyDeferMs = 100;
} // namespace

MonitorCycle::MonitorCycle(SerialLink &link, QObject *parent)
    : QObject(parent), m_link(link), m_jochuTimer(new QTimer(this)), m_failTimer(new QTimer(this))
{
    m_jochuTimer->setObjectName(QStringLiteral("JochuTimer"));
    m_jochuTimer->setSingleShot(true);
    m_failTimer->setSingleShot(true);
    m_failTimer->setInterval(0);
    for (int k = 1; k <= MaxKo; ++k)
        slot(k).koNo = k;
    connect(m_jochuTimer, &QTimer::timeout, this, &MonitorCycle::onPollTimer);
    connect(m_failTimer, &QTimer::timeout, this,
            [this] { handleError(int(CommState::LineError)); });
    connect(&m_link, &SerialLink::completed, this, &MonitorCycle::onCompleted);
}

MonitorCycle::~MonitorCycle() = default;

void MonitorCycle::setReplyTimeout(int ms)
{
    m_link.setReplyTimeout(ms);
}

bool MonitorCycle::isBusy() const
{
    return m_state != CycleState::Idle || m_link.busy() || m_link.framer().rxArmed();
}

void MonitorCycle::setState(CycleState state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

void MonitorCycle::armPoll(int ms)
{
    if (m_active)
        m_jochuTimer->start(std::max(ms, 0));
}

void MonitorCycle::stopPolling()
{
    m_jochuTimer->stop();
}

void MonitorCycle::restartPolling(int delayMs)
{
    if (!m_active || m_state != CycleState::Idle)
        return;
    m_phaseRetries = 0;
    m_repolledAtOnce = false;
    armPoll(delayMs);
}

void MonitorCycle::onPollTimer()
{
    m_jochuTimer->stop();
    if (!m_active || m_state != CycleState::Idle)
        return;
    if (m_link.busy()) {
        armPoll(BusyDeferMs); // a synchronous command owns the line just now
        return;
    }
    sendPoll();
}

void MonitorCycle::sendPoll()
{
    setState(CycleState::PollSent);
    m_pendingCode = QStringLiteral("10");
    m_currentKo = 0;
    if (!m_link.isOpen()) {
        // The port went away: every poll tries to open it again and fails while it cannot.
        m_portLost = true;
        if (m_link.OpenPort() != 0) {
            failSoon();
            return;
        }
        if (!reenterRemoteMode()) {
            m_link.ClosePort();
            failSoon();
            return;
        }
        m_portLost = false;
        m_pendingCode = QStringLiteral("10");
    }
    if (!sendExchange(statusRequest(m_receiverId)))
        failSoon();
}

bool MonitorCycle::sendExchange(const Request &request)
{
    m_request = request;
    return sendRequest(m_link, request);
}

void MonitorCycle::failSoon(int delayMs)
{
    // Through the event loop, so a dead port can never recurse or spin.
    m_failTimer->start(delayMs);
}

int MonitorCycle::replyError()
{
    if (m_link.commState() != CommState::Complete)
        return int(m_link.commState());
    const QString reply = m_link.replyText();
    if (isRefusal(reply))
        return ErrorRefused;
    const QString code = m_pendingCode == u"200" ? QStringLiteral("100") : m_pendingCode;
    if (code == u"12") {
        const BlockTarget target{m_request.blockTime, m_request.blockCount, &m_blockRecords};
        const qsizetype before = m_blockRecords.size();
        const ParseResult r = ParseReply(code, reply, m_currentKo, m_values, &target);
        // An empty block would never advance the read.
        return r.ok && m_blockRecords.size() > before ? 0 : ErrorMalformed;
    }
    return ParseReply(code, reply, m_currentKo, m_values).ok ? 0 : ErrorMalformed;
}

void MonitorCycle::onCompleted()
{
    if (!m_active || m_state == CycleState::Idle)
        return;
    if (m_link.syncWait()) {
        // A synchronous command took the line over this exchange's reply: the
        // exchange counts as failed once the command is done.
        failSoon(BusyDeferMs);
        return;
    }
    const int error = replyError();
    if (error != 0) {
        handleError(error);
        return;
    }
    m_phaseRetries = 0;
    handleReply();
}

void MonitorCycle::handleReply()
{
    if (m_pendingCode == u"10")
        onPollReply();
    else if (m_pendingCode == u"13")
        onKindReply();
    else if (m_pendingCode == u"200")
        onLimitsWritten();
    else if (m_pendingCode == u"11")
        onSummaryReply();
    else if (m_pendingCode == u"12")
        onBlockReply();
    else if (m_pendingCode == u"100")
        onReflected();
}

void MonitorCycle::handleError(int errorCode)
{
    if (!m_active || m_state == CycleState::Idle)
        return;
    if (m_link.syncWait()) {
        failSoon(BusyDeferMs); // skipped while a synchronous command waits, not dropped
        return;
    }
    if (m_phaseRetries >= MaxPhaseRetries) {
        endCycle(); // the next poll starts over
        return;
    }
    ++m_phaseRetries;
    if (m_pendingCode == u"10") {
        pollFailed(errorCode);
        return;
    }
    if (!sendExchange(m_request))
        failSoon();
}

void MonitorCycle::pollFailed(int errorCode)
{
    if (errorCode == ErrorRefused) {
        // The receiver left remote mode.
        if (reenterRemoteMode()) {
            sendPoll();
        } else {
            setState(CycleState::Idle);
            emit cannotContinue();
        }
        return;
    }
    m_pollFailures = std::min(m_pollFailures + 1, PollFailureCap);
    if (m_pollFailures >= PollFailureAlert) {
        m_log.AlarmLogAppend(QStringLiteral("通信の連続失敗"));
        m_pollFailures = 0;
        // Polling waits for the user's answer (restartPolling or stop).
        setState(CycleState::Idle);
        emit pollFailuresAlert();
        return;
    }
    sendPoll();
}

void MonitorCycle::endCycle()
{
    m_jochuTimer->stop();
    m_repolledAtOnce = false;
    const bool released = m_endStep ? m_endStep() : false;
    m_phaseRetries = 0;
    setState(CycleState::Idle);
    armPoll(released ? ReleasePollDelayMs : m_pollIntervalMs);
    emit cycleEnded();
}

void MonitorCycle::refreshContacts()
{
    m_contacts.update(alarmContactOn(m_contactDigit), batteryContactOn(m_contactDigit), m_log);
    emit receiverStateChanged();
}

void MonitorCycle::enableAlarmMonitor(int koNo)
{
    if (koNo < 1 || koNo > MaxKo)
        return;
    slot(koNo).AlarmMonitorOn = true;
    m_log.appendSlot(koNo, QStringLiteral("警報監視開始"));
    emit slotChanged(koNo);
}

void MonitorCycle::disableAlarmMonitor(int koNo)
{
    if (koNo < 1 || koNo > MaxKo)
        return;
    slot(koNo).AlarmMonitorOn = false;
    emit slotChanged(koNo);
}

} // namespace zt
