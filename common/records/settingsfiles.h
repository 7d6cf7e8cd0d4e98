#pragma once

#include "records/appsettings.h"
#include "records/registry.h"

#include <QString>
#include <QTime>
#include <array>
#include <vector>

// The settings files both programs share. Readers fill the records and return an
// error number (0 = fine); callers show the message. Writers replace the whole file.
namespace zt {

enum class SettingsFile {
    App,       // zt2000.dat
    OyaNames,  // zt2oynname.dat
    KoNames,   // zt2koname.dat
    OyaIds,    // zt2oyaid.dat
    AutoSave,  // zt2autos.dat (monitor)
    Options,   // zt2000op.dat
    ReadTimes, // zt2000opTIme.dat
};

QString settingsFileName(SettingsFile file);

// The monitor's automatic-save and contact options (zt2autos.dat).
struct AutoSaveSettings
{
    qint16 autoSave = 1;   // automatic save on
    qint16 saveType = 0;   // 0 daily, 1 weekly, 2 monthly
    qint16 folderMode = 0; // 0 none, 1 by week, 2 by month
    QTime saveTime{0, 0};  // on a whole hour
    qint16 accumulate = 1; // the "[CSV自動保存時間設定]" section value
    qint16 releaseType = 1;
    qint16 autoReturn = 0;
    qint16 autoOffSeconds = 0;
    std::vector<qint16> autoOffChoices{1, 5, 10, 30, 60};
    qint16 extended = 0; // "[自動保存拡張設定]", written but not read back

    bool operator==(const AutoSaveSettings &) const = default;
};

// One zt2000opTIme.dat record per KoNo.
struct ReadMark
{
    QString time = QStringLiteral("9912300000"); // "yymmddhhnn"; this text means no time
    qint16 value1 = -32768;
    qint16 value2 = -32768;

    bool operator==(const ReadMark &) const = default;
};
using ReadMarks = std::array<ReadMark, 30>;

// Everything the settings files hold, as one program keeps it in memory.
struct SettingsRecords
{
    AppSettings app;
    OyaRegistry oya;
    KoNameTable koNames;
    qint16 AutoSaveOption = 0;
    AutoSaveSettings autos;
    ReadMarks readMarks;
};

// Error numbers of the run-time error table: 0 fine, 62 input past end of file,
// 53 file not found, 75 path not accessible, 61 disk full, 70 write-protected, ...
constexpr int InputPastEndError = 62;

// Reads one file into `records`. A missing file leaves the defaults in place and
// returns 0; values read before an error stay in memory.
int readSettings(SettingsFile file, const QString &path, SettingsRecords &records);
int writeSettings(SettingsFile file, const QString &path, const SettingsRecords &records);

} // namespace zt
