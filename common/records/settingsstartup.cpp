#include "records/settingsstartup.h"

#include "records/settingsformat.h"
#include "records/settingsio.h"

#include <QDir>
#include <QFileInfo>

namespace zt {

namespace {

QString pathIn(const QString &folder, SettingsFile file)
{
    return QDir(folder).filePath(settingsFileName(file));
}

void note(SettingsErrors &errors, SettingsFile file, int error, bool writing = false,
          bool defaultsApplied = false)
{
    if (error != 0)
        errors.push_back({file, error, writing, defaultsApplied});
}

// The monitor needs only the port number from the analysis program's options.
int readPortNo(const QString &path, SettingsRecords &records)
{
    QByteArray bytes;
    bool missing = false;
    if (const int error = readSettingsBytes(path, bytes, missing))
        return error;
    if (missing) {
        records.app.PortNo = AppSettings{}.PortNo;
        return 0;
    }
    CommaReader in(std::move(bytes));
    return settingsformat::readPortNoOnly(in, records.app);
}

} // namespace

QString SettingsError::title() const
{
    if (defaultsApplied)
        return QStringLiteral("ファイル読込");
    return writing ? QStringLiteral("ファイルの保存") : QStringLiteral("ファイルの読込");
}

QString SettingsError::fixedText() const
{
    if (!defaultsApplied)
        return {};
    return QStringLiteral("設定の読込に失敗しました。監視設定をやり直してください。");
}

void readOptionsCreatingDefault(const QString &path, SettingsRecords &records,
                                SettingsErrors &errors)
{
    const bool missing = !QFileInfo::exists(path);
    note(errors, SettingsFile::Options, readSettings(SettingsFile::Options, path, records));
    if (missing)
        note(errors, SettingsFile::Options, writeSettings(SettingsFile::Options, path, records),
             true);
}

void monitorReadSettings(SettingsFile file, const QString &path, SettingsRecords &records,
                         SettingsErrors &errors)
{
    const int error =
        file == SettingsFile::App ? readPortNo(path, records) : readSettings(file, path, records);
    const bool endedEarly = error == InputPastEndError;
    if (endedEarly)
        applySettingsDefaults(file, records);
    note(errors, file, error, false, endedEarly);
}

void resetReadMarks(const QString &path, SettingsRecords &records, SettingsErrors &errors)
{
    monitorReadSettings(SettingsFile::ReadTimes, path, records, errors);
    SettingsRecords cleared;
    note(errors, SettingsFile::ReadTimes, writeSettings(SettingsFile::ReadTimes, path, cleared),
         true);
}

int keepCopyOfRefusedFile(const QString &path)
{
    QByteArray bytes;
    bool missing = false;
    if (const int error = readSettingsBytes(path, bytes, missing))
        return error;
    if (missing)
        return 0;
    QString copy = path + QStringLiteral(".bak");
    for (int n = 2; QFileInfo::exists(copy) || QFileInfo(copy).isSymLink(); ++n)
        copy = path + QStringLiteral(".bak") + QString::number(n);
    return saveSettingsBytes(copy, bytes);
}

SettingsErrors loadAnalyzerSettings(const QString &folder, SettingsRecords &records)
{
    SettingsErrors errors;
    for (SettingsFile file :
         {SettingsFile::App, SettingsFile::OyaNames, SettingsFile::KoNames, SettingsFile::OyaIds})
        note(errors, file, readSettings(file, pathIn(folder, file), records));
    readOptionsCreatingDefault(pathIn(folder, SettingsFile::Options), records, errors);
    return errors;
}

SettingsErrors loadMonitorSettings(const QString &folder, SettingsRecords &records)
{
    SettingsErrors errors;
    for (SettingsFile file : {SettingsFile::App, SettingsFile::AutoSave, SettingsFile::OyaNames,
                              SettingsFile::KoNames, SettingsFile::OyaIds, SettingsFile::Options})
        monitorReadSettings(file, pathIn(folder, file), records, errors);
    resetReadMarks(pathIn(folder, SettingsFile::ReadTimes), records, errors);
    return errors;
}

} // namespace zt
