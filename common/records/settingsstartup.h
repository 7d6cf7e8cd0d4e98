#pragma once

#include "records/settingsfiles.h"

#include <QString>
#include <vector>

// The start-up reads of both programs. They never show anything: they return the
// failures in order so the program can show its messages once its window exists.
namespace zt {

struct SettingsError
{
    SettingsFile file = SettingsFile::App;
    int error = 0;        // run-time error number
    bool writing = false; // the failure was a write
    // Monitor only: the file ended early and the defaults of its kind were applied.
    bool defaultsApplied = false;

    // The message box title.
    QString title() const;
    // The monitor's own text when defaultsApplied; empty otherwise (the caller shows
    // the error's text, a line break, "エラー" and the number).
    QString fixedText() const;

    bool operator==(const SettingsError &) const = default;
};
using SettingsErrors = std::vector<SettingsError>;

// The analysis program's read of zt2000op.dat: a missing file is created with the
// default 0.
void readOptionsCreatingDefault(const QString &path, SettingsRecords &records,
                                SettingsErrors &errors);

// The monitor's read of one file: a file that ends early gets that kind's defaults.
// zt2000.dat is read for PortNo alone.
void monitorReadSettings(SettingsFile file, const QString &path, SettingsRecords &records,
                         SettingsErrors &errors);

// The monitor reads zt2000opTIme.dat (the records keep what was read) and rewrites it
// with records that stand for no time.
void resetReadMarks(const QString &path, SettingsRecords &records, SettingsErrors &errors);

// A settings file that failed to read may hold more than was read; before a program
// first writes over it, its bytes are kept as "<name>.bak" (or .bak2, .bak3 ... when
// taken). 0, or the error number of the failed copy (the write must not go ahead).
int keepCopyOfRefusedFile(const QString &path);

// Whole start-up sequences over the files of `folder`.
SettingsErrors loadAnalyzerSettings(const QString &folder, SettingsRecords &records);
SettingsErrors loadMonitorSettings(const QString &folder, SettingsRecords &records);

} // namespace zt
