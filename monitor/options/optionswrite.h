#pragma once

#include "records/settingsfiles.h"

class QWidget;

namespace zt {

class DialogService;

// Writes zt2autos.dat; a failure shows the error's text, "エラー" and its number
// titled "ファイルの保存". True when written.
bool writeAutoSaveSettings(const QString &path, const SettingsRecords &records,
                           DialogService &dialogs, QWidget *parent);

} // namespace zt
