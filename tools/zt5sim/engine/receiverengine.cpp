#include "engine/receiverengine.h"

#include "records/channels.h"

#include <utility>

namespace zt::sim {

namespace {

qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

qint64 ceilDiv(qint64 a, qint64 b)
{
    return -floorDiv(-a, b);
}

} // namespace

int SlotState::slotStatus() const
{
    // Bit 3 only once records exist, so a PC that reads "13" for a recording slot finds data.
    return (alarm ? 1 : 0) | (battery ? 2 : 0) | (radio ? 4 : 0) |
           (setup.recording && hasData() ? 8 : 0);
}

ReceiverEngine::ReceiverEngine(const Scenario &scenario, SimClock::MsSource source, QObject *parent)
    : QObject(parent), m_clock(std::move(source)), m_source(scenario.seed, scenario.events),
      m_receiverId(scenario.receiverId), m_koCount(scenario.systemKoCount),
      m_measureMinutes(scenario.measureMinutes), m_commMinutes(scenario.commMinutes),
      m_recordingStart(scenario.recordingStart), m_remoteMode(scenario.remoteMode)
{
    m_clock.setNow(scenario.clockStart);
    m_clock.setSpeed(scenario.speed);
    m_lastCatchUp = scenario.clockStart;
    for (int koNo = 1; koNo <= MaxKo; ++koNo) {
        SlotState &s = m_slots[std::size_t(koNo - 1)];
        s.setup.slot = koNo;
        s.setup.recording = false;
        s.ring.reset(sampleCapacity(m_koCount));
    }
    for (const SlotSetup &setup : scenario.transmitters) {
        SlotState &s = m_slots[std::size_t(setup.slot - 1)];
        s.setup = setup;
        s.registered = true;
        s.limitsWritten = setup.limitsWritten;
    }
    catchUp();
}

void ReceiverEngine::setRemoteMode(bool on)
{
    if (m_remoteMode == on)
        return;
    m_remoteMode = on;
    emit remoteModeChanged(on);
}

int ReceiverEngine::contactDigit() const
{
    bool anyAlarm = false;
    for (const SlotState &s : m_slots)
        anyAlarm = anyAlarm || s.alarm;
    return (anyAlarm ? 1 : 0) | (m_battContactBattery ? 2 : 0) | (m_battContactRadio ? 4 : 0);
}

QList<int> ReceiverEngine::registeredSlots() const
{
    QList<int> out;
    for (const SlotState &s : m_slots)
        if (s.registered)
            out.append(s.setup.slot);
    return out;
}

QDateTime ReceiverEngine::sampleTime(qint64 index) const
{
    return m_recordingStart.addSecs(index * m_measureMinutes * 60);
}

QDateTime ReceiverEngine::newestTime(int koNo) const
{
    const SlotState &s = slot(koNo);
    return s.hasData() ? sampleTime(s.nextSample - 1) : QDateTime();
}

void ReceiverEngine::catchUp()
{
    const QDateTime now = m_clock.now();
    applyRemoteEvents(now);
    for (SlotState &s : m_slots)
        catchUpSlot(s, now);
    for (const ScenarioEvent &e : std::exchange(m_pendingForget, {}))
        forgetBefore(e.slot, e.from);
    updateFaultFlags(now);
    m_lastCatchUp = now;
    if (m_clockJump != 0) {
        // The receiver's clock is set forward or back; records keep their grid.
        m_clock.setNow(now.addSecs(std::exchange(m_clockJump, 0)));
        m_lastCatchUp = m_clock.now();
    }
}

void ReceiverEngine::applyRemoteEvents(const QDateTime &now)
{
    for (const ScenarioEvent &e : m_source.events()) {
        if (e.from <= m_lastCatchUp || e.from > now)
            continue;
        if (e.type == ScenarioEvent::Type::LeaveRemote)
            setRemoteMode(false);
        else if (e.type == ScenarioEvent::Type::Forget)
            m_pendingForget.append(e);
        else if (e.type == ScenarioEvent::Type::ClockJump)
            m_clockJump += qint64(e.minutes) * 60;
    }
}

void ReceiverEngine::forgetBefore(int koNo, const QDateTime &t)
{
    SlotState &s = m_slots[std::size_t(koNo - 1)];
    const qint64 step = qint64(m_measureMinutes) * 60;
    const qint64 firstKept = ceilDiv(m_recordingStart.secsTo(t), step);
    const qint64 oldest = s.nextSample - s.ring.size();
    if (firstKept > oldest)
        s.ring.dropOldest(int(std::min<qint64>(firstKept - oldest, s.ring.size())));
}

void ReceiverEngine::updateFaultFlags(const QDateTime &now)
{
    for (SlotState &s : m_slots) {
        if (!s.registered)
            continue;
        const bool battery = m_source.batteryLow(s.setup.slot, now);
        const bool radio = m_source.radioDown(s.setup.slot, now);
        // The BATT AL contact latches when a fault begins and stays on until released.
        m_battContactBattery = m_battContactBattery || (battery && !s.battery);
        m_battContactRadio = m_battContactRadio || (radio && !s.radio);
        s.battery = battery;
        s.radio = radio;
    }
}

// Batches leave the transmitter at recording start + b * CommInterval; one sent while the
// radio is down never arrives.
qint64 ReceiverEngine::latestBatch(int slot, const QDateTime &now) const
{
    const qint64 commSecs = qint64(m_commMinutes) * 60;
    const qint64 elapsed = m_recordingStart.secsTo(now);
    if (elapsed < 0)
        return -1;
    qint64 b = elapsed / commSecs;
    while (b >= 0) {
        const QDateTime t = m_recordingStart.addSecs(b * commSecs);
        const ScenarioEvent *down = nullptr;
        for (const ScenarioEvent &e : m_source.events())
            if (e.type == ScenarioEvent::Type::Radio && e.slot == slot && e.covers(t))
                down = &e;
        if (!down)
            return b;
        b = floorDiv(m_recordingStart.secsTo(down->from) - 1, commSecs);
    }
    return -1;
}

qint64 ReceiverEngine::arrivedBatches(int slot, qint64 first, qint64 last) const
{
    const qint64 commSecs = qint64(m_commMinutes) * 60;
    qint64 count = last - first + 1;
    for (const ScenarioEvent &e : m_source.events()) {
        if (e.type != ScenarioEvent::Type::Radio || e.slot != slot)
            continue;
        const qint64 lostFirst =
            std::max(first, ceilDiv(m_recordingStart.secsTo(e.from), commSecs));
        const qint64 lostLast =
            e.to.isValid() ? std::min(last, ceilDiv(m_recordingStart.secsTo(e.to), commSecs) - 1)
                           : last;
        if (lostLast >= lostFirst)
            count -= lostLast - lostFirst + 1;
    }
    return std::max<qint64>(count, 0);
}

void ReceiverEngine::catchUpSlot(SlotState &s, const QDateTime &now)
{
    if (!s.registered || !s.setup.recording)
        return;
    const qint64 batch = latestBatch(s.setup.slot, now);
    if (batch <= s.lastBatch)
        return;
    s.counter = int((s.counter + arrivedBatches(s.setup.slot, s.lastBatch + 1, batch)) & 0x7F);
    s.lastBatch = batch;
    const qint64 lastSample = batch * m_commMinutes / m_measureMinutes;
    // Records older than the ring's capacity would be overwritten at once: skip them.
    const qint64 first = std::max(s.nextSample, lastSample - s.ring.capacity() + 1);
    for (qint64 k = first; k <= lastSample; ++k)
        s.ring.push(m_source.record(s.setup, sampleTime(k)));
    s.nextSample = std::max(s.nextSample, lastSample + 1);
}

void ReceiverEngine::restartRecording(const QDateTime &start)
{
    m_recordingStart = start;
    for (SlotState &s : m_slots) {
        s.ring.clear();
        s.nextSample = 0;
        s.lastBatch = -1;
        s.counter = 0;
        s.limitsWritten = false;
        s.alarm = false;
    }
}

QByteArray ackReply()
{
    return QByteArrayLiteral("\x02\x06\x03\r\n");
}

QByteArray nakReply()
{
    return QByteArrayLiteral("\x02\x15\x03\r\n");
}

} // namespace zt::sim
