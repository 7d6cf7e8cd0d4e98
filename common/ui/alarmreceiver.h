#pragma once

#include "link/receiversequences.h"
#include "records/settingsfiles.h"
#include "ui/alarmsettingsdialog.h"

class QWidget;

// The analysis program's way into the alarm settings dialog: the receiver's state
// read inside status dialog kind 8, then the dialog, then the port closed.
namespace zt {

class SerialLink;

// The dialog's table from the receiver; names from the receiver's slot of the name
// table, "名称無し" when empty.
AlarmTable alarmTableFromReceiver(const ReceiverValues &values, const AlarmDialogStatus &status,
                                  const OyaRegistry &registry, const KoNameTable &names);

// Sends over `link`, reopening the port for a second "適用", and closes it after each send.
AlarmDialogOptions analyzerAlarmOptions(SerialLink &link);

// Status kind 8 reads the receiver; on success the dialog opens. The port is closed at the end.
void runAlarmSettings(SerialLink &link, const SettingsRecords &settings, DialogService &dialogs,
                      QWidget *parent);

} // namespace zt
