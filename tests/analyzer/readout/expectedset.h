#pragma once

#include "engine/receiverengine.h"
#include "records/logset.h"
#include "records/settingsfiles.h"

#include <QList>

namespace zt::readout {

// The samples a read-out should take of one slot: `count` records from index
// `first` of what the receiver holds (0 = oldest).
struct SlotTake
{
    int koNo = 0;
    int first = 0;
    int count = 0;
};

// The set a read-out of these slots must produce, worked out from the engine's own
// records rather than from the wire.
LogSet expectedSet(const sim::ReceiverEngine &engine, const QList<SlotTake> &takes, int koCount,
                   const SettingsRecords &settings);

// QCOMPARE of every field, statistic, sample and mark; check QTest::currentTestFailed().
void compareSets(const LogSet &actual, const LogSet &expected);

} // namespace zt::readout
