#include "print/partprintdialog.h"

#include "graph/rangechecks.h"
#include "print/printcontrol.h"
#include "ui/messageroutine.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>

namespace zt {

namespace {
constexpr int styleOkWarning = 48;
}

PartPrintDialog::PartPrintDialog(DialogService &dialogs, const PartAxis &axis, QWidget *parent)
    : QDialog(parent), dialogs(dialogs), axis(axis)
{
    setObjectName(QStringLiteral("fPartPrint"));
    setWindowTitle(QStringLiteral("部分印刷"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildFrame(0));
    layout->addWidget(buildFrame(1));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    const QStringList captions = {QStringLiteral("Ok"), QStringLiteral("Cancel")};
    for (int i = 0; i < 2; ++i) {
        auto *b = new QPushButton(captions[i], this);
        b->setObjectName(QStringLiteral("OkNg%1").arg(i));
        b->setAutoDefault(false);
        b->setMinimumWidth(90);
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, i == 0 ? &QDialog::accept : &QDialog::reject);
    }
    layout->addLayout(buttons);
    setRow(0, 1);
    setRow(1, axis.rowTotal);
}

PartPrintDialog::~PartPrintDialog()
{
    // The boxes lose the focus while the base class deletes them; their leave checks
    // must not run on this half-destroyed dialog.
    for (Boxes &b : boxes) {
        for (QObject *box : {static_cast<QObject *>(b.row), static_cast<QObject *>(b.time),
                             static_cast<QObject *>(b.bar)}) {
            box->disconnect(this);
            box->removeEventFilter(this);
        }
    }
}

QWidget *PartPrintDialog::buildFrame(int which)
{
    const bool start = which == 0;
    auto *group =
        new QGroupBox(start ? QStringLiteral("開始設定") : QStringLiteral("終了設定"), this);
    auto *grid = new QGridLayout(group);
    Boxes &b = boxes[std::size_t(which)];
    b.row = new QLineEdit(group);
    b.row->setObjectName(start ? QStringLiteral("tStartNo") : QStringLiteral("tEndNo"));
    b.row->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), b.row));
    b.time = new QLineEdit(group);
    b.time->setObjectName(start ? QStringLiteral("tStartTime") : QStringLiteral("tEndTime"));
    b.time->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[-0-9: ]*")), b.time));
    b.time->setMinimumWidth(
        b.time->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00 00:00  ")));
    b.bar = new QScrollBar(Qt::Horizontal, group);
    b.bar->setObjectName(start ? QStringLiteral("sctStartNo") : QStringLiteral("sctEndNo"));
    b.bar->setRange(1, std::max(1, axis.rowTotal));
    b.bar->setPageStep(int(std::lround(axis.rowTotal / 40.0 + 1)));
    b.bar->setMinimumWidth(220);
    grid->addWidget(new QLabel(QStringLiteral("データNo."), group), 0, 0);
    grid->addWidget(b.row, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("時　　　　　　刻"), group), 1, 0);
    grid->addWidget(b.time, 1, 1);
    grid->addWidget(b.bar, 2, 0, 1, 2);
    for (QLineEdit *edit : {b.row, b.time})
        edit->installEventFilter(this);
    connect(b.row, &QLineEdit::editingFinished, this, [this, which] { leaveRow(which); });
    connect(b.time, &QLineEdit::editingFinished, this, [this, which] { leaveTime(which); });
    connect(b.bar, &QScrollBar::valueChanged, this, [this, which](int v) {
        if (!checking)
            setRow(which, v);
    });
    return group;
}

bool PartPrintDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter checks the box and never closes the dialog.
            for (int i = 0; i < 2; ++i) {
                if (watched == boxes[std::size_t(i)].row)
                    leaveRow(i);
                else if (watched == boxes[std::size_t(i)].time)
                    leaveTime(i);
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PartPrintDialog::setRow(int which, int row)
{
    Boxes &b = boxes[std::size_t(which)];
    checking = true;
    b.row->setText(QString::number(row));
    b.time->setText(partTimeText(axis.timeOf(row)));
    b.bar->setValue(row);
    checking = false;
    b.lastRow = b.row->text();
    b.lastTime = b.time->text();
}

void PartPrintDialog::report(int messageNo)
{
    if (messageNo != 0)
        showMessage(dialogs, this, PrintCaption, messageNo, styleOkWarning);
}

void PartPrintDialog::apply(int which, const PartLeave &leave)
{
    Boxes &b = boxes[std::size_t(which)];
    if (leave.restore) {
        b.row->setText(b.lastRow);
        b.time->setText(b.lastTime);
        return;
    }
    setRow(0, leave.start);
    setRow(1, leave.end);
}

int PartPrintDialog::leaveRow(int which)
{
    if (checking)
        return 0;
    checking = true;
    const PartLeave leave =
        leavePartRows(boxNumber(boxes[0].row->text()), boxNumber(boxes[1].row->text()), axis);
    report(leave.messageNo);
    checking = false;
    apply(which, leave);
    return leave.messageNo;
}

int PartPrintDialog::leaveTime(int which)
{
    if (checking)
        return 0;
    checking = true;
    const PartLeave leave =
        leavePartTime(boxes[std::size_t(which)].time->text(), which == 0,
                      boxNumber(boxes[0].lastRow), boxNumber(boxes[1].lastRow), axis);
    report(leave.messageNo);
    checking = false;
    apply(which, leave);
    return leave.messageNo;
}

RowSpan PartPrintDialog::rows() const
{
    return {boxNumber(boxes[0].row->text()), boxNumber(boxes[1].row->text())};
}

void PartPrintDialog::accept()
{
    // A box edited and not yet left is checked now; after its message the user looks again.
    if (leaveRow(0) != 0)
        return;
    const RowSpan r = rows();
    if (r.first < 1 || r.last > axis.rowTotal || r.last < r.first)
        return;
    QDialog::accept();
}

} // namespace zt
