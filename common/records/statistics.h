#pragma once

#include "records/logset.h"

namespace zt {

// After a read-out: the earliest first-sample time (KoSeries::firstSampleTime) of the
// series with samples becomes the start time; offsets are whole intervals from it,
// halves to even; an offset that would push the series past MaxSamples becomes 0.
void computeStartAndOffsets(LogSet &set);

// ErrorCount, MaxValue, MinValue and AvgValue of every slot and channel.
void computeStatistics(LogSet &set);

// 1 when a valid raw sample (tenths) lies strictly outside [low, high], else 0.
qint16 alarmMark(int rawValue, int high, int low);

} // namespace zt
