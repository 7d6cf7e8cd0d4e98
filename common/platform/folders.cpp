#include "platform/folders.h"

#include <QDir>
#include <QStandardPaths>

namespace zt {

namespace {
const QString vendorPath = QStringLiteral("ORVANE/ZTSeries5");
}

QString joinPath(const QString &folder, const QString &name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

QString settingsFolder()
{
    return joinPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                    vendorPath);
}

QString documentsFolder()
{
    return joinPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                    vendorPath);
}

QString dataFolder()
{
    return joinPath(documentsFolder(), QStringLiteral("data"));
}

bool ensureFolders()
{
    bool ok = true;
    for (const QString &path : {settingsFolder(), documentsFolder(), dataFolder()})
        ok = QDir().mkpath(path) && ok;
    return ok;
}

} // namespace zt
