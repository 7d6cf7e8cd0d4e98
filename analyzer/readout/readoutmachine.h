#pragma once

#include "readout/readoutpreparation.h"
#include "readout/readoutrange.h"
#include "link/commandtable.h"
#include "records/logset.h"
#include "records/logsetbuilder.h"
#include "records/settingsfiles.h"

#include <QObject>
#include <QStringList>
#include <array>
#include <memory>

namespace zt {

class SerialLink;

// The read-out loop: slot after slot, "07" and "11", then blocks of "12", driven by
// the link's completion hand-off. A new LogSet is handed over only when every step
// ended well and the receiver's settings did not change meanwhile.
class ReadoutMachine : public QObject
{
    Q_OBJECT
public:
    enum class State {
        Idle,
        Summary, // async "11" of the current slot outstanding
        Blocks,  // async "12" outstanding
        Taken,   // a new set is ready
        NothingRead,
        Cancelled,
        Failed,
        Voided, // the receiver's settings changed during the read
    };
    Q_ENUM(State)

    // Outcome of start().
    enum class StartResult { Started, NothingToRead, Failed };

    // `settings` supplies the registry and names and receives the ReadMarks, written
    // to `readMarksPath` after a read-out that produced a set.
    ReadoutMachine(SerialLink &link, SettingsRecords &settings, QString readMarksPath,
                   QObject *parent = nullptr);
    ~ReadoutMachine() override;

    // The dialog's choice: the survey of the preparation (port open), the range and
    // the chosen slots (index KoNo - 1).
    StartResult start(const ReadoutSurvey &survey, const ReadRange &range,
                      const std::array<bool, MaxKo> &selected);
    // Honoured at the next completion step, i.e. between two exchanges.
    void cancel();

    State state() const { return m_state; }
    bool reading() const { return m_state == State::Summary || m_state == State::Blocks; }
    // Status dialog kind of an unsuccessful end: 5, 10, 20 or 21 (0 otherwise).
    int statusKind() const { return m_statusKind; }
    // Kind 21: one line per changed item with the slots concerned.
    QString changeText() const { return m_changeText; }
    // The plan of a slot as last computed.
    ReadPlan plan(int koNo) const { return m_slots[std::size_t(koNo - 1)].plan; }
    // Error number of the ReadMarks write (0 = fine).
    int readMarksError() const { return m_readMarksError; }
    // The new set after State::Taken; empty otherwise and after the first call.
    std::unique_ptr<LogSet> takeSet() { return std::move(m_result); }

signals:
    void stateChanged(zt::ReadoutMachine::State state);
    // ProgressBar1: slots finished of the slots to read.
    void slotProgress(int finished, int total);
    // ReadStatusDisp: the ordinal (1-based) of the slot being read.
    void slotStarted(int koNo, int ordinal);
    // ProgressBar2: samples of the current slot read so far.
    void sampleProgress(int position, int count);

private:
    struct SlotRead
    {
        bool toRead = false; // chosen, with samples in the range
        ReadPlan plan;
        AlarmLimits limits;
        bool done = false;
    };
    enum class SlotEnd { Read = 1, Skipped = 2 };

    void setState(State state);
    void onCompleted();
    void onSummary();
    void onBlock(int received);
    void onStepFailed();
    int nextSlotAfter(int koNo) const;
    bool startSlot(int koNo);
    bool send(const Request &request);
    void beginBlocks();
    void sendBlock();
    ReadPlan freshPlan() const;
    void storeRecords();
    void endSlot(SlotEnd how);
    void finish();
    void end(State state, int statusKind);
    void buildSet();
    void updateReadMarks();
    SlotRead &current() { return m_slots[std::size_t(m_koNo - 1)]; }

    SerialLink &m_link;
    SettingsRecords &m_settings;
    QString m_readMarksPath;
    State m_state = State::Idle;
    ReadoutSurvey m_survey;
    ReadRange m_range;
    std::array<SlotRead, MaxKo> m_slots{};
    int m_toRead = 0;
    int m_finished = 0;
    int m_koNo = 0;
    int m_position = 0;
    int m_retries = 0;
    Request m_request; // the outstanding "12"
    QStringList m_records;
    bool m_awaiting = false; // an async request is outstanding
    bool m_cancelRequested = false;
    std::vector<SlotRecords> m_collected; // the slots read whole, in slot order
    std::unique_ptr<LogSet> m_working;
    std::unique_ptr<LogSet> m_result;
    int m_statusKind = 0;
    QString m_changeText;
    int m_readMarksError = 0;
};

} // namespace zt
