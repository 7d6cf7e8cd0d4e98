#include "simrig.h"
#include "testregistry.h"

#include "link/receiversequences.h"

using namespace zt;
using namespace zt::e2e;

// The sequences other parts of the programs start, against the virtual receiver.
class ReceiverSequencesE2ETest : public QObject
{
    Q_OBJECT

    // What the alarm-dialog sequence must ask, from the engine's own state.
    static QStringList expectedDialogCodes(const sim::ReceiverEngine &engine)
    {
        QStringList codes{"05", "06", "20", "10"};
        for (int k = 1; k <= MaxKo; ++k) {
            if (engine.slot(k).slotStatus() & SlotRecordingBit)
                codes << "13"
                      << "07";
            if (engine.slot(k).slotValue() != 0)
                codes << "11";
        }
        return codes << "20";
    }

private slots:
    void receiverCheckFindsOrMissesTheRegistrySlot_data()
    {
        addModeColumn();
        QTest::addColumn<int>("registeredId");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("frames");
        for (LinkMode mode : bothModes()) {
            QTest::addRow("%s registered", modeName(mode))
                << mode << 0x1234 << true << int(ReceiverCheck::Registered) << 9 << 2;
            QTest::addRow("%s not registered", modeName(mode))
                << mode << 0x4321 << true << int(ReceiverCheck::NotRegistered) << 1 << 2;
            // four attempts at "05", "06" never sent, the current slot left alone
            QTest::addRow("%s no answer", modeName(mode))
                << mode << 0x1234 << false << int(ReceiverCheck::Failed) << 5 << 4;
        }
    }
    void receiverCheckFindsOrMissesTheRegistrySlot()
    {
        QFETCH(LinkMode, mode);
        QFETCH(int, registeredId);
        QFETCH(bool, answers);
        QFETCH(int, result);
        QFETCH(int, slot);
        QFETCH(int, frames);
        SimRig rig(mode);
        QVERIFY(rig.opened);
        sim::ServerFaults lost;
        lost.noReply = !answers;
        rig.server.setFaults(lost);
        OyaRegistry registry;
        registry.OyaID[9] = registeredId;
        registry.currentSlot = 5;
        ReceiverValues v;
        QCOMPARE(int(checkReceiver(rig.link, registry, v)), result);
        QCOMPARE(registry.currentSlot, slot);
        QVERIFY(!rig.link.isOpen());
        QCOMPARE(rig.received().size(), frames);
        QCOMPARE(rig.received().first(), loggedRequest("20", "05", "00"));
        if (answers) {
            QCOMPARE(v.ReceiverID, qint32(rig.engine.receiverId()));
            QCOMPARE(v.registeredCount, int(rig.engine.registeredSlots().size()));
        }
    }

    void alarmDialogStatusFollowsTheEngine_data() { addModeRows(); }
    void alarmDialogStatusFollowsTheEngine()
    {
        QFETCH(LinkMode, mode);
        SimRig rig(mode);
        QVERIFY(rig.opened);
        ReceiverValues v;
        AlarmDialogStatus status;
        QVERIFY(readAlarmDialogStatus(rig.link, v, status));
        QVERIFY(rig.link.isOpen());
        QVERIFY(!rig.engine.remoteMode()); // left again at the end
        QCOMPARE(codesOf(rig.received()), expectedDialogCodes(rig.engine));
        int withNews = 0;
        for (int k = 1; k <= MaxKo; ++k) {
            const sim::SlotState &s = rig.engine.slot(k);
            const std::size_t i = std::size_t(k - 1);
            QCOMPARE(status.recording[i], (s.slotStatus() & SlotRecordingBit) != 0);
            QCOMPARE(status.slotValue[i], qint16(s.slotValue()));
            if (s.slotValue() != 0) {
                ++withNews;
                QCOMPARE(status.newestTime[i], rig.engine.newestTime(k));
            }
            if (status.recording[i]) {
                QCOMPARE(v.slot(k).KoKind, qint16(s.setup.kind));
                QCOMPARE(v.slot(k).limits.AlarmHigh1, s.setup.limits.high1);
            }
        }
        QVERIFY(withNews > 0); // the sequence's "11" branch ran
    }

    // The receiver's own keys take it out of remote mode between "20" and "10": the
    // poll is refused and the sequence closes the port.
    void alarmDialogStatusFailsWhenTheReceiverLeavesRemoteMode_data() { addModeRows(); }
    void alarmDialogStatusFailsWhenTheReceiverLeavesRemoteMode()
    {
        QFETCH(LinkMode, mode);
        SimRig rig(mode);
        QVERIFY(rig.opened);
        connect(&rig.engine, &sim::ReceiverEngine::remoteModeChanged, &rig.server, [&](bool on) {
            if (on)
                QMetaObject::invokeMethod(
                    &rig.server, [&] { rig.server.leaveRemoteMode(); }, Qt::QueuedConnection);
        });
        ReceiverValues v;
        AlarmDialogStatus status;
        QVERIFY(!readAlarmDialogStatus(rig.link, v, status));
        QVERIFY(!rig.link.isOpen());
        QCOMPARE(codesOf(rig.received()), QStringList({"05", "06", "20", "10"}));
    }
};

ZT_TEST(ReceiverSequencesE2ETest)
#include "receiversequencese2etest.moc"
