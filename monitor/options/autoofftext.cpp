#include "options/autoofftext.h"

namespace zt {

QString autoOffText(int seconds)
{
    QString text;
    int rest = seconds;
    if (rest >= 3600) {
        text += QString::number(rest / 3600) + QStringLiteral("時間");
        rest %= 3600;
    }
    if (rest >= 60) {
        text += QString::number(rest / 60) + QStringLiteral("分");
        rest %= 60;
    }
    if (rest != 0)
        text += QString::number(rest) + QStringLiteral("秒");
    return text;
}

} // namespace zt
