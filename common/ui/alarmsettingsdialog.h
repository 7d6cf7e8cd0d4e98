#pragma once

#include "ui/alarmlimits.h"

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabBar;

namespace zt {

class AlarmSpinBox;
class DialogService;

// Where the two programs differ; the defaults are the analysis program's.
struct AlarmDialogOptions
{
    AlarmSender send;                    // the "07" write of one slot
    bool closeOnFailure = true;          // analysis program: the failure box closes the dialog
    std::function<bool()> busy;          // monitor: a cycle exchange is in progress
    std::function<void()> beforeSending; // monitor: stop JochuTimer
    std::function<void()> afterSending;  // analysis program: close the port; monitor: poll again
    std::function<void(int koNo, bool ok)> logSlot; // monitor: alarm log entry
};

// `NewAlarmSet` ("警報設定"): per-slot alarm limits, sent to the receiver on OK / "適用".
class AlarmSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    AlarmSettingsDialog(AlarmTable &table, DialogService &dialogs, AlarmDialogOptions options,
                        QWidget *parent = nullptr);

    // The tab shown when the dialog opens next, kept for the program run.
    static int rememberedTab;

    const AlarmWorkingCopy &workingCopy() const { return work; }
    QTabBar *tabs() const { return KokiTab; }
    AlarmSpinBox *spin(int index) const { return AlUpDown[std::size_t(index)]; }
    QCheckBox *applyToAllBox() const { return checkAll; }
    QPushButton *okButton() const { return OKButton[0]; }
    QPushButton *applyButton() const { return OKButton[1]; }

public slots:
    void onOk() { commit(true); }
    void onApply() { commit(false); }

private:
    void buildControls();
    void showTab(int index);
    void storeShown(bool toAll);
    void onStepped(int spinIndex, bool up);
    void onCheckAll(bool checked);
    void commit(bool closeAfter);
    int shownKo() const;

    AlarmTable &table;
    DialogService &dialogs;
    AlarmDialogOptions options;
    AlarmWorkingCopy work;
    bool loading = true;
    int shownIndex = -1;

    QTabBar *KokiTab;
    QLabel *KokiNameLabel;
    QGroupBox *valueFrame;
    std::array<QGroupBox *, 2> channelFrame{};
    std::array<AlarmSpinBox *, 4> AlUpDown{};
    QCheckBox *checkAll;
    std::array<QPushButton *, 2> OKButton{};
    QPushButton *CancelButton;
};

} // namespace zt
