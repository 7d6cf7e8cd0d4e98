#pragma once

#include "graph/graphscale.h"
#include "graph/graphstate.h"

#include <QDateTime>
#include <QDialog>
#include <functional>

class QCheckBox;
class QKeyEvent;
class QLineEdit;
class QScrollBar;

namespace zt {

class DialogService;

// `Grangebox`: the rows of the time axis and the bounds of both value axes, each
// automatic or fixed.
class RangeDialog : public QDialog
{
    Q_OBJECT
public:
    struct Inputs
    {
        GraphState *state = nullptr;
        AppSettings *settings = nullptr;
        GraphScale scale;
        int rowTotal = 1;
        QDateTime start;
        int intervalMinutes = 60;
        std::function<int()> saveSettings;
    };
    RangeDialog(Inputs inputs, DialogService &dialogs, QWidget *parent = nullptr);
    ~RangeDialog() override;

    enum Box { StartRow, EndRow, TempLow, TempHigh, HumLow, HumHigh, BoxCount };
    QLineEdit *box(Box b) const { return boxes[b].edit; }
    QScrollBar *bar(Box b) const { return boxes[b].bar; }
    QLineEdit *startTime() const { return times[0]; }
    QLineEdit *endTime() const { return times[1]; }
    QCheckBox *autoBox(int frame) const { return autos[std::size_t(frame)]; } // 0 rows, 1 T, 2 H
    // The leave checks; false when the entry was refused or corrected.
    bool leave(Box b);
    bool leaveTime(int which);                            // 0 start, 1 end
    void followTypedTime(int which, const QString &text); // 0 start, 1 end

public slots:
    void accept() override;
    void reject() override;

private:
    struct NumberBox
    {
        QLineEdit *edit = nullptr;
        QScrollBar *bar = nullptr;
        QString last;
    };
    QWidget *buildFrame(int frame);
    void addNumberBox(Box b, int low, int high, int step, const QString &tip);
    void setBox(Box b, int value);
    void showValue(Box b, int value);
    void followText(Box b);
    void barChanged(Box b, int value);
    bool report(int messageNo);
    bool settleEdits();
    bool rangesInOrder() const;
    void autoClicked(int frame, bool checked);
    void takeManual(int frame);
    QDateTime rowTime(int row) const;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

    Inputs in;
    DialogService &dialogs;
    std::array<NumberBox, BoxCount> boxes;
    std::array<QLineEdit *, 2> times{};
    std::array<QCheckBox *, 3> autos{};
};

} // namespace zt
