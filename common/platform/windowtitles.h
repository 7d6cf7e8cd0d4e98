#pragma once

#include <QString>
#include <QStringList>

// The window titles by which the two programs recognise each other.
namespace zt {

// The analysis program's main window.
QString analyzerWindowTitle();

// The monitor's start dialog and its list window; the second receiver's monitor
// carries a "2" after each.
QString monitorStartTitle(bool secondReceiver = false);
QString monitorListTitle(bool secondReceiver = false);
QStringList monitorWindowTitles(bool secondReceiver = false);

// True when that monitor runs; with bringToFront its window is asked to come forward.
bool isMonitorRunning(bool secondReceiver, bool bringToFront = false);

} // namespace zt
