#include "session/appfont.h"

#include <QFontDatabase>
#include <QStringList>

namespace zt {

QFont japaneseUiFont(int pointSize)
{
    const QStringList families = QFontDatabase::families();
    for (const char *name : {"MS UI Gothic", "IPAGothic", "IPAPGothic", "Noto Sans CJK JP",
                             "VL Gothic", "TakaoGothic"}) {
        const QString family = QString::fromLatin1(name);
        if (families.contains(family))
            return QFont(family, pointSize);
    }
    QFont f;
    f.setPointSize(pointSize);
    return f;
}

} // namespace zt
