#include "print/printfont.h"

#include <QFontDatabase>
#include <QStringList>

namespace zt {

QString printFontFamily()
{
    const QStringList families = QFontDatabase::families();
    for (const char *name : {"MS UI Gothic", "IPAGothic", "IPAPGothic", "Noto Sans CJK JP"}) {
        const QString family = QString::fromLatin1(name);
        if (families.contains(family))
            return family;
    }
    return QStringLiteral("IPAGothic");
}

} // namespace zt
