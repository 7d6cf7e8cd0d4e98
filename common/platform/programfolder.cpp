#include "platform/programfolder.h"

#include <QCoreApplication>

namespace zt {

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString helpIndexPath()
{
    return programFolder() + QStringLiteral("/help/index.html");
}

} // namespace zt
