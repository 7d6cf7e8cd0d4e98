#include "periodic/savepaths.h"

#include <QDir>

namespace zt {

QString watchDataFolder(const QString &documentsFolder)
{
    return QDir(documentsFolder).filePath(QStringLiteral("data/watch"));
}

int weekOfMonth(const QDate &date)
{
    const int firstWeekday = QDate(date.year(), date.month(), 1).dayOfWeek() % 7; // Sunday 0
    return (date.day() - 1 + firstWeekday) / 7 + 1;
}

QString subFolderName(int folderMode, const QDateTime &saveTime)
{
    const QString month = saveTime.toString(QStringLiteral("yy_MM"));
    switch (FolderMode(folderMode)) {
    case FolderMode::ByWeek:
        return month + QStringLiteral("_W") + QString::number(weekOfMonth(saveTime.date()));
    case FolderMode::ByMonth:
        return month;
    default:
        return {};
    }
}

QString periodicFileName(SaveKind kind, const QDateTime &saveTime)
{
    static const char *const suffixes[] = {"_mn.zt2", "_d.zt2",  "_w.zt2", "_m.zt2",
                                           ".zt2",    "_mn.zt2", "_c.zt2"};
    const int i = int(kind) >= 0 && int(kind) <= 6 ? int(kind) : 4;
    return saveTime.toString(QStringLiteral("yyMMddHHmm")) + QLatin1String(suffixes[i]);
}

QString periodicFilePath(const QString &documentsFolder, SaveKind kind, int folderMode,
                         const QDateTime &saveTime)
{
    QDir folder(watchDataFolder(documentsFolder));
    const QString sub = kind == SaveKind::Ending ? QString() : subFolderName(folderMode, saveTime);
    const QString dir = sub.isEmpty() ? folder.path() : folder.filePath(sub);
    return QDir(dir).filePath(periodicFileName(kind, saveTime));
}

} // namespace zt
