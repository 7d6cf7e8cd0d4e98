#include "windows/newviewform.h"

#include "engine/monitorcycle.h"
#include "link/seriallink.h"
#include "platform/windowtitles.h"
#include "windows/contactframe.h"
#include "windows/infotexts.h"
#include "windows/listgridmodel.h"
#include "windows/tgridmodel.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace zt {

namespace {
QAction *addNamed(QWidget *owner, QMenu *menu, QMenuBar *bar, const char *name, const QString &text)
{
    QAction *a = menu ? menu->addAction(text) : bar->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    owner->addAction(a);
    return a;
}

int textWidth(const QFontMetrics &fm, const QStringList &samples)
{
    int w = 0;
    for (const QString &s : samples)
        for (const QString &line : s.split(QLatin1Char('\n')))
            w = std::max(w, fm.horizontalAdvance(line));
    return w + fm.horizontalAdvance(QStringLiteral("00"));
}

void plainGrid(QTableView *view)
{
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setFocusPolicy(Qt::NoFocus);
    view->setWordWrap(true);
    view->verticalHeader()->hide();
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}
} // namespace

NewViewForm::NewViewForm(MonitorCycle &cycle, QWidget *parent)
    : QMainWindow(parent), cycle(cycle), listModelPtr(new ListGridModel(cycle, this)),
      recordModelPtr(new TGridModel(cycle, this))
{
    setObjectName(QStringLiteral("NewViewForm"));
    setWindowTitle(monitorListTitle());
    buildMenus();
    setCentralWidget(buildCentral());

    connect(&cycle, &MonitorCycle::slotChanged, listModelPtr, &ListGridModel::refreshSlot);
    connect(&cycle, &MonitorCycle::recordsStored, this,
            [this](const StoredBatch &batch) { onRecordsStored(batch.koNo); });
    connect(&cycle, &MonitorCycle::receiverStateChanged, this, &NewViewForm::refreshReceiver);
    connect(contacts, &ContactFrame::releaseClicked, this, &NewViewForm::contactReleaseRequested);
    refreshAll();
}

void NewViewForm::buildMenus()
{
    QMenuBar *bar = menuBar();
    connect(addNamed(this, nullptr, bar, "tojiru", QStringLiteral("監視の終了")),
            &QAction::triggered, this, &NewViewForm::endRequested);
    connect(addNamed(this, nullptr, bar, "JochuDataSave", QStringLiteral("データ保存")),
            &QAction::triggered, this, &NewViewForm::dataSaveRequested);
    connect(addNamed(this, nullptr, bar, "logdisp", QStringLiteral("動作履歴表示")),
            &QAction::triggered, this, &NewViewForm::logWindowRequested);
    QMenu *sender = bar->addMenu(QStringLiteral("送信器設定"));
    sender->setObjectName(QStringLiteral("sendersettei"));
    connect(addNamed(this, sender, bar, "senderalarmsettei", QStringLiteral("送信器警報設定")),
            &QAction::triggered, this, &NewViewForm::alarmSettingsRequested);
    QMenu *option = bar->addMenu(QStringLiteral("オプション"));
    option->setObjectName(QStringLiteral("option"));
    connect(addNamed(this, option, bar, "teikioptionopen", QStringLiteral("監視データ保存設定")),
            &QAction::triggered, this, &NewViewForm::periodicOptionsRequested);
    connect(addNamed(this, option, bar, "settenautoopen", QStringLiteral("接点動作設定")),
            &QAction::triggered, this, &NewViewForm::contactSettingsRequested);
    connect(addNamed(this, option, bar, "alarmoption", QStringLiteral("警報設定")),
            &QAction::triggered, this, &NewViewForm::alarmSettingsRequested);
}

QWidget *NewViewForm::buildCentral()
{
    auto *central = new QWidget(this);
    OyaNameDisp = new QLabel(central);
    OyaNameDisp->setObjectName(QStringLiteral("OyaNameDisp"));
    QFont bold = OyaNameDisp->font();
    bold.setBold(true);
    OyaNameDisp->setFont(bold);
    OyaTimeDisplay = new QLabel(central);
    OyaTimeDisplay->setObjectName(QStringLiteral("OyaTimeDisplay"));
    InfoDisp = new QLabel(central);
    InfoDisp->setObjectName(QStringLiteral("InfoDisp"));
    KokiNoDisp = new QLabel(QStringLiteral("表示する送信器No.を選択して下さい"), central);
    KokiNoDisp->setObjectName(QStringLiteral("KokiNoDisp"));
    KokiNoDisp->setCursor(Qt::PointingHandCursor);
    KokiNoDisp->installEventFilter(this);

    // The two header rows stay put above the slot rows, which scroll beneath them.
    ListHead = new QTableView(central);
    ListHead->setObjectName(QStringLiteral("ListHead"));
    ListHead->setModel(listModelPtr);
    plainGrid(ListHead);
    ListHead->horizontalHeader()->hide();
    ListHead->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListGrid = new QTableView(central);
    ListGrid->setObjectName(QStringLiteral("ListGrid"));
    ListGrid->setModel(listModelPtr);
    plainGrid(ListGrid);
    ListGrid->horizontalHeader()->hide();
    ListGrid->setMouseTracking(true);
    connect(ListGrid, &QTableView::clicked, this, &NewViewForm::onListClicked);
    headSpacer = new QWidget(central);

    TGrid = new QTableView(central);
    TGrid->setObjectName(QStringLiteral("TGrid"));
    TGrid->setModel(recordModelPtr);
    plainGrid(TGrid);
    TGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    contacts = new ContactFrame(central);

    auto *top = new QHBoxLayout;
    top->addWidget(OyaNameDisp);
    top->addStretch();
    top->addWidget(OyaTimeDisplay);
    auto *side = new QVBoxLayout;
    side->addWidget(InfoDisp);
    side->addWidget(contacts);
    side->addStretch();
    auto *records = new QVBoxLayout;
    records->addWidget(KokiNoDisp);
    records->addWidget(TGrid, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addLayout(records, 1);
    bottom->addLayout(side);
    auto *layout = new QVBoxLayout(central);
    layout->addLayout(top);
    auto *head = new QHBoxLayout;
    head->setSpacing(0);
    head->addWidget(ListHead);
    head->addWidget(headSpacer);
    auto *list = new QVBoxLayout;
    list->setSpacing(0);
    list->addLayout(head);
    list->addWidget(ListGrid, 1);
    layout->addLayout(list, 3);
    layout->addLayout(bottom, 2);
    return central;
}

void NewViewForm::sizeGrids()
{
    const QFontMetrics fm(ListGrid->font());
    const int timeWidth =
        textWidth(fm, {QStringLiteral("03-08-22 23:51"), QStringLiteral("収録開始待機中")});
    const int valueWidth =
        textWidth(fm, {QStringLiteral("センサ異常"), QStringLiteral("湿度(％)")});
    const int flagWidth = textWidth(fm, {QStringLiteral("異常")});
    const int widths[ListGridModel::ColumnCount] = {
        textWidth(fm, {QStringLiteral("No.")}),
        textWidth(fm, {QStringLiteral("送信器名送信器名")}),
        timeWidth,
        valueWidth,
        valueWidth,
        flagWidth,
        flagWidth,
        flagWidth,
        textWidth(fm, {QStringLiteral("監視")}) + 8};
    int total = 0;
    for (int c = 0; c < ListGridModel::ColumnCount; ++c) {
        ListHead->setColumnWidth(c, widths[c]);
        ListGrid->setColumnWidth(c, widths[c]);
        total += widths[c];
    }
    const int rows = listModelPtr->rowCount();
    for (int r = 0; r < rows; ++r) {
        const bool header = r < ListGridModel::HeaderRows;
        ListHead->setRowHidden(r, !header);
        ListGrid->setRowHidden(r, header);
    }
    ListHead->clearSpans();
    ListHead->setSpan(0, ListGridModel::ColNo, 2, 1);
    ListHead->setSpan(0, ListGridModel::ColName, 2, 1);
    ListHead->setSpan(0, ListGridModel::ColTime, 1, 3);
    ListHead->setSpan(0, ListGridModel::ColMeasure, 1, 3);
    ListHead->setSpan(0, ListGridModel::ColMonitor, 2, 1);
    const int rowHeight = fm.height() + 8;
    const int frames = 2 * ListGrid->frameWidth();
    ListHead->verticalHeader()->setDefaultSectionSize(rowHeight);
    ListHead->setFixedHeight(ListGridModel::HeaderRows * rowHeight + frames);
    ListGrid->verticalHeader()->setDefaultSectionSize(rowHeight);
    // Up to 16 slots show whole; more scroll beneath the header rows.
    const int slotRows = rows - ListGridModel::HeaderRows;
    const int visibleRows = std::min(slotRows, 16);
    const bool scrolls = slotRows > visibleRows;
    const int scrollBar = ListGrid->verticalScrollBar()->sizeHint().width();
    ListHead->setFixedWidth(total + frames);
    headSpacer->setFixedWidth(scrolls ? scrollBar : 0);
    ListGrid->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    ListGrid->setFixedWidth(total + frames + (scrolls ? scrollBar : 0));
    const int listHeight = std::max(visibleRows, 1) * rowHeight + frames;
    ListGrid->setMinimumHeight(listHeight);
    ListGrid->setMaximumHeight(scrolls ? QWIDGETSIZE_MAX : listHeight);
    TGrid->verticalHeader()->setDefaultSectionSize(rowHeight);
    TGrid->setMinimumWidth(3 * timeWidth);
    TGrid->setMinimumHeight(8 * rowHeight);
}

void NewViewForm::refreshAll()
{
    listModelPtr->refreshAll();
    sizeGrids();
    OyaNameDisp->setText(cycle.receiverName());
    InfoDisp->setText(intervalInfoText(cycle.measureInterval(), cycle.commInterval()));
    refreshReceiver();
}

void NewViewForm::setReleaseCoversBattery(bool covers)
{
    releaseCoversBattery = covers;
    refreshReceiver();
}

void NewViewForm::refreshReceiver()
{
    OyaTimeDisplay->setText(receiverTimeText(cycle.receiverClock()));
    const ContactIndicators &c = cycle.contacts();
    contacts->setContacts(c.alarmOn(), c.batteryOn(),
                          c.alarmOn() || (c.batteryOn() && releaseCoversBattery));
}

void NewViewForm::onRecordsStored(int koNo)
{
    listModelPtr->refreshSlot(koNo);
    if (koNo != recordModelPtr->shownKo())
        return;
    const bool atEnd = TGrid->verticalScrollBar()->value() == TGrid->verticalScrollBar()->maximum();
    recordModelPtr->reload();
    if (atEnd)
        TGrid->scrollToBottom();
}

void NewViewForm::onListClicked(const QModelIndex &index)
{
    const int ko = ListGridModel::koOfRow(index.row());
    if (ko > 0)
        clickCell(ko, index.column());
}

void NewViewForm::clickCell(int koNo, int column)
{
    // Nothing changes while a reply of the receiver is awaited.
    if (cycle.link().commIndicator() || koNo < 1 || koNo > cycle.koCount())
        return;
    if (column == ListGridModel::ColMonitor) {
        if (cycle.slot(koNo).AlarmMonitorOn) {
            emit monitorReleaseRequested(koNo);
            return;
        }
        cycle.enableAlarmMonitor(koNo);
        listModelPtr->refreshSlot(koNo);
    } else if (column == ListGridModel::ColNo) {
        if (koNo != listModelPtr->selectedKo() && cycle.slot(koNo).KoOperating)
            selectKo(koNo);
    }
}

void NewViewForm::selectKo(int koNo)
{
    setEnabled(false);
    KokiNoDisp->setText(koNo > 0 ? shownKoText(koNo) : QString());
    listModelPtr->setSelectedKo(koNo);
    recordModelPtr->showKo(koNo);
    TGrid->scrollToBottom();
    setEnabled(true);
}

void NewViewForm::clickShownKoLabel()
{
    selectKo(0);
}

QAction *NewViewForm::action(const QString &name) const
{
    return findChild<QAction *>(name);
}

void NewViewForm::closeEvent(QCloseEvent *event)
{
    if (closing) {
        event->accept();
        return;
    }
    event->ignore();
    emit endRequested();
}

void NewViewForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        emit minimisedChanged(isMinimized());
}

bool NewViewForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == KokiNoDisp && event->type() == QEvent::MouseButtonRelease) {
        clickShownKoLabel();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace zt
