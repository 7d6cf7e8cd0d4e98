#include "graph/graphwindow.h"
#include "graph/graphwindowlayout.h"
#include "graph/plotpicture.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"

#include "../graph/graphfixture.h"

#include <QAction>
#include <QPointer>
#include <QTableWidget>
#include <QTest>

using namespace zt;

namespace {

// A realistic set on the graph, and the window over it.
struct GraphRig
{
    std::unique_ptr<LogSet> set = test::realisticSet(400);
    DisplayChannels channels = buildDisplayChannels(*set);
    AppSettings settings;
    ScriptedDialogService dialogs;
    QWidget mainWindow;
    int saves = 0;

    GraphWindow *open(QSize size = QSize(800, 600))
    {
        GraphSource source{set.get(), &channels, buildGraphSeries({1, 2, 3}), &settings, [this] {
                               ++saves;
                               return 0;
                           }};
        auto *w = new GraphWindow(source, dialogs, &mainWindow, size);
        w->show();
        return w;
    }
};

void grab(QWidget *w, const QString &name)
{
    const QByteArray dir = qgetenv("ZT_GRAB_DIR");
    if (!dir.isEmpty())
        w->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + name);
}

QPointF plotPoint(const GraphWindow &w, double fx, double fy)
{
    const PlotArea &p = w.frame().layout.plot;
    return {p.left + fx * p.width, p.top + fy * p.height};
}

} // namespace

class GraphWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { GraphWindow::state() = GraphState{}; }
    void cleanup()
    {
        QList<QPointer<QWidget>> windows;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("GRAPH"))
                windows.append(w);
        qDeleteAll(windows);
    }

    void windowSizeFollowsTheScreen_data()
    {
        QTest::addColumn<int>("screenHeight");
        QTest::addColumn<QSize>("size");
        QTest::newRow("small screen") << 768 << QSize(800, 600);
        QTest::newRow("exactly 1024") << 1024 << QSize(1280, 1024);
        QTest::newRow("tall screen") << 1200 << QSize(1280, 1024);
    }
    void windowSizeFollowsTheScreen()
    {
        QFETCH(int, screenHeight);
        QFETCH(QSize, size);
        QCOMPARE(graphWindowSize(screenHeight), size);
    }

    void gridSitsUnderThePictureWithTheSameWidth()
    {
        const GraphWindowLayout l = graphWindowLayout(QSize(800, 540), 24, 20);
        QCOMPARE(l.image.width(), 775);
        QCOMPARE(l.grid.left(), l.image.left());
        QCOMPARE(l.grid.top(), l.image.bottom() + 1);
        QVERIFY(l.grid.bottom() < 540);
        QCOMPARE(l.column0, 168);
        QCOMPARE(l.column0 + 8 * l.seriesColumn + 6, 775 - (775 - 168 - 6) % 8);
    }

    void openingDisablesTheMainWindowAndClosingEnablesIt()
    {
        GraphRig rig;
        rig.mainWindow.show();
        GraphState::defaultSeriesColours();
        GraphWindow::state().TimeZoomed = true;
        GraphWindow::state().SeriesHidden[1] = true;
        GraphWindow *w = rig.open();
        QCOMPARE(w->windowTitle(), QStringLiteral("グラフ"));
        QVERIFY(!rig.mainWindow.isEnabled());
        QCOMPARE(w->grid()->item(0, 2)->checkState(), Qt::Checked); // hidden flags reset
        w->setLabelsOn(true);
        w->close();
        QVERIFY(rig.mainWindow.isEnabled());
        QVERIFY(!GraphWindow::state().TimeZoomed);
        QVERIFY(!GraphWindow::state().LabelsOn);
    }

    void gridShowsEachSeriesWithItsColourAndCheckBox()
    {
        GraphRig rig;
        GraphWindow *w = rig.open();
        QTableWidget *grid = w->grid();
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("送信器名\n\n単位"));
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("倉庫1\n\n[℃]"));
        QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("倉庫1\n\n[%rh]"));
        QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("400\n%1").arg(400 / 20));
        QCOMPARE(grid->item(2, 3)->text(), QStringLiteral("00:10"));
        QCOMPARE(grid->item(0, 1)->background().color(), QColor(0, 0, 128));
        QCOMPARE(grid->item(0, 1)->checkState(), Qt::Checked);
        // The third transmitter measures temperature only: its empty channel has no
        // width, its neighbour takes both widths; slots past the series have no box.
        QCOMPARE(grid->columnWidth(6), 0);
        QCOMPARE(grid->columnWidth(5), 2 * grid->columnWidth(1));
        QVERIFY(!grid->item(0, 7)->data(Qt::CheckStateRole).isValid());
    }

    void clickingAHeadCellHidesAndShowsItsSeries()
    {
        GraphRig rig;
        GraphWindow *w = rig.open();
        const QImage before = w->picture()->image().copy();
        const QRect head = w->grid()->visualItemRect(w->grid()->item(0, 1));
        QTest::mouseClick(w->grid()->viewport(), Qt::LeftButton, {}, head.center());
        QVERIFY(GraphWindow::state().SeriesHidden[0]);
        QCOMPARE(w->grid()->item(0, 1)->checkState(), Qt::Unchecked);
        QVERIFY(w->picture()->image() != before);
        QTest::mouseClick(w->grid()->viewport(), Qt::LeftButton, {}, head.center());
        QVERIFY(!GraphWindow::state().SeriesHidden[0]);
        QCOMPARE(w->picture()->image(), before);
    }

    void colourChangeTakesTheConfirmedColourOnly_data()
    {
        QTest::addColumn<QColor>("answer");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("confirmed") << QColor(Qt::darkCyan) << QColor(Qt::darkCyan);
        QTest::newRow("cancelled") << QColor() << QColor(0, 128, 0);
    }
    void colourChangeTakesTheConfirmedColourOnly()
    {
        QFETCH(QColor, answer);
        QFETCH(QColor, expected);
        GraphRig rig;
        GraphWindow *w = rig.open();
        rig.dialogs.answerColor(answer);
        w->changeColourOf(2);
        QCOMPARE(GraphWindow::state().SeriesColour[1], expected);
        QCOMPARE(w->grid()->item(0, 2)->background().color(), expected);
    }

    void draggingARectangleZoomsAndAutoRangeUndoesIt()
    {
        GraphRig rig;
        GraphWindow *w = rig.open();
        PlotPicture *picture = w->picture();
        const ViewRows whole = w->frame().view;
        QTest::mousePress(picture, Qt::LeftButton, {}, plotPoint(*w, 0.25, 0.2).toPoint());
        QTest::mouseMove(picture, plotPoint(*w, 0.5, 0.6).toPoint());
        QTest::mouseRelease(picture, Qt::LeftButton, {}, plotPoint(*w, 0.5, 0.6).toPoint());
        QVERIFY(GraphWindow::state().TimeZoomed);
        QCOMPARE(rig.settings.ScaleFixed1, qint16(1));
        QCOMPARE(rig.settings.ScaleFixed2, qint16(1));
        QVERIFY(w->frame().view.first > whole.first);
        QVERIFY(w->frame().view.last < whole.last);
        QCOMPARE(rig.saves, 0);

        w->returnToAutoRange();
        QVERIFY(!GraphWindow::state().TimeZoomed);
        QCOMPARE(rig.settings.ScaleFixed1, qint16(0));
        QCOMPARE(rig.saves, 1);
        QCOMPARE(w->frame().view, whole);
    }

    void aClickWithoutMovementChangesNothing()
    {
        GraphRig rig;
        GraphWindow *w = rig.open();
        const ViewRows whole = w->frame().view;
        QTest::mouseClick(w->picture(), Qt::LeftButton, {}, plotPoint(*w, 0.4, 0.4).toPoint());
        QCOMPARE(w->frame().view, whole);
        QVERIFY(!GraphWindow::state().TimeZoomed);
    }

    void pointingAtACurveShowsItsValue()
    {
        GraphRig rig;
        GraphWindow *w = rig.open();
        const PlotFrame &f = w->frame();
        const PlotArea &p = f.layout.plot;
        const int row = 100;
        const double x = p.left + (row - f.view.first) * p.width / f.view.span();
        const int v = rig.set->value(1, 1, row);
        const double y = p.top + (10.0 * rig.settings.ScaleMax1 - v) * p.height /
                                     (10.0 * (rig.settings.ScaleMax1 - rig.settings.ScaleMin1));
        QTest::mouseMove(w->picture(), QPointF(x, y).toPoint());
        QVERIFY2(w->picture()->toolTip().startsWith(QStringLiteral("倉庫1:")),
                 qPrintable(w->picture()->toolTip()));
        QVERIFY(w->picture()->toolTip().endsWith(QStringLiteral("℃")));
        QTest::mouseMove(w->picture(), QPoint(2, 2));
        QVERIFY(w->picture()->toolTip().isEmpty());
    }

    void lineButtonSwitchesBetweenThinAndThick()
    {
        GraphRig rig;
        GraphWindow *w = rig.open();
        QCOMPARE(w->action("btnline")->toolTip(), QStringLiteral("グラフ線幅変更"));
        w->action("btnline")->trigger();
        QCOMPARE(GraphWindow::state().LineWidth, 2);
        QVERIFY(w->action("mpLIneSe1")->isChecked());
        QVERIFY(!w->action("mpLIneSe0")->isChecked());
        w->action("btnline")->trigger();
        QCOMPARE(GraphWindow::state().LineWidth, 1);
        QVERIFY(w->action("mpLIneSe0")->isChecked());
    }

    void labelButtonTogglesTheMenuCheckMark()
    {
        GraphRig rig;
        GraphWindow *w = rig.open();
        w->action("btnlabel")->trigger();
        QVERIFY(GraphWindow::state().LabelsOn);
        QVERIFY(w->action("mpLabel")->isChecked());
        QVERIFY(w->action("btnlabel")->isChecked()); // the button shows the state too
        w->action("btnlabel")->trigger();
        QVERIFY(!GraphWindow::state().LabelsOn);
        QVERIFY(!w->action("btnlabel")->isChecked());
        w->action("mpLabel")->trigger(); // the menu keeps the button in step
        QVERIFY(w->action("btnlabel")->isChecked());
    }

    void windowLooksRightAtBothSizes_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("small") << QSize(800, 600);
        QTest::newRow("large") << QSize(1280, 1024);
    }
    void windowLooksRightAtBothSizes()
    {
        QFETCH(QSize, size);
        GraphRig rig;
        GraphWindow *w = rig.open(size);
        QCOMPARE(w->size(), size);
        QVERIFY(w->grid()->geometry().bottom() < w->centralWidget()->height());
        QVERIFY(w->picture()->height() > size.height() / 2);
        grab(w, QStringLiteral("graph-%1.png").arg(size.width()));
    }
};

ZT_TEST(GraphWindowTest)
#include "graphwindowtest.moc"
