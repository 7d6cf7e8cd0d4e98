#include "graph/referencelinedialog.h"

#include "graph/dialogteardown.h"
#include "graph/enterkey.h"

#include "records/datetime.h"
#include "records/messages.h"
#include "ui/messageroutine.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>

namespace zt {

namespace {
constexpr int graphCaption = 4;
constexpr int tempLow = -100, tempHigh = 200, humLow = 0, humHigh = 100;

double numberIn(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? v : 0.0; // an empty or partial entry reads as 0
}
} // namespace

ReferenceCheck checkReferenceValue(const QString &text, bool humidity)
{
    const int low = humidity ? humLow : tempLow;
    const int high = humidity ? humHigh : tempHigh;
    const int message = humidity ? 53 : 52;
    const double v = numberIn(text);
    if (v > high)
        return {double(high), message};
    if (v < low)
        return {double(low), message};
    return {v, 0};
}

ReferenceLineDialog::ReferenceLineDialog(GraphState &state, bool tempShown, bool humShown,
                                         DialogService &dialogs, QWidget *parent)
    : QDialog(parent), state(state), dialogs(dialogs), ckRefLineEn(new QCheckBox(this))
{
    setObjectName(QStringLiteral("frmRelSet"));
    setWindowTitle(QStringLiteral("基準線設定"));
    auto *grid = new QGridLayout(this);
    for (int i = 0; i < 2; ++i) {
        grid->addWidget(
            new QLabel(i == 0 ? QStringLiteral("基準線１") : QStringLiteral("基準線２"), this),
            i * 2, 0, 2, 1);
        for (bool humidity : {false, true}) {
            Line &l = line(humidity, i);
            const QString suffix = humidity ? QStringLiteral("H") : QStringLiteral("T");
            l.box = new QLineEdit(QStringLiteral("0"), this);
            l.box->setObjectName(QStringLiteral("reflineval%1_%2").arg(suffix).arg(i));
            l.box->setToolTip(QStringLiteral("横線表示位置"));
            l.box->setValidator(new QRegularExpressionValidator(
                QRegularExpression(humidity ? QStringLiteral("[0-9]*") : QStringLiteral("[-0-9]*")),
                l.box));
            l.bar = new QScrollBar(Qt::Horizontal, this);
            l.bar->setObjectName(QStringLiteral("screflineval%1_%2").arg(suffix).arg(i));
            l.bar->setRange(humidity ? humLow : tempLow, humidity ? humHigh : tempHigh);
            l.bar->setPageStep(10);
            l.bar->setMinimumWidth(120);
            auto *unit = new QLabel(humidity ? QStringLiteral("%rh") : QStringLiteral("℃"), this);
            unit->setObjectName(QStringLiteral("lrefunit%1_%2").arg(suffix).arg(i));
            const int row = i * 2 + (humidity ? 1 : 0);
            grid->addWidget(l.box, row, 1);
            grid->addWidget(l.bar, row, 2);
            grid->addWidget(unit, row, 3);
            const bool shown = humidity ? humShown : tempShown;
            for (QWidget *w : {static_cast<QWidget *>(l.box), static_cast<QWidget *>(l.bar),
                               static_cast<QWidget *>(unit)})
                w->setVisible(shown);
            if (shown) {
                const int value =
                    humidity ? state.RefLineH[std::size_t(i)] : state.RefLineT[std::size_t(i)];
                l.box->setText(QString::number(value));
                l.bar->setValue(value);
            }
            connect(l.box, &QLineEdit::textEdited, this, [this, humidity, i](const QString &text) {
                QScrollBar *b = bar(humidity, i);
                const double v = numberIn(text);
                if (v >= b->minimum() && v <= b->maximum())
                    b->setValue(int(roundHalfEven(v)));
            });
            l.box->installEventFilter(this);
            connect(l.box, &QLineEdit::editingFinished, this,
                    [this, humidity, i] { leaveBox(humidity, i); });
            connect(l.bar, &QScrollBar::valueChanged, this, [this, humidity, i](int value) {
                QLineEdit *b = box(humidity, i);
                if (numberIn(b->text()) != value)
                    b->setText(QString::number(value));
            });
        }
    }
    ckRefLineEn->setObjectName(QStringLiteral("ckRefLineEn"));
    ckRefLineEn->setText(QStringLiteral("表示"));
    ckRefLineEn->setToolTip(QStringLiteral("グラフ画面上に任意の横線を表示します"));
    ckRefLineEn->setChecked(state.RefLinesOn);
    grid->addWidget(ckRefLineEn, 4, 0);
    grid->addWidget(new QLabel(QStringLiteral("小数点以下は設定できません"), this), 4, 1, 1, 3);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole)
        ->setObjectName(QStringLiteral("comRefokng_0"));
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("comRefokng_1"));
    for (QAbstractButton *b : buttons->buttons()) // Enter belongs to the boxes' leave checks
        static_cast<QPushButton *>(b)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 5, 0, 1, 4);
}

ReferenceLineDialog::~ReferenceLineDialog()
{
    detachChildren(this);
}

bool ReferenceLineDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in a box runs its leave check and nothing else.
    if (isEnterKey(event))
        for (int i = 0; i < 2; ++i)
            for (bool humidity : {false, true})
                if (watched == box(humidity, i)) {
                    leaveBox(humidity, i);
                    return true;
                }
    return QDialog::eventFilter(watched, event);
}

void ReferenceLineDialog::keyPressEvent(QKeyEvent *event)
{
    if (isEnterKey(event)) { // no default button
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

ReferenceLineDialog::Line &ReferenceLineDialog::line(bool humidity, int index)
{
    return (humidity ? hum : temp)[std::size_t(index)];
}

const ReferenceLineDialog::Line &ReferenceLineDialog::line(bool humidity, int index) const
{
    return (humidity ? hum : temp)[std::size_t(index)];
}

QLineEdit *ReferenceLineDialog::box(bool humidity, int index) const
{
    return line(humidity, index).box;
}

QScrollBar *ReferenceLineDialog::bar(bool humidity, int index) const
{
    return line(humidity, index).bar;
}

void ReferenceLineDialog::leaveBox(bool humidity, int index)
{
    Line &l = line(humidity, index);
    const ReferenceCheck check = checkReferenceValue(l.box->text(), humidity);
    if (check.messageNo != 0) {
        showMessage(dialogs, this, graphCaption, check.messageNo, int(MessageStyle::OkExclamation));
        l.box->setText(QString::number(check.value));
    }
    l.bar->setValue(int(roundHalfEven(check.value)));
}

void ReferenceLineDialog::accept()
{
    for (int i = 0; i < 2; ++i) {
        state.RefLineT[std::size_t(i)] =
            int(roundHalfEven(numberIn(temp[std::size_t(i)].box->text())));
        state.RefLineH[std::size_t(i)] =
            int(roundHalfEven(numberIn(hum[std::size_t(i)].box->text())));
    }
    state.RefLinesOn = ckRefLineEn->isChecked();
    QDialog::accept();
}

} // namespace zt
