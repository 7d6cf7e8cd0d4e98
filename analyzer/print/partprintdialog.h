#pragma once

#include "print/datalist.h"
#include "print/partprintchecks.h"

#include <QDialog>
#include <array>

class QLineEdit;
class QScrollBar;

namespace zt {

class DialogService;

// `fPartPrint`: the first and last row of a partial data list, by row number or time.
class PartPrintDialog : public QDialog
{
    Q_OBJECT
public:
    PartPrintDialog(DialogService &dialogs, const PartAxis &axis, QWidget *parent = nullptr);
    ~PartPrintDialog() override;

    RowSpan rows() const;
    QLineEdit *rowBox(int which) const { return boxes[std::size_t(which)].row; }
    QLineEdit *timeBox(int which) const { return boxes[std::size_t(which)].time; }
    QScrollBar *scrollBar(int which) const { return boxes[std::size_t(which)].bar; }

    // The leave checks, as Enter or leaving the box runs them (0 = start, 1 = end); the
    // number of the message shown, 0 for none.
    int leaveRow(int which);
    int leaveTime(int which);

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Boxes
    {
        QLineEdit *row = nullptr;
        QLineEdit *time = nullptr;
        QScrollBar *bar = nullptr;
        QString lastRow, lastTime;
    };
    QWidget *buildFrame(int which);
    void setRow(int which, int row);
    void apply(int which, const PartLeave &leave);
    void report(int messageNo);

    DialogService &dialogs;
    PartAxis axis;
    std::array<Boxes, 2> boxes;
    bool checking = false;
};

} // namespace zt
