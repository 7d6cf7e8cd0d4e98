#pragma once

#include "records/appsettings.h"
#include "records/commatext.h"
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

// The monitor's automatic-save and contact options (zt2autos.dat), in file order.
struct AutoSaveSettings
{
    // First line: the automatic save.
    qint16 autoSave = 1;    // 0 off, 1 on
    qint16 saveType = 0;    // 0 daily, 1 weekly, 2 monthly
    qint16 folderMode = 0;  // 0 none, 1 by week, 2 by month
    QTime saveTime{0, 0};   // on a whole hour
    qint16 csvSaveTime = 1; // "[CSV自動保存時間設定]", kept as read
    // "[接点設定]": the contact output.
    qint16 autoOffSeconds = 1;
    qint16 releaseType = 0; // 0 data alarms only, 1 also communication/battery alarms
    qint16 autoReturn = 0;  // 1 = release automatically after autoOffSeconds
    std::vector<qint16> autoOffChoices{1, 5, 10, 30, 60}; // "[接点自動OFF時間設定]"
    qint16 accumulate = 0; // "[自動保存拡張設定]": 1 = every file holds all records

    bool operator==(const AutoSaveSettings &) const = default;
};

// Most auto-off choices a file may list: its count is a 16-bit integer.
constexpr int MaxAutoOffChoices = 32767;

// One zt2000opTIme.dat record per KoNo.
struct ReadMark
{
    QString time = noReadTime(); // "yymmddhhnn"
    qint16 value1 = -32768;
    qint16 value2 = -32768;

    // The time text that stands for no time.
    static QString noReadTime() { return QStringLiteral("9912300000"); }
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

// Error numbers of the run-time error table: 0 fine, 62 input past end of file
// (InputPastEndError), 321 a value that does not fit (BadFileFormatError), and the
// numbers of records/fileerrors.h for failed opens, reads and writes.

// Reads one file into `records`. A missing file leaves the defaults in place and
// returns 0; values read before an error stay in memory.
int readSettings(SettingsFile file, const QString &path, SettingsRecords &records);
// Writes the whole file through QSaveFile; on failure the previous file is untouched.
// A text without a code page 932 form fails the write (ErrWriteFailed) rather than
// storing a different name.
int writeSettings(SettingsFile file, const QString &path, const SettingsRecords &records);

// Puts the values a missing file stands for into the records of that kind.
void applySettingsDefaults(SettingsFile file, SettingsRecords &records);

} // namespace zt
