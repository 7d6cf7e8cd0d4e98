#include "simfixture.h"
#include "testregistry.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zt;
using namespace zt::sim;
using namespace zt::sim::test;

class ScenarioTest : public QObject
{
    Q_OBJECT

    static RawRecord recordAt(ReceiverEngine &engine, int koNo, const QDateTime &t)
    {
        const QString reply =
            ask(engine, "20", "12", HexField(koNo, 2) + "0001" + DateField(t, false));
        if (readHex(QStringView(reply).mid(8, 4)) != 1)
            return {0, 0};
        return readRecordField(QStringView(reply).mid(21, 8));
    }

private slots:
    void exampleScenarioLoads()
    {
        const QString path = QString::fromUtf8(zt::test::dataDir()) + "/scenarios/example.json";
        const ScenarioResult r = loadScenario(path, wallClock(2030, 1, 1, 0, 0));
        QVERIFY2(r.ok(), qPrintable(r.error));
        const Scenario &s = r.scenario;
        QCOMPARE(s.receiverId, 0x2A5C);
        QCOMPARE(s.systemKoCount, 3);
        QCOMPARE(s.measureMinutes, 5);
        QCOMPARE(s.commMinutes, 10);
        QCOMPARE(s.clockStart, wallClock(2024, 5, 1, 12, 0));
        QCOMPARE(s.speed, 60.0);
        QCOMPARE(s.recordingStart, wallClock(2024, 4, 29, 12, 0));
        QCOMPARE(s.transmitters.size(), 3);
        QCOMPARE(s.transmitters[1].limits, (ChannelPair{80, -50, 0, 0}));
        QCOMPARE(s.transmitters[2].range, defaultRange(11));
        QVERIFY(!s.transmitters[2].recording);
        QCOMPARE(s.events.size(), 7);
        QCOMPARE(s.events[2].from, wallClock(2024, 5, 1, 3, 0));
        QCOMPARE(s.events[1].value, qint16(0xE064));
        QVERIFY(!s.events[4].to.isValid());
    }

    void defaultsFollowTheReceiverRules()
    {
        const ScenarioResult r = parseScenario(
            R"({"transmitters":[{"slot":17}], "measureInterval":10, "clock":{"start":"now"}})",
            wallClock(2024, 5, 1, 12, 34, 56));
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.scenario.systemKoCount, 17);
        QCOMPARE(r.scenario.commMinutes, 60); // 3 x 17 = 51 minutes rounds up to 01:00
        QCOMPARE(r.scenario.clockStart, wallClock(2024, 5, 1, 12, 34));
        QCOMPARE(r.scenario.transmitters[0].limits, defaultRange(12));
    }

    void badScenarioGivesAClearError_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("error");
        QTest::newRow("not JSON") << QByteArray("{\"seed\": ") << "not valid JSON at offset";
        QTest::newRow("an array") << QByteArray("[]") << "must be a JSON object";
        QTest::newRow("slot 31") << QByteArray(R"({"transmitters":[{"slot":31}]})") << "\"slot\"";
        QTest::newRow("kind 13") << QByteArray(R"({"transmitters":[{"kind":13}]})")
                                 << "kind must be";
        QTest::newRow("slot twice")
            << QByteArray(R"({"transmitters":[{"slot":2},{"slot":2}]})") << "slot 2 is given twice";
        QTest::newRow("count below slot")
            << QByteArray(R"({"systemKoCount":2,"transmitters":[{"slot":5}]})") << "systemKoCount";
        QTest::newRow("interval 0") << QByteArray(R"({"measureInterval":0})") << "measureInterval";
        QTest::newRow("fractional interval")
            << QByteArray(R"({"measureInterval":2.5})") << "whole number";
        QTest::newRow("speed 0") << QByteArray(R"({"clock":{"speed":0}})") << "speed";
        QTest::newRow("bad time") << QByteArray(R"({"clock":{"start":"yesterday"}})")
                                  << "\"yesterday\" is not a time";
        QTest::newRow("range of three")
            << QByteArray(R"({"transmitters":[{"range":[1,2,3]}]})") << "transmitters[0].range";
        QTest::newRow("unknown event")
            << QByteArray(R"({"events":[{"type":"flood","slot":1}]})") << "events[0]: type must be";
        QTest::newRow("event without slot")
            << QByteArray(R"({"events":[{"type":"gap","from":0}]})") << "slot is missing";
        QTest::newRow("event ends before it starts")
            << QByteArray(R"({"events":[{"type":"gap","slot":1,"from":10,"to":5}]})")
            << "later than";
        QTest::newRow("code not hex")
            << QByteArray(R"({"events":[{"type":"code","slot":1,"from":0,"code":"XYZ"}]})")
            << "four hexadecimal digits";
        QTest::newRow("receiver id too long")
            << QByteArray(R"({"receiverId":"12345"})") << "receiverId";
        QTest::newRow("forget without slot")
            << QByteArray(R"({"events":[{"type":"forget","at":0}]})") << "slot is missing";
    }

    void memoryAndClockEventsParse()
    {
        const QDateTime now = wallClock(2024, 5, 1, 12, 0);
        const ScenarioResult r = parseScenario(R"({"events":[{"type":"forget","slot":3,"at":-30},)"
                                               R"({"type":"clockJump","at":15,"minutes":-120}]})",
                                               now);
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.scenario.events.size(), 2);
        const ScenarioEvent &forget = r.scenario.events[0];
        QCOMPARE(forget.type, ScenarioEvent::Type::Forget);
        QCOMPARE(forget.slot, 3);
        QCOMPARE(forget.from, now.addSecs(-30 * 60));
        const ScenarioEvent &jump = r.scenario.events[1];
        QCOMPARE(jump.type, ScenarioEvent::Type::ClockJump);
        QCOMPARE(jump.from, now.addSecs(15 * 60));
        QCOMPARE(jump.minutes, -120);
    }
    void badScenarioGivesAClearError()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, error);
        const ScenarioResult r = parseScenario(json, wallClock(2024, 5, 1, 12, 0));
        QVERIFY(!r.ok());
        QVERIFY2(r.error.contains(error), qPrintable(r.error));
    }

    void missingFileNamesThePath()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("none.json");
        const ScenarioResult r = loadScenario(path, wallClock(2024, 5, 1, 12, 0));
        QVERIFY(!r.ok());
        QVERIFY(r.error.startsWith(path));
    }

    void eventsPlaceSpecialCodes_data()
    {
        QTest::addColumn<QString>("event");
        QTest::addColumn<int>("koNo");
        QTest::addColumn<int>("ch1");
        QTest::addColumn<int>("ch2");
        QTest::newRow("sensor fault on CH2")
            << R"({"type":"code","slot":1,"channel":2,"code":"E064","from":-60,"to":-30})" << 1
            << -1 << int(qint16(0xE064));
        QTest::newRow("over range on both")
            << R"({"type":"code","slot":1,"code":"F000","from":-60,"to":-30})" << 1
            << int(qint16(0xF000)) << int(qint16(0xF000));
        QTest::newRow("E000 on a temperature-only transmitter")
            << R"({"type":"code","slot":2,"code":"E000","from":-60,"to":-30})" << 2
            << int(qint16(0xE000)) << int(NoValueCode);
        QTest::newRow("gap") << R"({"type":"gap","slot":2,"from":-60,"to":-30})" << 2
                             << int(MissingCode) << int(MissingCode);
        QTest::newRow("alarm excursion")
            << R"({"type":"alarm","slot":1,"channel":1,"value":355,"from":-60,"to":-30})" << 1
            << 355 << -1;
        QTest::newRow("radio failure loses the records")
            << R"({"type":"radio","slot":1,"from":-60,"to":-30})" << 1 << int(MissingCode)
            << int(MissingCode);
    }
    void eventsPlaceSpecialCodes()
    {
        QFETCH(QString, event);
        QFETCH(int, koNo);
        QFETCH(int, ch1);
        QFETCH(int, ch2);
        const QByteArray json = R"({"clock":{"start":"2024-05-01T12:00"},"recordingStart":-720,
            "measureInterval":10,"commInterval":20,
            "transmitters":[{"slot":1,"kind":12},{"slot":2,"kind":10}],"events":[)" +
                                event.toLatin1() + "]}";
        const ScenarioResult r = parseScenario(json, wallClock(2024, 5, 1, 12, 0));
        QVERIFY2(r.ok(), qPrintable(r.error));
        ReceiverEngine engine(r.scenario, ManualTime().source());
        const QDateTime inside = wallClock(2024, 5, 1, 11, 10);
        const RawRecord got = recordAt(engine, koNo, inside);
        if (ch1 != -1)
            QCOMPARE(int(got.ch1), ch1);
        if (ch2 != -1)
            QCOMPARE(int(got.ch2), ch2);
        // Outside the event the readings follow the curve again.
        const RawRecord after = recordAt(engine, koNo, wallClock(2024, 5, 1, 11, 30));
        QVERIFY(isValidRaw(after.ch1));
    }

    void radioFailureHoldsBackBatches()
    {
        ManualTime time;
        Scenario s = testScenario();
        s.remoteMode = true;
        s.events.append({ScenarioEvent::Type::Radio, 1, 0, 0, s.clockStart.addSecs(10 * 60),
                         s.clockStart.addSecs(50 * 60)});
        ReceiverEngine engine(s, time.source());
        const int counter = engine.slot(1).counter;
        time.advanceMinutes(45); // batches of 12:20 and 12:40 never arrive
        engine.catchUp();
        QCOMPARE(engine.slot(1).counter, counter);
        QCOMPARE(engine.newestTime(1), s.clockStart);
        QVERIFY(engine.slot(1).slotStatus() & 4);
        QCOMPARE(engine.contactDigit() & 4, 4);
        QCOMPARE(engine.slot(2).counter, (counter + 2) & 0x7F);
        time.advanceMinutes(15); // 13:00 arrives
        engine.catchUp();
        QCOMPARE(engine.slot(1).counter, (counter + 1) & 0x7F);
        QCOMPARE(engine.newestTime(1), s.clockStart.addSecs(60 * 60));
        QCOMPARE(engine.slot(1).slotStatus() & 4, 0);
        QCOMPARE(recordAt(engine, 1, s.clockStart.addSecs(30 * 60)).ch1, MissingCode);
        QVERIFY(isValidRaw(recordAt(engine, 1, s.clockStart.addSecs(50 * 60)).ch1));
    }

    void leaveRemoteEventEndsRemoteMode()
    {
        ManualTime time;
        Scenario s = testScenario();
        s.remoteMode = true;
        s.events.append({ScenarioEvent::Type::LeaveRemote, 0, 0, 0, s.clockStart.addSecs(300), {}});
        ReceiverEngine engine(s, time.source());
        QCOMPARE(ask(engine, "20", "10", "001234").size(), 112);
        time.advanceMinutes(5);
        QCOMPARE(ask(engine, "20", "10", "001234"), Nak);
        QCOMPARE(ask(engine, "01", "20", "0012341"), Ack); // the PC may enter it again
        time.advanceMinutes(5);
        QCOMPARE(ask(engine, "20", "10", "001234").size(), 112);
    }

    void defaultScenarioHasDaysOfDataAndAnAlarmEpisode()
    {
        const Scenario s = defaultScenario(wallClock(2024, 5, 1, 12, 34, 56));
        ReceiverEngine engine(s, ManualTime().source());
        QCOMPARE(engine.registeredSlots(), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(engine.slot(3).setup.kind, 10);
        bool inAlarm = false, humid = false;
        for (int koNo = 1; koNo <= 4; ++koNo) {
            const SlotState &slot = engine.slot(koNo);
            QVERIFY(slot.ring.size() >= 3 * 24 * 6);
            for (int i = 0; i < slot.ring.size(); ++i) {
                const RawRecord r = slot.ring.at(i);
                inAlarm = inAlarm || (isValidRaw(r.ch1) && r.ch1 > slot.setup.limits.high1);
                humid = humid || (r.ch2 >= 400 && r.ch2 <= 700);
                if (isValidRaw(r.ch1) && r.ch1 < 300)
                    QVERIFY2(r.ch1 >= 190 && r.ch1 <= 290, qPrintable(QString::number(r.ch1)));
            }
        }
        QVERIFY(inAlarm);
        QVERIFY(humid);
    }

    void sameSeedGivesTheSameRecords()
    {
        ReceiverEngine a(testScenario(), ManualTime().source());
        ReceiverEngine b(testScenario(), ManualTime().source());
        Scenario other = testScenario();
        other.seed = 8;
        ReceiverEngine c(other, ManualTime().source());
        const QString block = "010032" + DateField(wallClock(2024, 5, 1, 0, 0), false);
        QCOMPARE(ask(a, "20", "12", block), ask(b, "20", "12", block));
        QVERIFY(ask(a, "20", "12", block) != ask(c, "20", "12", block));
    }
};

ZT_TEST(ScenarioTest)
#include "tst_scenario.moc"
