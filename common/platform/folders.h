#pragma once

#include <QString>

// The per-user folders both programs share. Tests point HOME / XDG_* at a
// temporary folder so they never touch the real user's files.
namespace zt {

// GenericDataLocation + "/ORVANE/ZTSeries5": the settings files.
QString settingsFolder();
// DocumentsLocation + "/ORVANE/ZTSeries5".
QString documentsFolder();
// documentsFolder() + "/data": recorded data files.
QString dataFolder();

// Creates the three folders level by level where missing; false if one cannot be made.
bool ensureFolders();

// folder + "/" + name, without doubling a trailing separator.
QString joinPath(const QString &folder, const QString &name);

} // namespace zt
