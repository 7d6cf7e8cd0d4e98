#include "engine/monitorcycle.h"

#include "link/receivercommands.h"
#include "link/seriallink.h"
#include "records/settingsfiles.h"

#include <QTimer>

namespace zt {

void MonitorCycle::resetSlots()
{
    for (int k = 1; k <= MaxKo; ++k) {
        MonitorSlot fresh;
        fresh.koNo = k;
        slot(k) = fresh;
    }
    m_values = ReceiverValues();
    m_contacts = ContactIndicators();
    m_contactDigit = 0;
}

bool MonitorCycle::readReceiver(ReceiverValues &v)
{
    return ReadByCode(m_link, Command::ReadIdentification, 0, v) &&
           ReadByCode(m_link, Command::ReadSettings, 0, v);
}

void MonitorCycle::takeReceiver(const ReceiverValues &v)
{
    m_values.ReceiverID = v.ReceiverID;
    m_values.SystemKoCount = v.SystemKoCount;
    m_values.RegisteredFlags = v.RegisteredFlags;
    m_values.registeredCount = v.registeredCount;
    m_values.MeasureInterval = v.MeasureInterval;
    m_values.CommInterval = v.CommInterval;
    m_receiverId = v.ReceiverID;
    m_measureInterval = v.MeasureInterval > 0 ? v.MeasureInterval : 1440; // 0:00 is 24 hours
    m_commInterval = v.CommInterval;
    for (int k = 1; k <= MaxKo; ++k)
        slot(k).registered = v.RegisteredFlags[std::size_t(k - 1)];
}

void MonitorCycle::nameSlots()
{
    m_oyaSlot = m_settings ? m_settings->oya.slotForReadout(m_receiverId) : 1;
    m_receiverName =
        m_settings && m_oyaSlot >= 2 ? m_settings->oya.nameOf(m_oyaSlot) : QStringLiteral("未登録");
    for (int k = 1; k <= MaxKo; ++k) {
        QString name = m_settings ? m_settings->koNames.name(m_oyaSlot, k) : QString();
        slot(k).KoName = name.isEmpty() ? QStringLiteral("名称無し") : name;
    }
}

bool MonitorCycle::setUpSlot(MonitorSlot &s, bool reentry)
{
    const int k = s.koNo;
    if (s.recording) {
        s.KoOperating = true;
        const Request kind = readRequest(Command::ReadKind, k);
        if (!transactRequest(m_link, kind, m_values) ||
            !ReadByCode(m_link, Command::ReadAlarmLimits, k, m_values) ||
            !writeAlarmLimits(m_link, k, m_values.slot(k).limits))
            return false;
        const SlotValues &read = m_values.slot(k);
        s.KoKind = read.KoKind;
        s.ranges = read.ranges;
        s.limits = read.limits;
        s.rangesPrev = read.ranges;
        s.rangesPrevKnown = true;
        s.ReflectedAlarmState = s.ReceiverAlarmState;
    }
    const qint16 value = m_values.SlotValue[std::size_t(k - 1)];
    // After a re-entry the records of the outage are still to be read: a slot that
    // already knows its newest record keeps its read position.
    if (value != 0 && !(reentry && s.LastRecordTime.isValid())) {
        s.ReadCounter = value & 0x7F;
        if (!readSummary(m_link, k, m_values))
            return false;
        const SlotValues &read = m_values.slot(k);
        if (read.DataCount > 0)
            s.LastRecordTime = read.newestTime;
    }
    return true;
}

void MonitorCycle::seedBuffer(MonitorSlot &s)
{
    const SlotValues &read = m_values.slot(s.koNo);
    if (!s.recording || !s.LastRecordTime.isValid() || read.latestTime != s.LastRecordTime)
        return;
    buffer(s.koNo).append({read.LatestRecord.ch1, read.LatestRecord.ch2}, read.latestTime);
}

bool MonitorCycle::setUpSlots(bool reentry)
{
    for (int k = 1; k <= MaxKo; ++k) {
        MonitorSlot &s = slot(k);
        if (!reentry) {
            s.AlarmMonitorOn = true;
            buffer(k).clear();
        }
        if (!setUpSlot(s, reentry))
            return false;
        if (!reentry)
            seedBuffer(s);
    }
    return true;
}

StartResult MonitorCycle::start()
{
    m_jochuTimer->stop();
    m_failTimer->stop();
    m_active = false;
    setState(CycleState::Idle);
    m_phaseRetries = 0;
    m_pollFailures = 0;
    m_portLost = false;
    m_repolledAtOnce = false;
    resetSlots();
    m_log.clear();

    if (m_link.OpenPort() != 0)
        return StartResult::PortFailed;
    const auto fail = [this](StartResult result) {
        m_link.ClosePort();
        return result;
    };
    ReceiverValues receiver;
    if (!readReceiver(receiver))
        return fail(StartResult::CommFailed);
    takeReceiver(receiver);
    if (m_values.registeredCount == 0 || m_values.SystemKoCount <= 0)
        return fail(StartResult::NoTransmitters);
    if (!setRemoteMode(m_link, m_receiverId, true) || !readStatus(m_link, m_receiverId, m_values))
        return fail(StartResult::CommFailed);
    nameSlots();
    m_koCount = std::clamp<int>(m_values.SystemKoCount, 1, MaxKo);
    m_maxRecords = maxRecordsFor(m_koCount);
    m_buffers.assign(MaxKo, RecordBuffer(m_maxRecords, m_measureInterval));
    emit startProgress(QStringLiteral("送信器情報を読み出しています\r\n少々お待ちください"));
    applyStatus(false);
    if (!setUpSlots(false))
        return fail(StartResult::CommFailed);

    m_clock = m_values.ReceiverClock;
    m_log.setReceiverClock(m_clock);
    m_contactDigit = m_values.contactDigit;
    m_active = true;
    emit monitorActiveChanged(true);
    m_log.AlarmLogAppend(QStringLiteral("監視開始"));
    refreshContacts();
    m_log.scheduleNextDailySave(m_clock);
    m_log.allowSaving();
    armPoll(FirstPollDelayMs);
    setState(CycleState::Idle);
    return StartResult::Success;
}

bool MonitorCycle::reenterRemoteMode()
{
    ReceiverValues receiver;
    if (!readReceiver(receiver))
        return false;
    // Another receiver, or one set up anew, is not the one whose records are held.
    const int interval = receiver.MeasureInterval > 0 ? receiver.MeasureInterval : 1440;
    if (receiver.ReceiverID != m_receiverId ||
        std::clamp<int>(receiver.SystemKoCount, 1, MaxKo) != m_koCount ||
        interval != m_measureInterval)
        return false;
    takeReceiver(receiver);
    if (!setRemoteMode(m_link, m_receiverId, true) || !readStatus(m_link, m_receiverId, m_values))
        return false;
    applyStatus(false);
    if (!setUpSlots(true))
        return false;
    m_log.AlarmLogAppend(QStringLiteral("監視再開(リモートモード再突入)"));
    return true;
}

bool MonitorCycle::stop()
{
    const bool wasActive = m_active;
    m_active = false;
    m_jochuTimer->stop();
    m_failTimer->stop();
    // An exchange still outstanding is abandoned so the last command can go out.
    if (m_link.framer().rxArmed() && !m_link.busy())
        m_link.ArmTimeout(0);
    setState(CycleState::Idle);
    bool acknowledged = false;
    if (m_link.isOpen() && !m_link.busy())
        acknowledged = setRemoteMode(m_link, m_receiverId, false);
    m_link.ClosePort();
    if (wasActive)
        emit monitorActiveChanged(false);
    return acknowledged;
}

} // namespace zt
