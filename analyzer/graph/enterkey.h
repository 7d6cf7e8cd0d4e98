#pragma once

#include <QEvent>
#include <QKeyEvent>

namespace zt {

// Return or the keypad's Enter pressed: the entry boxes' "check now" key.
inline bool isEnterKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace zt
