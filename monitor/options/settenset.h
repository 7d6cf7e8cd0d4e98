#pragma once

#include "records/settingsfiles.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zt {

class DialogService;

// `SettenSet` "接点動作設定": release type, auto-return and the auto-off time.
// OK and "適用" store them, write zt2autos.dat and report them through applied().
class SettenSet : public QDialog
{
    Q_OBJECT
public:
    SettenSet(SettingsRecords &records, QString autosPath, DialogService &dialogs,
              QWidget *parent = nullptr);

    QRadioButton *releaseType(int i) const { return AlarmTypeSel[i]; }
    QRadioButton *autoReturn(int i) const { return SettenTypeSel[i]; }
    QComboBox *autoOffTime() const { return AutoOffTimeSel; }
    QLabel *autoOffLabel() const { return Label1; }
    // 0 "OK", 1 "Cancel", 2 "適用".
    QPushButton *button(int i) const { return Button[i]; }

signals:
    void applied(const zt::AutoSaveSettings &options);

private:
    QWidget *buildReleaseFrame();
    QWidget *buildReturnFrame();
    void showAutoOff();
    void apply(bool close);

    SettingsRecords &records;
    QString path;
    DialogService &dialogs;
    QRadioButton *AlarmTypeSel[2];
    QRadioButton *SettenTypeSel[2];
    QComboBox *AutoOffTimeSel;
    QLabel *Label1;
    QPushButton *Button[3];
};

} // namespace zt
