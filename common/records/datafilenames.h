#pragma once

#include <QDateTime>
#include <QString>

// Rules for the analysis program's current data file name. The folder is a parameter so
// the records library stays free of the platform layer.
namespace zt {

// The name a plain save uses before any open or save-as: <dataFolder>/test.zt2.
QString initialDataFileName(const QString &dataFolder);

// `path` with its file name's extension replaced by `extension` (".zt2", ".csv"). A name
// without an extension gets one appended rather than losing its last characters.
QString withExtension(const QString &path, const QString &extension);

// After a load: a name that does not end in ".zt2" gets that extension, so a later plain
// save writes a data file and never overwrites the file that was opened.
QString nameAfterLoad(const QString &loadedPath);

// The name the CSV save dialog proposes for the current data file name.
QString csvProposal(const QString &currentPath);

// The current data file name after a CSV export to `chosenPath`.
QString nameAfterExport(const QString &chosenPath);

// <dataFolder>/Auto<yymmdd_hhnn>.zt2 for an automatic save at local time `now`.
QString autoSaveName(const QString &dataFolder, const QDateTime &now);

} // namespace zt
