#pragma once

#include <QDateTime>
#include <QString>

// The list window's label texts.
namespace zt {

// "収録間隔:" + minutes + "分", a line break, "通信間隔:" + up to 60 minutes as "N分",
// above that whole hours + "時" and the remaining minutes + "分" when not 0.
QString intervalInfoText(int measureMinutes, int commMinutes);
// "受信器時刻  " + "yy-mm-dd hh:nn"
QString receiverTimeText(const QDateTime &clock);
// "送信器" + two-digit slot + "データを表示中"
QString shownKoText(int koNo);

} // namespace zt
