#include "support/testregistry.h"
#include "ui/alarmsettingsdialog.h"
#include "ui/alarmspinbox.h"
#include "ui/scripteddialogservice.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

using namespace zt;

namespace {

AlarmSlot recording(int kind, MeasureRanges ranges, AlarmLimits limits)
{
    AlarmSlot s;
    s.KoOperating = true;
    s.KoRegistered = true;
    s.KoKind = kind;
    s.KoName = QStringLiteral("名称無し");
    s.ranges = ranges;
    s.limits = limits;
    return s;
}

} // namespace

// The dialog's own controls with a recording sender in place of the receiver.
class AlarmDialogTest : public QObject
{
    Q_OBJECT
    ScriptedDialogService dialogs;
    AlarmTable table;
    QList<int> sentSlots;

    AlarmDialogOptions recordingOptions()
    {
        AlarmDialogOptions options;
        options.send = [this](int koNo, const AlarmLimits &) {
            sentSlots << koNo;
            return true;
        };
        return options;
    }

private slots:
    void init()
    {
        dialogs.clear();
        sentSlots.clear();
        table = {};
        table.KoCount = 2;
        table.slot(1) = recording(12, {600, -100, 1000, 0}, {300, 150, 800, 300});
        table.slot(2) = recording(10, {600, -100, 0, 0}, {250, 200, 0, 0});
        AlarmSettingsDialog::rememberedTab = 1;
    }

    void applyingToAllIsRefusedForDifferentTemperatureRanges()
    {
        table.slot(2).ranges.RangeHigh1 = 800;
        AlarmSettingsDialog dialog(table, dialogs, recordingOptions());
        dialog.show();
        dialog.applyToAllBox()->click();
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages()[0].text,
                 QStringLiteral("測定レンジの異なるセンサが存在する為一括設定が出来ません。\r\n"
                                "個別に設定してください。"));
        QVERIFY(!dialog.applyToAllBox()->isChecked());
    }

    void applyWithoutChangesSendsNothingAndStaysOpen()
    {
        AlarmSettingsDialog dialog(table, dialogs, recordingOptions());
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.onApply();
        QVERIFY(sentSlots.isEmpty());
        QCOMPARE(finished.count(), 0);
        QVERIFY(dialog.isEnabled());
        dialog.onOk();
        QVERIFY(sentSlots.isEmpty());
        QCOMPARE(finished.count(), 1);
    }

    void clickingTheUpperDownOntoTheLowerPushesTheUpperBack()
    {
        AlarmSettingsDialog dialog(table, dialogs, recordingOptions());
        dialog.spin(0)->setValue(16);
        dialog.spin(0)->stepBy(-1); // 15 meets the lower limit 15
        QCOMPARE(dialog.spin(0)->value(), 16);
        dialog.spin(1)->setValue(14);
        dialog.spin(1)->stepBy(2);
        QCOMPARE(dialog.spin(1)->value(), 15);
    }

    void editsSurviveSwitchingTabsAndTheLastTabIsRemembered()
    {
        {
            AlarmSettingsDialog dialog(table, dialogs, recordingOptions());
            dialog.spin(0)->setValue(99); // clamped by the spin to the range's 60
            dialog.tabs()->setCurrentIndex(1);
            QCOMPARE(dialog.workingCopy().channel(1, 1), (LimitPair{60, 15}));
            dialog.tabs()->setCurrentIndex(0);
            QCOMPARE(dialog.spin(0)->value(), 60);
            dialog.tabs()->setCurrentIndex(1);
        }
        AlarmSettingsDialog again(table, dialogs, recordingOptions());
        QCOMPARE(again.tabs()->currentIndex(), 1);
        QCOMPARE(again.spin(0)->value(), 25);
    }
};

ZT_TEST(AlarmDialogTest)
#include "alarmdialogtest.moc"
