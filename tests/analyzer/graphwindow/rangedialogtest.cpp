#include "graph/graphwindow.h"
#include "graph/rangechecks.h"
#include "graph/rangedialog.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"

#include "records/datetime.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

using namespace zt;

namespace {

struct RangeRig
{
    GraphState state;
    AppSettings settings;
    ScriptedDialogService dialogs;
    int saves = 0;

    std::unique_ptr<RangeDialog> open(int rowTotal = 100)
    {
        state.view = {1, rowTotal};
        GraphScale scale;
        scale.tempShown = scale.humShown = true;
        scale.AutoMin1 = -10;
        scale.AutoMax1 = 40;
        settings.ScaleMin1 = 0;
        settings.ScaleMax1 = 30;
        return std::make_unique<RangeDialog>(RangeDialog::Inputs{&state, &settings, scale, rowTotal,
                                                                 wallClock(2026, 3, 1, 8, 0), 10,
                                                                 [this] {
                                                                     ++saves;
                                                                     return 0;
                                                                 }},
                                             dialogs);
    }
};

} // namespace

class RangeDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void rowBoxesStayOrderedWithinTheAxis_data()
    {
        QTest::addColumn<bool>("startBox");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("newStart");
        QTest::addColumn<int>("newEnd");
        QTest::addColumn<int>("message");
        QTest::addColumn<bool>("restore");
        QTest::newRow("start fine") << true << 10 << 50 << 10 << 50 << 0 << false;
        QTest::newRow("start above end") << true << 60 << 50 << 60 << 50 << 50 << true;
        QTest::newRow("start zero") << true << 0 << 50 << 1 << 50 << 54 << false;
        QTest::newRow("same rows move the start back")
            << true << 20 << 20 << 19 << 20 << 0 << false;
        QTest::newRow("same first rows move the end on") << true << 1 << 1 << 1 << 2 << 0 << false;
        QTest::newRow("end past the axis") << false << 10 << 150 << 10 << 100 << 54 << false;
        QTest::newRow("end below start") << false << 30 << 20 << 30 << 20 << 51 << true;
        QTest::newRow("same rows move the end on") << false << 20 << 20 << 20 << 21 << 0 << false;
        QTest::newRow("same last rows move the start back")
            << false << 100 << 100 << 99 << 100 << 0 << false;
    }
    void rowBoxesStayOrderedWithinTheAxis()
    {
        QFETCH(bool, startBox);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(int, newStart);
        QFETCH(int, newEnd);
        QFETCH(int, message);
        QFETCH(bool, restore);
        const RowLeave r = startBox ? leaveStartRow(start, end, 100) : leaveEndRow(start, end, 100);
        QCOMPARE(r.messageNo, message);
        QCOMPARE(r.restore, restore);
        if (!restore) {
            QCOMPARE(r.start, newStart);
            QCOMPARE(r.end, newEnd);
        }
    }

    void valueBoxesStayWithinTheirLimits_data()
    {
        QTest::addColumn<bool>("lowerBox");
        QTest::addColumn<bool>("humidity");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("other");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("message");
        QTest::addColumn<bool>("restore");
        QTest::newRow("upper 250") << false << false << "250" << 0 << 200 << 52 << false;
        QTest::newRow("lower -5 humidity") << true << true << "-5" << 80 << 0 << 53 << false;
        QTest::newRow("lower -150") << true << false << "-150" << 30 << -100 << 52 << false;
        QTest::newRow("empty lower") << true << false << "" << 30 << 0 << 57 << true;
        QTest::newRow("lower at upper") << true << false << "30" << 30 << 30 << 50 << true;
        QTest::newRow("empty upper reads 0") << false << false << "" << -10 << 0 << 0 << false;
        QTest::newRow("upper below lower") << false << true << "20" << 40 << 20 << 51 << true;
        QTest::newRow("humidity upper 101") << false << true << "101" << 40 << 100 << 53 << false;
    }
    void valueBoxesStayWithinTheirLimits()
    {
        QFETCH(bool, lowerBox);
        QFETCH(bool, humidity);
        QFETCH(QString, text);
        QFETCH(int, other);
        QFETCH(int, value);
        QFETCH(int, message);
        QFETCH(bool, restore);
        const ValueLeave v = lowerBox ? leaveLowerValue(text, other, humidity)
                                      : leaveUpperValue(other, text, humidity);
        QCOMPARE(v.messageNo, message);
        QCOMPARE(v.restore, restore);
        if (!restore)
            QCOMPARE(v.value, value);
    }

    void typingAnOutOfRangeUpperBoundShowsMessage52AndTheLimit()
    {
        RangeRig rig;
        auto dialog = rig.open();
        dialog->show();
        if (const QByteArray dir = qgetenv("ZT_GRAB_DIR"); !dir.isEmpty())
            dialog->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/grangebox.png"));
        dialog->box(RangeDialog::TempHigh)->setText(QStringLiteral("250"));
        dialog->leave(RangeDialog::TempHigh);
        QCOMPARE(rig.dialogs.messages().size(), 1);
        QCOMPARE(rig.dialogs.messages().first().text,
                 QStringLiteral("設定できる温度範囲は－１００～２００℃です。"));
        QCOMPARE(dialog->box(RangeDialog::TempHigh)->text(), QStringLiteral("200"));
        QCOMPARE(dialog->bar(RangeDialog::TempHigh)->value(), 200);
    }

    void aTimeBetweenRowsSnapsToTheEarlierRow()
    {
        RangeRig rig;
        auto dialog = rig.open();
        QCOMPARE(dialog->endTime()->text(), QStringLiteral("2026-03-02 00:30"));
        dialog->startTime()->setText(QStringLiteral("2026-03-01 09:15"));
        dialog->leaveTime(0);
        QCOMPARE(dialog->box(RangeDialog::StartRow)->text(), QStringLiteral("8"));
        QCOMPARE(dialog->startTime()->text(), QStringLiteral("2026-03-01 09:10"));
        dialog->startTime()->setText(QStringLiteral("2026-02-28 09:15"));
        dialog->leaveTime(0);
        QCOMPARE(rig.dialogs.messages().last().text,
                 QStringLiteral("設定できる範囲を超えています。"));
        // A refused time leaves the rows alone and shows the time of the row again.
        QCOMPARE(dialog->startTime()->text(), QStringLiteral("2026-03-01 09:10"));
        QCOMPARE(dialog->box(RangeDialog::StartRow)->text(), QStringLiteral("8"));
        dialog->startTime()->setText(QStringLiteral("2026-03"));
        dialog->leaveTime(0);
        QVERIFY(rig.dialogs.messages().last().text.startsWith(
            QStringLiteral("下限値時刻の入力形式が正しくありません。")));
    }

    void aFullTimeWithSecondsMovesTheRowBarWhileTyping()
    {
        RangeRig rig;
        auto dialog = rig.open();
        QScrollBar *bar = dialog->bar(RangeDialog::StartRow);
        QTest::keyClicks(dialog->startTime(), QStringLiteral(":00")); // not 19 characters
        QCOMPARE(bar->value(), 1);
        dialog->startTime()->clear();
        QTest::keyClicks(dialog->startTime(), QStringLiteral("2026-03-01 08:59:59"));
        QCOMPARE(bar->value(), 6); // 59 minutes 59 seconds into 10-minute rows
        dialog->startTime()->clear();
        QTest::keyClicks(dialog->startTime(), QStringLiteral("2026-02-28 08:00:00"));
        QCOMPARE(bar->value(), 6); // before the start: ignored
    }

    void okStoresFixedRangesAndSavesTheSettings()
    {
        RangeRig rig;
        auto dialog = rig.open();
        dialog->autoBox(0)->click();
        QVERIFY(rig.state.TimeZoomed);
        dialog->box(RangeDialog::StartRow)->setText(QStringLiteral("10"));
        dialog->box(RangeDialog::EndRow)->setText(QStringLiteral("40"));
        dialog->autoBox(1)->click();
        dialog->box(RangeDialog::TempLow)->setText(QStringLiteral("-5"));
        dialog->box(RangeDialog::TempHigh)->setText(QStringLiteral("25"));
        dialog->accept();
        QCOMPARE(rig.state.view, (ViewRows{10, 40}));
        QCOMPARE(rig.settings.ScaleMin1, qint16(-5));
        QCOMPARE(rig.settings.ScaleMax1, qint16(25));
        QCOMPARE(rig.settings.ScaleFixed1, qint16(1));
        QCOMPARE(rig.settings.ScaleFixed2, qint16(0));
        QCOMPARE(rig.saves, 1);

        // Cancel brings back the flags of the last Ok; the rows flag stays as clicked.
        auto again = rig.open();
        again->autoBox(2)->click();
        QCOMPARE(rig.settings.ScaleFixed2, qint16(1));
        again->reject();
        QCOMPARE(rig.settings.ScaleFixed2, qint16(0));
        QCOMPARE(rig.settings.ScaleFixed1, qint16(1));
        QCOMPARE(rig.saves, 1);
    }

    void checkingAutoShowsTheAutomaticBounds()
    {
        RangeRig rig;
        rig.settings.ScaleFixed1 = 1;
        auto dialog = rig.open();
        QVERIFY(!dialog->autoBox(1)->isChecked());
        dialog->autoBox(1)->click();
        QCOMPARE(rig.settings.ScaleFixed1, qint16(0));
        QCOMPARE(dialog->box(RangeDialog::TempLow)->text(), QStringLiteral("-10"));
        QCOMPARE(dialog->box(RangeDialog::TempHigh)->text(), QStringLiteral("40"));
    }

    void aSingleRowAxisCannotBeEdited()
    {
        RangeRig rig;
        auto dialog = rig.open(1);
        QVERIFY(!dialog->box(RangeDialog::StartRow)->isEnabled());
        QVERIFY(!dialog->autoBox(0)->isEnabled());
        QCOMPARE(dialog->bar(RangeDialog::EndRow)->maximum(), 2);
    }
};

ZT_TEST(RangeDialogTest)
#include "rangedialogtest.moc"
