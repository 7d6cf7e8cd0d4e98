#include "graph/seriesselection.h"
#include "graph/transmitterchoicedialog.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"

#include "../graph/graphfixture.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace zt;

namespace {

std::unique_ptr<LogSet> setWith(int transmitters)
{
    auto set = std::make_unique<LogSet>();
    set->setStartTime(wallClock(2026, 3, 1, 8, 0));
    set->setInterval(10);
    for (int k = 1; k <= transmitters; ++k)
        test::addTransmitter(*set, k, k, 12, 0, 5, [](int, int n) { return 200 + n; });
    set->ko(1).name.clear(); // unnamed: listed by its number
    return set;
}

std::vector<SelectionCandidate> candidatesOf(int count)
{
    return selectionCandidates(*setWith(count));
}

} // namespace

class SelectionTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { RememberedChoice::positions().assign(MaxKo + 1, false); }

    void toolTipCountsDownToTheLimit_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("tip");
        QTest::newRow("none of three") << 0 << 3 << QStringLiteral("あと3台選択できます");
        QTest::newRow("two of three") << 2 << 3 << QStringLiteral("あと1台選択できます");
        QTest::newRow("all three") << 3 << 3 << QStringLiteral("最大台数選択済みです");
        QTest::newRow("one of six") << 1 << 6 << QStringLiteral("あと3台選択できます");
        QTest::newRow("four of six") << 4 << 6 << QStringLiteral("最大台数選択済みです");
    }
    void toolTipCountsDownToTheLimit()
    {
        QFETCH(int, selected);
        QFETCH(int, lines);
        QFETCH(QString, tip);
        QCOMPARE(remainingChoiceToolTip(selected, lines), tip);
    }

    void unnamedTransmittersAreListedByNumber()
    {
        const auto candidates = candidatesOf(3);
        QCOMPARE(candidates.size(), std::size_t(3));
        QCOMPARE(candidates[0].label, QStringLiteral("1"));
        QCOMPARE(candidates[1].label, QStringLiteral("倉庫2"));
    }

    void aFifthTransmitterIsRefusedWithMessage40()
    {
        ScriptedDialogService dialogs;
        TransmitterChoiceDialog dialog(dialogs, candidatesOf(6), SelectionPurpose::Graph);
        for (int row = 0; row < 5; ++row)
            dialog.clickLine(row);
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().first().text,
                 QStringLiteral("一度にグラフ表示できる送信器は4台までです。"));
        QVERIFY(!dialog.list()->item(4)->isSelected());
        QCOMPARE(dialog.chosenSeriesNos(), (std::vector<int>{1, 2, 3, 4}));
        QCOMPARE(dialog.list()->toolTip(), QStringLiteral("最大台数選択済みです"));
    }

    void keysNeverSelectMoreThanFour_data()
    {
        QTest::addColumn<int>("clickedFirst");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<std::vector<int>>("kept");
        QTest::newRow("Ctrl+A from none")
            << 0 << int(Qt::Key_A) << int(Qt::ControlModifier) << std::vector<int>{};
        QTest::newRow("Ctrl+A from two")
            << 2 << int(Qt::Key_A) << int(Qt::ControlModifier) << std::vector<int>{1, 2};
        QTest::newRow("Space on a fifth")
            << 4 << int(Qt::Key_Space) << int(Qt::NoModifier) << std::vector<int>{1, 2, 3, 4};
    }
    void keysNeverSelectMoreThanFour()
    {
        QFETCH(int, clickedFirst);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(std::vector<int>, kept);
        ScriptedDialogService dialogs;
        TransmitterChoiceDialog dialog(dialogs, candidatesOf(6), SelectionPurpose::Graph);
        dialog.show();
        for (int row = 0; row < clickedFirst; ++row)
            dialog.clickLine(row);
        QListWidget *list = dialog.list();
        list->setFocus();
        list->setCurrentRow(5, QItemSelectionModel::NoUpdate);
        QTest::keyClick(list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().first().text,
                 QStringLiteral("一度にグラフ表示できる送信器は4台までです。"));
        QCOMPARE(dialog.chosenSeriesNos(), kept);
    }

    void okWithNothingChosenKeepsTheDialogOpen()
    {
        ScriptedDialogService dialogs;
        TransmitterChoiceDialog dialog(dialogs, candidatesOf(5), SelectionPurpose::WholePrint);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("印刷選択"));
        dialog.show();
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void theConfirmedChoiceIsPreselectedUntilANewSetArrives()
    {
        ScriptedDialogService dialogs;
        {
            TransmitterChoiceDialog dialog(dialogs, candidatesOf(5), SelectionPurpose::Graph);
            dialog.clickLine(1);
            dialog.clickLine(3);
            dialog.accept();
        }
        TransmitterChoiceDialog again(dialogs, candidatesOf(5), SelectionPurpose::Graph);
        QCOMPARE(again.chosenSeriesNos(), (std::vector<int>{2, 4}));
        RememberedChoice::noteNewSet();
        TransmitterChoiceDialog afterLoad(dialogs, candidatesOf(5), SelectionPurpose::Graph);
        QVERIFY(afterLoad.chosenSeriesNos().empty());
    }

    void fourTransmittersAreAllTakenWithoutAskingAndHandedOnByOkureTimer()
    {
        ScriptedDialogService dialogs;
        QWidget owner;
        auto set = setWith(4);
        GraphSeries received;
        bool called = false;
        QVERIFY(startSelection(&owner, dialogs, *set, SelectionPurpose::Graph,
                               [&](const GraphSeries &series, SelectionPurpose purpose) {
                                   received = series;
                                   called = purpose == SelectionPurpose::Graph;
                               }));
        auto *timer = owner.findChild<QTimer *>(QStringLiteral("OkureTimer"));
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 5);
        QVERIFY(!called); // handed on later, from the event loop
        QTRY_VERIFY(called);
        QCOMPARE(received, (GraphSeries{1, 2, 3, 4, 5, 6, 7, 8}));
        QVERIFY(!timer->isActive());
        QVERIFY(dialogs.asked().isEmpty());
    }

    void aSetWithoutTransmittersStartsNothing()
    {
        ScriptedDialogService dialogs;
        QWidget owner;
        LogSet empty;
        QVERIFY(!startSelection(&owner, dialogs, empty, SelectionPurpose::Graph,
                                [](const GraphSeries &, SelectionPurpose) {}));
        QVERIFY(!owner.findChild<QTimer *>(QStringLiteral("OkureTimer")));
    }
};

ZT_TEST(SelectionTest)
#include "selectiontest.moc"
