#include "platform/programstart.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

namespace zt {

QString siblingProgramPath(const QString &name)
{
#ifdef Q_OS_WIN
    const QString file = name + QStringLiteral(".exe");
#else
    const QString file = name;
#endif
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + file;
}

bool startSiblingProgram(const QString &name)
{
    const QString program = siblingProgramPath(name);
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable())
        return false;
    return QProcess::startDetached(program, {}, info.absolutePath());
}

} // namespace zt
