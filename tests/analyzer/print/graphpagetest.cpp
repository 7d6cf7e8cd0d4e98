#include "graph/graphstate.h"
#include "print/graphpage.h"
#include "printsets.h"
#include "testregistry.h"

#include <QTest>

using namespace zt;
using namespace zt::test;

// The graph page drawn on the recording engine.
class GraphPageTest : public QObject
{
    Q_OBJECT

    static GraphPageInput pageInput(const PrintFixture &f)
    {
        GraphPageInput in;
        in.set = f.set.get();
        in.channels = &f.channels;
        in.series = buildGraphSeries({1, 2});
        in.fontFamily = QStringLiteral("IPAGothic");
        in.state.RefLinesOn = true;
        return in;
    }

private slots:
    void tableFontFitsThePrintableWidth_data()
    {
        QTest::addColumn<double>("room");
        QTest::addColumn<double>("size");
        QTest::newRow("12") << 600.0 << 12.0;
        QTest::newRow("7") << 340.0 << 7.0;
        QTest::newRow("6 when 7 is too wide") << 300.0 << 6.0;
    }
    void tableFontFitsThePrintableWidth()
    {
        QFETCH(double, room);
        QFETCH(double, size);
        PrintFixture f(markedSet());
        RecordingPrintEngine e(pageWithRoom(room));
        QVERIFY(printGraphPage(e, pageInput(f)));
        QCOMPARE(e.tables().size(), 1);
        QCOMPARE(e.tables()[0].fontSize, size);
        QCOMPARE(e.tables()[0].table.columnWidths[0], 13 * size / 2);
    }

    void plotIsDrawnWithScaledPensAndReferenceLabels()
    {
        PrintFixture f(markedSet());
        const double dpi = 300, px = dpi / 96;
        RecordingPrintEngine e(pageWithRoom(520, 842, dpi));
        GraphPageInput in = pageInput(f);
        const QColor seriesColour(1, 2, 3);
        in.state.SeriesColour[0] = seriesColour;
        QVERIFY(printGraphPage(e, in));
        const double size = e.tables()[0].fontSize;
        for (const QString &label : {QStringLiteral("TEMP"), QStringLiteral("HUME")}) {
            const auto texts = e.textsEqual(label);
            QCOMPARE(texts.size(), 2); // both lines of the shown axis
            QCOMPARE(texts[0].size, size / 1.8);
        }
        QCOMPARE(e.textsEqual(QStringLiteral("TEMP"))[0].colour, qbColor(12));
        QCOMPARE(e.textsEqual(QStringLiteral("HUME"))[0].colour, qbColor(1));
        QVERIFY(!e.textsEqual(QStringLiteral("[℃]")).isEmpty());
        QVERIFY(!e.textsEqual(QStringLiteral("[%rh]")).isEmpty());
        int referenceLines = 0, seriesSegments = 0;
        for (const RecordingPrintEngine::Line &l : e.lines()) {
            if (l.colour == qbColor(12) || l.colour == qbColor(1)) {
                QCOMPARE(l.width, 3 * px);
                ++referenceLines;
            }
            if (l.colour == seriesColour) {
                QCOMPARE(l.width, px); // line width 1 on screen
                ++seriesSegments;
            }
        }
        QCOMPARE(referenceLines, 4);
        QVERIFY(seriesSegments > 0);
        // Ten samples in view: every point gets its marker.
        QVERIFY(e.circles() >= 10);
        // Every label stands inside the printable area, none in the margins.
        const PageGeometry page = e.page();
        for (const RecordingPrintEngine::Text &t : e.texts())
            QVERIFY2(t.at.x() >= page.marginLeft && t.at.x() < page.width - page.marginRight &&
                         t.at.y() >= page.marginTop,
                     qPrintable(t.text));
        // The plot stays above the table.
        const PrintTable &t = e.tables()[0].table;
        for (const RecordingPrintEngine::Line &l : e.lines())
            QVERIFY(l.from.y() < t.top && l.to.y() < t.top);
    }

    void tableUnderThePlotHasTheSeriesStatistics()
    {
        PrintFixture f(markedSet());
        RecordingPrintEngine e(pageWithRoom(600));
        QVERIFY(printGraphPage(e, pageInput(f)));
        const PrintTable &t = e.tables()[0].table;
        QCOMPARE(int(t.cells.size()), 5);
        QStringList titles;
        for (const QStringList &row : t.cells)
            titles.append(row[0]);
        QCOMPARE(titles, (QStringList{"送信器名", "収録\rｴﾗｰ数", "最高値", "最低値", "平均値"}));
        // Three present channels; the kind-10 transmitter's CH2 widens the column before.
        QCOMPARE(int(t.columnWidths.size()), 4);
        QCOMPARE(t.columnWidths[3], 20 * 6.0);
        QCOMPARE(t.cells[0][1], QStringLiteral("冷蔵庫\rＡ棟\r℃"));
        QCOMPARE(t.cells[0][2], QStringLiteral("冷蔵庫\rＡ棟\r%rh "));
        QCOMPARE(t.cells[1][1], QStringLiteral("10\r2"));
        QCOMPARE(t.cells[2][1], QStringLiteral("26.0"));
        QCOMPARE(t.cells[3][2], QStringLiteral("60"));
        QCOMPARE(t.cells[4][1], QStringLiteral("25.6"));
        QCOMPARE(t.cells[4][2], QStringLiteral("61"));
        QCOMPARE(t.cells[2][3], QStringLiteral("-5.1"));
    }
};

ZT_TEST(GraphPageTest)
#include "graphpagetest.moc"
