#pragma once

#include <QIcon>
#include <QStringList>
#include <QToolBar>

namespace zt {

// Edge of a tool bar picture in device-independent pixels, the same in every window.
constexpr int ToolbarIconSize = 24;

// The pictures drawn for this program's tool bars: "open", "save", "print", "graph",
// "readout", "recording", "monitor", "range", "label", "linewidth", "reflines".
QStringList toolbarIconNames();

// One of them, rendered sharp at single and double resolution; a null icon for an
// unknown name.
QIcon toolbarIcon(const QString &name);

// Gives a tool bar the common look: picture size and caption under the picture.
void styleToolbar(QToolBar *bar);

} // namespace zt
