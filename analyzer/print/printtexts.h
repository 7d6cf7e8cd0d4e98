#pragma once

#include "records/channels.h"

#include <QString>

namespace zt {

// A sample cell of the data list: "*****", "-----", or the value followed by "◆" when the
// alarm mark is set, else by three spaces so that the values line up.
QString listSampleText(ChannelKind kind, qint16 value, qint16 alarmMark);

// Head of a channel column of the data list: name line 1, line 2, unit.
QString listHeadText(const QString &name, ChannelKind kind);

// The transmitter slot holding `seriesNo`, or null.
const KoSeries *seriesOf(const LogSet &set, int seriesNo);

// Series number and channel (1, 2) of a display channel number.
inline int seriesNoOfChannel(int channelNo)
{
    return (channelNo + 1) / 2;
}
inline int channelOfChannel(int channelNo)
{
    return channelNo % 2 == 1 ? 1 : 2;
}

} // namespace zt
