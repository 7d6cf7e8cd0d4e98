#pragma once

#include "records/datetime.h"
#include "records/logsetbuilder.h"

// The batches the journal writer appends, in order: three slots taking turns, five
// one-minute records each, so every slot's batches follow on without a gap.
namespace zt::test {

constexpr int BatchRecords = 5;
constexpr int BatchSlots = 3;

inline SetHeader batchHeader()
{
    SetHeader h;
    h.oyaSlot = 2;
    h.oyaName = QStringLiteral("倉庫");
    h.intervalMinutes = 1;
    h.koCount = BatchSlots;
    return h;
}

inline SlotRecords batch(int i)
{
    SlotRecords s;
    s.koNo = i % BatchSlots + 1;
    s.koKind = s.koNo == 2 ? 10 : 12;
    s.firstTime = wallClock(2026, 12, 1, 9, 0).addSecs(qint64(i / BatchSlots) * BatchRecords * 60);
    s.limits = {300, 100, 800, 200};
    for (int j = 0; j < BatchRecords; ++j)
        s.records.push_back({qint16(i * 10 + j), qint16(500 + j)});
    return s;
}

} // namespace zt::test
