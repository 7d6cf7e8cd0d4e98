#pragma once

#include <QGroupBox>

class QLabel;
class QPushButton;

namespace zt {

// Frame "接点状態": the receiver's ALARM and BATT ALARM contact lamps with their
// "ON"/"OFF" captions, and the button "警報接点解除".
class ContactFrame : public QGroupBox
{
    Q_OBJECT
public:
    explicit ContactFrame(QWidget *parent = nullptr);

    void setContacts(bool alarmOn, bool batteryOn, bool releaseEnabled);
    QString alarmCaption() const;
    QString batteryCaption() const;
    QPushButton *releaseButton() const { return AlarmCancelB; }

signals:
    void releaseClicked();

private:
    QLabel *imgDataAlarm;
    QLabel *DataAlJt;
    QLabel *imgBattAlarm;
    QLabel *BattAlJt;
    QPushButton *AlarmCancelB;
};

} // namespace zt
