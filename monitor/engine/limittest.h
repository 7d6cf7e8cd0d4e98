#pragma once

#include <QtGlobal>

// The monitor's alarm rule for one reading in tenths. It differs from the read-out's
// alarm marks: special codes below -999 (sensor error, "*****") always alarm, the
// missing-data and no-value codes never do.
namespace zt {

bool monitorLimitAlarm(qint16 value, qint16 high, qint16 low);

} // namespace zt
