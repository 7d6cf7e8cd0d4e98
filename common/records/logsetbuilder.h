#pragma once

#include "records/logset.h"
#include "records/registry.h"

#include <QDateTime>
#include <QString>
#include <vector>

// One way from the receiver's records to a LogSet, shared by the read-out and the
// monitor's periodic files, so a file written by either shows the same values.
namespace zt {

// A record as the receiver sends it: both channels in tenths, or a special code.
struct RawPair
{
    qint16 ch1 = 0;
    qint16 ch2 = 0;
    bool operator==(const RawPair &) const = default;
};

// The alarm limits of a transmitter, in tenths, against which its marks are set.
struct MarkLimits
{
    qint16 high1 = 0;
    qint16 low1 = 0;
    qint16 high2 = 0;
    qint16 low2 = 0;
};

// The consecutive records of one transmitter, oldest first.
struct SlotRecords
{
    int koNo = 0;
    int koKind = 0;
    QDateTime firstTime; // time of records[0]
    MarkLimits limits;
    std::vector<RawPair> records;
};

struct SetHeader
{
    int oyaSlot = 1;
    QString oyaName;
    int intervalMinutes = 0; // as the receiver reports it
    int koCount = 0;
    // Offsets above this become 0 (the monitor's files cap them lower than MaxSamples).
    int maxOffset = MaxSamples;
};

// The value a LogSet holds for a raw sample: valid values as they are, CH2 of a
// humidity channel in whole units (halves to even); E000/F000 StarValue, C000 and
// any other invalid code DashValue.
qint16 storedValue(int raw, bool wholeUnits);
// Whether CH2 of this kind is held in whole units (everything but a second temperature).
bool ch2InWholeUnits(int koKind);

// Fills `set` from scratch: series numbered densely in ascending KoNo, samples, marks,
// start time, offsets and statistics. Slots without records are left out; at most
// MaxSamples of the newest records of a slot are taken. Names come from `names` when given.
void buildLogSet(const SetHeader &header, std::vector<SlotRecords> input, LogSet &set,
                 const KoNameTable *names = nullptr);

} // namespace zt
