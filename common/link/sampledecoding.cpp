#include "link/sampledecoding.h"

#include "link/fields.h"
#include "records/channels.h"
#include "records/statistics.h"

namespace zt {

bool ch2DividedByTen(int koKind)
{
    return channelKind(koKind, 2) != ChannelKind::Temperature;
}

DecodedSample decodeRecord(QStringView record, const AlarmLimits &limits, int koKind)
{
    const RawRecord raw = readRecordField(record);
    DecodedSample s;
    s.ch1 = storedSample(raw.ch1, false);
    s.ch2 = storedSample(raw.ch2, ch2DividedByTen(koKind));
    s.mark1 = alarmMark(raw.ch1, limits.AlarmHigh1, limits.AlarmLow1);
    s.mark2 = alarmMark(raw.ch2, limits.AlarmHigh2, limits.AlarmLow2);
    return s;
}

} // namespace zt
