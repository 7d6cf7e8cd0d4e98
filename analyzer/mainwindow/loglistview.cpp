#include "mainwindow/loglistview.h"

#include "mainwindow/loglistmodel.h"
#include "mainwindow/statsheadermodel.h"
#include "records/limits.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <cmath>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace zt {

namespace {

QTableView *makeView(QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setHighlightSections(false);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    return view;
}

// Scroll bars of a chosen thickness, drawn as the application's style draws them.
class ScrollBarExtentStyle : public QProxyStyle
{
public:
    explicit ScrollBarExtentStyle(int extent)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), extent(extent)
    {
    }
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        if (metric == PM_ScrollBarExtent)
            return extent;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    int extent;
};

} // namespace

LogListView::LogListView(LogListModel *list, StatsHeaderModel *stats, QWidget *parent)
    : QWidget(parent), statsGrid(makeView(this)), fixed(makeView(this)), data(makeView(this))
{
    statsGrid->setModel(stats);
    statsGrid->horizontalHeader()->hide();
    statsGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    statsGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    statsGrid->setFocusPolicy(Qt::NoFocus);
    statsGrid->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);

    fixed->setModel(list);
    fixed->verticalHeader()->hide();
    fixed->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixed->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixed->setFocusPolicy(Qt::NoFocus);
    for (int c = LogListModel::FixedColumns; c < list->columnCount(); ++c)
        fixed->setColumnHidden(c, true);

    data->setModel(list);
    data->verticalHeader()->hide();
    data->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    data->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (int c = 0; c < LogListModel::FixedColumns; ++c)
        data->setColumnHidden(c, true);

    // One vertical position for the fixed and the scrolling columns, one horizontal
    // position for the list and its statistics header.
    connect(data->verticalScrollBar(), &QScrollBar::valueChanged, fixed->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(fixed->verticalScrollBar(), &QScrollBar::valueChanged, data->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(data->horizontalScrollBar(), &QScrollBar::valueChanged,
            statsGrid->horizontalScrollBar(), &QScrollBar::setValue);
    fixed->viewport()->installEventFilter(this);
    data->viewport()->installEventFilter(this);
    data->installEventFilter(this);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(statsGrid, 0, 0, 1, 2);
    // The fixed columns end where the list's rows end, above its horizontal scroll bar.
    auto *fixedColumn = new QVBoxLayout;
    fixedColumn->setSpacing(0);
    fixedColumn->addWidget(fixed);
    belowFixed = new QSpacerItem(0, data->horizontalScrollBar()->sizeHint().height(),
                                 QSizePolicy::Minimum, QSizePolicy::Fixed);
    fixedColumn->addSpacerItem(belowFixed);
    grid->addLayout(fixedColumn, 1, 0);
    grid->addWidget(data, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    applyRowMetrics();
}

void LogListView::applyScreenLayout(const ScreenLayout &screen)
{
    measures = screen;
    delete scrollBarStyle;
    scrollBarStyle = new ScrollBarExtentStyle(screen.listScrollBarThickness);
    scrollBarStyle->setParent(this);
    data->verticalScrollBar()->setStyle(scrollBarStyle);
    data->horizontalScrollBar()->setStyle(scrollBarStyle);
    belowFixed->changeSize(0, screen.listScrollBarThickness, QSizePolicy::Minimum,
                           QSizePolicy::Fixed);
    QEvent relayout(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(data, &relayout);
    applyRowMetrics();
    applyColumnWidths();
    if (QLayout *l = layout())
        l->invalidate();
}

void LogListView::scrollToStart()
{
    data->verticalScrollBar()->setValue(0);
    data->horizontalScrollBar()->setValue(0);
    fixed->verticalScrollBar()->setValue(0);
}

void LogListView::applyRowMetrics()
{
    const QFontMetrics fm(font());
    // The height of the text plus 15 twips, 1.2 times that on tall screens.
    const double factor = measures.tallScreen ? 1.2 : 1.0;
    const int rowHeight = int(std::lround((fm.height() + 15.0 / measures.twipsPerPixel) * factor));
    for (QTableView *v : {statsGrid, fixed, data}) {
        v->verticalHeader()->setMinimumSectionSize(rowHeight);
        v->verticalHeader()->setDefaultSectionSize(rowHeight);
    }
    // Name, rest of the name and unit, each the height of "あ" plus 30 twips.
    const int headerHeight =
        int(std::lround(3 * (fm.height() + 30.0 / measures.twipsPerPixel) * factor));
    fixed->horizontalHeader()->setFixedHeight(headerHeight);
    data->horizontalHeader()->setFixedHeight(headerHeight);
    statsGrid->setFixedHeight(4 * rowHeight + 2 * statsGrid->frameWidth());
}

void LogListView::applyColumnWidths()
{
    const QFontMetrics fm(font());
    const int margin = measures.columnMargin;
    const int noWidth = int(5.5 * fm.horizontalAdvance(QLatin1Char('0'))) + margin;
    const int timeWidth = 14 * fm.horizontalAdvance(QLatin1Char('0')) + margin;
    fixed->setColumnWidth(0, noWidth);
    fixed->setColumnWidth(1, timeWidth);
    const int fixedWidth = noWidth + timeWidth + 2 * fixed->frameWidth();
    fixed->setFixedWidth(fixedWidth);
    statsGrid->verticalHeader()->setFixedWidth(fixedWidth - statsGrid->frameWidth());

    const int available = data->viewport()->width();
    const int columnWidth = qMax(40, available / VisibleDisplayColumns);
    for (int c = LogListModel::FixedColumns; c < data->model()->columnCount(); ++c) {
        data->setColumnWidth(c, columnWidth);
        statsGrid->setColumnWidth(c - LogListModel::FixedColumns, columnWidth);
    }
}

void LogListView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applyColumnWidths();
}

bool LogListView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == fixed->viewport() && event->type() == QEvent::Wheel) {
        // The fixed columns have no scroll bar of their own: scroll the list.
        QCoreApplication::sendEvent(data->viewport(), event);
        return true;
    }
    if (watched == data->viewport() && event->type() == QEvent::Resize)
        applyColumnWidths(); // eight display columns share the visible width
    if (watched == data && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_F10) {
        emit extraOptionsRequested();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zt
