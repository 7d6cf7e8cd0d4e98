#pragma once

#include <QImage>
#include <QRectF>
#include <QWidget>

namespace zt {

// `gImage`: shows the drawn plot from memory, a rubber rectangle while dragging, and
// forwards the pointer to the window.
class PlotPicture : public QWidget
{
    Q_OBJECT
public:
    explicit PlotPicture(QWidget *parent = nullptr);

    QImage &image() { return picture; }
    void setRubberBand(const QRectF &rect); // empty rect = none

signals:
    void pressed(QPointF at);
    void dragged(QPointF at);
    void released(QPointF at);
    void hovered(QPointF at);
    void rightClicked(QPoint globalAt);
    void resized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage picture;
    QRectF rubber;
};

} // namespace zt
