// Feeds one input to the reader of every settings file kind, both programs' way.
#include "records/settingsfiles.h"
#include "records/settingsstartup.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    if (!dir.isValid())
        std::abort();
    const QString path = dir.filePath(QStringLiteral("input.dat"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    // Reused between inputs: building the name tables dominates a run otherwise.
    static zt::SettingsRecords records, monitor;
    for (zt::SettingsFile kind :
         {zt::SettingsFile::App, zt::SettingsFile::OyaNames, zt::SettingsFile::KoNames,
          zt::SettingsFile::OyaIds, zt::SettingsFile::AutoSave, zt::SettingsFile::Options,
          zt::SettingsFile::ReadTimes}) {
        zt::readSettings(kind, path, records);
        zt::SettingsErrors errors;
        zt::monitorReadSettings(kind, path, monitor, errors);
    }
    return 0;
}
