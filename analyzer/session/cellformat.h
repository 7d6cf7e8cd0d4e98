#pragma once

#include "records/channels.h"

#include <QString>

// Texts of list and header cells, shared by the list and the printouts.
namespace zt {

// A sample as the list shows it: temperature /10 "0.0", humidity "0", "*****  " and
// "-----  " for the special values, "◆" appended when the alarm mark is set.
QString sampleCellText(ChannelKind kind, qint16 value, qint16 alarmMark);

// A statistic: as a sample, or "-----" when there is none.
QString statCellText(ChannelKind kind, qint16 value, bool available = true);

// The recording interval "hh:nn", 0:00 shown as "24:00".
QString intervalCellText(int hours, int minutes);

// Row times in the list: "yy-mm-dd hh:nn".
QString rowTimeText(const QDateTime &t);

} // namespace zt
