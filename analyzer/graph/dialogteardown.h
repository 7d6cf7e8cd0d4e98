#pragma once

#include <QObject>

namespace zt {

// A dialog deleted while it is shown loses the focus inside QWidget's destructor, after
// its own members are gone; a leave check reached from there would use them. Cutting
// the children's signals and event filters to the dialog first keeps that from running.
inline void detachChildren(QObject *owner)
{
    for (QObject *child : owner->findChildren<QObject *>()) {
        child->disconnect(owner);
        child->removeEventFilter(owner);
    }
}

} // namespace zt
