#pragma once

#include "records/settingsfiles.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace zt {

class AlarmLog;
class DialogService;
class PeriodicSaves;

// `TeikiOption` "監視データ保存設定": how and when the collected records are saved.
// OK and "適用" store the options, reschedule the next data and log saves from the
// receiver clock and write zt2autos.dat.
class TeikiOption : public QDialog
{
    Q_OBJECT
public:
    TeikiOption(SettingsRecords &records, QString autosPath, PeriodicSaves &saves, AlarmLog &log,
                DialogService &dialogs, QWidget *parent = nullptr);

    QCheckBox *autoSave() const { return AutoSaveCheck; }
    QRadioButton *saveType(int i) const { return SaveTypeSel[i]; }
    QComboBox *saveTime() const { return SaveTimeCombo; }
    QRadioButton *folderMode(int i) const { return SaveFileNameSel[i]; }
    QCheckBox *accumulate() const { return Ruiseki; }
    QPushButton *resetButton() const { return TeikiReset; }
    // 0 "OK", 1 "Cancel", 2 "適用".
    QPushButton *button(int i) const { return Button[i]; }
    QGroupBox *typeFrame() const { return typeBox; }
    QGroupBox *folderFrame() const { return folderBox; }

private:
    QGroupBox *buildTypeFrame();
    QGroupBox *buildFolderFrame();
    void load();
    void showFrames();
    void reset();
    void apply(bool close);

    SettingsRecords &records;
    QString path;
    PeriodicSaves &saves;
    AlarmLog &log;
    DialogService &dialogs;
    QCheckBox *AutoSaveCheck;
    QRadioButton *SaveTypeSel[3];
    QComboBox *SaveTimeCombo;
    QRadioButton *SaveFileNameSel[3];
    QCheckBox *Ruiseki;
    QPushButton *TeikiReset;
    QPushButton *Button[3];
    QGroupBox *typeBox;
    QGroupBox *folderBox;
};

} // namespace zt
