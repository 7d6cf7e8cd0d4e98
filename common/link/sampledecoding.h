#pragma once

#include "link/receivervalues.h"

#include <QStringView>

namespace zt {

// One record of a read-out as the LogSet holds it.
struct DecodedSample
{
    qint16 ch1 = 0;
    qint16 ch2 = 0;
    qint16 mark1 = 0; // AlarmMarks of CH1
    qint16 mark2 = 0; // AlarmMarks of CH2
};

// Decodes an 8-character RecordField: valid values are marked against the slot's
// limits (in tenths) before CH2 is brought to whole units. A kind 11 transmitter's
// CH2 is a second temperature and stays in tenths like CH1.
DecodedSample decodeRecord(QStringView record, const AlarmLimits &limits, int koKind);

// Whether CH2 of this kind is stored in whole units.
bool ch2DividedByTen(int koKind);

} // namespace zt
