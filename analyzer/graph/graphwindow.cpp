#include "graph/graphwindow.h"

#include "graph/graphwindowlayout.h"
#include "graph/headtickdelegate.h"
#include "graph/infocolumn.h"
#include "graph/plotcanvas.h"
#include "graph/plotpicture.h"
#include "graph/plotrenderer.h"
#include "graph/rangedialog.h"
#include "graph/readout.h"
#include "graph/referencelinedialog.h"
#include "icons/toolbaricons.h"
#include "records/messages.h"
#include "ui/messageroutine.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QTableWidget>
#include <QToolBar>

namespace zt {

namespace {
constexpr int graphCaption = 4;
constexpr int gridColumns = 9;
constexpr int gridRows = 6;
} // namespace

GraphState &GraphWindow::state()
{
    static GraphState graph;
    return graph;
}

GraphWindow::GraphWindow(GraphSource source, DialogService &dialogs, QWidget *mainWindow,
                         QSize windowSize)
    : src(std::move(source)), dialogs(dialogs), mainWindow(mainWindow),
      baseFont(graphBaseFont(windowSize.width())), gImage(new PlotPicture),
      gpgrid(new QTableWidget(gridRows, gridColumns))
{
    setObjectName(QStringLiteral("GRAPH"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(captionText(graphCaption));
    QFont windowFont = baseFont;
    windowFont.setPointSizeF(baseFont.pointSizeF() - 1);
    setFont(windowFont);
    if (mainWindow)
        mainWindow->setEnabled(false);

    auto *central = new QWidget(this);
    gImage->setParent(central);
    gpgrid->setParent(central);
    setCentralWidget(central);
    central->installEventFilter(this);
    buildMenus();
    buildToolbar();
    buildGrid();

    GraphState &graph = state();
    graph.RefLineT = {RefLineUnset, RefLineUnset};
    graph.RefLineH = {RefLineUnset, RefLineUnset};
    graph.LineWidth = 1;
    // Cleared before the first drawing so that no series stays hidden from the last opening.
    graph.SeriesHidden = {};
    setFixedSize(windowSize);

    connect(gImage, &PlotPicture::hovered, this, &GraphWindow::showReadout);
    connect(gImage, &PlotPicture::pressed, this, &GraphWindow::onPress);
    connect(gImage, &PlotPicture::dragged, this, &GraphWindow::onDrag);
    connect(gImage, &PlotPicture::released, this, &GraphWindow::onRelease);
    connect(gImage, &PlotPicture::rightClicked, this, [this](QPoint at) {
        QMenu popR(QStringLiteral("レンジ元に戻す"), this);
        popR.setObjectName(QStringLiteral("popR"));
        QAction *item = popR.addAction(QStringLiteral("自動範囲に戻す"));
        item->setObjectName(QStringLiteral("popRange"));
        if (popR.exec(at) == item)
            returnToAutoRange();
    });
    layoutPanes();
    redraw(true);
}

GraphWindow::~GraphWindow() = default;

QAction *GraphWindow::addAction(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(name);
    actions.insert(name, a);
    return a;
}

void GraphWindow::buildMenus()
{
    QAction *range = menuBar()->addAction(QStringLiteral("レンジ変更(&R)"));
    range->setObjectName(QStringLiteral("mrange"));
    actions.insert(range->objectName(), range);
    connect(range, &QAction::triggered, this, &GraphWindow::openRange);

    QMenu *print = menuBar()->addMenu(QStringLiteral("印刷(&G)"));
    print->setObjectName(QStringLiteral("mprint"));
    connect(addAction(print, QStringLiteral("mgPrint"), QStringLiteral("グラフ印刷(&P)")),
            &QAction::triggered, this, &GraphWindow::printRequested);
    connect(addAction(print, QStringLiteral("mPaperset"), QStringLiteral("ページ設定(&Y)")),
            &QAction::triggered, this, &GraphWindow::pageSetupRequested);

    QMenu *para = menuBar()->addMenu(QStringLiteral("パラメータ(&P)"));
    para->setObjectName(QStringLiteral("mpara"));
    QAction *label = addAction(para, QStringLiteral("mpLabel"), QStringLiteral("ラベル表示(&L)"));
    label->setCheckable(true);
    connect(label, &QAction::triggered, this, &GraphWindow::setLabelsOn);
    QMenu *line = para->addMenu(QStringLiteral("グラフ線幅(&S)"));
    line->setObjectName(QStringLiteral("mpLIne"));
    auto *widths = new QActionGroup(this);
    for (int i = 0; i < 2; ++i) {
        QAction *a = addAction(line, QStringLiteral("mpLIneSe%1").arg(i),
                               i == 0 ? QStringLiteral("細") : QStringLiteral("太"));
        a->setCheckable(true);
        a->setChecked(i == 0);
        widths->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { setLineWidth(i + 1); });
    }
    connect(addAction(para, QStringLiteral("mpRef"), QStringLiteral("基準線(&K)")),
            &QAction::triggered, this, &GraphWindow::openReferenceLines);

    QAction *end = menuBar()->addAction(QStringLiteral("グラフ終了(&X)"));
    end->setObjectName(QStringLiteral("mend"));
    actions.insert(end->objectName(), end);
    connect(end, &QAction::triggered, this, &QWidget::close);
}

void GraphWindow::buildToolbar()
{
    QToolBar *bar = addToolBar(QStringLiteral("Toolbar1"));
    bar->setObjectName(QStringLiteral("Toolbar1"));
    styleToolbar(bar);
    struct Button
    {
        const char *key;
        const char16_t *tip;
        const char16_t *text;
        const char *icon;
        const char *menuAction;
    };
    const Button buttons[] = {
        {"btnRange", u"グラフ画面のレンジを変更", u"レンジ", "range", "mrange"},
        {"btnprint", u"グラフの印刷", u"印刷", "print", "mgPrint"},
        {"btnlabel", u"データラベルの表示", u"ラベル", "label", "mpLabel"},
        {"btnline", u"グラフ線幅変更", u"線幅", "linewidth", nullptr},
        {"btnref", u"グラフ上に基準線", u"基準線", "reflines", "mpRef"},
    };
    for (const Button &b : buttons) {
        const QString key = QString::fromLatin1(b.key);
        if (key == u"btnprint" || key == u"btnlabel")
            bar->addSeparator();
        QAction *a =
            bar->addAction(toolbarIcon(QString::fromLatin1(b.icon)), QString::fromUtf16(b.text));
        a->setObjectName(key);
        a->setToolTip(QString::fromUtf16(b.tip));
        a->setCheckable(key == u"btnlabel"); // shows whether the labels are on
        actions.insert(key, a);
        if (b.menuAction) {
            QAction *target = actions.value(QString::fromLatin1(b.menuAction));
            // The label button flips the menu's check mark like the menu item does.
            connect(a, &QAction::triggered, target, [target] {
                if (target->isCheckable())
                    target->toggle();
                emit target->triggered(target->isChecked());
            });
        } else {
            connect(a, &QAction::triggered, this, [this] {
                const bool thin = actions.value(QStringLiteral("mpLIneSe0"))->isChecked();
                actions.value(thin ? QStringLiteral("mpLIneSe1") : QStringLiteral("mpLIneSe0"))
                    ->trigger();
            });
        }
    }
}

void GraphWindow::buildGrid()
{
    gpgrid->setObjectName(QStringLiteral("gpgrid"));
    gpgrid->horizontalHeader()->hide();
    gpgrid->verticalHeader()->hide();
    gpgrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gpgrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gpgrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gpgrid->setSelectionMode(QAbstractItemView::NoSelection);
    gpgrid->setFocusPolicy(Qt::NoFocus);
    gpgrid->setWordWrap(false);
    gpgrid->viewport()->installEventFilter(this);
    gpgrid->setItemDelegate(new HeadTickDelegate(gpgrid));
    const QStringList titles = {QStringLiteral("送信器名\r\r単位"), QStringLiteral("収録\rｴﾗｰ数"),
                                QStringLiteral("測定間隔"),         QStringLiteral("最高値"),
                                QStringLiteral("最低値"),           QStringLiteral("平均値")};
    for (int r = 0; r < gridRows; ++r) {
        for (int c = 0; c < gridColumns; ++c) {
            auto *item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
            gpgrid->setItem(r, c, item);
        }
        gpgrid->item(r, 0)->setText(QString(titles.at(r)).replace(u'\r', u'\n'));
    }
}

void GraphWindow::layoutPanes()
{
    const QFontMetricsF metrics(baseFont, this);
    const QChar a(u'あ');
    const GraphWindowLayout l = graphWindowLayout(
        centralWidget()->size(), 1.5 * metrics.horizontalAdvance(a), 1.3 * metrics.height());
    gImage->setGeometry(l.image);
    gpgrid->setGeometry(l.grid);
    gpgrid->setColumnWidth(0, l.column0);
    for (int r = 0; r < gridRows; ++r)
        gpgrid->setRowHeight(r, l.rowHeights[std::size_t(r)]);
    // A single-channel transmitter's column spreads over its empty neighbour.
    std::vector<PlotSeries> series = plotSeriesFor(*src.set, *src.channels, src.series);
    for (int c = 1; c < gridColumns; ++c) {
        const std::size_t i = std::size_t(c - 1);
        const bool kindless =
            i < series.size() && series[i].present && series[i].kind == ChannelKind::None;
        const bool widened = i + 1 < series.size() && series[i + 1].present &&
                             series[i + 1].kind == ChannelKind::None;
        gpgrid->setColumnWidth(c, kindless ? 0 : widened ? 2 * l.seriesColumn : l.seriesColumn);
    }
}

bool GraphWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        layoutPanes();
        redraw(true);
    } else if (watched == gpgrid->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint at = mouse->position().toPoint();
        onGridClick(gpgrid->rowAt(at.y()), gpgrid->columnAt(at.x()), mouse->button());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void GraphWindow::redraw(bool withGrid)
{
    QImage &image = gImage->image();
    const QSize size = gImage->size().expandedTo(QSize(1, 1));
    if (image.size() != size)
        image = QImage(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const PlotLayout layout = plotLayoutFor(QSizeF(size), baseFont, &image);
    plotFrame = preparePlot(state(), *src.settings, graphScale, *src.set, *src.channels, src.series,
                            layout);
    PainterCanvas canvas(painter);
    renderPlot(canvas, plotFrame, state());
    painter.end();
    gImage->update();
    if (withGrid)
        fillGrid();
}

void GraphWindow::fillGrid()
{
    const GraphState &graph = state();
    for (int c = 1; c < gridColumns; ++c) {
        const std::size_t i = std::size_t(c - 1);
        const PlotSeries *series = i < plotFrame.series.size() ? &plotFrame.series[i] : nullptr;
        const InfoColumnTexts texts =
            series ? infoColumnTexts(*series, plotFrame.view, plotFrame.intervalMinutes)
                   : InfoColumnTexts{};
        const QString cells[] = {texts.head,    texts.counts,  texts.interval,
                                 texts.maximum, texts.minimum, texts.mean};
        for (int r = 0; r < gridRows; ++r)
            gpgrid->item(r, c)->setText(QString(cells[r]).replace(u'\r', u'\n'));
        QTableWidgetItem *head = gpgrid->item(0, c);
        const QColor colour = graph.SeriesColour[i];
        head->setBackground(colour);
        head->setForeground(colour.lightness() < 128 ? Qt::white : Qt::black);
        if (series && series->present)
            head->setCheckState(graph.SeriesHidden[i] ? Qt::Unchecked : Qt::Checked);
        else
            head->setData(Qt::CheckStateRole, QVariant());
    }
}

void GraphWindow::onGridClick(int row, int column, Qt::MouseButton button)
{
    if (row != 0 || column < 1)
        return;
    if (button == Qt::RightButton) {
        QMenu popC(QStringLiteral("色の設定"), this);
        popC.setObjectName(QStringLiteral("popC"));
        QAction *item = popC.addAction(QStringLiteral("色の変更"));
        item->setObjectName(QStringLiteral("popColor"));
        item->setText(QStringLiteral("ｸﾞﾗﾌ色変更"));
        if (popC.exec(QCursor::pos()) == item)
            changeColourOf(column);
    } else if (button == Qt::LeftButton && column <= int(src.series.size())) {
        toggleSeries(column);
    }
}

void GraphWindow::toggleSeries(int slot)
{
    if (slot < 1 || slot > int(src.series.size()))
        return;
    bool &hidden = state().SeriesHidden[std::size_t(slot - 1)];
    hidden = !hidden;
    QTableWidgetItem *head = gpgrid->item(0, slot);
    if (head->data(Qt::CheckStateRole).isValid())
        head->setCheckState(hidden ? Qt::Unchecked : Qt::Checked);
    redraw(false);
}

void GraphWindow::changeColourOf(int slot)
{
    if (slot < 1 || slot > 8)
        return;
    QColor &colour = state().SeriesColour[std::size_t(slot - 1)];
    const std::optional<QColor> chosen = dialogs.color(this, colour);
    if (!chosen || !chosen->isValid())
        return;
    colour = *chosen;
    QTableWidgetItem *head = gpgrid->item(0, slot);
    head->setBackground(colour);
    head->setForeground(colour.lightness() < 128 ? Qt::white : Qt::black);
    redraw(false);
}

void GraphWindow::setLabelsOn(bool on)
{
    state().LabelsOn = on;
    actions.value(QStringLiteral("mpLabel"))->setChecked(on);
    actions.value(QStringLiteral("btnlabel"))->setChecked(on);
    redraw(false);
}

void GraphWindow::setLineWidth(int width)
{
    state().LineWidth = width == 2 ? 2 : 1;
    actions.value(QStringLiteral("mpLIneSe0"))->setChecked(state().LineWidth == 1);
    actions.value(QStringLiteral("mpLIneSe1"))->setChecked(state().LineWidth == 2);
    redraw(false);
}

void GraphWindow::returnToAutoRange()
{
    state().TimeZoomed = false;
    src.settings->ScaleFixed1 = 0;
    src.settings->ScaleFixed2 = 0;
    if (src.saveSettings)
        if (const int error = src.saveSettings())
            showError(dialogs, this, error, QStringLiteral("zt2000.dat"));
    redraw(true);
}

void GraphWindow::openRange()
{
    RangeDialog dialog({&state(), src.settings, graphScale, rowTotal(*src.set),
                        src.set->startTime(), src.set->intervalInMinutes(), src.saveSettings},
                       dialogs, this);
    if (dialog.exec() == QDialog::Accepted)
        redraw(true);
}

void GraphWindow::openReferenceLines()
{
    ReferenceLineDialog dialog(state(), plotFrame.scale.tempShown, plotFrame.scale.humShown,
                               dialogs, this);
    if (dialog.exec() == QDialog::Accepted)
        redraw(false);
}

void GraphWindow::showReadout(QPointF at)
{
    const PlotArea &plot = plotFrame.layout.plot;
    QString text;
    if (plot.containsStrictly(at)) {
        const std::optional<PickedValue> picked =
            pickNearestCurve(at, plot, plotFrame.view, plotFrame.series, state().SeriesHidden,
                             plotFrame.settings, plotFrame.layout.pickTolerance);
        if (picked)
            text = readoutText(plotFrame.series[std::size_t(picked->slot - 1)], *picked,
                               plotFrame.start, plotFrame.intervalMinutes);
    }
    gImage->setToolTip(text);
}

void GraphWindow::onPress(QPointF at)
{
    anchor = clampToPlot(at, plotFrame.layout.plot);
}

void GraphWindow::onDrag(QPointF at)
{
    if (!anchor)
        return;
    const QPointF p = clampToPlot(at, plotFrame.layout.plot).point;
    gImage->setRubberBand(p == anchor->point ? QRectF() : QRectF(anchor->point, p).normalized());
}

void GraphWindow::onRelease(QPointF at)
{
    if (!anchor)
        return;
    const ClampedPoint start = *anchor;
    const ClampedPoint end = clampToPlot(at, plotFrame.layout.plot);
    anchor.reset();
    gImage->setRubberBand(QRectF());
    if (!dragZooms(start, end))
        return;
    GraphState &graph = state();
    const ZoomState zoomed = zoomToRectangle(start.point, end.point, plotFrame.layout.plot,
                                             ZoomState{graph.view, *src.settings, graph.TimeZoomed},
                                             plotFrame.scale.tempShown, plotFrame.scale.humShown);
    graph.view = zoomed.view;
    graph.TimeZoomed = zoomed.timeZoomed;
    *src.settings = zoomed.settings;
    redraw(true);
}

void GraphWindow::closeEvent(QCloseEvent *event)
{
    state().TimeZoomed = false;
    state().LabelsOn = false;
    if (mainWindow)
        mainWindow->setEnabled(true);
    event->accept();
}

} // namespace zt
