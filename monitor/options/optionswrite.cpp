#include "options/optionswrite.h"

#include "records/messages.h"
#include "ui/dialogservice.h"

namespace zt {

bool writeAutoSaveSettings(const QString &path, const SettingsRecords &records,
                           DialogService &dialogs, QWidget *parent)
{
    const int error = writeSettings(SettingsFile::AutoSave, path, records);
    if (error == 0)
        return true;
    dialogs.message(parent, {QStringLiteral("ファイルの保存"), errorMessage(error, {}), 0});
    return false;
}

} // namespace zt
