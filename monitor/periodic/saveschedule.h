#pragma once

#include "records/settingsfiles.h"

#include <QDateTime>

namespace zt {

enum class SaveType { Daily = 0, Weekly = 1, Monthly = 2 };

// The next automatic save after `now`: at `hour` today while that hour is still ahead,
// otherwise one day, week or month later at that hour (a month later keeps the day
// or falls back to the month's last day).
QDateTime nextSaveTime(const QDateTime &now, int saveType, int hour);

// "初期設定に戻す": daily at 00:00 without sub-folders; the automatic save and the
// accumulate choice stay as they are.
void resetSaveOptions(AutoSaveSettings &options);

} // namespace zt
