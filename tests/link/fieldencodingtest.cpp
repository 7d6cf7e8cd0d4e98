#include "testregistry.h"

#include "link/fields.h"
#include "link/sampledecoding.h"
#include "records/datetime.h"
#include "records/limits.h"

#include <QTest>

using namespace zt;

class FieldEncodingTest : public QObject
{
    Q_OBJECT
private slots:
    void hexFieldWritesWidthAndTwosComplement_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::newRow("-1 ignores width") << -1 << 2 << "FFFF";
        QTest::newRow("padded") << 10 << 4 << "000A";
        QTest::newRow("never cut") << 0x1234 << 2 << "1234";
        QTest::newRow("month 12") << 12 << 1 << "C";
        QTest::newRow("most negative") << -32768 << 4 << "8000";
    }
    void hexFieldWritesWidthAndTwosComplement()
    {
        QFETCH(int, value);
        QFETCH(int, width);
        QFETCH(QString, text);
        QCOMPARE(HexField(value, width), text);
    }

    void hexTextReadsAsSignedSixteenBits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("FFFF") << "FFFF" << -1;
        QTest::newRow("C000") << "C000" << -16384;
        QTest::newRow("stops at non-hex") << "1G00" << 1;
        QTest::newRow("no digit") << "," << 0;
        QTest::newRow("five digits are 32-bit") << "1FFFF" << 0x1FFFF;
    }
    void hexTextReadsAsSignedSixteenBits()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(readHex(text), value);
    }

    void dateFieldRoundTrips_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<bool>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("example") << wallClock(2006, 10, 25, 14, 30) << false << "06A190E1E";
        QTest::newRow("december") << wallClock(2031, 12, 31, 23, 59) << false << "1FC1F173B";
        QTest::newRow("seconds") << wallClock(2024, 2, 29, 0, 0, 59) << true << "1821D00003B";
    }
    void dateFieldRoundTrips()
    {
        QFETCH(QDateTime, time);
        QFETCH(bool, seconds);
        QFETCH(QString, text);
        QCOMPARE(DateField(time, seconds), text);
        QCOMPARE(readDateField(text, seconds), time);
    }

    void rawSampleCodesAreStored_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<int>("ch1");
        QTest::addColumn<int>("ch2");
        QTest::newRow("C000 missing") << "C000C000" << int(DashValue) << int(DashValue);
        QTest::newRow("E000 and F000") << "E000F000" << int(StarValue) << int(StarValue);
        QTest::newRow("FC18 FC19 below range") << "FC18FC19" << int(DashValue) << int(DashValue);
        QTest::newRow("FC1A lowest valid") << "FC1AFC1A" << -998 << -100;  // -99.8 -> -100
        QTest::newRow("270E highest valid") << "270E270E" << 9998 << 1000; // 999.8 -> 1000
        QTest::newRow("270F above range") << "270F270F" << int(DashValue) << int(DashValue);
        QTest::newRow("CH2 half to even down") << "00FA02BF" << 250 << 70; // 70.3 -> 70
        QTest::newRow("CH2 half to even 65") << "00000285" << 0 << 64;     // 64.5 -> 64
        QTest::newRow("CH2 half to even 75") << "000002F3" << 0 << 76;     // 75.5 -> 76
        QTest::newRow("CH2 negative half") << "0000FFF1" << 0 << -2;       // -1.5 -> -2
    }
    void rawSampleCodesAreStored()
    {
        QFETCH(QString, record);
        QFETCH(int, ch1);
        QFETCH(int, ch2);
        const DecodedSample s = decodeRecord(record, {}, 12);
        QCOMPARE(int(s.ch1), ch1);
        QCOMPARE(int(s.ch2), ch2);
    }

    void alarmMarksUseTenthsBeforeDivision_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<int>("mark1");
        QTest::addColumn<int>("mark2");
        // Limits: CH1 -5.0..30.0 C, CH2 20.0..80.0 %rh.
        QTest::newRow("inside") << RecordField(300, 800) << 0 << 0;
        QTest::newRow("one tenth above") << RecordField(301, 801) << 1 << 1;
        QTest::newRow("below low") << RecordField(-51, 199) << 1 << 1;
        QTest::newRow("specials never marked") << "C000E000" << 0 << 0;
    }
    void alarmMarksUseTenthsBeforeDivision()
    {
        QFETCH(QString, record);
        QFETCH(int, mark1);
        QFETCH(int, mark2);
        const AlarmLimits limits{300, -50, 800, 200};
        const DecodedSample s = decodeRecord(record, limits, 12);
        QCOMPARE(int(s.mark1), mark1);
        QCOMPARE(int(s.mark2), mark2);
    }

    void secondTemperatureChannelStaysInTenths()
    {
        const DecodedSample s = decodeRecord(RecordField(215, 187), {}, 11);
        QCOMPARE(int(s.ch2), 187);
        QCOMPARE(int(decodeRecord(RecordField(215, 187), {}, 0).ch2), 19);
    }
};

ZT_TEST(FieldEncodingTest)
#include "fieldencodingtest.moc"
