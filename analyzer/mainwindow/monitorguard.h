#pragma once

#include <QStringList>

namespace zt {

// Window titles by which the resident monitor of receiver 1 or 2 is recognised.
QStringList monitorWindowTitles(bool secondReceiver);

// True when that monitor runs; with bringToFront its window is asked to come forward.
bool isMonitorRunning(bool secondReceiver, bool bringToFront = false);

} // namespace zt
