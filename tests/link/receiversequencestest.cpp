#include "testregistry.h"

#include "link/receiversequences.h"
#include "link/seriallink.h"
#include "records/datetime.h"
#include "ptypeer.h"
#include "replytexts.h"

#include <QTest>

using namespace zt;
namespace rt = replytexts;

namespace {
const QDateTime rxClock = wallClock(2024, 6, 1, 12, 0, 30);
const QDateTime newest = wallClock(2024, 6, 1, 11, 50);

// A small receiver: id 0x0102, slot 2 recording, slot 5 with news (value 0x03).
PtyPeer::Answer receiverAnswer(const QByteArray &frame, QStringList &codes)
{
    const QString f = QString::fromLatin1(frame);
    const QString code = f.mid(6, 2);
    codes << code;
    QString reply;
    if (code == u"05")
        reply = rt::identification(0x0102);
    else if (code == u"06")
        reply = rt::settings(5, QStringLiteral("11111") + QString(25, '0'), 10, 1, rxClock);
    else if (code == u"20")
        reply = rt::ack();
    else if (code == u"10")
        reply = rt::status(rxClock, 0,
                           QStringLiteral("000800000000003") + QString(75, QLatin1Char('0')));
    else if (code == u"13")
        reply = rt::kind(4, newest, 12, 600, -200, 1000, 0, "00FA0320");
    else if (code == u"07")
        reply = rt::alarmLimits(300, -50, 800, 200);
    else if (code == u"11")
        reply = rt::summary(12, newest, 0, 0);
    return PtyPeer::reply(reply.toLatin1());
}
} // namespace

class ReceiverSequencesTest : public QObject
{
    Q_OBJECT
private slots:
    void receiverCheckFindsTheRegistrySlot_data()
    {
        QTest::addColumn<int>("registeredId");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("slot");
        QTest::newRow("registered") << 0x0102 << int(ReceiverCheck::Registered) << 7;
        QTest::newRow("unknown") << 0x0999 << int(ReceiverCheck::NotRegistered) << 1;
    }
    void receiverCheckFindsTheRegistrySlot()
    {
        QFETCH(int, registeredId);
        QFETCH(int, result);
        QFETCH(int, slot);
        PtyPeer peer;
        QStringList codes;
        peer.setResponder([&](const QByteArray &f) { return receiverAnswer(f, codes); });
        SerialLink link(LinkMode::Kestrel, nullptr, 500);
        link.setPortName(peer.devicePath());
        OyaRegistry registry;
        registry.OyaID[7] = registeredId;
        registry.currentSlot = 3;
        ReceiverValues v;
        QCOMPARE(int(checkReceiver(link, registry, v)), result);
        QCOMPARE(registry.currentSlot, slot);
        QCOMPARE(codes, QStringList({"05", "06"}));
        QVERIFY(!link.isOpen());
        QCOMPARE(v.registeredCount, 5);
    }

    void receiverCheckFailsWithoutAnswer()
    {
        PtyPeer peer;
        SerialLink link(LinkMode::Kestrel, nullptr, 30);
        link.setPortName(peer.devicePath());
        OyaRegistry registry;
        ReceiverValues v;
        QCOMPARE(checkReceiver(link, registry, v), ReceiverCheck::Failed);
        QCOMPARE(peer.frames().size(), 4); // "05" four times, "06" never
        QVERIFY(!link.isOpen());
    }

    void alarmDialogStatusReadsRecordingAndNewsSlots()
    {
        PtyPeer peer;
        QStringList codes;
        peer.setResponder([&](const QByteArray &f) { return receiverAnswer(f, codes); });
        SerialLink link(LinkMode::Kestrel, nullptr, 500);
        link.setPortName(peer.devicePath());
        ReceiverValues v;
        AlarmDialogStatus status;
        QVERIFY(readAlarmDialogStatus(link, v, status));
        QCOMPARE(codes, QStringList({"05", "06", "20", "10", "13", "07", "11", "20"}));
        QVERIFY(peer.frames().at(2).contains("0000120,0001021,"));  // remote on with the id
        QVERIFY(peer.frames().last().contains("0000120,0001020,")); // and off again
        QVERIFY(peer.frames().at(4).contains(",02,"));              // "13" of slot 2
        QVERIFY(peer.frames().at(6).contains(",05,"));              // "11" of slot 5
        QVERIFY(status.recording[1]);
        QCOMPARE(status.slotValue[4], qint16(3));
        QCOMPARE(status.newestTime[4], newest);
        QCOMPARE(v.slot(2).limits.AlarmHigh1, qint16(300));
        QVERIFY(link.isOpen());
    }

    void alarmDialogStatusClosesThePortOnRefusal()
    {
        PtyPeer peer;
        QStringList codes;
        peer.setResponder([&](const QByteArray &f) {
            return f.mid(6, 2) == "20" ? PtyPeer::reply("\x15") : receiverAnswer(f, codes);
        });
        SerialLink link(LinkMode::Kestrel, nullptr, 500);
        link.setPortName(peer.devicePath());
        ReceiverValues v;
        AlarmDialogStatus status;
        QVERIFY(!readAlarmDialogStatus(link, v, status));
        QCOMPARE(codes, QStringList({"05", "06"}));
        QVERIFY(!link.isOpen());
    }
};

ZT_TEST(ReceiverSequencesTest)
#include "receiversequencestest.moc"
