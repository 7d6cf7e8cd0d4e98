#include "records/datafilenames.h"

namespace zt {

namespace {

const QString zt2Extension = QStringLiteral(".zt2");

QString inFolder(const QString &folder, const QString &name)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

// Index where the file name part of a path starts.
qsizetype fileNameStart(const QString &path)
{
    const qsizetype slash =
        qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return slash + 1;
}

} // namespace

QString initialDataFileName(const QString &dataFolder)
{
    return inFolder(dataFolder, QStringLiteral("test.zt2"));
}

QString withExtension(const QString &path, const QString &extension)
{
    const qsizetype nameStart = fileNameStart(path);
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    // A leading dot belongs to the name (".profile"), not to an extension.
    if (dot > nameStart)
        return path.left(dot) + extension;
    return path + extension;
}

QString nameAfterLoad(const QString &loadedPath)
{
    // Compared without case: on a case-insensitive disk DATA.ZT2 already is a data file.
    if (loadedPath.endsWith(zt2Extension, Qt::CaseInsensitive))
        return loadedPath;
    return withExtension(loadedPath, zt2Extension);
}

QString csvProposal(const QString &currentPath)
{
    return withExtension(currentPath, QStringLiteral(".csv"));
}

QString nameAfterExport(const QString &chosenPath)
{
    return withExtension(chosenPath, zt2Extension);
}

QString autoSaveName(const QString &dataFolder, const QDateTime &now)
{
    return inFolder(dataFolder, QStringLiteral("Auto") +
                                    now.toString(QStringLiteral("yyMMdd_HHmm")) + zt2Extension);
}

} // namespace zt
