#include "graph/headtickdelegate.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

namespace zt {

void HeadTickDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    if (!(opt.features & QStyleOptionViewItem::HasCheckIndicator))
        return;
    const QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
    const QRectF box =
        QRectF(style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, opt.widget))
            .adjusted(0.5, 0.5, -0.5, -0.5);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(QColor(32, 32, 32), 1));
    painter->setBrush(Qt::white);
    painter->drawRect(box);
    if (opt.checkState == Qt::Checked) {
        QPainterPath tick;
        tick.moveTo(box.left() + 0.2 * box.width(), box.top() + 0.52 * box.height());
        tick.lineTo(box.left() + 0.42 * box.width(), box.top() + 0.74 * box.height());
        tick.lineTo(box.left() + 0.8 * box.width(), box.top() + 0.26 * box.height());
        painter->setPen(QPen(Qt::black, std::max(2.0, box.width() / 6), Qt::SolidLine, Qt::RoundCap,
                             Qt::RoundJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(tick);
    }
    painter->restore();
}

} // namespace zt
