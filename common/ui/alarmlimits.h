#pragma once

#include "link/receivervalues.h"
#include "records/limits.h"

#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <optional>

// The alarm settings dialog's logic: the transmitter table it edits, its whole-unit
// working copy, the clamping, pairing and apply-to-all rules and the sending of changes.
namespace zt {

// One transmitter slot as the alarm dialog sees it; limits and ranges in tenths.
struct AlarmSlot
{
    bool KoOperating = false;
    bool KoRegistered = false;
    int KoKind = 0;
    QString KoName;
    AlarmLimits limits;
    MeasureRanges ranges;
    bool AlarmChanged = false;

    // Only kind 12 has the humidity channel in this dialog.
    bool hasChannel2() const { return KoKind == 12; }
};

struct AlarmTable
{
    int KoCount = 0; // slots 1..KoCount get a tab
    std::array<AlarmSlot, MaxKo> entries;

    AlarmSlot &slot(int koNo) { return entries[std::size_t(koNo - 1)]; }
    const AlarmSlot &slot(int koNo) const { return entries[std::size_t(koNo - 1)]; }
};

// "未登録", "非稼動" or the slot number.
QString alarmTabCaption(const AlarmTable &table, int koNo);
bool isEditableTab(const AlarmTable &table, int koNo);

// A channel's limits in whole units.
struct LimitPair
{
    int upper = 0;
    int lower = 0;
    bool operator==(const LimitPair &) const = default;
};

// Tenths to whole units, halves to even.
int wholeUnits(qint16 tenths);

// The spin bounds of a channel: maximum from the high end, minimum from the low end.
LimitPair spinBounds(const MeasureRanges &ranges, int channel);

// The stored upper limit keeps one unit inside the range's low end, the lower limit
// never goes below it; a lower limit left at or above the upper one is moved under it.
LimitPair clampToRange(LimitPair shown, qint16 rangeHigh, qint16 rangeLow);

// The spin pairing after one up/down click, so the upper limit stays above the lower.
enum class SpinRole { Upper, Lower };
LimitPair pairAfterStep(LimitPair after, SpinRole clicked, bool up);

// Entries 1..30 hold CH1 of each slot, 31..60 CH2; a single-channel slot's CH2 holds NoLimit.
class AlarmWorkingCopy
{
public:
    static constexpr int NoLimit = -32768;

    void load(const AlarmTable &table);
    LimitPair channel(int koNo, int channel) const;
    void setChannel(int koNo, int channel, LimitPair limits);

private:
    static std::size_t index(int koNo, int channel)
    {
        return std::size_t(koNo - 1 + (channel - 1) * MaxKo);
    }
    std::array<int, 2 * MaxKo> upper{};
    std::array<int, 2 * MaxKo> lower{};
};

// What the shown tab's spins hold; ch2 is empty when the shown slot has no CH2.
struct ShownLimits
{
    LimitPair ch1;
    std::optional<LimitPair> ch2;
};

// Leaving a tab: the shown limits go into the shown slot, or into every operating
// slot when applying to all, each clamped to the target's own ranges. CH2 is copied
// only to slots that have it and only when the shown slot has it.
void storeShownLimits(AlarmWorkingCopy &work, const AlarmTable &table, int shownKo,
                      const ShownLimits &shown, bool toAll);

// Applying to all is refused when an operating slot's CH1 range differs from the
// first operating slot's.
bool sameRangesForAll(const AlarmTable &table);

// Flags (AlarmChanged) every operating slot whose working limits differ from the
// stored ones; returns the flagged slots in ascending order.
QList<int> markChangedSlots(AlarmTable &table, const AlarmWorkingCopy &work);

// The "07" limits of a slot: the working copy in tenths; a single-channel slot's
// CH2 fields carry its stored values so the receiver keeps them.
AlarmLimits limitsToSend(const AlarmTable &table, const AlarmWorkingCopy &work, int koNo);

using AlarmSender = std::function<bool(int koNo, const AlarmLimits &limits)>;

struct AlarmSendResult
{
    QList<int> sent;
    int failedKo = 0; // 0 when every flagged slot was accepted
};

// Sends each flagged slot in ascending order, storing what the receiver accepted and
// clearing its flag; the first refusal stops and leaves it and later slots flagged.
AlarmSendResult sendChangedSlots(AlarmTable &table, const AlarmWorkingCopy &work,
                                 const AlarmSender &send);

} // namespace zt
