#pragma once

#include "readout/readoutrange.h"
#include "link/receivervalues.h"

#include <array>

// What the read-out dialog needs from the receiver before the user chooses.
namespace zt {

class SerialLink;

// A slot's kind and the four "13" values, compared again after the read-out.
struct SlotKind
{
    qint16 KoKind = 0;
    MeasureRanges ranges;
    bool read = false;

    bool operator==(const SlotKind &) const = default;
};

struct ReadoutSurvey
{
    ReceiverValues values;
    std::array<SlotSpan, MaxKo> spans{}; // index KoNo - 1
    std::array<SlotKind, MaxKo> kinds{};

    bool registered(int koNo) const { return values.RegisteredFlags[std::size_t(koNo - 1)]; }
    bool recording(int koNo) const { return values.RecordingFlags[std::size_t(koNo - 1)]; }
    const SlotSpan &span(int koNo) const { return spans[std::size_t(koNo - 1)]; }
};

enum class PreparationResult { Ready = 0, CommFailure = 1, NothingRecorded = 2 };

// Opens the port, reads "05", "06", "08" and the "11" summary of every registered
// slot. Ready leaves the port open; any other result closes it.
PreparationResult prepareReadout(SerialLink &link, ReadoutSurvey &survey);

// "13" of every registered slot as the dialog opens; a slot whose read fails keeps
// what it had.
void readSlotKinds(SerialLink &link, ReadoutSurvey &survey);

// Reads "13" of one slot into `kind`; false on a failed exchange.
bool readSlotKind(SerialLink &link, int koNo, ReceiverValues &values, SlotKind &kind);

} // namespace zt
