#pragma once

#include <QByteArray>
#include <QString>

// Whole-file reads and writes of the settings files, with failures turned into the
// run-time error numbers the programs show.
namespace zt {

// Larger files are not settings files; they are refused instead of being loaded.
constexpr qint64 MaxSettingsFileBytes = 8 * 1024 * 1024;

// 0 and the file's bytes, 0 with `missing` set when nothing exists at `path`, or an
// error number.
int readSettingsBytes(const QString &path, QByteArray &bytes, bool &missing);

// Replaces the file through QSaveFile; on any failure the previous file stays as it
// was and no temporary file is left.
int saveSettingsBytes(const QString &path, const QByteArray &bytes);

} // namespace zt
