#include "readout/newdataread2dialog.h"

#include "link/seriallink.h"
#include "records/settingsfiles.h"
#include "ui/dialogservice.h"
#include "ui/statuskinds.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QLocale>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace zt {

namespace {
const QString messageTitle = QStringLiteral("ﾃﾞｰﾀ読出し");
constexpr int styleOkWarning = 48;
constexpr int styleOkCancelQuestion = 33;
constexpr int answerOk = 1;
constexpr int defaultEndHour = 23;

enum Column { NameCol, HeldCol, ReadCol, OldestCol, NewestCol, ColumnCount };

QString hoursAndMinutes(int minutes)
{
    return QStringLiteral("%1時%2分").arg(minutes / 60).arg(minutes % 60);
}

QString rangeTime(const QDateTime &t)
{
    return t.toString(QStringLiteral("yy/MM/dd hh:mm"));
}

QComboBox *hourBox(int current)
{
    auto *box = new QComboBox;
    for (int h = 0; h < 24; ++h)
        box->addItem(QStringLiteral("%1:00").arg(h));
    box->setCurrentIndex(current);
    return box;
}

QStandardItem *cell(const QString &text)
{
    auto *item = new QStandardItem(text);
    item->setEditable(false);
    return item;
}
} // namespace

QString gridTime(const QDateTime &t)
{
    return t.isValid() ? t.toString(QStringLiteral("yy-MM-dd hh:mm")) : QString();
}

NewDataRead2Dialog::NewDataRead2Dialog(SerialLink &link, SettingsRecords &settings,
                                       ReadoutSurvey survey, DialogService &dialogs,
                                       QString readMarksPath, QWidget *parent)
    : QDialog(parent), link(link), settings(settings), survey(std::move(survey)), dialogs(dialogs),
      readout(std::make_unique<ReadoutMachine>(link, settings, std::move(readMarksPath)))
{
    setObjectName(QStringLiteral("NewDataRead2"));
    setWindowTitle(QStringLiteral("データ読出し"));
    rows.fill(-1);
    readSlotKinds(link, this->survey);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildHeader());
    auto *middle = new QHBoxLayout;
    middle->addWidget(buildGrid(), 3);
    middle->addWidget(buildRange(), 2);
    layout->addLayout(middle);
    layout->addWidget(buildProgress());

    fillGrid();
    limitCalendar();
    recalculate();
    setChoosing(true); // the range controls follow the choice from the start
    fitGridToColumns();

    connect(readout.get(), &ReadoutMachine::stateChanged, this,
            &NewDataRead2Dialog::onStateChanged);
    connect(readout.get(), &ReadoutMachine::slotProgress, this, [this](int finished, int total) {
        ProgressBar1->setRange(0, total);
        ProgressBar1->setValue(finished);
    });
    connect(readout.get(), &ReadoutMachine::slotStarted, this, [this](int, int ordinal) {
        ReadStatusDisp->setText(QStringLiteral("%1台目を読み出し中").arg(ordinal));
        ProgressBar2->setValue(0);
    });
    connect(readout.get(), &ReadoutMachine::sampleProgress, this, [this](int position, int count) {
        ProgressBar2->setRange(0, count);
        ProgressBar2->setValue(position);
    });
    resize(sizeHint());
}

NewDataRead2Dialog::~NewDataRead2Dialog() = default;

QWidget *NewDataRead2Dialog::buildHeader()
{
    const ReceiverValues &v = survey.values;
    auto *Frame1 = new QGroupBox;
    Frame1->setObjectName(QStringLiteral("Frame1"));
    const int oyaSlot = settings.oya.slotForReadout(v.ReceiverID);
    auto *name = new QLabel(QStringLiteral("受信器名：　") + settings.oya.nameOf(oyaSlot));
    auto *laMeasInt = new QLabel(hoursAndMinutes(measureStepMinutes(v.MeasureInterval)));
    auto *laComInt = new QLabel(hoursAndMinutes(v.CommInterval));
    auto *laEnKoNo = new QLabel(QStringLiteral("%1台").arg(v.SystemKoCount));
    laMeasInt->setObjectName(QStringLiteral("laMeasInt"));
    laComInt->setObjectName(QStringLiteral("laComInt"));
    laEnKoNo->setObjectName(QStringLiteral("laEnKoNo"));
    auto *grid = new QGridLayout(Frame1);
    grid->addWidget(name, 0, 0, 2, 1);
    grid->setColumnStretch(0, 1);
    const QStringList heads{QStringLiteral("収録間隔"), QStringLiteral("通信間隔"),
                            QStringLiteral("接続送信器台数")};
    const QList<QLabel *> values{laMeasInt, laComInt, laEnKoNo};
    for (int i = 0; i < heads.size(); ++i) {
        grid->addWidget(new QLabel(heads[i]), 0, i + 1, Qt::AlignCenter);
        grid->addWidget(values[i], 1, i + 1, Qt::AlignCenter);
    }
    return Frame1;
}

QWidget *NewDataRead2Dialog::buildGrid()
{
    auto *box = new QGroupBox(QStringLiteral("読出し送信器選択"));
    model = new QStandardItemModel(0, ColumnCount, this);
    model->setHorizontalHeaderLabels({QStringLiteral("送信器名"), QStringLiteral("全ﾃﾞｰﾀ数"),
                                      QStringLiteral("読出ﾃﾞｰﾀ数"), QStringLiteral("最古ﾃﾞｰﾀ時刻"),
                                      QStringLiteral("最新ﾃﾞｰﾀ時刻")});
    SoshinSelGrid = new QTableView;
    SoshinSelGrid->setObjectName(QStringLiteral("SoshinSelGrid"));
    SoshinSelGrid->setModel(model);
    SoshinSelGrid->setSelectionMode(QAbstractItemView::NoSelection);
    SoshinSelGrid->verticalHeader()->setDefaultSectionSize(22);
    AllSenderSelect = new QPushButton(QStringLiteral("全送信器選択"));
    AllSenderSelect->setObjectName(QStringLiteral("AllSenderSelect"));
    connect(AllSenderSelect, &QPushButton::clicked, this,
            [this] { setAllSelected(AllSenderSelect->text() == QStringLiteral("全送信器選択")); });
    connect(model, &QStandardItemModel::itemChanged, this, [this](QStandardItem *item) {
        if (!filling && item->column() == NameCol) {
            recalculate();
            updateAllButton();
        }
    });
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(SoshinSelGrid);
    layout->addWidget(AllSenderSelect, 0, Qt::AlignLeft);
    return box;
}

QWidget *NewDataRead2Dialog::buildRange()
{
    auto *box = new QGroupBox(QStringLiteral("読出しデータ"));
    dateSel = new QRadioButton(QStringLiteral("日付を指定する"));
    allSel = new QRadioButton(QStringLiteral("全データ"));
    ReadDataSel = new QButtonGroup(this);
    ReadDataSel->addButton(dateSel, 0);
    ReadDataSel->addButton(allSel, 1);
    allSel->setChecked(true);
    MonthView1 = new QCalendarWidget;
    MonthView1->setObjectName(QStringLiteral("MonthView1"));
    MonthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // The calendar speaks the program's language, whatever the system locale.
    MonthView1->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    Labelstart = new QLabel;
    Labelstart->setObjectName(QStringLiteral("Labelstart"));
    startTime = hourBox(0);
    endTime = hourBox(defaultEndHour);
    startTime->setObjectName(QStringLiteral("Combotime0"));
    endTime->setObjectName(QStringLiteral("Combotime1"));
    Comboendtime = new QComboBox;
    Comboendtime->setObjectName(QStringLiteral("Comboendtime"));

    auto *choice = new QHBoxLayout;
    choice->addWidget(dateSel);
    choice->addWidget(allSel);
    auto *times = new QGridLayout;
    times->addWidget(new QLabel(QStringLiteral("開始")), 0, 0);
    times->addWidget(Labelstart, 0, 1);
    times->addWidget(startTime, 0, 2);
    times->addWidget(new QLabel(QStringLiteral("終了")), 1, 0);
    times->addWidget(Comboendtime, 1, 1);
    times->addWidget(endTime, 1, 2);
    auto *layout = new QVBoxLayout(box);
    layout->addLayout(choice);
    layout->addWidget(MonthView1);
    layout->addLayout(times);

    connect(ReadDataSel, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            setChoosing(true);
    });
    connect(MonthView1, &QCalendarWidget::selectionChanged, this, [this] {
        Labelstart->setText(MonthView1->selectedDate().toString(QStringLiteral("yy/MM/dd")));
        fillEndDates();
    });
    for (QComboBox *c : {startTime, endTime, Comboendtime})
        connect(c, &QComboBox::currentIndexChanged, this, [this] {
            if (!filling)
                recalculate();
        });
    return box;
}

QWidget *NewDataRead2Dialog::buildProgress()
{
    auto *panel = new QWidget;
    ProgressBar1 = new QProgressBar;
    ProgressBar2 = new QProgressBar;
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar2->setObjectName(QStringLiteral("ProgressBar2"));
    for (QProgressBar *bar : {ProgressBar1, ProgressBar2}) {
        bar->setRange(0, 1);
        bar->setValue(0);
    }
    ReadStatusDisp = new QLabel;
    ReadStatusDisp->setObjectName(QStringLiteral("ReadStatusDisp"));
    readBtn = new QPushButton(QStringLiteral("読出し"));
    cancelBtn = new QPushButton(QStringLiteral("Cancel"));
    readBtn->setObjectName(QStringLiteral("OKButton0"));
    cancelBtn->setObjectName(QStringLiteral("OKButton1"));
    readBtn->setDefault(true);
    connect(readBtn, &QPushButton::clicked, this, &NewDataRead2Dialog::startReading);
    connect(cancelBtn, &QPushButton::clicked, this, &NewDataRead2Dialog::cancelReading);

    auto *bars = new QGridLayout;
    bars->addWidget(new QLabel(QStringLiteral("送信器")), 0, 0);
    bars->addWidget(ProgressBar1, 0, 1);
    bars->addWidget(new QLabel(QStringLiteral("データ")), 1, 0);
    bars->addWidget(ProgressBar2, 1, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(readBtn);
    buttons->addWidget(cancelBtn);
    auto *layout = new QGridLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bars, 0, 0);
    layout->addWidget(ReadStatusDisp, 1, 0);
    layout->addLayout(buttons, 0, 1, 2, 1);
    layout->setColumnStretch(0, 1);
    return panel;
}

void NewDataRead2Dialog::fillGrid()
{
    filling = true;
    const int oyaSlot = settings.oya.slotForReadout(survey.values.ReceiverID);
    QStringList numbers;
    for (int k = 1; k <= MaxKo; ++k) {
        if (!survey.registered(k))
            continue;
        const SlotSpan &span = survey.span(k);
        QString name = settings.koNames.name(oyaSlot, k);
        auto *nameItem = cell(name.isEmpty() ? QStringLiteral("名称無し") : name);
        QList<QStandardItem *> row{nameItem, cell(QString::number(span.count)), cell({}), cell({}),
                                   cell({})};
        if (span.count > 0) {
            nameItem->setCheckable(true);
            nameItem->setCheckState(Qt::Checked);
        } else {
            row[OldestCol]->setText(survey.recording(k) ? QStringLiteral("データ待機中")
                                                        : QStringLiteral("収録開始待機中"));
        }
        rows[std::size_t(k - 1)] = model->rowCount();
        model->appendRow(row);
        numbers << QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0'));
    }
    model->setVerticalHeaderLabels(numbers);
    filling = false;
    updateAllButton();
}

void NewDataRead2Dialog::fitGridToColumns()
{
    // Every column, "最新ﾃﾞｰﾀ時刻" and its times included, shows without scrolling
    // sideways; a vertical scroll bar may still come with many transmitters.
    SoshinSelGrid->resizeColumnsToContents();
    SoshinSelGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int width = SoshinSelGrid->verticalHeader()->sizeHint().width() +
                      SoshinSelGrid->horizontalHeader()->length() +
                      2 * SoshinSelGrid->frameWidth() +
                      SoshinSelGrid->verticalScrollBar()->sizeHint().width();
    SoshinSelGrid->setMinimumWidth(width);
}

void NewDataRead2Dialog::limitCalendar()
{
    ReadRange all = allDataRange(survey.spans);
    if (!all.start.isValid()) // nothing held anywhere: the receiver's day
        all.start = all.end = survey.values.ReceiverClock.isValid()
                                  ? survey.values.ReceiverClock
                                  : QDateTime::currentDateTimeUtc();
    filling = true;
    MonthView1->setDateRange(all.start.date(), all.end.date());
    filling = false;
    MonthView1->setSelectedDate(all.start.date());
    Labelstart->setText(MonthView1->selectedDate().toString(QStringLiteral("yy/MM/dd")));
    fillEndDates();
}

void NewDataRead2Dialog::fillEndDates()
{
    filling = true;
    Comboendtime->clear();
    const QDate first = MonthView1->selectedDate();
    for (QDate d = first; d <= MonthView1->maximumDate(); d = d.addDays(1))
        Comboendtime->addItem(d.toString(QStringLiteral("yy/MM/dd")));
    Comboendtime->setCurrentIndex(Comboendtime->count() - 1);
    filling = false;
    recalculate();
}

ReadRange NewDataRead2Dialog::range() const
{
    if (allSel->isChecked())
        return allDataRange(survey.spans);
    return dateRange(MonthView1->selectedDate(), startTime->currentIndex(),
                     qMax(0, Comboendtime->currentIndex()), endTime->currentIndex());
}

std::array<bool, MaxKo> NewDataRead2Dialog::selection() const
{
    std::array<bool, MaxKo> chosen{};
    for (int k = 1; k <= MaxKo; ++k) {
        const int row = rows[std::size_t(k - 1)];
        chosen[std::size_t(k - 1)] =
            row >= 0 && model->item(row, NameCol)->checkState() == Qt::Checked;
    }
    return chosen;
}

int NewDataRead2Dialog::rowOf(int koNo) const
{
    return rows[std::size_t(koNo - 1)];
}

void NewDataRead2Dialog::recalculate()
{
    const ReadRange r = range();
    const std::array<bool, MaxKo> chosen = selection();
    const ReceiverValues &v = survey.values;
    for (int k = 1; k <= MaxKo; ++k) {
        ReadPlan &plan = plans[std::size_t(k - 1)];
        plan = chosen[std::size_t(k - 1)]
                   ? ReadDataCalcDisp(survey.span(k), r, v.MeasureInterval, v.SystemKoCount)
                   : ReadPlan{};
        showPlan(k);
    }
}

void NewDataRead2Dialog::showPlan(int koNo)
{
    const int row = rowOf(koNo);
    const SlotSpan &span = survey.span(koNo);
    if (row < 0 || span.count <= 0)
        return;
    const ReadPlan &plan = plans[std::size_t(koNo - 1)];
    const int step = measureStepMinutes(survey.values.MeasureInterval);
    filling = true;
    model->item(row, ReadCol)->setText(QString::number(plan.count));
    // The times of the first and last sample to read; the span held when none.
    const bool any = plan.count > 0;
    model->item(row, OldestCol)->setText(gridTime(any ? plan.start : span.oldest));
    model->item(row, NewestCol)
        ->setText(
            gridTime(any ? plan.start.addSecs(qint64(plan.count - 1) * step * 60) : span.newest));
    filling = false;
}

void NewDataRead2Dialog::setAllSelected(bool selected)
{
    filling = true;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStandardItem *item = model->item(row, NameCol);
        if (item->isCheckable())
            item->setCheckState(selected ? Qt::Checked : Qt::Unchecked);
    }
    filling = false;
    recalculate();
    updateAllButton();
}

void NewDataRead2Dialog::updateAllButton()
{
    bool allChosen = true;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStandardItem *item = model->item(row, NameCol);
        if (item->isCheckable() && item->checkState() != Qt::Checked)
            allChosen = false;
    }
    AllSenderSelect->setText(allChosen ? QStringLiteral("全送信器未選択")
                                       : QStringLiteral("全送信器選択"));
}

void NewDataRead2Dialog::setChoosing(bool enabled)
{
    SoshinSelGrid->setEnabled(enabled);
    AllSenderSelect->setEnabled(enabled);
    dateSel->setEnabled(enabled);
    allSel->setEnabled(enabled);
    readBtn->setEnabled(enabled);
    const bool dates = enabled && dateSel->isChecked();
    for (QWidget *w :
         std::initializer_list<QWidget *>{MonthView1, startTime, endTime, Comboendtime})
        w->setEnabled(dates);
    if (enabled && !filling)
        recalculate();
}

void NewDataRead2Dialog::startReading()
{
    if (readout->reading())
        return;
    if (dateSel->isChecked() && Comboendtime->currentIndex() == 0 &&
        startTime->currentIndex() >= endTime->currentIndex()) {
        dialogs.message(
            this, {messageTitle, QStringLiteral("日付の指定が正しくありません"), styleOkWarning});
        filling = true;
        startTime->setCurrentIndex(0);
        endTime->setCurrentIndex(defaultEndHour);
        filling = false;
        recalculate();
        return;
    }
    recalculate();
    const bool anything =
        std::any_of(plans.begin(), plans.end(), [](const ReadPlan &p) { return p.count > 0; });
    if (!anything) {
        dialogs.message(this, {messageTitle, QStringLiteral("読み出せるデータがありませんでした"),
                               styleOkWarning});
        return;
    }
    const ReadRange r = range();
    const QString question = QStringLiteral("読出し範囲\n%1 ～ %2\nよろしいですか？")
                                 .arg(rangeTime(r.start), rangeTime(r.end));
    if (dialogs.message(this, {messageTitle, question, styleOkCancelQuestion}) != answerOk)
        return;
    setChoosing(false);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);
    ReadStatusDisp->setText(QStringLiteral("1台目を読み出し中"));
    // A failed start ends the machine, and onStateChanged reports it.
    if (readout->start(survey, r, selection()) == ReadoutMachine::StartResult::NothingToRead) {
        setChoosing(true);
        ReadStatusDisp->clear();
    }
}

void NewDataRead2Dialog::cancelReading()
{
    if (readout->reading()) {
        cancelBtn->setEnabled(false);
        readout->cancel();
        return;
    }
    QDialog::reject();
}

void NewDataRead2Dialog::reject()
{
    cancelReading();
}

void NewDataRead2Dialog::closeEvent(QCloseEvent *event)
{
    if (readout->reading()) {
        event->ignore();
        cancelReading();
        return;
    }
    QDialog::closeEvent(event);
}

void NewDataRead2Dialog::onStateChanged(ReadoutMachine::State state)
{
    using S = ReadoutMachine::State;
    switch (state) {
    case S::Taken:
        taken = readout->takeSet();
        accept();
        return;
    case S::Voided:
        endWithStatus(readout->statusKind(), readout->changeText().split(QLatin1Char('\n')));
        return;
    case S::NothingRead:
    case S::Cancelled:
    case S::Failed:
        endWithStatus(readout->statusKind());
        return;
    case S::Idle:
    case S::Summary:
    case S::Blocks:
        return;
    }
}

void NewDataRead2Dialog::endWithStatus(int kind, const QStringList &extra)
{
    link.ClosePort();
    hide();
    showStatusMessage(dialogs, parentWidget(), kind, extra);
    QDialog::reject();
}

} // namespace zt
