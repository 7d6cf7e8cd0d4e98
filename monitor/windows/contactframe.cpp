#include "windows/contactframe.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace zt {

namespace {
QPixmap lamp(const QColor &color)
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color.darker(160), 1.5));
    p.setBrush(color);
    p.drawEllipse(QRectF(2, 2, 14, 14));
    return pixmap;
}

void showLamp(QLabel *picture, QLabel *caption, bool on, const QColor &onColor)
{
    picture->setPixmap(lamp(on ? onColor : QColor(190, 190, 190)));
    caption->setText(on ? QStringLiteral("ON") : QStringLiteral("OFF"));
}
} // namespace

ContactFrame::ContactFrame(QWidget *parent)
    : QGroupBox(QStringLiteral("接点状態"), parent), imgDataAlarm(new QLabel(this)),
      DataAlJt(new QLabel(this)), imgBattAlarm(new QLabel(this)), BattAlJt(new QLabel(this)),
      AlarmCancelB(new QPushButton(QStringLiteral("警報接点解除"), this))
{
    setObjectName(QStringLiteral("SettenFrame"));
    DataAlJt->setObjectName(QStringLiteral("DataAlJt"));
    BattAlJt->setObjectName(QStringLiteral("BattAlJt"));
    AlarmCancelB->setObjectName(QStringLiteral("AlarmCancelB"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("ALARM"), this), 0, 0);
    grid->addWidget(imgDataAlarm, 0, 1);
    grid->addWidget(DataAlJt, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("BATT ALARM"), this), 1, 0);
    grid->addWidget(imgBattAlarm, 1, 1);
    grid->addWidget(BattAlJt, 1, 2);
    grid->addWidget(AlarmCancelB, 2, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    connect(AlarmCancelB, &QPushButton::clicked, this, &ContactFrame::releaseClicked);
    setContacts(false, false, false);
}

void ContactFrame::setContacts(bool alarmOn, bool batteryOn, bool releaseEnabled)
{
    showLamp(imgDataAlarm, DataAlJt, alarmOn, QColor(230, 30, 30));
    showLamp(imgBattAlarm, BattAlJt, batteryOn, QColor(240, 160, 0));
    AlarmCancelB->setEnabled(releaseEnabled);
}

QString ContactFrame::alarmCaption() const
{
    return DataAlJt->text();
}

QString ContactFrame::batteryCaption() const
{
    return BattAlJt->text();
}

} // namespace zt
