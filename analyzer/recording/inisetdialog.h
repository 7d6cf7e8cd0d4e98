#pragma once

#include "recording/recordingsettings.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace zt {

class DialogService;
class SerialLink;
struct OyaRegistry;

// `LogIniSet1`: the system transmitter count, measurement interval and start time of a
// new recording, applied to the receiver whose port the preparation left open.
class LogIniSetDialog : public QDialog
{
    Q_OBJECT
public:
    LogIniSetDialog(SerialLink &link, const RecordingSurvey &survey, const OyaRegistry &registry,
                    DialogService &dialogs, QWidget *parent = nullptr);

    // The PC clock; tests replace it.
    void setClock(std::function<QDateTime()> clock);

    RecordingChoice choice() const;
    QComboBox *koCountBox() const { return comboKokiId; }
    QComboBox *intervalBox() const { return comboIntervalset; }
    QComboBox *startBox() const { return comboStarTime; }
    QLabel *commIntervalLabel() const { return lRecIntervalset; }
    QLabel *maxDataLabel() const { return LabelMaxdata; }
    QPushButton *okButton() const { return okNg[0]; }
    QPushButton *cancelButton() const { return okNg[1]; }

public slots:
    // `OkNg`(0): checks, asks, sends; closes on success.
    void apply();
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void layOut();
    void selectCurrentValues();
    void updateCommInterval();
    void updateMaxData();
    void refreshClock();
    void setBusy(bool busy);
    bool confirmErase();

    SerialLink &link;
    RecordingSurvey survey;
    DialogService &dialogs;
    std::function<QDateTime()> clock;
    QLabel *lOyaName;
    QLabel *Ltime;
    QComboBox *comboKokiId;
    QLabel *LabelMaxdata;
    QComboBox *comboIntervalset;
    QLabel *lRecIntervalset;
    QComboBox *comboStarTime;
    QPushButton *okNg[2];
    QTimer *clockTimer;
};

} // namespace zt
