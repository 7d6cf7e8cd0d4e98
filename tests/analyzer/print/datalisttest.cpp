#include "print/datalist.h"
#include "print/parametersheet.h"
#include "printsets.h"
#include "testregistry.h"

#include <QTest>

using namespace zt;
using namespace zt::test;

// The data list and parameter sheet drawn on the recording engine.
class DataListTest : public QObject
{
    Q_OBJECT

    static const PrintTable &onlyTable(const RecordingPrintEngine &e)
    {
        return e.tables().constFirst().table;
    }

private slots:
    void fontFitsThePrintableWidth_data()
    {
        QTest::addColumn<bool>("sheet");
        QTest::addColumn<double>("room");
        QTest::addColumn<double>("size");
        QTest::addColumn<double>("left"); // margin + centring indent
        // 96 cells of "M" (half the size wide) in the list, 93 in the sheet.
        QTest::newRow("list 12") << false << 600.0 << 12.0 << 20 + (600 - 96 * 6.0) / 2;
        QTest::newRow("list 8") << false << 400.0 << 8.0 << 20 + (400 - 96 * 4.0) / 2;
        QTest::newRow("list 7 when 8 is too wide")
            << false << 300.0 << 7.0 << 20 + (300 - 96 * 3.5) / 2;
        QTest::newRow("sheet 12") << true << 560.0 << 12.0 << 20 + (560 - 93 * 6.0) / 2;
        QTest::newRow("sheet 8") << true << 400.0 << 8.0 << 20 + (400 - 93 * 4.0) / 2;
        QTest::newRow("sheet 7") << true << 350.0 << 7.0 << 20 + (350 - 93 * 3.5) / 2;
    }
    void fontFitsThePrintableWidth()
    {
        QFETCH(bool, sheet);
        QFETCH(double, room);
        QFETCH(double, size);
        QFETCH(double, left);
        PrintFixture f(markedSet());
        RecordingPrintEngine e(pageWithRoom(room));
        QVERIFY(sheet ? printParameterSheet(e, f.input(buildGraphSeries({1})))
                      : printDataList(e, f.input(buildGraphSeries({1})), {1, 10}));
        QCOMPARE(e.tables().constFirst().fontSize, size);
        QCOMPARE(onlyTable(e).left, left);
        const double m = size / 2;
        QCOMPARE(onlyTable(e).columnWidths[0], (sheet ? 13 : 6) * m);
        if (!sheet)
            QCOMPARE(onlyTable(e).columnWidths[1], 18 * m);
    }

    void eightChannelColumnsAreReservedWhateverTheChoice()
    {
        PrintFixture f(markedSet());
        RecordingPrintEngine one(pageWithRoom(420)), two(pageWithRoom(420));
        QVERIFY(printDataList(one, f.input(buildGraphSeries({1})), {1, 10}));
        QVERIFY(printDataList(two, f.input(buildGraphSeries({1, 2})), {1, 10}));
        QCOMPARE(one.tables()[0].fontSize, 8.0); // 96 cells fit at 8, not at 9
        QCOMPARE(two.tables()[0].fontSize, 8.0);
        QCOMPARE(one.tables()[0].table.left, two.tables()[0].table.left);
        // The columns after the chosen channels stay without width.
        const std::vector<double> &w = one.tables()[0].table.columnWidths;
        QCOMPARE(int(w.size()), 62);
        QCOMPARE(w[2], 9 * 4.0);
        QCOMPARE(w[3], 9 * 4.0);
        QCOMPARE(w[4], 0.0);
    }

    void channelWithoutKindGivesItsWidthToTheColumnBefore()
    {
        // KoNo 5 is kind 10: its CH2 (column 5) has no kind.
        PrintFixture f(markedSet());
        RecordingPrintEngine e(pageWithRoom(600));
        QVERIFY(printDataList(e, f.input(buildGraphSeries({1, 2})), {1, 10}));
        const PrintTable &t = onlyTable(e);
        QCOMPARE(t.columnWidths[4], 18 * 6.0);
        QCOMPARE(t.columnWidths[5], 0.0);
        QCOMPARE(t.cells[0][5], QString());
        QCOMPARE(t.cells[0][4], QStringLiteral("Room5") + "\r\r[ ﾟC]");
        QCOMPARE(t.cells[0][2], QStringLiteral("冷蔵庫\rＡ棟\r[ ﾟC]"));
        QCOMPARE(t.cells[0][3], QStringLiteral("冷蔵庫\rＡ棟\r[%rh]"));
        QCOMPARE(t.cells[0][0], QStringLiteral("No"));
        QCOMPARE(t.cells[0][1], QStringLiteral("時    刻"));
    }

    void cellsOfTheDataList_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("row number in five places") << 1 << 0 << "    1";
        QTest::newRow("row time") << 2 << 1 << "24/05/01 09:10";
        QTest::newRow("later transmitter, row 1 empty") << 1 << 4 << "";
        QTest::newRow("later transmitter, row 2 empty") << 2 << 4 << "";
        QTest::newRow("later transmitter, its first sample") << 3 << 4 << "-5.1   ";
        QTest::newRow("star, mark not shown") << 3 << 2 << "*****";
        QTest::newRow("dash") << 4 << 2 << "-----";
        QTest::newRow("marked valid sample") << 5 << 2 << "25.5◆";
        QTest::newRow("unmarked sample") << 6 << 2 << "25.6   ";
        QTest::newRow("humidity whole") << 6 << 3 << "60   ";
        QTest::newRow("past the later transmitter's end") << 12 << 2 << "";
        QTest::newRow("later transmitter's last") << 12 << 4 << "-6.0   ";
    }
    void cellsOfTheDataList()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        PrintFixture f(markedSet());
        RecordingPrintEngine e(pageWithRoom(600));
        QVERIFY(printDataList(e, f.input(buildGraphSeries({1, 2})), {1, rowTotal(*f.set)}));
        QCOMPARE(rowTotal(*f.set), 12);
        QCOMPARE(onlyTable(e).cells[std::size_t(row)][column], text);
    }

    void equalStartAndEndRowsPrintOneDataRow()
    {
        PrintFixture f(markedSet());
        RecordingPrintEngine e(pageWithRoom(600));
        QVERIFY(printDataList(e, f.input(buildGraphSeries({1, 2})), {7, 7}));
        QCOMPARE(e.tables().size(), 1);
        const PrintTable &t = onlyTable(e);
        QCOMPARE(int(t.cells.size()), 2); // the head and row 7
        QCOMPARE(t.cells[1][0], QStringLiteral("    7"));
        QCOMPARE(e.textsEqual(QStringLiteral("1 / 1")).size(), 1);
    }

    void headIsRepeatedOnEveryPageAfterABreak()
    {
        PrintFixture f(markedSet(300));
        // A short page: a few rows fit under the head.
        RecordingPrintEngine e(pageWithRoom(600, 300));
        const int total = rowTotal(*f.set);
        QVERIFY(printDataList(e, f.input(buildGraphSeries({1, 2})), {1, total}));
        const int pages = int(e.tables().size());
        QVERIFY(pages > 3);
        QCOMPARE(e.pageCount(), pages);
        int next = 1;
        for (int p = 0; p < pages; ++p) {
            const RecordingPrintEngine::Table &t = e.tables()[p];
            QCOMPARE(t.page, p + 1);
            QCOMPARE(t.table.cells[0][0], QStringLiteral("No"));
            QCOMPARE(t.table.cells[0][2], QStringLiteral("冷蔵庫\rＡ棟\r[ ﾟC]"));
            QVERIFY(t.table.top + t.table.height() <= 300 - 20);
            for (std::size_t r = 1; r < t.table.cells.size(); ++r)
                QCOMPARE(t.table.cells[r][0].trimmed().toInt(), next++);
            const auto number = e.textsEqual(QStringLiteral("%1 / %2").arg(p + 1).arg(pages));
            QCOMPARE(number.size(), 1);
            QCOMPARE(number[0].page, p + 1);
        }
        QCOMPARE(next, total + 1);
    }

    void failingStartPrintsNothing()
    {
        PrintFixture f(markedSet());
        RecordingPrintEngine e(pageWithRoom(600));
        e.failWith(QStringLiteral("プリンタがありません"));
        QVERIFY(!printDataList(e, f.input(buildGraphSeries({1})), {1, 10}));
        QVERIFY(!printParameterSheet(e, f.input(buildGraphSeries({1}))));
        QVERIFY(e.tables().isEmpty());
        QVERIFY(e.texts().isEmpty());
        QCOMPARE(e.errorDescription(), QStringLiteral("プリンタがありません"));
    }

    void parameterSheetRows_data()
    {
        QTest::addColumn<int>("intervalMinutes");
        QTest::addColumn<QString>("interval");
        QTest::newRow("ten minutes") << 10 << "00:10";
        QTest::newRow("a day is 24:00") << 0 << "24:00";
        QTest::newRow("hour and a half") << 90 << "01:30";
    }
    void parameterSheetRows()
    {
        QFETCH(int, intervalMinutes);
        QFETCH(QString, interval);
        auto set = markedSet();
        set->setInterval(intervalMinutes);
        // KoNo 5 gets no valid sample at all.
        for (int n = 1; n <= 10; ++n)
            set->value(2, 1, n) = StarValue;
        computeStatistics(*set);
        PrintFixture f(std::move(set));
        RecordingPrintEngine e(pageWithRoom(600));
        QVERIFY(printParameterSheet(e, f.input(buildGraphSeries({1, 2}))));
        const PrintTable &t = onlyTable(e);
        QCOMPARE(int(t.cells.size()), 10);
        auto column = [&](int c) {
            QStringList out;
            for (const QStringList &row : t.cells)
                out.append(row[c]);
            return out;
        };
        QCOMPARE(column(0), (QStringList{"受信器名", "開始時刻", "測定間隔", "送信器名", "単位",
                                         "収録数", "エラー数", "最高値", "最低値", "平均値"}));
        QCOMPARE(column(1), (QStringList{"未登録", "24-05-01\r09:00", interval, "冷蔵庫\rＡ棟",
                                         "[ﾟC]", "10", "2", "26.0", "25.1", "25.6"}));
        QCOMPARE(column(2), (QStringList{"未登録", "24-05-01\r09:00", interval, "冷蔵庫\rＡ棟",
                                         "[rh]", "10", "0", "62", "60", "61"}));
        QCOMPARE(column(3), (QStringList{"未登録", "24-05-01\r09:00", interval, "Room5\r", "[ﾟC]",
                                         "10", "10", "-----", "-----", "-----"}));
        QCOMPARE(column(4), QStringList(10, QString()));
        QCOMPARE(t.columnWidths[3], 20 * 6.0); // kind 10: its CH2 gives the room to CH1
        // The two-line rows are higher than the others.
        QVERIFY(t.rowHeights[1] > t.rowHeights[0]);
        QVERIFY(t.rowHeights[3] > t.rowHeights[2]);
    }
};

ZT_TEST(DataListTest)
#include "datalisttest.moc"
