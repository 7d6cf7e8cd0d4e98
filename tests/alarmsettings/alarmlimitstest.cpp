#include "support/testregistry.h"
#include "ui/alarmlimits.h"

#include <QTest>

using namespace zt;

namespace {

constexpr MeasureRanges TempHumid{600, -100, 1000, 0};
constexpr MeasureRanges TempOnly{600, -100, 0, 0};

AlarmSlot operating(int kind, MeasureRanges ranges, AlarmLimits limits)
{
    AlarmSlot s;
    s.KoOperating = true;
    s.KoRegistered = true;
    s.KoKind = kind;
    s.ranges = ranges;
    s.limits = limits;
    return s;
}

// Slot 1 kind 12, slot 2 kind 10, slot 3 kind 12 with a narrower humidity range,
// slot 4 registered but not recording.
AlarmTable fourSlots()
{
    AlarmTable t;
    t.KoCount = 4;
    t.slot(1) = operating(12, TempHumid, {300, 150, 800, 300});
    t.slot(2) = operating(10, TempOnly, {250, 200, 0, 0});
    t.slot(3) = operating(12, {600, -100, 800, 200}, {200, 100, 700, 400});
    t.slot(4).KoRegistered = true;
    t.slot(4).KoKind = 12;
    t.slot(4).ranges = TempHumid;
    return t;
}

QList<int> flatten(const AlarmWorkingCopy &work, int koCount)
{
    QList<int> out;
    for (int k = 1; k <= koCount; ++k)
        for (int ch = 1; ch <= 2; ++ch)
            out << work.channel(k, ch).upper << work.channel(k, ch).lower;
    return out;
}

} // namespace

// Clamping, pairing, apply-to-all and the sending of changed slots, without a window.
class AlarmLimitsTest : public QObject
{
    Q_OBJECT

private slots:
    void shownLimitsAreClampedToTheRange_data()
    {
        QTest::addColumn<int>("upper");
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("storedUpper");
        QTest::addColumn<int>("storedLower");
        // Range 60 .. -10 units.
        QTest::newRow("inside") << 30 << 15 << 30 << 15;
        QTest::newRow("upper at the high end") << 60 << 15 << 60 << 15;
        QTest::newRow("upper above the high end") << 75 << 15 << 60 << 15;
        QTest::newRow("upper at the low end keeps one unit inside") << -10 << -12 << -9 << -10;
        QTest::newRow("upper below the low end") << -30 << -40 << -9 << -10;
        QTest::newRow("lower at the low end") << 20 << -10 << 20 << -10;
        QTest::newRow("lower below the low end") << 20 << -25 << 20 << -10;
        QTest::newRow("lower equal to upper moves under it") << 20 << 20 << 20 << 19;
        QTest::newRow("lower above a clamped upper") << 90 << 70 << 60 << 59;
    }
    void shownLimitsAreClampedToTheRange()
    {
        QFETCH(int, upper);
        QFETCH(int, lower);
        QFETCH(int, storedUpper);
        QFETCH(int, storedLower);
        QCOMPARE(clampToRange({upper, lower}, 600, -100), (LimitPair{storedUpper, storedLower}));
    }

    void tenthsRoundToTheNearestWholeUnit_data()
    {
        QTest::addColumn<int>("tenths");
        QTest::addColumn<int>("units");
        QTest::newRow("exact") << 300 << 30;
        QTest::newRow("below half") << 254 << 25;
        QTest::newRow("half to even up") << 255 << 26;
        QTest::newRow("half to even down") << 245 << 24;
        QTest::newRow("negative half") << -155 << -16;
        QTest::newRow("negative above half") << -157 << -16;
    }
    void tenthsRoundToTheNearestWholeUnit()
    {
        QFETCH(int, tenths);
        QFETCH(int, units);
        QCOMPARE(wholeUnits(qint16(tenths)), units);
    }

    void spinClicksKeepTheUpperAboveTheLower_data()
    {
        QTest::addColumn<int>("upper");
        QTest::addColumn<int>("lower");
        QTest::addColumn<bool>("upperSpin");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("pairedUpper");
        QTest::addColumn<int>("pairedLower");
        // Values after the click.
        QTest::newRow("upper down onto the lower") << 20 << 20 << true << false << 21 << 20;
        QTest::newRow("upper down above the lower") << 20 << 15 << true << false << 20 << 15;
        QTest::newRow("upper up still under a typed lower") << 10 << 15 << true << true << 16 << 15;
        QTest::newRow("upper up onto the lower is left") << 15 << 15 << true << true << 15 << 15;
        QTest::newRow("lower up onto the upper") << 20 << 20 << false << true << 20 << 19;
        QTest::newRow("lower up under the upper") << 20 << 18 << false << true << 20 << 18;
        QTest::newRow("lower down still over a typed upper")
            << 10 << 15 << false << false << 10 << 9;
        QTest::newRow("lower down onto the upper is left")
            << 15 << 15 << false << false << 15 << 15;
    }
    void spinClicksKeepTheUpperAboveTheLower()
    {
        QFETCH(int, upper);
        QFETCH(int, lower);
        QFETCH(bool, upperSpin);
        QFETCH(bool, up);
        QFETCH(int, pairedUpper);
        QFETCH(int, pairedLower);
        const LimitPair p =
            pairAfterStep({upper, lower}, upperSpin ? SpinRole::Upper : SpinRole::Lower, up);
        QCOMPARE(p, (LimitPair{pairedUpper, pairedLower}));
    }

    void theWorkingCopyHoldsWholeUnitsAndNoSecondChannelForSingleChannelSlots()
    {
        AlarmWorkingCopy work;
        work.load(fourSlots());
        QCOMPARE(work.channel(1, 1), (LimitPair{30, 15}));
        QCOMPARE(work.channel(1, 2), (LimitPair{80, 30}));
        QCOMPARE(work.channel(2, 1), (LimitPair{25, 20}));
        QCOMPARE(work.channel(2, 2),
                 (LimitPair{AlarmWorkingCopy::NoLimit, AlarmWorkingCopy::NoLimit}));
        QCOMPARE(work.channel(4, 1), (LimitPair{0, 0}));
    }

    void shownLimitsGoToTheShownSlotOrToEveryOperatingSlot_data()
    {
        QTest::addColumn<int>("shownKo");
        QTest::addColumn<bool>("withCh2");
        QTest::addColumn<bool>("toAll");
        QTest::addColumn<QList<int>>("expected"); // per slot: CH1 up, low, CH2 up, low
        const int n = AlarmWorkingCopy::NoLimit;
        QTest::newRow("one slot") << 1 << true << false << QList<int>{40, 10, 90, 20, 25, 20, n, n,
                                                                      20, 10, 70, 40, 0,  0,  0, 0};
        QTest::newRow("all, CH2 clamped to each slot's own range")
            << 1 << true << true
            << QList<int>{40, 10, 90, 20, 40, 10, n, n, 40, 10, 80, 20, 0, 0, 0, 0};
        QTest::newRow("all from a single-channel slot leaves CH2 alone")
            << 2 << false << true
            << QList<int>{40, 10, 80, 30, 40, 10, n, n, 40, 10, 70, 40, 0, 0, 0, 0};
    }
    void shownLimitsGoToTheShownSlotOrToEveryOperatingSlot()
    {
        QFETCH(int, shownKo);
        QFETCH(bool, withCh2);
        QFETCH(bool, toAll);
        QFETCH(QList<int>, expected);
        const AlarmTable table = fourSlots();
        AlarmWorkingCopy work;
        work.load(table);
        ShownLimits shown{{40, 10}, std::nullopt};
        if (withCh2)
            shown.ch2 = LimitPair{90, 20};
        storeShownLimits(work, table, shownKo, shown, toAll);
        QCOMPARE(flatten(work, 4), expected);
    }

    void applyingToAllNeedsTheSameTemperatureRange_data()
    {
        QTest::addColumn<int>("slot3High1");
        QTest::addColumn<int>("slot3Low1");
        QTest::addColumn<bool>("slot3Operating");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("same ranges, CH2 differs") << 600 << -100 << true << true;
        QTest::newRow("high end differs") << 700 << -100 << true << false;
        QTest::newRow("low end differs") << 600 << -200 << true << false;
        QTest::newRow("a differing slot that is not recording") << 700 << -200 << false << true;
    }
    void applyingToAllNeedsTheSameTemperatureRange()
    {
        QFETCH(int, slot3High1);
        QFETCH(int, slot3Low1);
        QFETCH(bool, slot3Operating);
        QFETCH(bool, allowed);
        AlarmTable table = fourSlots();
        table.slot(3).ranges.RangeHigh1 = qint16(slot3High1);
        table.slot(3).ranges.RangeLow1 = qint16(slot3Low1);
        table.slot(3).KoOperating = slot3Operating;
        QCOMPARE(sameRangesForAll(table), allowed);
    }

    void onlySlotsThatDifferFromTheStoredLimitsAreFlagged()
    {
        AlarmTable table = fourSlots();
        table.slot(3).limits.AlarmHigh2 = 705; // not a whole unit: shown as 70, so it differs
        AlarmWorkingCopy work;
        work.load(table);
        QCOMPARE(markChangedSlots(table, work), QList<int>{3});
        work.setChannel(2, 1, {26, 20});
        work.setChannel(1, 2, {80, 29});
        QCOMPARE(markChangedSlots(table, work), (QList<int>{1, 2, 3}));
    }

    void aRefusedSlotStopsTheSendingAndKeepsItsFlag_data()
    {
        QTest::addColumn<int>("refusedKo");
        QTest::addColumn<QList<int>>("sent");
        QTest::newRow("all accepted") << 0 << QList<int>{1, 2, 3};
        QTest::newRow("first refused") << 1 << QList<int>{};
        QTest::newRow("middle refused") << 2 << QList<int>{1};
    }
    void aRefusedSlotStopsTheSendingAndKeepsItsFlag()
    {
        QFETCH(int, refusedKo);
        QFETCH(QList<int>, sent);
        AlarmTable table = fourSlots();
        const AlarmTable before = table;
        AlarmWorkingCopy work;
        work.load(table);
        for (int k = 1; k <= 3; ++k)
            work.setChannel(k, 1, {45, 5});
        QCOMPARE(markChangedSlots(table, work), (QList<int>{1, 2, 3}));
        QList<int> asked;
        QList<AlarmLimits> wire;
        const AlarmSendResult result =
            sendChangedSlots(table, work, [&](int koNo, const AlarmLimits &limits) {
                asked << koNo;
                wire << limits;
                return koNo != refusedKo;
            });
        QCOMPARE(result.sent, sent);
        QCOMPARE(result.failedKo, refusedKo);
        QCOMPARE(asked.size(), refusedKo == 0 ? 3 : refusedKo);
        // The single-channel slot's CH2 fields carry what the receiver holds.
        if (asked.size() >= 2)
            QCOMPARE(wire[1], (AlarmLimits{450, 50, 0, 0}));
        for (int k = 1; k <= 3; ++k) {
            const bool accepted = sent.contains(k);
            QCOMPARE(table.slot(k).AlarmChanged, !accepted);
            QCOMPARE(table.slot(k).limits.AlarmHigh1,
                     accepted ? 450 : before.slot(k).limits.AlarmHigh1);
        }
        QCOMPARE(table.slot(1).limits.AlarmHigh2, before.slot(1).limits.AlarmHigh2);
    }
};

ZT_TEST(AlarmLimitsTest)
#include "alarmlimitstest.moc"
