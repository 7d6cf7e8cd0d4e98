#pragma once

#include "link/fields.h"
#include "records/limits.h"

#include <QDateTime>
#include <QString>
#include <array>

// Plain values read from (or written to) a receiver, filled by the reply parsers.
namespace zt {

struct AlarmLimits
{
    qint16 AlarmHigh1 = 0;
    qint16 AlarmLow1 = 0;
    qint16 AlarmHigh2 = 0;
    qint16 AlarmLow2 = 0;

    bool operator==(const AlarmLimits &) const = default;
};

struct MeasureRanges
{
    qint16 RangeHigh1 = 0;
    qint16 RangeLow1 = 0;
    qint16 RangeHigh2 = 0;
    qint16 RangeLow2 = 0;

    bool operator==(const MeasureRanges &) const = default;
};

// One transmitter slot as the receiver reports it.
struct SlotValues
{
    // "11": recorded-data summary.
    qint16 DataCount = 0;
    QDateTime newestTime;
    qint16 summary1 = 0;
    qint16 summary2 = 0;
    QString summaryText; // positions 22-29 as received
    // "13": kind, ranges and newest sample.
    qint16 KoKind = 0;
    MeasureRanges ranges;
    QDateTime latestTime;
    RawRecord LatestRecord;
    // "07": alarm limits.
    AlarmLimits limits;
};

struct ReceiverValues
{
    // "05"
    qint32 ReceiverID = 0;
    QString idPrefix; // positions 9-12, not interpreted
    // "06"
    qint16 SystemKoCount = 0;
    std::array<bool, MaxKo> RegisteredFlags{};
    int registeredCount = 0;
    int MeasureInterval = 0; // minutes
    int CommInterval = 0;    // minutes
    QDateTime ReceiverClock; // also from "10"
    // "08", and bit 3 of SlotStatus in "10"
    std::array<bool, MaxKo> RecordingFlags{};
    // "10"
    qint16 statusDigit = 0;
    qint16 contactDigit = 0;
    std::array<qint16, MaxKo> SlotStatus{};
    std::array<qint16, MaxKo> SlotValue{};

    std::array<SlotValues, MaxKo> slotValues; // index KoNo - 1

    SlotValues &slot(int koNo) { return slotValues[std::size_t(koNo - 1)]; }
    const SlotValues &slot(int koNo) const { return slotValues[std::size_t(koNo - 1)]; }
};

// SlotStatus bit 3: the slot's transmitter is recording.
constexpr qint16 SlotRecordingBit = 0x8;
// Receiver contact digit: bit 0 ALARM output, bits 1 and 2 BATT AL output.
inline bool alarmContactOn(int contactDigit)
{
    return (contactDigit & 0x1) != 0;
}
inline bool batteryContactOn(int contactDigit)
{
    return (contactDigit & 0x6) != 0;
}

} // namespace zt
