#include "records/commatext.h"
#include "testregistry.h"

#include <QTest>

using namespace zt;

class SettingsCommaTextTest : public QObject
{
    Q_OBJECT

private slots:
    void anyLineSplitReadsTheSameValues_data();
    void anyLineSplitReadsTheSameValues();
    void integersOutsideTheirPlaceAreRefused_data();
    void integersOutsideTheirPlaceAreRefused();
    void timesReadFromBothForms_data();
    void timesReadFromBothForms();
};

void SettingsCommaTextTest::anyLineSplitReadsTheSameValues_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("one line") << QByteArray("12,\"x,y\",-3\r\n");
    QTest::newRow("one per line") << QByteArray("12\r\n\"x,y\"\r\n-3\r\n");
    QTest::newRow("leading spaces") << QByteArray("  12 ,   \"x,y\" ,\t-3");
    QTest::newRow("bare LF and blank lines") << QByteArray("12\n\n\"x,y\"\n\r\n-3\n");
    QTest::newRow("bare CR") << QByteArray("12\r\"x,y\"\r-3\r");
}

void SettingsCommaTextTest::anyLineSplitReadsTheSameValues()
{
    QFETCH(QByteArray, data);
    CommaReader in(data);
    int first = 0;
    QString second;
    qint16 third = 0;
    QCOMPARE(in.readInt(first), 0);
    QCOMPARE(in.readText(second), 0);
    QCOMPARE(in.readInt(third), 0);
    QCOMPARE(first, 12);
    QCOMPARE(second, QStringLiteral("x,y"));
    QCOMPARE(third, qint16(-3));
    QVERIFY(in.atEnd());
}

void SettingsCommaTextTest::integersOutsideTheirPlaceAreRefused_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("error");
    QTest::addColumn<qint16>("value");
    QTest::newRow("lowest") << QByteArray("-32768") << 0 << qint16(-32768);
    QTest::newRow("highest") << QByteArray("+32767") << 0 << qint16(32767);
    QTest::newRow("too big") << QByteArray("32768") << BadFileFormatError << qint16(99);
    QTest::newRow("huge") << QByteArray("99999999999999999999999") << BadFileFormatError
                          << qint16(99);
    QTest::newRow("fraction") << QByteArray("1.5") << BadFileFormatError << qint16(99);
    QTest::newRow("word") << QByteArray("abc") << BadFileFormatError << qint16(99);
    QTest::newRow("empty value") << QByteArray(",5") << BadFileFormatError << qint16(99);
    QTest::newRow("sign only") << QByteArray("-") << BadFileFormatError << qint16(99);
}

void SettingsCommaTextTest::integersOutsideTheirPlaceAreRefused()
{
    QFETCH(QByteArray, data);
    QFETCH(int, error);
    QFETCH(qint16, value);
    CommaReader in(data);
    qint16 out = 99;
    QCOMPARE(in.readInt(out), error);
    QCOMPARE(out, value);
}

void SettingsCommaTextTest::timesReadFromBothForms_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QTime>("time");
    QTest::newRow("written form") << QByteArray("#13:00:00#") << QTime(13, 0);
    QTest::newRow("plain hh:mm") << QByteArray("08:00") << QTime(8, 0);
    QTest::newRow("one-digit hour") << QByteArray("8:30") << QTime(8, 30);
    QTest::newRow("plain with seconds") << QByteArray("23:59:59") << QTime(23, 59, 59);
    QTest::newRow("hour 24") << QByteArray("#24:00:00#") << QTime();
    QTest::newRow("minute 60") << QByteArray("10:60") << QTime();
    QTest::newRow("no colon") << QByteArray("1000") << QTime();
    QTest::newRow("words") << QByteArray("#ab:cd#") << QTime();
}

void SettingsCommaTextTest::timesReadFromBothForms()
{
    QFETCH(QByteArray, data);
    QFETCH(QTime, time);
    CommaReader in(data + ",1");
    QTime out(5, 5);
    QCOMPARE(in.readTime(out), time.isValid() ? 0 : BadFileFormatError);
    QCOMPARE(out, time.isValid() ? time : QTime(5, 5));
}

ZT_TEST(SettingsCommaTextTest)
#include "test_settingscommatext.moc"
