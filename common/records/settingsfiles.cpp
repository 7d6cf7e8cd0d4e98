#include "records/settingsfiles.h"

#include "records/fileerrors.h"
#include "records/settingsformat.h"
#include "records/settingsio.h"

namespace zt {

using namespace settingsformat;

QString settingsFileName(SettingsFile file)
{
    switch (file) {
    case SettingsFile::App:
        return QStringLiteral("zt2000.dat");
    case SettingsFile::OyaNames:
        return QStringLiteral("zt2oynname.dat");
    case SettingsFile::KoNames:
        return QStringLiteral("zt2koname.dat");
    case SettingsFile::OyaIds:
        return QStringLiteral("zt2oyaid.dat");
    case SettingsFile::AutoSave:
        return QStringLiteral("zt2autos.dat");
    case SettingsFile::Options:
        return QStringLiteral("zt2000op.dat");
    case SettingsFile::ReadTimes:
        return QStringLiteral("zt2000opTIme.dat");
    }
    return {};
}

void applySettingsDefaults(SettingsFile file, SettingsRecords &records)
{
    switch (file) {
    case SettingsFile::App:
        records.app = AppSettings{};
        break;
    case SettingsFile::OyaNames:
        records.oya.OyaName[0] = unregisteredName();
        for (int slot = 1; slot <= MaxOya; ++slot)
            records.oya.OyaName[slot].clear();
        break;
    case SettingsFile::KoNames:
        records.koNames.resetAll();
        break;
    case SettingsFile::OyaIds:
        records.oya.OyaCount = 0;
        records.oya.OyaID.fill(0);
        break;
    case SettingsFile::AutoSave:
        records.autos = AutoSaveSettings{};
        break;
    case SettingsFile::Options:
        records.AutoSaveOption = 0;
        break;
    case SettingsFile::ReadTimes:
        // The times stay as they are; only the two values have a default.
        for (ReadMark &mark : records.readMarks)
            mark.value1 = mark.value2 = ReadMark{}.value1;
        break;
    }
}

namespace {

int readKind(SettingsFile file, CommaReader &in, SettingsRecords &records)
{
    switch (file) {
    case SettingsFile::App:
        return readApp(in, records.app);
    case SettingsFile::OyaNames:
        return readOyaNames(in, records.oya);
    case SettingsFile::KoNames:
        return readKoNames(in, records.koNames);
    case SettingsFile::OyaIds:
        return readOyaIds(in, records.oya);
    case SettingsFile::AutoSave:
        return readAutoSave(in, records.autos);
    case SettingsFile::Options:
        return readOptions(in, records.AutoSaveOption);
    case SettingsFile::ReadTimes:
        return readReadMarks(in, records.readMarks);
    }
    return BadFileFormatError;
}

void writeKind(SettingsFile file, CommaWriter &out, const SettingsRecords &records)
{
    switch (file) {
    case SettingsFile::App:
        return writeApp(out, records.app);
    case SettingsFile::OyaNames:
        return writeOyaNames(out, records.oya);
    case SettingsFile::KoNames:
        return writeKoNames(out, records.koNames);
    case SettingsFile::OyaIds:
        return writeOyaIds(out, records.oya);
    case SettingsFile::AutoSave:
        return writeAutoSave(out, records.autos);
    case SettingsFile::Options:
        return writeOptions(out, records.AutoSaveOption);
    case SettingsFile::ReadTimes:
        return writeReadMarks(out, records.readMarks);
    }
}

} // namespace

int readSettings(SettingsFile file, const QString &path, SettingsRecords &records)
{
    QByteArray bytes;
    bool missing = false;
    if (const int error = readSettingsBytes(path, bytes, missing))
        return error;
    if (missing) {
        applySettingsDefaults(file, records);
        return 0;
    }
    CommaReader in(std::move(bytes));
    return readKind(file, in, records);
}

int writeSettings(SettingsFile file, const QString &path, const SettingsRecords &records)
{
    // More choices than a reader accepts would make the file unreadable.
    if (file == SettingsFile::AutoSave && records.autos.autoOffChoices.size() > MaxAutoOffChoices)
        return ErrWriteFailed;
    CommaWriter out;
    writeKind(file, out, records);
    if (!out.encodable())
        return ErrWriteFailed;
    return saveSettingsBytes(path, out.data());
}

} // namespace zt
