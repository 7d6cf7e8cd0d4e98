#include "graph/rangedialog.h"

#include "graph/dialogteardown.h"
#include "graph/enterkey.h"
#include "graph/rangechecks.h"
#include "records/messages.h"
#include "ui/messageroutine.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>

namespace zt {

namespace {
constexpr int graphCaption = 4;
const QString timeFormat = QStringLiteral("yyyy-MM-dd HH:mm");
const QString secondsFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

int frameOf(RangeDialog::Box b)
{
    return b <= RangeDialog::EndRow ? 0 : b <= RangeDialog::TempHigh ? 1 : 2;
}

int timeBoxWidth(const QFontMetrics &metrics)
{
    return metrics.horizontalAdvance(QStringLiteral("0000-00-00 00:00:00")) + 16;
}

// Moves a bar without taking it for a user's move.
void placeBar(QScrollBar *bar, int value)
{
    const QSignalBlocker quiet(bar);
    bar->setValue(value);
}

// ScaleFixed1 and ScaleFixed2 as the last "Ok" stored them.
std::array<int, 2> &fixedAtLastOk()
{
    static std::array<int, 2> fixed{0, 0};
    return fixed;
}
} // namespace

RangeDialog::RangeDialog(Inputs inputs, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), in(std::move(inputs)), dialogs(dialogs)
{
    setObjectName(QStringLiteral("Grangebox"));
    setWindowTitle(QStringLiteral("グラフレンジ変更"));
    auto *layout = new QVBoxLayout(this);
    for (int frame = 0; frame < 3; ++frame)
        layout->addWidget(buildFrame(frame));
    auto *buttons = new QDialogButtonBox(this);
    for (int i = 0; i < 2; ++i) {
        QPushButton *b = buttons->addButton(
            i == 0 ? QStringLiteral("Ok") : QStringLiteral("Cancel"),
            i == 0 ? QDialogButtonBox::AcceptRole : QDialogButtonBox::RejectRole);
        b->setObjectName(QStringLiteral("cmdSetgrasnge_%1").arg(i));
        b->setToolTip(QStringLiteral("グラフのレンジを変更します"));
        b->setAutoDefault(false); // Enter belongs to the boxes' leave checks
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    const AppSettings &s = *in.settings;
    autos[0]->setChecked(!in.state->TimeZoomed);
    autos[1]->setChecked(s.ScaleFixed1 != 1);
    autos[2]->setChecked(s.ScaleFixed2 != 1);
    const int total = std::max(1, in.rowTotal);
    for (Box b : {StartRow, EndRow})
        boxes[b].bar->setRange(1, total == 1 ? 2 : total);
    setBox(StartRow, in.state->view.first);
    setBox(EndRow, in.state->view.last);
    if (total == 1)
        for (QWidget *w : std::initializer_list<QWidget *>{
                 boxes[StartRow].edit, boxes[StartRow].bar, boxes[EndRow].edit, boxes[EndRow].bar,
                 times[0], times[1], autos[0]})
            w->setEnabled(false);
    autos[1]->parentWidget()->setEnabled(in.scale.tempShown);
    autos[2]->parentWidget()->setEnabled(in.scale.humShown);
    if (in.scale.tempShown) {
        setBox(TempLow, s.ScaleMin1);
        setBox(TempHigh, s.ScaleMax1);
    }
    if (in.scale.humShown) {
        setBox(HumLow, s.ScaleMin2);
        setBox(HumHigh, s.ScaleMax2);
    }
}

RangeDialog::~RangeDialog()
{
    detachChildren(this);
}

QWidget *RangeDialog::buildFrame(int frame)
{
    static const char16_t *titles[] = {u"データ範囲", u"温度範囲", u"湿度範囲"};
    static const char *names[] = {"DataRange", "Temprange", "Humidrange"};
    static const char *autoNames[] = {"Drangeauto", "Trangeauto", "Hrangeauto"};
    auto *group = new QGroupBox(QString::fromUtf16(titles[frame]), this);
    group->setObjectName(QString::fromLatin1(names[frame]));
    auto *grid = new QGridLayout(group);
    QCheckBox *automatic = new QCheckBox(QStringLiteral("自動"), group);
    automatic->setObjectName(QString::fromLatin1(autoNames[frame]));
    automatic->setToolTip(frame == 0 ? QStringLiteral("グラフのＸ軸範囲の自動／手動切替")
                                     : QStringLiteral("グラフのＹ軸範囲の自動／手動切替"));
    autos[std::size_t(frame)] = automatic;
    connect(automatic, &QCheckBox::clicked, this,
            [this, frame](bool checked) { autoClicked(frame, checked); });
    grid->addWidget(automatic, 0, 0);
    const Box low = frame == 0 ? StartRow : frame == 1 ? TempLow : HumLow;
    const Box high = Box(low + 1);
    if (frame == 0) {
        addNumberBox(StartRow, 1, 32000, 20, QStringLiteral("グラフのＸ軸下限データＮｏ"));
        addNumberBox(EndRow, 1, 32000, 20, QStringLiteral("グラフのＸ軸上限データＮｏ．"));
        grid->addWidget(new QLabel(QStringLiteral("データNo."), group), 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("時　　　　　刻"), group), 0, 3);
    } else if (frame == 1) {
        addNumberBox(TempLow, -100, 200, 10, QStringLiteral("グラフのY軸下限値"));
        addNumberBox(TempHigh, -100, 200, 10, QStringLiteral("グラフのY軸上限値"));
    } else {
        addNumberBox(HumLow, 0, 100, 10, QString());
        addNumberBox(HumHigh, 0, 100, 10, QString());
        grid->addWidget(new QLabel(QStringLiteral("[%rh]"), group), 0, 1);
    }
    for (int i = 0; i < 2; ++i) {
        const Box b = i == 0 ? low : high;
        grid->addWidget(
            new QLabel(i == 0 ? QStringLiteral("下限値：") : QStringLiteral("上限値："), group),
            i + 1, 0);
        grid->addWidget(boxes[b].edit, i + 1, 1);
        grid->addWidget(boxes[b].bar, i + 1, 2);
        boxes[b].edit->setParent(group);
        boxes[b].bar->setParent(group);
        if (frame == 0) {
            auto *time = new QLineEdit(group);
            time->setObjectName(i == 0 ? QStringLiteral("Drstarttime")
                                       : QStringLiteral("Drendtime"));
            time->setFixedWidth(timeBoxWidth(time->fontMetrics()));
            time->setToolTip(i == 0 ? QStringLiteral("グラフのＸ軸下限時刻")
                                    : QStringLiteral("グラフのＸ軸上限時刻"));
            time->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[-0-9: ]*")), time));
            time->installEventFilter(this);
            connect(time, &QLineEdit::editingFinished, this, [this, i] { leaveTime(i); });
            connect(time, &QLineEdit::textEdited, this,
                    [this, i](const QString &text) { followTypedTime(i, text); });
            times[std::size_t(i)] = time;
            grid->addWidget(time, i + 1, 3);
        }
    }
    // Bars take the spare width; the value frames keep the time column's room so that
    // the boxes and bars of all three frames line up.
    grid->setColumnStretch(2, 1);
    if (frame != 0)
        grid->setColumnMinimumWidth(3, timeBoxWidth(group->fontMetrics()));
    return group;
}

void RangeDialog::addNumberBox(Box b, int low, int high, int step, const QString &tip)
{
    static const char *names[] = {"Drstartno", "Drendno",  "Trstartv",
                                  "Trendv",    "Hrstartv", "Hrendv"};
    NumberBox &n = boxes[b];
    n.edit = new QLineEdit(this);
    n.edit->setObjectName(QString::fromLatin1(names[b]));
    n.edit->setToolTip(tip);
    const bool signedBox = b == TempLow || b == TempHigh;
    n.edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(signedBox ? QStringLiteral("[-0-9]*") : QStringLiteral("[0-9]*")),
        n.edit));
    n.bar = new QScrollBar(Qt::Horizontal, this);
    n.bar->setObjectName(QStringLiteral("sc") + QString::fromLatin1(names[b]));
    n.bar->setRange(low, high);
    n.bar->setPageStep(step);
    n.bar->setMinimumWidth(160);
    // The same width in every frame keeps the three frames' columns in line.
    n.edit->setFixedWidth(n.edit->fontMetrics().horizontalAdvance(QStringLiteral("-00000")) + 16);
    n.edit->installEventFilter(this);
    n.bar->installEventFilter(this);
    connect(n.edit, &QLineEdit::textEdited, this, [this, b](const QString &text) {
        QScrollBar *bar = boxes[b].bar;
        const int v = boxNumber(text);
        if (v >= bar->minimum() && v <= bar->maximum())
            placeBar(bar, v);
    });
    connect(n.edit, &QLineEdit::editingFinished, this, [this, b] { leave(b); });
    // The bars take no focus: a drag is checked when it is let go, any other move at once.
    connect(n.bar, &QScrollBar::sliderMoved, this, [this, b](int v) {
        takeManual(frameOf(b));
        showValue(b, v);
    });
    connect(n.bar, &QScrollBar::valueChanged, this, [this, b](int v) { barChanged(b, v); });
    connect(n.bar, &QScrollBar::sliderReleased, this, [this, b] { leave(b); });
}

void RangeDialog::barChanged(Box b, int value)
{
    if (boxes[b].bar->isSliderDown())
        return;
    takeManual(frameOf(b));
    showValue(b, value);
    leave(b);
}

QDateTime RangeDialog::rowTime(int row) const
{
    return in.start.addSecs(qint64(row - 1) * in.intervalMinutes * 60);
}

void RangeDialog::setBox(Box b, int value)
{
    showValue(b, value);
    placeBar(boxes[b].bar, value);
    boxes[b].last = boxes[b].edit->text();
}

// The box, and for a row its time, show `value`; the check comes later.
void RangeDialog::showValue(Box b, int value)
{
    boxes[b].edit->setText(QString::number(value));
    if (b == StartRow || b == EndRow)
        times[b == StartRow ? 0 : 1]->setText(rowTime(value).toString(timeFormat));
}

// The bar and the time box follow the text of the box.
void RangeDialog::followText(Box b)
{
    const int value = boxNumber(boxes[b].edit->text());
    placeBar(boxes[b].bar, value);
    if (b == StartRow || b == EndRow)
        times[b == StartRow ? 0 : 1]->setText(rowTime(value).toString(timeFormat));
}

bool RangeDialog::report(int messageNo)
{
    if (messageNo == 54)
        showMessageText(dialogs, this, graphCaption, rowRangeMessage(in.rowTotal),
                        int(MessageStyle::OkExclamation));
    else if (messageNo != 0)
        showMessage(dialogs, this, graphCaption, messageNo, int(MessageStyle::OkExclamation));
    return messageNo == 0;
}

bool RangeDialog::leave(Box b)
{
    NumberBox &n = boxes[b];
    if (b == StartRow || b == EndRow) {
        const int start = boxNumber(boxes[StartRow].edit->text());
        const int end = boxNumber(boxes[EndRow].edit->text());
        const RowLeave r = b == StartRow ? leaveStartRow(start, end, in.rowTotal)
                                         : leaveEndRow(start, end, in.rowTotal);
        const bool fine = report(r.messageNo);
        if (r.restore) {
            n.edit->setText(n.last);
            followText(b);
            return false;
        }
        setBox(StartRow, r.start);
        setBox(EndRow, r.end);
        return fine;
    }
    const bool humidity = b == HumLow || b == HumHigh;
    const Box low = humidity ? HumLow : TempLow;
    const ValueLeave v =
        b == low ? leaveLowerValue(n.edit->text(), boxNumber(boxes[low + 1].edit->text()), humidity)
                 : leaveUpperValue(boxNumber(boxes[low].edit->text()), n.edit->text(), humidity);
    const bool fine = report(v.messageNo);
    if (v.restore) {
        n.edit->setText(n.last);
        followText(b);
        return false;
    }
    setBox(b, v.value);
    return fine;
}

bool RangeDialog::leaveTime(int which)
{
    QLineEdit *time = times[std::size_t(which)];
    const QString text = time->text().trimmed();
    QDateTime t = QDateTime::fromString(text, timeFormat);
    if (!t.isValid()) // the typing rule also takes seconds
        t = QDateTime::fromString(text, secondsFormat);
    const Box row = which == 0 ? StartRow : EndRow;
    t.setTimeSpec(Qt::UTC);
    const int message = !t.isValid()                               ? (which == 0 ? 55 : 56)
                        : t < in.start || t > rowTime(in.rowTotal) ? 62
                                                                   : 0;
    if (message != 0) {
        // A refused time never moves the rows: the box shows its row's time again.
        showMessage(dialogs, this, graphCaption, message, int(MessageStyle::OkExclamation));
        followText(row);
        return false;
    }
    // The row at or before the time.
    const qint64 r = in.start.secsTo(t) / 60 / std::max(1, in.intervalMinutes);
    boxes[row].edit->setText(QString::number(r + 1));
    return leave(row);
}

void RangeDialog::followTypedTime(int which, const QString &text)
{
    // A complete date-time with seconds moves the row scroll bar while the user types.
    if (text.size() != 19)
        return;
    QDateTime t = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!t.isValid())
        return;
    t.setTimeSpec(Qt::UTC);
    if (t < in.start || t > rowTime(in.rowTotal))
        return;
    const double rows = double(in.start.secsTo(t)) / (std::max(1, in.intervalMinutes) * 60.0);
    placeBar(boxes[which == 0 ? StartRow : EndRow].bar, int(std::floor(rows + 1.0 / 86400.0)) + 1);
}

void RangeDialog::autoClicked(int frame, bool checked)
{
    if (frame == 0) {
        in.state->TimeZoomed = !checked;
        if (checked) {
            setBox(StartRow, 1);
            setBox(EndRow, in.rowTotal);
        }
    } else if (frame == 1) {
        in.settings->ScaleFixed1 = checked ? 0 : 1;
        if (checked) {
            setBox(TempLow, in.scale.AutoMin1);
            setBox(TempHigh, in.scale.AutoMax1);
        }
    } else {
        in.settings->ScaleFixed2 = checked ? 0 : 1;
        if (checked) {
            setBox(HumLow, in.scale.AutoMin2);
            setBox(HumHigh, in.scale.AutoMax2);
        }
    }
}

void RangeDialog::takeManual(int frame)
{
    if (!autos[std::size_t(frame)]->isChecked())
        return;
    autos[std::size_t(frame)]->setChecked(false);
    autoClicked(frame, false);
}

bool RangeDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in a box runs its leave check and nothing else.
    if (isEnterKey(event)) {
        for (int b = 0; b < BoxCount; ++b)
            if (watched == boxes[std::size_t(b)].edit) {
                leave(Box(b));
                return true;
            }
        for (int i = 0; i < 2; ++i)
            if (watched == times[std::size_t(i)]) {
                leaveTime(i);
                return true;
            }
    }
    if (event->type() == QEvent::FocusIn) {
        auto *w = qobject_cast<QWidget *>(watched);
        for (int frame = 0; frame < 3 && w; ++frame)
            if (autos[std::size_t(frame)]->parentWidget()->isAncestorOf(w))
                takeManual(frame);
    }
    return QDialog::eventFilter(watched, event);
}

void RangeDialog::keyPressEvent(QKeyEvent *event)
{
    // No default button: Enter outside the boxes does not close the dialog either.
    if (isEnterKey(event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Entries typed but not yet left get their check now; false when one was refused.
bool RangeDialog::settleEdits()
{
    for (int b = 0; b < BoxCount; ++b) {
        const NumberBox &n = boxes[std::size_t(b)];
        if (n.edit->isEnabled() && n.edit->text() != n.last && !leave(Box(b)))
            return false;
    }
    for (int i = 0; i < 2; ++i) {
        const Box row = i == 0 ? StartRow : EndRow;
        const QString shown = rowTime(boxNumber(boxes[row].edit->text())).toString(timeFormat);
        if (times[std::size_t(i)]->isEnabled() && times[std::size_t(i)]->text() != shown &&
            !leaveTime(i))
            return false;
    }
    return true;
}

// What "Ok" would store is in order: no inverted or out-of-limit range is ever saved.
bool RangeDialog::rangesInOrder() const
{
    auto ordered = [this](Box low, int min, int max) {
        const int a = boxNumber(boxes[low].edit->text());
        const int b = boxNumber(boxes[low + 1].edit->text());
        return min <= a && a < b && b <= max;
    };
    const bool rows =
        autos[0]->isChecked() || in.rowTotal <= 1 || ordered(StartRow, 1, in.rowTotal);
    const bool temp = autos[1]->isChecked() || !in.scale.tempShown || ordered(TempLow, -100, 200);
    const bool hum = autos[2]->isChecked() || !in.scale.humShown || ordered(HumLow, 0, 100);
    return rows && temp && hum;
}

void RangeDialog::accept()
{
    if (!settleEdits())
        return;
    if (!rangesInOrder()) {
        report(57);
        return;
    }
    AppSettings &s = *in.settings;
    if (!autos[0]->isChecked())
        in.state->view = {boxNumber(boxes[StartRow].edit->text()),
                          boxNumber(boxes[EndRow].edit->text())};
    // A frame without series keeps the stored bounds: its boxes hold nothing.
    if (!autos[1]->isChecked() && in.scale.tempShown) {
        s.ScaleMax1 = qint16(boxNumber(boxes[TempHigh].edit->text()));
        s.ScaleMin1 = qint16(boxNumber(boxes[TempLow].edit->text()));
    }
    if (!autos[2]->isChecked() && in.scale.humShown) {
        s.ScaleMax2 = qint16(boxNumber(boxes[HumHigh].edit->text()));
        s.ScaleMin2 = qint16(boxNumber(boxes[HumLow].edit->text()));
    }
    s.ScaleFixed1 = autos[1]->isChecked() ? 0 : 1;
    s.ScaleFixed2 = autos[2]->isChecked() ? 0 : 1;
    fixedAtLastOk() = {s.ScaleFixed1, s.ScaleFixed2};
    if (in.saveSettings)
        if (const int error = in.saveSettings())
            showError(dialogs, this, error, QStringLiteral("zt2000.dat"));
    QDialog::accept();
}

void RangeDialog::reject()
{
    in.settings->ScaleFixed1 = qint16(fixedAtLastOk()[0]);
    in.settings->ScaleFixed2 = qint16(fixedAtLastOk()[1]);
    QDialog::reject();
}

} // namespace zt
