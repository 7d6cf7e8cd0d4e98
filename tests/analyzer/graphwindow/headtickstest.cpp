#include "graph/graphwindow.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"

#include "../graph/graphfixture.h"

#include <QTableWidget>
#include <QTest>

using namespace zt;

namespace {

// The strongest change of brightness between two pictures of the same cell.
int strongestChange(const QImage &a, const QImage &b)
{
    int most = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x)
            most = std::max(most, std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))));
    return most;
}

} // namespace

class HeadTicksTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { GraphWindow::state() = GraphState{}; }

    void theVisibilityTickStandsOutOnEveryDefaultColour_data()
    {
        QTest::addColumn<int>("slot");
        for (int slot = 1; slot <= 8; ++slot)
            QTest::addRow("slot %d", slot) << slot;
    }
    void theVisibilityTickStandsOutOnEveryDefaultColour()
    {
        QFETCH(int, slot);
        LogSet set;
        set.setStartTime(wallClock(2026, 3, 1, 8, 0));
        set.setInterval(10);
        for (int k = 1; k <= 4; ++k)
            test::addTransmitter(set, k, k, 12, 0, 20, [](int ch, int n) { return ch * 100 + n; });
        computeStatistics(set);
        DisplayChannels channels = buildDisplayChannels(set);
        AppSettings settings;
        ScriptedDialogService dialogs;
        GraphWindow window(
            GraphSource{&set, &channels, buildGraphSeries({1, 2, 3, 4}), &settings, {}}, dialogs,
            nullptr, QSize(800, 600));
        window.show();
        QTableWidget *grid = window.grid();
        const QRect cell = grid->visualItemRect(grid->item(0, slot));
        const QImage shown = grid->viewport()->grab(cell).toImage();
        window.toggleSeries(slot);
        QCOMPARE(grid->item(0, slot)->checkState(), Qt::Unchecked);
        const QImage hidden = grid->viewport()->grab(cell).toImage();
        // The tick is what differs; it must be far lighter or darker than what it covers.
        QVERIFY2(
            strongestChange(shown, hidden) >= 160,
            qPrintable(QStringLiteral("tick contrast %1 on %2")
                           .arg(strongestChange(shown, hidden))
                           .arg(GraphWindow::state().SeriesColour[std::size_t(slot - 1)].name())));
    }
};

ZT_TEST(HeadTicksTest)
#include "headtickstest.moc"
