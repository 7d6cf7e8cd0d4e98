#pragma once

#include "engine/alarmlog.h"
#include "engine/cyclestate.h"
#include "engine/monitorslot.h"
#include "engine/recordbuffer.h"
#include "engine/statustracking.h"
#include "link/commandtable.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <functional>
#include <vector>

class QTimer;

namespace zt {

class SerialLink;
struct SettingsRecords;

// The records one slot received in one exchange series, as stored in its buffer:
// missing-data fillers first, then the new records.
struct StoredBatch
{
    int koNo = 0;
    bool bufferEmptied = false; // a gap too wide: the buffer was emptied before
    QDateTime firstTime;        // time of records[0]
    std::vector<MonitorRecord> records;
    int fillers = 0;
};

// The monitoring cycle: poll, recording starts, reading of changed transmitters,
// alarm evaluation and reflection, end of cycle, retries and recovery. Driven by the
// link's completion hand-off and the poll timer; never more than one exchange.
class MonitorCycle : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultPollIntervalMs = 10000;
    static constexpr int FirstPollDelayMs = 50;
    static constexpr int ReleasePollDelayMs = 10;
    static constexpr int MaxPhaseRetries = 3;
    static constexpr int PollFailureAlert = 3;
    static constexpr int PollFailureCap = 10;

    // The link must be in watch mode; its port name is set by the caller.
    explicit MonitorCycle(SerialLink &link, QObject *parent = nullptr);
    ~MonitorCycle() override;

    // Poll interval between cycles and the reply time-out of each exchange.
    void setPollInterval(int ms) { m_pollIntervalMs = ms; }
    int pollInterval() const { return m_pollIntervalMs; }
    void setReplyTimeout(int ms);
    // Registry and names for the receiver and transmitter names (may be null).
    void setSettings(const SettingsRecords *settings) { m_settings = settings; }

    // The monitoring start (synchronous, the event loop keeps running). On success
    // monitoring is active and the first poll follows after FirstPollDelayMs.
    StartResult start();
    // End of monitoring: the receiver leaves remote mode when it still answers and
    // the port is closed. True when the receiver acknowledged.
    bool stop();

    bool monitorActive() const { return m_active; }
    CycleState state() const { return m_state; }
    // An exchange of the cycle or a synchronous command is outstanding.
    bool isBusy() const;
    int pollFailures() const { return m_pollFailures; }
    int phaseRetries() const { return m_phaseRetries; }
    QString pendingCode() const { return m_pendingCode; }
    int currentKo() const { return m_currentKo; }

    // Poll timer control for synchronous senders (alarm settings, releases).
    void stopPolling();
    // Also the answer "continue" after pollFailuresAlert: polling resumes with fresh
    // retries. Ignored unless monitoring is active and the cycle idle.
    void restartPolling(int delayMs = 0);

    // Hook run at the end of every cycle (contact releases and auto-offs); returns
    // true when a release was sent, so the next poll follows at once.
    void setEndOfCycleStep(std::function<bool()> step) { m_endStep = std::move(step); }

    SerialLink &link() { return m_link; }
    qint32 receiverId() const { return m_receiverId; }
    QString receiverName() const { return m_receiverName; }
    int koCount() const { return m_koCount; }
    int maxRecords() const { return m_maxRecords; }
    int measureInterval() const { return m_measureInterval; }
    int commInterval() const { return m_commInterval; }
    QDateTime receiverClock() const { return m_clock; }

    const MonitorSlot &slot(int koNo) const { return m_slots[std::size_t(koNo - 1)]; }
    MonitorSlot &slot(int koNo) { return m_slots[std::size_t(koNo - 1)]; }
    const RecordBuffer &buffer(int koNo) const { return m_buffers[std::size_t(koNo - 1)]; }
    RecordBuffer &buffer(int koNo) { return m_buffers[std::size_t(koNo - 1)]; }
    AlarmLog &alarmLog() { return m_log; }
    const AlarmLog &alarmLog() const { return m_log; }
    const ContactIndicators &contacts() const { return m_contacts; }
    // Re-reads the contact indicators from the last poll (the list window's opening).
    void refreshContacts();

    // Column 8 turned on: monitoring on and its log entry.
    void enableAlarmMonitor(int koNo);
    // Turned off after a confirmed release (the caller logs it).
    void disableAlarmMonitor(int koNo);

signals:
    void stateChanged(zt::CycleState state);
    void monitorActiveChanged(bool active);
    // After every good poll reply, after the log's automatic save check (the data
    // save check runs here).
    void pollReplied();
    // A slot's row changed (status, data, alarm reflected).
    void slotChanged(int koNo);
    // Records were stored into a slot's buffer; slot().AlarmState holds the
    // batch's alarm result (the contact auto-off restarts on it).
    void recordsStored(const zt::StoredBatch &batch);
    // Receiver clock or contacts changed.
    void receiverStateChanged();
    // The third failed poll in a row.
    void pollFailuresAlert();
    // Remote mode could not be re-entered: monitoring cannot go on.
    void cannotContinue();
    // End of every cycle, after the end-of-cycle step.
    void cycleEnded();
    // Texts of the start sequence for the status dialog.
    void startProgress(const QString &text);

private:
    void setState(CycleState state);
    void onPollTimer();
    void onCompleted();
    void sendPoll();
    bool sendExchange(const Request &request);
    void handleReply();
    void handleError(int errorCode);
    void onPollReply();
    void nextPending(int fromKo);
    void onKindReply();
    void onLimitsWritten();
    void readChanged(int fromKo);
    void onSummaryReply();
    void requestNextBlock();
    void onBlockReply();
    void storeBatch();
    void reflect(int fromKo);
    void onReflected();
    void endCycle();
    void armPoll(int ms);
    void failSoon(int delayMs = 0);
    void pollFailed(int errorCode);
    int replyError();
    bool reenterRemoteMode();
    bool readReceiver(ReceiverValues &values);
    void takeReceiver(const ReceiverValues &values);
    bool setUpSlots(bool reentry);
    bool setUpSlot(MonitorSlot &s, bool reentry);
    void seedBuffer(MonitorSlot &s);
    void resetSlots();
    void applyStatus(bool fromCycle);
    void nameSlots();

    SerialLink &m_link;
    const SettingsRecords *m_settings = nullptr;
    QTimer *m_jochuTimer;
    QTimer *m_failTimer; // hands a send that could not go out to the error handling
    int m_pollIntervalMs = DefaultPollIntervalMs;
    bool m_active = false;
    CycleState m_state = CycleState::Idle;
    QString m_pendingCode;
    Request m_request;
    int m_phaseRetries = 0;
    int m_pollFailures = 0;
    int m_currentKo = 0;
    bool m_portLost = false;
    bool m_reflectedAny = false;
    bool m_repolledAtOnce = false;
    AlarmLimits m_pendingLimits;
    int m_oyaSlot = 1;

    ReceiverValues m_values;
    qint32 m_receiverId = 0;
    QString m_receiverName;
    int m_koCount = 0;
    int m_maxRecords = 0;
    int m_measureInterval = 1;
    int m_commInterval = 0;
    QDateTime m_clock;
    int m_contactDigit = 0;

    SlotArray m_slots;
    std::vector<RecordBuffer> m_buffers;
    AlarmLog m_log;
    ContactIndicators m_contacts;
    std::function<bool()> m_endStep;

    // The "12" series of the current slot.
    int m_toRead = 0;
    QDateTime m_firstTime;
    QStringList m_blockRecords;
};

} // namespace zt
Q_DECLARE_METATYPE(zt::StoredBatch)
