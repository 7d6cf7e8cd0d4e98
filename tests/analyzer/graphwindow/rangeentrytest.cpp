#include "graph/rangedialog.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"

#include "records/datetime.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>

using namespace zt;

namespace {

// A shown range dialog over 100 rows of 10 minutes from 2026-03-01 08:00.
struct EntryRig
{
    GraphState state;
    AppSettings settings;
    ScriptedDialogService dialogs;
    GraphScale scale;
    int saves = 0;

    EntryRig()
    {
        scale.tempShown = scale.humShown = true;
        scale.AutoMin1 = -10;
        scale.AutoMax1 = 40;
        scale.AutoMin2 = 20;
        scale.AutoMax2 = 80;
        settings.ScaleMin1 = 0;
        settings.ScaleMax1 = 30;
        settings.ScaleMin2 = 30;
        settings.ScaleMax2 = 70;
        state.view = {1, 100};
    }

    std::unique_ptr<RangeDialog> open()
    {
        auto dialog = std::make_unique<RangeDialog>(
            RangeDialog::Inputs{&state, &settings, scale, 100, wallClock(2026, 3, 1, 8, 0), 10,
                                [this] {
                                    ++saves;
                                    return 0;
                                }},
            dialogs);
        dialog->show();
        return dialog;
    }
};

QLineEdit *entry(RangeDialog &d, const QString &name)
{
    return d.findChild<QLineEdit *>(name);
}

QString rowTime(int row)
{
    return wallClock(2026, 3, 1, 8, 0).addSecs((row - 1) * 600).toString(u"yyyy-MM-dd HH:mm");
}

} // namespace

class RangeEntryTest : public QObject
{
    Q_OBJECT

private slots:
    void enterRunsOnlyTheLeaveCheck_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<QString>("message"); // empty: the entry is fine
        QTest::newRow("start row above end")
            << "Drstartno"
            << "121" << false << "下限値は上限値より低く設定してください。";
        QTest::newRow("end row past the axis, keypad")
            << "Drendno"
            << "121" << true << "設定できるデータ範囲は1～100です。";
        QTest::newRow("fine end row") << "Drendno"
                                      << "60" << false << "";
        QTest::newRow("temperature 250")
            << "Trendv"
            << "250" << false << "設定できる温度範囲は－１００～２００℃です。";
        QTest::newRow("empty lower temperature, keypad")
            << "Trstartv"
            << "" << true << "設定が正しくありません。";
        QTest::newRow("humidity 150")
            << "Hrendv"
            << "150" << false << "設定できる湿度範囲は０～1００％ｒｈです。";
        QTest::newRow("humidity lower above upper")
            << "Hrstartv"
            << "90" << true << "下限値は上限値より低く設定してください。";
        QTest::newRow("unreadable time")
            << "Drstarttime"
            << "2026-03" << false
            << "下限値時刻の入力形式が正しくありません。\nyyyy-mm-dd hh:nn形式で入力してください。";
        QTest::newRow("time outside, keypad")
            << "Drendtime"
            << "2027-01-01 00:00" << true << "設定できる範囲を超えています。";
    }
    void enterRunsOnlyTheLeaveCheck()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(bool, keypad);
        QFETCH(QString, message);
        EntryRig rig;
        auto dialog = rig.open();
        QLineEdit *edit = entry(*dialog, box);
        QVERIFY(edit);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, keypad ? Qt::Key_Enter : Qt::Key_Return,
                        keypad ? Qt::KeypadModifier : Qt::NoModifier);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(rig.saves, 0);
        const QList<MessageRequest> shown = rig.dialogs.messages();
        QCOMPARE(shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(shown.first().text, message);
    }

    void enterElsewhereDoesNotCloseEither()
    {
        EntryRig rig;
        auto dialog = rig.open();
        QCheckBox *automatic = dialog->autoBox(1);
        automatic->setFocus();
        QTest::keyClick(automatic, Qt::Key_Return);
        QTest::keyClick(dialog.get(), Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(dialog->isVisible());
        QCOMPARE(rig.saves, 0);
    }

    void movingAScrollBarGoesThroughTheLeaveCheck()
    {
        EntryRig rig;
        auto dialog = rig.open();
        QVERIFY(dialog->autoBox(1)->isChecked());
        QScrollBar *upper = dialog->bar(RangeDialog::TempHigh);
        upper->triggerAction(QAbstractSlider::SliderPageStepSub); // 30 -> 20
        QVERIFY(!dialog->autoBox(1)->isChecked());
        QCOMPARE(rig.settings.ScaleFixed1, qint16(1));
        QCOMPARE(dialog->box(RangeDialog::TempHigh)->text(), QStringLiteral("20"));
        for (int i = 0; i < 2; ++i) // 10, then 0 meets the lower bound and is refused
            upper->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(rig.dialogs.messages().size(), 1);
        QCOMPARE(rig.dialogs.messages().last().text,
                 QStringLiteral("上限値は下限値より高く設定してください。"));
        QCOMPARE(dialog->box(RangeDialog::TempHigh)->text(), QStringLiteral("10"));
        QCOMPARE(upper->value(), 10);

        // Dragging the row bar behind the end row is refused when it is let go.
        QScrollBar *endBar = dialog->bar(RangeDialog::EndRow);
        endBar->setSliderDown(true);
        endBar->setSliderPosition(50);
        endBar->setSliderDown(false);
        QVERIFY(!dialog->autoBox(0)->isChecked());
        QCOMPARE(dialog->endTime()->text(), rowTime(50));
        QScrollBar *startBar = dialog->bar(RangeDialog::StartRow);
        startBar->setSliderDown(true);
        startBar->setSliderPosition(80);
        QCOMPARE(dialog->box(RangeDialog::StartRow)->text(), QStringLiteral("80"));
        startBar->setSliderDown(false);
        QCOMPARE(rig.dialogs.messages().last().text,
                 QStringLiteral("下限値は上限値より低く設定してください。"));
        QCOMPARE(dialog->box(RangeDialog::StartRow)->text(), QStringLiteral("1"));
        QCOMPARE(startBar->value(), 1);
        QCOMPARE(dialog->startTime()->text(), rowTime(1));

        dialog->accept();
        QCOMPARE(rig.state.view, (ViewRows{1, 50}));
        QVERIFY(rig.state.TimeZoomed);
        QCOMPARE(rig.settings.ScaleMin1, qint16(0));
        QCOMPARE(rig.settings.ScaleMax1, qint16(10));
        QVERIFY(rig.settings.ScaleMin1 < rig.settings.ScaleMax1);
    }

    void aDisabledHumidityFrameKeepsItsStoredRange()
    {
        EntryRig rig;
        rig.scale.humShown = false;
        rig.settings.ScaleFixed2 = 1;
        auto dialog = rig.open();
        QVERIFY(!dialog->autoBox(2)->isChecked());
        dialog->accept();
        QCOMPARE(rig.saves, 1);
        QCOMPARE(rig.settings.ScaleMin2, qint16(30));
        QCOMPARE(rig.settings.ScaleMax2, qint16(70));
        QCOMPARE(rig.settings.ScaleFixed2, qint16(1));
    }

    void okNeverSavesAnInvertedRange()
    {
        EntryRig rig;
        rig.settings.ScaleFixed1 = 1;
        rig.settings.ScaleMin1 = 35; // as a damaged settings file may hold
        rig.settings.ScaleMax1 = 10;
        auto dialog = rig.open();
        dialog->accept();
        QVERIFY(dialog->isVisible());
        QCOMPARE(rig.saves, 0);
        QCOMPARE(rig.dialogs.messages().size(), 1);
        QCOMPARE(rig.dialogs.messages().first().text, QStringLiteral("設定が正しくありません。"));
        QCOMPARE(rig.settings.ScaleMin1, qint16(35));
    }

    void aRejectedEntryLeavesBoxBarAndTimeAgreeing_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("start row behind the end") << int(RangeDialog::StartRow) << "70"
                                                  << "1";
        QTest::newRow("end row before the start") << int(RangeDialog::EndRow) << "3"
                                                  << "100";
        QTest::newRow("lower temperature at the upper") << int(RangeDialog::TempLow) << "35"
                                                        << "0";
        QTest::newRow("upper humidity below the lower") << int(RangeDialog::HumHigh) << "10"
                                                        << "70";
    }
    void aRejectedEntryLeavesBoxBarAndTimeAgreeing()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        EntryRig rig;
        auto dialog = rig.open();
        const auto b = RangeDialog::Box(box);
        if (b == RangeDialog::StartRow) {
            dialog->box(RangeDialog::EndRow)->setText(QStringLiteral("50"));
            dialog->leave(RangeDialog::EndRow);
            dialog->box(RangeDialog::StartRow)->setText(QStringLiteral("1"));
            dialog->leave(RangeDialog::StartRow);
        }
        if (b == RangeDialog::EndRow) {
            dialog->box(RangeDialog::StartRow)->setText(QStringLiteral("5"));
            dialog->leave(RangeDialog::StartRow);
        }
        QLineEdit *edit = dialog->box(b);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed); // the bar follows while typing
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(!rig.dialogs.messages().isEmpty());
        QCOMPARE(edit->text(), shown);
        QCOMPARE(dialog->bar(b)->value(), shown.toInt());
        if (b == RangeDialog::StartRow)
            QCOMPARE(dialog->startTime()->text(), rowTime(shown.toInt()));
        if (b == RangeDialog::EndRow)
            QCOMPARE(dialog->endTime()->text(), rowTime(shown.toInt()));
    }

    void aTimeTypedWithSecondsIsAccepted()
    {
        EntryRig rig;
        auto dialog = rig.open();
        QLineEdit *time = dialog->startTime();
        time->setFocus();
        time->selectAll();
        QTest::keyClicks(time, QStringLiteral("2026-03-01 09:15:30"));
        QTest::keyClick(time, Qt::Key_Return);
        QVERIFY(rig.dialogs.messages().isEmpty());
        QCOMPARE(dialog->box(RangeDialog::StartRow)->text(), QStringLiteral("8"));
        QCOMPARE(dialog->bar(RangeDialog::StartRow)->value(), 8);
        QCOMPARE(time->text(), QStringLiteral("2026-03-01 09:10"));
    }

    void anUnreadableTimeKeepsTheRowsAndShowsTheirTime()
    {
        EntryRig rig;
        auto dialog = rig.open();
        dialog->box(RangeDialog::StartRow)->setText(QStringLiteral("12"));
        dialog->leave(RangeDialog::StartRow);
        QLineEdit *time = dialog->startTime();
        time->setText(QStringLiteral("2026-13-45 99:99"));
        dialog->leaveTime(0);
        QCOMPARE(rig.dialogs.messages().size(), 1);
        QCOMPARE(dialog->box(RangeDialog::StartRow)->text(), QStringLiteral("12"));
        QCOMPARE(dialog->bar(RangeDialog::StartRow)->value(), 12);
        QCOMPARE(time->text(), rowTime(12));
    }

    void deletingAVisibleDialogRunsNoCheck()
    {
        EntryRig rig;
        auto dialog = rig.open();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QLineEdit *edit = dialog->box(RangeDialog::TempHigh);
        edit->setFocus();
        QVERIFY(edit->hasFocus());
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("250"));
        dialog.reset(); // still visible, the box still holding the unchecked entry
        QVERIFY(rig.dialogs.messages().isEmpty());
        QCOMPARE(rig.saves, 0);
    }
};

ZT_TEST(RangeEntryTest)
#include "rangeentrytest.moc"
