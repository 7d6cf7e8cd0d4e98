#pragma once

#include "engine/samplering.h"
#include "engine/samplesource.h"
#include "engine/scenario.h"
#include "engine/simclock.h"

#include <QByteArray>
#include <QObject>
#include <array>

namespace zt::sim {

struct SlotState
{
    SlotSetup setup;
    bool registered = false;
    SampleRing ring;
    qint64 nextSample = 0; // index, counted from the recording start, of the next record due
    qint64 lastBatch = -1; // index of the last radio batch that arrived
    int counter = 0;       // 7-bit data counter
    bool limitsWritten = false;
    bool alarm = false; // held in alarm by the PC ("21" F / E)
    bool battery = false;
    bool radio = false;

    bool hasData() const { return ring.size() > 0; }
    int slotStatus() const;
    int slotValue() const { return (counter & 0x7F) | (limitsWritten ? 0x80 : 0); }
};

// The receiver's state and command set, without any port: request frames in, reply bytes out.
class ReceiverEngine : public QObject
{
    Q_OBJECT
public:
    explicit ReceiverEngine(const Scenario &scenario, SimClock::MsSource source = {},
                            QObject *parent = nullptr);

    // `frame` is the text between STX and ETX; the result is the whole reply, STX to LF.
    QByteArray handleFrame(QByteArrayView frame);

    SimClock &clock() { return m_clock; }
    const SimClock &clock() const { return m_clock; }
    QDateTime now() const { return m_clock.now(); }
    quint16 receiverId() const { return m_receiverId; }
    int systemKoCount() const { return m_koCount; }
    int measureMinutes() const { return m_measureMinutes; }
    int commMinutes() const { return m_commMinutes; }
    QDateTime recordingStart() const { return m_recordingStart; }
    bool remoteMode() const { return m_remoteMode; }
    void setRemoteMode(bool on);
    int contactDigit() const;
    QList<int> registeredSlots() const;

    // Brings every slot's records up to the clock; commands call it first.
    void catchUp();
    const SlotState &slot(int koNo) const { return m_slots[std::size_t(koNo - 1)]; }
    QDateTime newestTime(int koNo) const;
    QDateTime sampleTime(qint64 index) const;
    // The slot's memory loses every record measured before `t`.
    void forgetBefore(int koNo, const QDateTime &t);

signals:
    void remoteModeChanged(bool on);

private:
    QByteArray dispatch(const QString &access, const QString &code, const QString &data);
    QByteArray readIdentification(const QString &data);
    QByteArray readSettings(const QString &data);
    QByteArray readLimits(const QString &data);
    QByteArray writeLimits(const QString &data);
    QByteArray readRecording(const QString &data);
    QByteArray readStatus(const QString &data);
    QByteArray readSummary(const QString &data);
    QByteArray readBlock(const QString &data);
    QByteArray readKind(const QString &data);
    QByteArray setRemote(const QString &data);
    QByteArray setKoCount(const QString &data);
    QByteArray setClock(const QString &data);
    QByteArray releaseAlarm(const QString &data);

    QByteArray reply(const QString &payload) const;
    int slotArgument(const QString &data) const; // 1..30, or 0 when not a valid TT
    void restartRecording(const QDateTime &start);
    void catchUpSlot(SlotState &s, const QDateTime &now);
    qint64 latestBatch(int slot, const QDateTime &now) const;
    qint64 arrivedBatches(int slot, qint64 first, qint64 last) const;
    void applyRemoteEvents(const QDateTime &now);
    void updateFaultFlags(const QDateTime &now);

    SimClock m_clock;
    SampleSource m_source;
    quint16 m_receiverId;
    int m_koCount;
    int m_measureMinutes;
    int m_commMinutes;
    QDateTime m_recordingStart;
    bool m_remoteMode;
    bool m_battContactBattery = false; // BATT AL contact latched by a battery alarm
    bool m_battContactRadio = false;   // ... or by a radio failure
    QDateTime m_lastCatchUp;
    QList<ScenarioEvent> m_pendingForget;
    qint64 m_clockJump = 0;   // seconds still to apply to the clock
    QString m_access, m_code; // of the request being answered
    std::array<SlotState, 30> m_slots;
};

QByteArray ackReply();
QByteArray nakReply();

} // namespace zt::sim
