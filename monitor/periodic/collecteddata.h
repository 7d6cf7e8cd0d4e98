#pragma once

#include "records/logsetbuilder.h"

#include <vector>

namespace zt {

// What the monitor has collected and not yet saved: the receiver's header values and
// the buffered records of every operating slot that holds some.
struct CollectedData
{
    SetHeader header;
    std::vector<SlotRecords> slotRecords;

    bool hasRecords() const
    {
        for (const SlotRecords &s : slotRecords)
            if (!s.records.empty())
                return true;
        return false;
    }
};

// Offsets in the monitor's files above this become 0.
constexpr int PeriodicMaxOffset = 16000;

} // namespace zt
