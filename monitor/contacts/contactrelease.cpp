#include "contacts/contactrelease.h"

#include "engine/monitorcycle.h"
#include "link/receivercommands.h"
#include "link/seriallink.h"

#include <QTimer>

namespace zt {

namespace {
constexpr int WholeReceiver = 0; // slot "00": the receiver's contact as a whole
constexpr int ManualPollDelayMs = 5;
} // namespace

QChar releaseLetter(int releaseType)
{
    return releaseType == 1 ? QLatin1Char('0') : QLatin1Char('E');
}

bool cancelButtonEnabled(bool alarmContactOn, bool batteryContactOn, int releaseType)
{
    return alarmContactOn || (batteryContactOn && releaseType == 1);
}

ContactRelease::ContactRelease(MonitorCycle &cycle, QObject *parent)
    : QObject(parent), m_cycle(cycle), m_SettenOffTimer(new QTimer(this))
{
    m_SettenOffTimer->setInterval(TickMs);
    connect(m_SettenOffTimer, &QTimer::timeout, this, &ContactRelease::tick);
    connect(&m_cycle, &MonitorCycle::recordsStored, this,
            [this](const StoredBatch &batch) { onRecordsStored(batch.koNo); });
    m_cycle.setEndOfCycleStep([this] { return endOfCycleStep(); });
}

void ContactRelease::setOptions(const AutoSaveSettings &options)
{
    m_releaseType = options.releaseType;
    m_autoReturn = options.autoReturn;
    m_autoOffSeconds = options.autoOffSeconds;
    if (m_armed)
        arm();
}

void ContactRelease::arm()
{
    m_armed = true;
    if (m_autoReturn == 1) {
        if (!m_SettenOffTimer->isActive())
            m_SettenOffTimer->start();
    } else {
        m_SettenOffTimer->stop();
    }
}

void ContactRelease::disarm()
{
    m_armed = false;
    m_SettenOffTimer->stop();
}

bool ContactRelease::autoOffRunning() const
{
    return m_SettenOffTimer->isActive();
}

void ContactRelease::clearSlot(int koNo)
{
    const std::size_t i = std::size_t(koNo - 1);
    m_cycle.slot(koNo).ReflectedAlarmState = false;
    m_due[i] = false;
    m_counter[i] = 0;
}

ContactRelease::Outcome ContactRelease::manualRelease()
{
    if (m_cycle.link().syncWait())
        return Outcome::Ignored;
    if (m_cycle.state() != CycleState::Idle) {
        m_manualPending = true;
        return Outcome::Deferred;
    }
    m_cycle.stopPolling();
    const bool ok = sendManual();
    m_cycle.restartPolling(ManualPollDelayMs);
    return ok ? Outcome::Sent : Outcome::Failed;
}

bool ContactRelease::sendManual()
{
    const bool ok = releaseAlarm(m_cycle.link(), WholeReceiver, releaseLetter(m_releaseType));
    AlarmLog &log = m_cycle.alarmLog();
    if (ok) {
        log.AlarmLogAppend(QStringLiteral("接点手動解除"));
        for (int k = 1; k <= MaxKo; ++k) {
            MonitorSlot &s = m_cycle.slot(k);
            if (s.ReflectedAlarmState)
                s.alarmShownAfterRelease = true;
            clearSlot(k);
        }
    } else {
        log.AlarmLogAppend(QStringLiteral("接点手動解除失敗"));
    }
    m_manualPending = false;
    emit slotsChanged();
    if (!ok)
        emit manualReleaseFailed(QStringLiteral("接点手動解除"),
                                 QStringLiteral("解除に失敗しました"));
    emit manualReleaseEnded();
    return ok;
}

bool ContactRelease::sendDueReleases()
{
    bool sent = false;
    for (int k = 1; k <= MaxKo; ++k) {
        if (!m_due[std::size_t(k - 1)])
            continue;
        sent = true;
        m_due[std::size_t(k - 1)] = false;
        if (releaseAlarm(m_cycle.link(), k, releaseLetter(m_releaseType))) {
            m_cycle.alarmLog().appendSlot(k, QStringLiteral("警報自動解除"));
            clearSlot(k);
            m_cycle.slot(k).alarmShownAfterRelease = true;
        } else {
            // The counter runs out once more before the next attempt.
            m_cycle.alarmLog().appendSlot(k, QStringLiteral("警報自動解除失敗"));
        }
        emit slotsChanged();
    }
    return sent;
}

bool ContactRelease::endOfCycleStep()
{
    bool sent = false;
    if (m_manualPending) {
        sendManual();
        sent = true;
    }
    return sendDueReleases() || sent;
}

ContactRelease::Outcome ContactRelease::releaseSingle(int koNo)
{
    m_cycle.disableAlarmMonitor(koNo);
    if (m_cycle.isBusy())
        return Outcome::Deferred;
    m_cycle.stopPolling();
    const bool ok = releaseAlarm(m_cycle.link(), koNo, releaseLetter(m_releaseType));
    if (ok) {
        m_cycle.alarmLog().appendSlot(koNo, QStringLiteral("警報監視解除"));
        clearSlot(koNo);
    } else {
        m_cycle.alarmLog().appendSlot(koNo, QStringLiteral("警報監視解除失敗"));
    }
    emit slotsChanged();
    m_cycle.restartPolling(0);
    return ok ? Outcome::Sent : Outcome::Failed;
}

void ContactRelease::tick()
{
    if (m_autoReturn != 1)
        return;
    bool anyDue = false;
    for (int k = 1; k <= MaxKo; ++k) {
        const std::size_t i = std::size_t(k - 1);
        if (!m_cycle.slot(k).ReflectedAlarmState)
            continue;
        if (++m_counter[i] > m_autoOffSeconds) {
            m_counter[i] = 0;
            m_due[i] = true;
            anyDue = true;
        }
    }
    if (anyDue)
        releaseNowIfIdle();
}

void ContactRelease::releaseNowIfIdle()
{
    // During an exchange the due releases wait for the end of the cycle.
    if (m_cycle.isBusy() || m_cycle.state() != CycleState::Idle || !m_cycle.monitorActive())
        return;
    m_cycle.stopPolling();
    const bool sent = sendDueReleases();
    m_cycle.restartPolling(sent ? MonitorCycle::ReleasePollDelayMs : m_cycle.pollInterval());
}

void ContactRelease::onRecordsStored(int koNo)
{
    if (koNo >= 1 && koNo <= MaxKo && m_cycle.slot(koNo).AlarmState)
        m_counter[std::size_t(koNo - 1)] = 0;
}

} // namespace zt
