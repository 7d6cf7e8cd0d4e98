#include "engine/limittest.h"
#include "engine/monitorcycle.h"

#include "link/fields.h"

namespace zt {

namespace {
QDateTime plusIntervals(const QDateTime &t, qint64 n, int interval)
{
    return t.addSecs(n * interval * 60);
}
} // namespace

void MonitorCycle::applyStatus(bool fromCycle)
{
    for (int k = 1; k <= MaxKo; ++k) {
        MonitorSlot &s = slot(k);
        const qint16 status = m_values.SlotStatus[std::size_t(k - 1)];
        const qint16 value = m_values.SlotValue[std::size_t(k - 1)];
        const bool changed = status != s.SlotStatus;
        s.SlotStatus = status;
        s.ReceiverAlarmState = (status & 0x1) != 0;
        s.batteryAlarm = (status & 0x2) != 0;
        s.commFailure = (status & 0x4) != 0;
        s.recording = (status & SlotRecordingBit) != 0;
        s.KoPending = false;
        s.AlarmStateChanged = false;
        // Bit 7 clear on a recording slot: recording was (re)started and the limits
        // are not set up yet.
        if (fromCycle && s.recording && (value & 0x80) == 0)
            s.KoPending = true;
        else
            s.DataCounter = value & 0x7F;
        if (changed && fromCycle)
            emit slotChanged(k);
    }
}

void MonitorCycle::onPollReply()
{
    m_pollFailures = 0;
    m_clock = m_values.ReceiverClock;
    m_log.setReceiverClock(m_clock);
    m_contactDigit = m_values.contactDigit;
    refreshContacts();
    m_log.automaticSaveCheck();
    emit pollReplied();
    if (!m_active || m_state == CycleState::Idle)
        return; // a save hook ended monitoring
    applyStatus(true);
    trackSlotStatus(m_slots, MaxKo, m_log);
    setState(CycleState::RecordingStarts);
    nextPending(1);
}

void MonitorCycle::nextPending(int fromKo)
{
    for (int k = fromKo; k <= MaxKo; ++k) {
        if (!slot(k).KoPending)
            continue;
        m_currentKo = k;
        m_pendingCode = QStringLiteral("13");
        if (!sendExchange(readRequest(Command::ReadKind, k)))
            failSoon();
        return;
    }
    readChanged(1);
}

void MonitorCycle::onKindReply()
{
    MonitorSlot &s = slot(m_currentKo);
    const SlotValues &read = m_values.slot(m_currentKo);
    s.KoKind = read.KoKind;
    s.ranges = read.ranges;
    // New range ends (always the first time) mean new limits at the range ends.
    if (!s.rangesPrevKnown || s.ranges != s.rangesPrev)
        m_pendingLimits = {s.ranges.RangeHigh1, s.ranges.RangeLow1, s.ranges.RangeHigh2,
                           s.ranges.RangeLow2};
    else
        m_pendingLimits = s.limits;
    m_pendingCode = QStringLiteral("200");
    if (!sendExchange(writeAlarmLimitsRequest(m_currentKo, m_pendingLimits)))
        failSoon();
}

void MonitorCycle::onLimitsWritten()
{
    MonitorSlot &s = slot(m_currentKo);
    s.limits = m_pendingLimits;
    s.rangesPrev = s.ranges;
    s.rangesPrevKnown = true;
    s.KoOperating = true;
    s.KoPending = false;
    // The receiver erased its records: read from its first new one.
    s.ReadCounter = 0;
    s.LastRecordTime = {};
    m_log.appendSlot(m_currentKo, QStringLiteral("収録開始(再開)"));
    emit slotChanged(m_currentKo);
    nextPending(m_currentKo + 1);
}

void MonitorCycle::readChanged(int fromKo)
{
    setState(CycleState::Reading);
    for (int k = fromKo; k <= MaxKo; ++k) {
        MonitorSlot &s = slot(k);
        if (s.ReceiverAlarmState != s.ReflectedAlarmState)
            s.AlarmStateChanged = true;
        if (s.DataCounter == s.ReadCounter && !s.AlarmStateChanged)
            continue;
        m_currentKo = k;
        m_pendingCode = QStringLiteral("11");
        if (!sendExchange(readRequest(Command::ReadSummary, k)))
            failSoon();
        return;
    }
    m_reflectedAny = false;
    reflect(1);
}

void MonitorCycle::onSummaryReply()
{
    MonitorSlot &s = slot(m_currentKo);
    const SlotValues &read = m_values.slot(m_currentKo);
    // With a count of 0 the reply's time is not read: the parsed time is stale.
    if (read.DataCount <= 0 || !read.newestTime.isValid() ||
        (s.LastRecordTime.isValid() && read.newestTime <= s.LastRecordTime)) {
        s.ReadCounter = s.DataCounter;
        readChanged(m_currentKo + 1);
        return;
    }
    int count = read.DataCount;
    if (s.LastRecordTime.isValid()) {
        const qint64 minutes = s.LastRecordTime.secsTo(read.newestTime) / 60;
        if (minutes % m_measureInterval != 0) {
            handleError(1);
            return;
        }
        count = int(std::min<qint64>(minutes / m_measureInterval, count));
    }
    if (count <= 0) {
        handleError(1);
        return;
    }
    m_toRead = count;
    m_firstTime = plusIntervals(read.newestTime, -(count - 1), m_measureInterval);
    m_blockRecords.clear();
    requestNextBlock();
}

void MonitorCycle::requestNextBlock()
{
    const int got = int(m_blockRecords.size());
    const int n = std::min(MaxBlockRecords, m_toRead - got);
    m_pendingCode = QStringLiteral("12");
    const QDateTime first = plusIntervals(m_firstTime, got, m_measureInterval);
    if (!sendExchange(blockRequest(m_currentKo, n, first)))
        failSoon();
}

void MonitorCycle::onBlockReply()
{
    if (m_blockRecords.size() < m_toRead)
        requestNextBlock();
    else
        storeBatch();
}

void MonitorCycle::storeBatch()
{
    MonitorSlot &s = slot(m_currentKo);
    RecordBuffer &buf = buffer(m_currentKo);
    const int count = int(m_blockRecords.size());
    const QDateTime lastNew = plusIntervals(m_firstTime, count - 1, m_measureInterval);
    s.ReadCounter = s.DataCounter;
    s.LastRecordTime = lastNew;

    StoredBatch batch;
    batch.koNo = m_currentKo;
    batch.firstTime = m_firstTime;
    if (!buf.isEmpty()) {
        const QDateTime newest = buf.newestTime();
        const qint64 step = qint64(m_measureInterval) * 60;
        const qint64 ahead = newest.secsTo(m_firstTime);
        const GapPlan plan = planGap(newest, m_firstTime, lastNew, m_measureInterval, m_maxRecords);
        // Records that do not continue the stored ones' time grid cannot be placed
        // in the buffer's timeline: start it again rather than mis-time them.
        if (ahead <= 0 || ahead % step != 0 || plan.emptyFirst) {
            buf.clear();
            batch.bufferEmptied = true;
        } else {
            const MonitorRecord filler{MissingCode, MissingCode};
            for (int i = 0; i < plan.fillers; ++i) {
                buf.append(filler, plusIntervals(newest, i + 1, m_measureInterval));
                batch.records.push_back(filler);
            }
            batch.fillers = plan.fillers;
            batch.firstTime = plusIntervals(newest, 1, m_measureInterval);
        }
    }
    bool ch1 = false;
    bool ch2 = false;
    for (int i = 0; i < count; ++i) {
        const RawRecord raw = readRecordField(m_blockRecords.at(i));
        const MonitorRecord rec{raw.ch1, raw.ch2};
        buf.append(rec, plusIntervals(m_firstTime, i, m_measureInterval));
        batch.records.push_back(rec);
        if (s.AlarmMonitorOn) {
            ch1 = ch1 || monitorLimitAlarm(rec.ch1, s.limits.AlarmHigh1, s.limits.AlarmLow1);
            ch2 = ch2 || monitorLimitAlarm(rec.ch2, s.limits.AlarmHigh2, s.limits.AlarmLow2);
        }
    }
    m_blockRecords.clear();
    s.Ch1AlarmState = ch1;
    s.Ch2AlarmState = ch2;
    s.AlarmState = ch1 || ch2;
    m_log.appendSlot(m_currentKo, QStringLiteral("データ受信 (") + logTimeText(m_firstTime) +
                                      QStringLiteral("から") + QString::number(count) +
                                      QStringLiteral("データ)"));
    s.dataUpdated = true;
    s.alarmShownAfterRelease = false;
    if (s.AlarmState != s.ReflectedAlarmState)
        s.AlarmStateChanged = true;
    emit recordsStored(batch);
    emit slotChanged(m_currentKo);
    readChanged(m_currentKo + 1);
}

void MonitorCycle::reflect(int fromKo)
{
    setState(CycleState::Reflecting);
    for (int k = fromKo; k <= MaxKo; ++k) {
        if (!slot(k).AlarmStateChanged)
            continue;
        m_currentKo = k;
        m_pendingCode = QStringLiteral("100");
        const QChar letter = slot(k).AlarmState ? QLatin1Char('F') : QLatin1Char('E');
        if (!sendExchange(releaseRequest(k, letter)))
            failSoon();
        return;
    }
    // The receiver's alarm output changed: look at it again at once, but only once
    // in a row, so a receiver that does not keep the states cannot make it spin.
    if (!m_reflectedAny || m_repolledAtOnce) {
        endCycle();
        return;
    }
    m_reflectedAny = false;
    m_repolledAtOnce = true;
    sendPoll();
}

void MonitorCycle::onReflected()
{
    MonitorSlot &s = slot(m_currentKo);
    s.ReflectedAlarmState = s.AlarmState;
    s.AlarmStateChanged = false;
    m_log.appendSlot(m_currentKo, s.AlarmState ? QStringLiteral("データ警報発生")
                                               : QStringLiteral("データ警報解除"));
    m_reflectedAny = true;
    emit slotChanged(m_currentKo);
    reflect(m_currentKo + 1);
}

} // namespace zt
