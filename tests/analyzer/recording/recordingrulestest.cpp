#include "recording/recordingsettings.h"
#include "records/datetime.h"
#include "support/testregistry.h"

#include <QTest>

using namespace zt;

// The interval rule, the checks before sending and the "02" text.
class RecordingRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void commIntervalCoversThreeMinutesPerTransmitter_data()
    {
        QTest::addColumn<int>("koCount");
        QTest::addColumn<int>("measure");
        QTest::addColumn<int>("comm");
        QTest::newRow("1 at 00:01 gives 00:03") << 1 << 1 << 3;
        QTest::newRow("17 at 00:10 gives 01:00") << 17 << 10 << 60;
        QTest::newRow("30 at 00:05 gives 01:30") << 30 << 5 << 90;
        QTest::newRow("30 at 02:00 keeps 02:00") << 30 << 120 << 120;
        QTest::newRow("2 at 00:05 rounds 6 up to 00:10") << 2 << 5 << 10;
        QTest::newRow("10 at 00:30 exactly 00:30") << 10 << 30 << 30;
        QTest::newRow("11 at 00:20 rounds 33 up to 01:00") << 11 << 20 << 60;
        QTest::newRow("4 at 24:00 keeps 24:00") << 4 << 1440 << 1440;
    }
    void commIntervalCoversThreeMinutesPerTransmitter()
    {
        QFETCH(int, koCount);
        QFETCH(int, measure);
        QFETCH(int, comm);
        QCOMPARE(commIntervalFor(koCount, measure), comm);
    }

    void settingsAreRefusedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<int>("koCount");
        QTest::addColumn<int>("measure");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("refusal");
        const int none = int(RecordingRefusal::None);
        const int fast = int(RecordingRefusal::OneMinuteWithManyTransmitters);
        const int clock = int(RecordingRefusal::ClockOutOfRange);
        QTest::newRow("11 at 00:01") << 11 << 1 << 2024 << fast;
        QTest::newRow("10 at 00:01") << 10 << 1 << 2024 << none;
        QTest::newRow("11 at 00:05") << 11 << 5 << 2024 << none;
        QTest::newRow("1999") << 1 << 10 << 1999 << clock;
        QTest::newRow("2000") << 1 << 10 << 2000 << none;
        QTest::newRow("2050") << 1 << 10 << 2050 << none;
        QTest::newRow("2051") << 1 << 10 << 2051 << clock;
        QTest::newRow("interval first, clock second") << 30 << 1 << 1999 << fast;
    }
    void settingsAreRefusedBeforeAnythingIsSent()
    {
        QFETCH(int, koCount);
        QFETCH(int, measure);
        QFETCH(int, year);
        QFETCH(int, refusal);
        QCOMPARE(int(checkRecordingSettings(koCount, measure, year)), refusal);
    }

    void clockAndIntervalsTextHasItsThirtyCharacters_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("measure");
        QTest::addColumn<int>("comm");
        QTest::addColumn<QTime>("start");
        QTest::addColumn<QString>("text");
        // clock YYMDDhhmmss | measure hhmm | comm hhmm | today YYMDD | start hhmm | 00
        QTest::newRow("ordinary") << wallClock(2024, 5, 1, 12, 34, 56) << 10 << 30 << QTime(8, 15)
                                  << "185010C2238"
                                     "000A"
                                     "001E"
                                     "18501"
                                     "080F"
                                     "00";
        QTest::newRow("a whole day is hours 24")
            << wallClock(2024, 5, 1, 12, 0) << 1440 << 1440 << QTime(0, 0)
            << "185010C0000"
               "1800"
               "1800"
               "18501"
               "0000"
               "00";
        QTest::newRow("last second of 2050")
            << wallClock(2050, 12, 31, 23, 59, 59) << 1 << 3 << QTime(23, 59)
            << "32C1F173B3B"
               "0001"
               "0003"
               "32C1F"
               "173B"
               "00";
        QTest::newRow("first second of 2000")
            << wallClock(2000, 1, 1, 0, 0) << 90 << 90 << QTime(0, 1)
            << "00101000000"
               "011E"
               "011E"
               "00101"
               "0001"
               "00";
        QTest::newRow("milliseconds are dropped")
            << wallClock(2024, 10, 9, 7, 5, 4).addMSecs(999) << 5 << 60 << QTime(12, 30)
            << "18A09070504"
               "0005"
               "0100"
               "18A09"
               "0C1E"
               "00";
        QTest::newRow("1999 cannot be encoded")
            << wallClock(1999, 12, 31, 23, 0) << 10 << 30 << QTime(0, 0) << QString();
        QTest::newRow("2256 cannot be encoded")
            << wallClock(2256, 1, 1, 0, 0) << 10 << 30 << QTime(0, 0) << QString();
        QTest::newRow("no measurement interval")
            << wallClock(2024, 5, 1, 12, 0) << 0 << 30 << QTime(0, 0) << QString();
        QTest::newRow("communication beyond a day")
            << wallClock(2024, 5, 1, 12, 0) << 10 << 1441 << QTime(0, 0) << QString();
        QTest::newRow("no start time")
            << wallClock(2024, 5, 1, 12, 0) << 10 << 30 << QTime() << QString();
    }
    void clockAndIntervalsTextHasItsThirtyCharacters()
    {
        QFETCH(QDateTime, now);
        QFETCH(int, measure);
        QFETCH(int, comm);
        QFETCH(QTime, start);
        QFETCH(QString, text);
        const RecordingChoice choice{1, measure, comm, start};
        QCOMPARE(clockAndIntervalsText(now, choice), text);
    }

    void countIsSentOnlyWithoutRegisteredTransmitters_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("registered");
        QTest::addColumn<int>("sent");
        QTest::newRow("none registered") << 17 << 0 << 17;
        QTest::newRow("one registered") << 17 << 1 << 0;
        QTest::newRow("thirty registered") << 30 << 30 << 0;
    }
    void countIsSentOnlyWithoutRegisteredTransmitters()
    {
        QFETCH(int, chosen);
        QFETCH(int, registered);
        QFETCH(int, sent);
        QCOMPARE(koCountToSend(chosen, registered), sent);
    }

    void intervalTextsReadBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("minutes");
        QTest::newRow("00:01") << "00:01" << 1;
        QTest::newRow("01:30") << "01:30" << 90;
        QTest::newRow("24:00") << "24:00" << 1440;
        QTest::newRow("24:01 is too long") << "24:01" << -1;
        QTest::newRow("minutes past 59") << "00:60" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("one digit") << "1:30" << -1;
    }
    void intervalTextsReadBack()
    {
        QFETCH(QString, text);
        QFETCH(int, minutes);
        QCOMPARE(minutesOf(text), minutes);
        if (minutes >= 0)
            QCOMPARE(minutesText(minutes), text);
    }
};

ZT_TEST(RecordingRulesTest)
#include "recordingrulestest.moc"
