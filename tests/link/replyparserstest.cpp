#include "testregistry.h"

#include "link/replyparsers.h"
#include "records/datetime.h"
#include "replytexts.h"

#include <QTest>

using namespace zt;
namespace rt = replytexts;

namespace {
const QDateTime rxClock = wallClock(2024, 12, 31, 23, 59, 58);
const QDateTime newest = wallClock(2024, 12, 31, 23, 50);
const QString allSet = QString(30, QLatin1Char('1'));

QString slotsWith(int k, const QString &group)
{
    QString s;
    for (int i = 1; i <= 30; ++i)
        s += i == k ? group : QStringLiteral("000");
    return s;
}
} // namespace

class ReplyParsersTest : public QObject
{
    Q_OBJECT
private slots:
    void wrongLengthOrRefusalIsRejected_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("readByCode"); // also via ReadByCode
        const QString good05 = rt::identification(0x1234);
        QTest::newRow("05 short") << "05" << good05.chopped(1) << true;
        QTest::newRow("05 long") << "05" << good05 + "0" << true;
        QTest::newRow("05 refused") << "05" << rt::nak() + good05.mid(1) << true;
        QTest::newRow("06 short") << "06" << rt::settings(3, allSet, 10, 1, rxClock).chopped(1)
                                  << true;
        QTest::newRow("07 short") << "07" << rt::alarmLimits(1, 2, 3, 4).chopped(1) << true;
        QTest::newRow("08 long") << "08" << rt::recording(allSet) + "," << true;
        QTest::newRow("10 short") << "10" << rt::status(rxClock, 0, slotsWith(1, "800")).chopped(1)
                                  << false;
        QTest::newRow("11 short") << "11" << rt::summary(5, newest, 1, 2).chopped(1) << true;
        QTest::newRow("13 empty transmitter")
            << "13" << rt::kind(0, newest, 12, 1, 2, 3, 4, "00000000") << true;
        QTest::newRow("13 short") << "13" << rt::kind(9, newest, 12, 1, 2, 3, 4, "0000000") << true;
        QTest::newRow("ack without ACK") << "100" << QStringLiteral("0002001,,") << false;
        QTest::newRow("empty ack") << "200" << QString() << false;
    }
    void wrongLengthOrRefusalIsRejected()
    {
        QFETCH(QString, code);
        QFETCH(QString, reply);
        QFETCH(bool, readByCode);
        ReceiverValues v;
        v.slot(3).KoKind = 11;
        v.ReceiverID = 77;
        QVERIFY(!ParseReply(code, reply, 3, v).ok);
        if (readByCode)
            QVERIFY(!readByCodeReply(code, reply, 3, v));
        QCOMPARE(v.slot(3).KoKind, qint16(11)); // untouched
        QCOMPARE(v.ReceiverID, 77);
    }

    void identificationGivesReceiverId()
    {
        ReceiverValues v;
        QVERIFY(readByCodeReply(u"05", rt::identification(0xABCD), 0, v));
        QCOMPARE(v.ReceiverID, qint32(qint16(0xABCD)));
        QCOMPARE(v.idPrefix, QStringLiteral("0000"));
    }

    void settingsCountRegisteredSlots_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<int>("count");
        QTest::newRow("all set") << allSet << 30;
        QTest::newRow("none") << QString(30, QLatin1Char('0')) << 0;
        QTest::newRow("any non-zero digit") << QStringLiteral("F0A") + QString(27, '0') << 2;
    }
    void settingsCountRegisteredSlots()
    {
        QFETCH(QString, flags);
        QFETCH(int, count);
        ReceiverValues v;
        QVERIFY(readByCodeReply(u"06", rt::settings(30, flags, 90, 24 * 60, rxClock), 0, v));
        QCOMPARE(v.registeredCount, count);
        QCOMPARE(v.SystemKoCount, qint16(30));
        QCOMPARE(v.MeasureInterval, 90);
        QCOMPARE(v.CommInterval, 24 * 60);
        QCOMPARE(v.ReceiverClock, rxClock);
    }

    void alarmLimitsAreSigned()
    {
        ReceiverValues v;
        QVERIFY(readByCodeReply(u"07", rt::alarmLimits(300, -50, 800, 200), 4, v));
        const AlarmLimits expected{300, -50, 800, 200};
        QCOMPARE(v.slot(4).limits, expected);
        QVERIFY(!readByCodeReply(u"07", rt::alarmLimits(300, -50, 800, 200), 31, v));
    }

    void recordingFlagsAndStatusAgree()
    {
        ReceiverValues v;
        QVERIFY(
            readByCodeReply(u"08", rt::recording(QStringLiteral("8") + QString(29, '0')), 0, v));
        QVERIFY(v.RecordingFlags[0]);
        QVERIFY(!v.RecordingFlags[1]);
        QVERIFY(ParseReply(u"10", rt::status(rxClock, 5, slotsWith(2, "9A5")), 0, v).ok);
        QVERIFY(!v.RecordingFlags[0]);
        QVERIFY(v.RecordingFlags[1]);
        QCOMPARE(v.SlotStatus[1], qint16(9));
        QCOMPARE(v.SlotValue[1], qint16(0xA5));
        QCOMPARE(v.contactDigit, qint16(5));
        QVERIFY(alarmContactOn(v.contactDigit) && batteryContactOn(v.contactDigit));
        QCOMPARE(v.ReceiverClock, rxClock);
    }

    void summaryKeepsValuesAndText()
    {
        ReceiverValues v;
        QVERIFY(ParseReply(u"11", rt::summary(0x120, newest, -5, 7), 2, v).ok);
        const SlotValues &s = v.slot(2);
        QCOMPARE(s.DataCount, qint16(0x120));
        QCOMPARE(s.newestTime, newest);
        QCOMPARE(s.summary1, qint16(-5));
        QCOMPARE(s.summary2, qint16(7));
        QCOMPARE(s.summaryText, QStringLiteral("FFFB0007"));
        // Count 0: the rest is not read.
        QVERIFY(readByCodeReply(u"11", rt::summary(0, wallClock(2000, 1, 1, 0, 0), 1, 1), 2, v));
        QCOMPARE(s.DataCount, qint16(0));
        QCOMPARE(s.newestTime, newest);
    }

    void kindReplyStoresNewestOnlyThroughParseReply()
    {
        const QString reply = rt::kind(12, newest, 11, 1000, -400, 900, -300, "00FAFF38");
        ReceiverValues byCode;
        QVERIFY(readByCodeReply(u"13", reply, 5, byCode));
        QCOMPARE(byCode.slot(5).KoKind, qint16(11));
        const MeasureRanges ranges{1000, -400, 900, -300};
        QCOMPARE(byCode.slot(5).ranges, ranges);
        QVERIFY(!byCode.slot(5).latestTime.isValid());

        ReceiverValues parsed;
        QVERIFY(ParseReply(u"13", reply, 5, parsed).ok);
        QCOMPARE(parsed.slot(5).latestTime, newest);
        QCOMPARE(parsed.slot(5).LatestRecord.ch1, qint16(250));
        QCOMPARE(parsed.slot(5).LatestRecord.ch2, qint16(-200));
    }

    void blockFollowsItsRules_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("appended");
        const QDateTime t = wallClock(2024, 5, 1, 10, 0);
        const QStringList two{"00FA0320", "C000C000"};
        QTest::newRow("n = 0") << rt::block(t, {}) << 0 << 0;
        QTest::newRow("two records") << rt::block(t, two) << 0 << 2;
        QTest::newRow("one minute off")
            << rt::block(t.addSecs(60), two) << int(BlockError::TimeMismatch) << 0;
        QTest::newRow("missing end comma")
            << rt::block(t, two).chopped(1) << int(BlockError::MissingEndComma) << 0;
        QTest::newRow("records cut short")
            << rt::block(t, two).chopped(5) << int(BlockError::MissingEndComma) << 0;
        QTest::newRow("more than asked")
            << rt::block(t, {"0", "1", "2", "3"}) << int(BlockError::Rejected) << 0;
        QTest::newRow("refused") << rt::nak() << int(BlockError::Rejected) << 0;
    }
    void blockFollowsItsRules()
    {
        QFETCH(QString, reply);
        QFETCH(int, error);
        QFETCH(int, appended);
        QStringList records{"earlier"};
        const BlockTarget target{wallClock(2024, 5, 1, 10, 0), 3, &records};
        ReceiverValues v;
        const ParseResult r = ParseReply(u"12", reply, 1, v, &target);
        QCOMPARE(int(r.blockError), error);
        QCOMPARE(r.ok, error == 0);
        QCOMPARE(records.size(), 1 + appended);
        if (appended == 2)
            QCOMPARE(records.at(2), QStringLiteral("C000C000"));
    }
};

ZT_TEST(ReplyParsersTest)
#include "replyparserstest.moc"
