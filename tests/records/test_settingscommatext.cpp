#include "records/commatext.h"
#include "records/cp932.h"
#include "testregistry.h"

#include <QTest>

using namespace zt;

class SettingsCommaTextTest : public QObject
{
    Q_OBJECT

private slots:
    void writerQuotesTextsAndEndsStatementsWithCrLf();
    void writerStoresWhatCannotBeReadBackAsLookAlikes_data();
    void writerStoresWhatCannotBeReadBackAsLookAlikes();
    void writerMarksTextsWithoutCodePage932Form();
    void anyLineSplitReadsTheSameValues_data();
    void anyLineSplitReadsTheSameValues();
    void integersOutsideTheirPlaceAreRefused_data();
    void integersOutsideTheirPlaceAreRefused();
    void readingPastTheEndIsError62();
    void timesReadFromBothForms_data();
    void timesReadFromBothForms();
};

void SettingsCommaTextTest::writerQuotesTextsAndEndsStatementsWithCrLf()
{
    CommaWriter out;
    out.number(1).number(-32768).text(QStringLiteral("a,b")).time(QTime(7, 5)).endLine();
    out.text(QStringLiteral("受信器")).endLine();
    const QByteArray expected =
        "1,-32768,\"a,b\",#07:05:00#\r\n\"" + *toCp932(QStringLiteral("受信器")) + "\"\r\n";
    QCOMPARE(out.data(), expected);
}

void SettingsCommaTextTest::writerStoresWhatCannotBeReadBackAsLookAlikes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stored");
    QTest::newRow("double quote") << QStringLiteral("6\"F") << QStringLiteral("6＂F");
    QTest::newRow("line break") << QStringLiteral("a\r\nb") << QStringLiteral("a  b");
    QTest::newRow("tab") << QStringLiteral("a\tb") << QStringLiteral("a b");
    QTest::newRow("full-width kept") << QStringLiteral("冷蔵庫Ａ") << QStringLiteral("冷蔵庫Ａ");
}

void SettingsCommaTextTest::writerStoresWhatCannotBeReadBackAsLookAlikes()
{
    QFETCH(QString, name);
    QFETCH(QString, stored);
    CommaWriter out;
    out.text(name).endLine();
    out.number(7).endLine();
    QVERIFY(out.encodable());
    CommaReader in(out.data());
    QString back;
    qint16 after = 0;
    QCOMPARE(in.readText(back), 0);
    QCOMPARE(back, stored);
    QCOMPARE(in.readInt(after), 0);
    QCOMPARE(after, qint16(7));
}

void SettingsCommaTextTest::writerMarksTextsWithoutCodePage932Form()
{
    CommaWriter out;
    out.text(QStringLiteral("ok"));
    QVERIFY(out.encodable());
    out.text(QStringLiteral("冷凍😀"));
    QVERIFY(!out.encodable());
}

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

void SettingsCommaTextTest::readingPastTheEndIsError62()
{
    CommaReader in("5\r\n  \r\n");
    QString text = QStringLiteral("kept");
    int number = 0;
    QTime time(1, 0);
    QCOMPARE(in.readInt(number), 0);
    QCOMPARE(in.readText(text), InputPastEndError);
    QCOMPARE(in.readInt(number), InputPastEndError);
    QCOMPARE(in.readTime(time), InputPastEndError);
    QCOMPARE(text, QStringLiteral("kept"));
    QCOMPARE(number, 5);
    QCOMPARE(time, QTime(1, 0));
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
