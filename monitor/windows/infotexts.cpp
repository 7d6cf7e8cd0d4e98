#include "windows/infotexts.h"

#include "engine/alarmlog.h"

namespace zt {

QString intervalInfoText(int measureMinutes, int commMinutes)
{
    QString comm;
    if (commMinutes <= 60) {
        comm = QString::number(commMinutes) + QStringLiteral("分");
    } else {
        comm = QString::number(commMinutes / 60) + QStringLiteral("時");
        if (commMinutes % 60 != 0)
            comm += QString::number(commMinutes % 60) + QStringLiteral("分");
    }
    return QStringLiteral("収録間隔:") + QString::number(measureMinutes) + QStringLiteral("分\n") +
           QStringLiteral("通信間隔:") + comm;
}

QString receiverTimeText(const QDateTime &clock)
{
    return QStringLiteral("受信器時刻  ") + (clock.isValid() ? logTimeText(clock) : QString());
}

QString shownKoText(int koNo)
{
    return QStringLiteral("送信器") + QString::asprintf("%02d", koNo) +
           QStringLiteral("データを表示中");
}

} // namespace zt
