#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QTimer;

namespace zt {

// `MsgForm`: the small modal dialog that shows a status kind while work runs. Work
// starts from `MsgFormTimer` 5 ms after the dialog is shown, so the dialog is on the
// screen while the program waits for the receiver; the buttons stay disabled meanwhile.
class StatusDialog : public QDialog
{
    Q_OBJECT
public:
    explicit StatusDialog(QWidget *parent = nullptr);

    // Caption and texts of an analysis-program kind; `work` (optional) runs from the timer.
    void showKind(int kind, std::function<void(StatusDialog &)> work = {});
    // Replaces the texts (a step of the work reporting its outcome) and enables OK.
    void setTexts(const QString &caption, const QStringList &lines);

    int kind() const { return currentKind; }
    bool working() const { return busy; }
    QLabel *mainText() const { return MsgLabel; }
    QLabel *secondText() const { return MsgLabel2; }
    QPushButton *okButton() const { return OKBtn; }
    QPushButton *cancelButton() const { return CnclBtn; }

private:
    void runWork();

    QLabel *MsgLabel;
    QLabel *MsgLabel2;
    QPushButton *OKBtn;
    QPushButton *CnclBtn;
    QTimer *MsgFormTimer;
    std::function<void(StatusDialog &)> pending;
    int currentKind = 0;
    bool busy = false;
};

} // namespace zt
