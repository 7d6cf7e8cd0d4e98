#include "graph/plotpicture.h"

#include <QMouseEvent>
#include <QPainter>

namespace zt {

PlotPicture::PlotPicture(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("gImage"));
    setMouseTracking(true);
}

void PlotPicture::setRubberBand(const QRectF &rect)
{
    rubber = rect;
    update();
}

void PlotPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture);
    if (rubber.isNull())
        return;
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rubber);
}

void PlotPicture::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit pressed(event->position());
}

void PlotPicture::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        emit dragged(event->position());
    else if (event->buttons() == Qt::NoButton)
        emit hovered(event->position());
}

void PlotPicture::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit released(event->position());
    else if (event->button() == Qt::RightButton)
        emit rightClicked(event->globalPosition().toPoint());
}

void PlotPicture::resizeEvent(QResizeEvent *)
{
    emit resized();
}

} // namespace zt
