#include "simfixture.h"
#include "testregistry.h"

#include <QTest>

using namespace zt;
using namespace zt::sim;
using namespace zt::sim::test;

class ReceiverEngineTest : public QObject
{
    Q_OBJECT

    static QString field(const QString &reply, int pos, int width)
    {
        return reply.mid(pos - 1, width);
    }
    static int hexAt(const QString &reply, int pos, int width)
    {
        return readHex(QStringView(reply).mid(pos - 1, width));
    }

private slots:
    void everyCommandAnswersWithItsReplyLength_data()
    {
        QTest::addColumn<QString>("access");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("data");
        QTest::addColumn<int>("length");
        const QString start = DateField(wallClock(2024, 5, 1, 0, 0), false);
        QTest::newRow("05 identification") << "20"
                                           << "05"
                                           << "00" << 17;
        QTest::newRow("06 settings") << "20"
                                     << "06"
                                     << "00" << 60;
        QTest::newRow("07 limits") << "20"
                                   << "07"
                                   << "01" << 25;
        QTest::newRow("08 recording") << "20"
                                      << "08"
                                      << "00" << 39;
        QTest::newRow("10 status") << "20"
                                   << "10"
                                   << "001234" << 112;
        QTest::newRow("11 summary") << "20"
                                    << "11"
                                    << "01" << 30;
        QTest::newRow("11 summary, empty slot") << "20"
                                                << "11"
                                                << "05" << 30;
        QTest::newRow("12 three records") << "20"
                                          << "12"
                                          << "010003" + start << 21 + 8 * 3 + 1;
        QTest::newRow("12 fifty records") << "20"
                                          << "12"
                                          << "010032" + start << 21 + 8 * 50 + 1;
        QTest::newRow("12 none held") << "20"
                                      << "12"
                                      << "050003" + start << 22;
        QTest::newRow("13 kind") << "20"
                                 << "13"
                                 << "02" << 48;
        QTest::newRow("13 kind, empty slot") << "20"
                                             << "13"
                                             << "05" << 48;
    }
    void everyCommandAnswersWithItsReplyLength()
    {
        QFETCH(QString, access);
        QFETCH(QString, code);
        QFETCH(QString, data);
        QFETCH(int, length);
        Scenario s = testScenario();
        s.remoteMode = true;
        ReceiverEngine engine(s, ManualTime().source());
        const QString reply = ask(engine, qPrintable(access), qPrintable(code), data);
        QCOMPARE(reply.size(), length);
        QCOMPARE(reply.left(8), QLatin1String("000") + access + code + QLatin1Char(','));
        QCOMPARE(reply.back(), QLatin1Char(','));
    }

    void fieldsDecodeToTheReceiverState()
    {
        ReceiverEngine engine(testScenario(), ManualTime().source());
        QCOMPARE(hexAt(ask(engine, "20", "05", "00"), 13, 4), 0x1234);

        const QString settings = ask(engine, "20", "06", "00");
        QCOMPARE(hexAt(settings, 9, 2), 4);
        QCOMPARE(field(settings, 11, 30), QLatin1String("11") + QString(28, QLatin1Char('0')));
        QCOMPARE(hexAt(settings, 41, 2) * 60 + hexAt(settings, 43, 2), 10);
        QCOMPARE(hexAt(settings, 45, 2) * 60 + hexAt(settings, 47, 2), 20);
        QCOMPARE(readDateField(field(settings, 49, 11), true), wallClock(2024, 5, 1, 12, 0));

        // 00:00..12:00 every 10 minutes, all delivered by the 12:00 batch.
        const QString summary = ask(engine, "20", "11", "01");
        QCOMPARE(hexAt(summary, 9, 4), 73);
        QCOMPARE(readDateField(field(summary, 13, 9), false), wallClock(2024, 5, 1, 12, 0));

        const QString kind = ask(engine, "20", "13", "02");
        QCOMPARE(hexAt(kind, 9, 4), 73);
        QCOMPARE(field(kind, 22, 2), QLatin1String("10"));
        QCOMPARE(hexAt(kind, 24, 4), 600);
        QCOMPARE(hexAt(kind, 28, 4), -100);
        const RawRecord latest = readRecordField(field(kind, 40, 8));
        QVERIFY(isValidRaw(latest.ch1));
        QCOMPARE(latest.ch2, NoValueCode); // a temperature-only transmitter has no CH2

        const QString limits = ask(engine, "20", "07", "01");
        QCOMPARE(hexAt(limits, 9, 4), 300);
        QCOMPARE(hexAt(limits, 13, 4), 150);
        QCOMPARE(hexAt(limits, 17, 4), 800);
        QCOMPARE(hexAt(limits, 21, 4), 300);

        QCOMPARE(field(ask(engine, "20", "08", "00"), 9, 4), QLatin1String("1100"));
    }

    void statusPollIsRefusedOutsideRemoteMode()
    {
        ReceiverEngine engine(testScenario(), ManualTime().source());
        QCOMPARE(ask(engine, "20", "10", "001234"), Nak);
        QCOMPARE(ask(engine, "01", "20", "0043211"), Nak); // another receiver's id
        QCOMPARE(ask(engine, "01", "20", "0012341"), Ack);
        const QString status = ask(engine, "20", "10", "001234");
        QCOMPARE(status.size(), 112);
        QCOMPARE(hexAt(status, 22, 1), 8); // slot 1 recording
        QCOMPARE(ask(engine, "20", "10", "004321"), Nak);
        QCOMPARE(ask(engine, "01", "20", "0012340"), Ack);
        QCOMPARE(ask(engine, "20", "10", "001234"), Nak);
    }

    void clockSetErasesDataAndRestartsAtTheStartTime()
    {
        ManualTime time;
        ReceiverEngine engine(testScenario(), time.source());
        QCOMPARE(ask(engine, "01", "07", "01012C0096032000C8"), Ack);
        // Clock 2024-06-01 08:00:00, measure 00:05, comm 00:10, start 2024-06-01 09:00.
        const QString text = DateField(wallClock(2024, 6, 1, 8, 0), true) + "0005" + "000A" +
                             "18601" + "0900" + "00";
        QCOMPARE(text.size(), 30);
        QCOMPARE(ask(engine, "01", "02", "00" + text), Ack);
        QCOMPARE(hexAt(ask(engine, "20", "11", "01"), 9, 4), 0);
        QCOMPARE(field(ask(engine, "20", "08", "00"), 9, 2), QLatin1String("00"));
        const QString settings = ask(engine, "20", "06", "00");
        QCOMPARE(field(settings, 41, 8), QLatin1String("0005000A"));

        time.advanceMinutes(60);
        const QString kind = ask(engine, "20", "13", "01");
        QCOMPARE(hexAt(kind, 9, 4), 1);
        QCOMPARE(readDateField(field(kind, 13, 9), false), wallClock(2024, 6, 1, 9, 0));
        time.advanceMinutes(10);
        QCOMPARE(hexAt(ask(engine, "20", "11", "01"), 9, 4), 3);
        QVERIFY(!engine.slot(1).limitsWritten); // the PC must set limits again
        QCOMPARE(engine.slot(1).counter, 2);
    }

    void startTimeAlreadyPastMeansTheNextDay()
    {
        ManualTime time;
        ReceiverEngine engine(testScenario(), time.source());
        const QString text = DateField(wallClock(2024, 6, 1, 8, 0), true) + "000A" + "0014" +
                             "18601" + "0700" + "00";
        QCOMPARE(ask(engine, "01", "02", "00" + text), Ack);
        QCOMPARE(engine.recordingStart(), wallClock(2024, 6, 2, 7, 0));
        time.advanceMinutes(22 * 60);
        QCOMPARE(hexAt(ask(engine, "20", "11", "01"), 9, 4), 0);
        time.advanceMinutes(60);
        QCOMPARE(hexAt(ask(engine, "20", "11", "01"), 9, 4), 1);
    }

    void malformedRequestsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("unknown code") << request("20", "99", "00");
        QTest::newRow("write access on a read") << request("01", "05", "00");
        QTest::newRow("read access on a write") << request("20", "21", "01F");
        QTest::newRow("no trailing comma") << QByteArray("0002005,00");
        QTest::newRow("short frame") << QByteArray("00020");
        QTest::newRow("slot 0") << request("20", "13", "00");
        QTest::newRow("slot 31") << request("20", "11", "1F");
        QTest::newRow("lower-case hex") << request("20", "07", "0a");
        QTest::newRow("limits too short") << request("01", "07", "01012C0096");
        QTest::newRow("12 invalid month") << request("20", "12", "0100031800100000");
        QTest::newRow("12 short") << request("20", "12", "010003");
        QTest::newRow("02 too short") << request("01", "02", "00185010C0000");
        QTest::newRow("02 month 13") << request("01", "02", "0018D010C0000000A00141850109000000");
        QTest::newRow("21 unknown letter") << request("01", "21", "01X");
        QTest::newRow("21 alarm on receiver") << request("01", "21", "00F");
        QTest::newRow("01 count 0") << request("01", "01", "0000");
        QTest::newRow("01 count 31") << request("01", "01", "001F");
        QTest::newRow("01 below registered slot 2") << request("01", "01", "0001");
    }
    void malformedRequestsAreRefused()
    {
        QFETCH(QByteArray, frame);
        Scenario s = testScenario();
        s.remoteMode = true;
        ReceiverEngine engine(s, ManualTime().source());
        QCOMPARE(engine.handleFrame(frame), nakReply());
        QCOMPARE(engine.systemKoCount(), 4);
        QCOMPARE(engine.recordingStart(), s.recordingStart);
    }

    void ringKeepsTheNewestSamples()
    {
        Scenario s = testScenario();
        s.systemKoCount = 30;
        s.measureMinutes = 1;
        s.commMinutes = 3;
        s.recordingStart = s.clockStart.addSecs(-3000 * 60);
        ReceiverEngine engine(s, ManualTime().source());
        const QString summary = ask(engine, "20", "11", "01");
        QCOMPARE(hexAt(summary, 9, 4), 1000);
        const QDateTime newest = readDateField(field(summary, 13, 9), false);
        QCOMPARE(newest, s.clockStart);
        const QDateTime oldest = newest.addSecs(-999 * 60);
        const QString first = ask(engine, "20", "12", "010032" + DateField(oldest, false));
        QCOMPARE(hexAt(first, 9, 4), 50);
        const QString gone =
            ask(engine, "20", "12", "010032" + DateField(oldest.addSecs(-60), false));
        QCOMPARE(hexAt(gone, 9, 4), 0);
        // The newest record of the ring is the one "11" reports.
        const QString last = ask(engine, "20", "12", "010001" + DateField(newest, false));
        QCOMPARE(field(last, 22, 8), field(summary, 22, 8));
    }

    // The memory loses its older records: "11" counts only what is left and "12"
    // no longer answers from a forgotten time.
    void forgottenRecordsAreGone()
    {
        Scenario s = testScenario();
        ScenarioEvent forget;
        forget.type = ScenarioEvent::Type::Forget;
        forget.slot = 1;
        forget.from = s.clockStart.addSecs(30 * 60);
        s.events << forget;
        ManualTime time;
        ReceiverEngine engine(s, time.source());
        QCOMPARE(hexAt(ask(engine, "20", "11", "01"), 9, 4), 73); // 00:00 .. 12:00
        time.advanceMinutes(40);
        const QString summary = ask(engine, "20", "11", "01");
        QCOMPARE(hexAt(summary, 9, 4), 2); // 12:30 and 12:40 are left
        QCOMPARE(readDateField(field(summary, 13, 9), false), s.clockStart.addSecs(40 * 60));
        const QString gone = ask(engine, "20", "12", "010001" + DateField(s.clockStart, false));
        QCOMPARE(hexAt(gone, 9, 4), 0);
        QCOMPARE(hexAt(ask(engine, "20", "11", "02"), 9, 4), 77); // other slots keep theirs
    }

    // The receiver clock is set forward: records keep their grid and their times.
    void clockJumpMovesTheClock()
    {
        Scenario s = testScenario();
        ScenarioEvent jump;
        jump.type = ScenarioEvent::Type::ClockJump;
        jump.from = s.clockStart.addSecs(5 * 60);
        jump.minutes = 60;
        s.events << jump;
        ManualTime time;
        ReceiverEngine engine(s, time.source());
        time.advanceMinutes(10);
        engine.catchUp();
        QCOMPARE(engine.now(), s.clockStart.addSecs(70 * 60));
        time.advanceMinutes(1);
        engine.catchUp();
        QCOMPARE(engine.now(), s.clockStart.addSecs(71 * 60)); // applied once
        QCOMPARE(engine.newestTime(1), s.clockStart.addSecs(60 * 60));
    }

    void batchesArriveEveryCommunicationInterval()
    {
        ManualTime time;
        Scenario s = testScenario();
        s.remoteMode = true;
        ReceiverEngine engine(s, time.source());
        const auto poll = [&] {
            const QString status = ask(engine, "20", "10", "001234");
            return std::pair(hexAt(status, 23, 2) & 0x7F,
                             hexAt(ask(engine, "20", "11", "01"), 9, 4));
        };
        auto [counter, count] = poll();
        for (int interval = 1; interval <= 3; ++interval) {
            time.advanceMinutes(19);
            QCOMPARE(poll(), std::pair(counter, count));
            time.advanceMinutes(1);
            QCOMPARE(poll(), std::pair((counter + 1) & 0x7F, count + 2));
            std::tie(counter, count) = poll();
        }
    }

    void blockAnswersFromTheRequestedTime_data()
    {
        QTest::addColumn<int>("minutesAfterStart");
        QTest::addColumn<int>("wanted");
        QTest::addColumn<int>("expected");
        QTest::newRow("first record") << 0 << 5 << 5;
        QTest::newRow("more than held") << 700 << 5 << 3; // 11:40, 11:50, 12:00
        QTest::newRow("capped at fifty") << 0 << 60 << 50;
        QTest::newRow("zero wanted") << 100 << 0 << 0;
        QTest::newRow("off the grid") << 5 << 5 << 0;
        QTest::newRow("after the newest") << 730 << 5 << 0;
        QTest::newRow("before recording") << -10 << 5 << 0;
    }
    void blockAnswersFromTheRequestedTime()
    {
        QFETCH(int, minutesAfterStart);
        QFETCH(int, wanted);
        QFETCH(int, expected);
        const Scenario s = testScenario();
        ReceiverEngine engine(s, ManualTime().source());
        const QDateTime t = s.recordingStart.addSecs(minutesAfterStart * 60);
        const QString reply =
            ask(engine, "20", "12", "01" + HexField(wanted, 4) + DateField(t, false));
        QCOMPARE(hexAt(reply, 9, 4), expected);
        QCOMPARE(field(reply, 13, 9), DateField(t, false)); // echoed even when empty
        QCOMPARE(reply.size(), 22 + 8 * expected);
    }

    void alarmStatesDriveTheContactDigit()
    {
        Scenario s = testScenario();
        s.remoteMode = true;
        s.events.append({ScenarioEvent::Type::Battery, 2, 0, 0, s.clockStart, {}});
        ReceiverEngine engine(s, ManualTime().source());
        const auto status = [&] { return ask(engine, "20", "10", "001234"); };
        QCOMPARE(hexAt(status(), 21, 1), 2);     // BATT AL on
        QCOMPARE(hexAt(status(), 25, 1) & 2, 2); // slot 2 battery flag
        QCOMPARE(ask(engine, "01", "21", "01F"), Ack);
        QCOMPARE(hexAt(status(), 22, 1) & 1, 1);
        QCOMPARE(hexAt(status(), 21, 1), 3);
        QCOMPARE(ask(engine, "01", "21", "00E"), Ack); // data alarms only
        QCOMPARE(hexAt(status(), 21, 1), 2);
        QCOMPARE(hexAt(status(), 22, 1) & 1, 0);
        QCOMPARE(ask(engine, "01", "21", "000"), Ack); // both contacts
        QCOMPARE(hexAt(status(), 21, 1), 0);
        QCOMPARE(hexAt(status(), 25, 1) & 2, 2); // the battery itself is still low
    }

    void limitsWriteIsReadBackAndSetsBitSeven()
    {
        Scenario s = testScenario();
        s.remoteMode = true;
        ReceiverEngine engine(s, ManualTime().source());
        QCOMPARE(hexAt(ask(engine, "20", "10", "001234"), 23, 2) & 0x80, 0);
        QCOMPARE(
            ask(engine, "01", "07",
                "01" + HexField(250, 4) + HexField(-50, 4) + HexField(900, 4) + HexField(100, 4)),
            Ack);
        const QString limits = ask(engine, "20", "07", "01");
        QCOMPARE(field(limits, 9, 16), QLatin1String("00FAFFCE03840064"));
        QCOMPARE(hexAt(ask(engine, "20", "10", "001234"), 23, 2) & 0x80, 0x80);
    }

    void transmitterCountChangesTheCapacity()
    {
        ReceiverEngine engine(testScenario(), ManualTime().source());
        QCOMPARE(ask(engine, "01", "01", "0002"), Ack);
        QCOMPARE(engine.systemKoCount(), 2);
        QCOMPARE(engine.slot(1).ring.capacity(), 16000);
        QCOMPARE(hexAt(ask(engine, "20", "06", "00"), 9, 2), 2);
    }
};

ZT_TEST(ReceiverEngineTest)
#include "tst_receiverengine.moc"
