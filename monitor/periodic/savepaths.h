#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace zt {

// Kinds of periodic save; each has its own file name suffix.
enum class SaveKind {
    Ending = 0,    // end of monitoring, through the file dialog
    Daily = 1,     // automatic
    Weekly = 2,    // automatic
    Monthly = 3,   // automatic
    Plain = 4,     // no caller
    Manual = 5,    // "データ保存", and the stop asked from outside
    Recovered = 6, // the journal found at the next start
};

enum class FolderMode { None = 0, ByWeek = 1, ByMonth = 2 };

// <documents>/data/watch.
QString watchDataFolder(const QString &documentsFolder);
// Week of the month of `date`, weeks beginning on Sunday: the 1st is always week 1.
int weekOfMonth(const QDate &date);
// "" , "yy_mm_Wn" or "yy_mm" of the save time.
QString subFolderName(int folderMode, const QDateTime &saveTime);
// "yymmddhhnn" and the kind's suffix.
QString periodicFileName(SaveKind kind, const QDateTime &saveTime);
// Folder and name of a save; kind 0 has no sub-folder (the dialog's proposal).
QString periodicFilePath(const QString &documentsFolder, SaveKind kind, int folderMode,
                         const QDateTime &saveTime);

} // namespace zt
