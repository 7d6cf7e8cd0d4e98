#include "graph/graphwindow.h"
#include "graph/plotpicture.h"
#include "graph/referencelinedialog.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"

#include "../graph/graphfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace zt;

class ReferenceLineTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { GraphWindow::state() = GraphState{}; }

    void leaveCheckKeepsValuesWithinTheAxis_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("humidity");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("message");
        QTest::newRow("temperature inside") << "25" << false << 25.0 << 0;
        QTest::newRow("temperature lower limit") << "-100" << false << -100.0 << 0;
        QTest::newRow("temperature too high") << "250" << false << 200.0 << 52;
        QTest::newRow("temperature too low") << "-101" << false << -100.0 << 52;
        QTest::newRow("humidity too high") << "150" << true << 100.0 << 53;
        QTest::newRow("humidity upper limit") << "100" << true << 100.0 << 0;
        QTest::newRow("empty reads as zero") << "" << false << 0.0 << 0;
        QTest::newRow("lone minus reads as zero") << "-" << false << 0.0 << 0;
    }
    void leaveCheckKeepsValuesWithinTheAxis()
    {
        QFETCH(QString, text);
        QFETCH(bool, humidity);
        QFETCH(double, value);
        QFETCH(int, message);
        const ReferenceCheck check = checkReferenceValue(text, humidity);
        QCOMPARE(check.value, value);
        QCOMPARE(check.messageNo, message);
    }

    void outOfRangeHumidityIsReplacedByTheLimitAfterMessage53()
    {
        GraphState state;
        state.RefLineH = {50, 60};
        ScriptedDialogService dialogs;
        ReferenceLineDialog dialog(state, true, true, dialogs);
        dialog.show();
        if (const QByteArray dir = qgetenv("ZT_GRAB_DIR"); !dir.isEmpty())
            dialog.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/frmrelset.png"));
        dialog.box(true, 0)->setText(QStringLiteral("150"));
        dialog.leaveBox(true, 0);
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().first().text,
                 QStringLiteral("設定できる湿度範囲は０～1００％ｒｈです。"));
        QCOMPARE(dialog.box(true, 0)->text(), QStringLiteral("100"));
        QCOMPARE(dialog.bar(true, 0)->value(), 100);
    }

    void okStoresTheBoxesAndTheSwitch()
    {
        GraphState state;
        state.RefLineT = {20, 30};
        state.RefLineH = {50, 60};
        ScriptedDialogService dialogs;
        ReferenceLineDialog dialog(state, true, false, dialogs);
        QVERIFY(!dialog.box(true, 0)->isVisibleTo(&dialog));
        QCOMPARE(dialog.box(false, 1)->text(), QStringLiteral("30"));
        dialog.bar(false, 0)->setValue(-12); // moving the bar writes the box
        QCOMPARE(dialog.box(false, 0)->text(), QStringLiteral("-12"));
        dialog.enabledBox()->setChecked(true);
        dialog.accept();
        QCOMPARE(state.RefLineT, (std::array<int, 2>{-12, 30}));
        QCOMPARE(state.RefLineH, (std::array<int, 2>{0, 0})); // hidden boxes hold 0
        QVERIFY(state.RefLinesOn);
    }

    void enterRunsOnlyTheLeaveCheck_data()
    {
        QTest::addColumn<bool>("humidity");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("messages");
        QTest::newRow("humidity 150") << true << 0 << "150" << false << "100" << 1;
        QTest::newRow("temperature -300, keypad") << false << 1 << "-300" << true << "-100" << 1;
        QTest::newRow("fine temperature") << false << 0 << "12" << false << "12" << 0;
        QTest::newRow("fine humidity, keypad") << true << 1 << "70" << true << "70" << 0;
    }
    void enterRunsOnlyTheLeaveCheck()
    {
        QFETCH(bool, humidity);
        QFETCH(int, line);
        QFETCH(QString, typed);
        QFETCH(bool, keypad);
        QFETCH(QString, shown);
        QFETCH(int, messages);
        GraphState state;
        state.RefLineT = {20, 30};
        state.RefLineH = {50, 60};
        ScriptedDialogService dialogs;
        ReferenceLineDialog dialog(state, true, true, dialogs);
        dialog.show();
        QLineEdit *edit = dialog.box(humidity, line);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, keypad ? Qt::Key_Enter : Qt::Key_Return,
                        keypad ? Qt::KeypadModifier : Qt::NoModifier);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialogs.messages().size(), messages);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(dialog.bar(humidity, line)->value(), shown.toInt());
        QCOMPARE(state.RefLineT, (std::array<int, 2>{20, 30})); // nothing stored yet
        QCOMPARE(state.RefLineH, (std::array<int, 2>{50, 60}));
    }

    void cancelChangesNothing()
    {
        GraphState state;
        state.RefLineT = {20, 30};
        ScriptedDialogService dialogs;
        ReferenceLineDialog dialog(state, true, true, dialogs);
        dialog.box(false, 0)->setText(QStringLiteral("5"));
        dialog.enabledBox()->setChecked(true);
        dialog.reject();
        QCOMPARE(state.RefLineT, (std::array<int, 2>{20, 30}));
        QVERIFY(!state.RefLinesOn);
    }

    void switchingTheLinesOnRepaintsTheGraph()
    {
        auto set = test::realisticSet(200);
        DisplayChannels channels = buildDisplayChannels(*set);
        AppSettings settings;
        ScriptedDialogService dialogs;
        QPointer<GraphWindow> w =
            new GraphWindow(GraphSource{set.get(), &channels, buildGraphSeries({1}), &settings, {}},
                            dialogs, nullptr, QSize(800, 600));
        w->show();
        // Unset lines take the middle of the axis before the dialog opens.
        QCOMPARE(GraphWindow::state().RefLineT[0], (settings.ScaleMin1 + settings.ScaleMax1) / 2);
        const QImage before = w->picture()->image().copy();
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&answer] {
            if (auto *d = qobject_cast<ReferenceLineDialog *>(QApplication::activeModalWidget())) {
                answer.stop();
                d->enabledBox()->setChecked(true);
                d->accept();
            }
        });
        answer.start(10);
        w->action(QStringLiteral("btnref"))->trigger();
        QVERIFY(GraphWindow::state().RefLinesOn);
        QVERIFY(w->picture()->image() != before);
        delete w;
    }
};

ZT_TEST(ReferenceLineTest)
#include "referencelinetest.moc"
