#pragma once

#include <QStyledItemDelegate>

namespace zt {

// Draws the visibility tick of the info grid's head cells as a black tick in a white box,
// so it reads on any series colour (the style's own tick is white on a light box).
class HeadTickDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};

} // namespace zt
