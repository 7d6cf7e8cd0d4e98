#include "records/cp932.h"
#include "testregistry.h"

#include <QTest>

using namespace zt;

class Cp932Test : public QObject
{
    Q_OBJECT

private slots:
    void textRoundTripsThroughItsBytes_data();
    void textRoundTripsThroughItsBytes();
    void charactersWithoutAFormAreRefused_data();
    void charactersWithoutAFormAreRefused();
    void lossyEncodingMarksEachRefusedCharacter();
    void brokenBytesDecodeWithoutLosingTheRest();
    void nameSplitsWithoutCuttingADoubleByteCharacter_data();
    void nameSplitsWithoutCuttingADoubleByteCharacter();
};

void Cp932Test::textRoundTripsThroughItsBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("Room 1,A") << QByteArray("Room 1,A");
    QTest::newRow("half-width degree") << QStringLiteral("\uFF9F") << QByteArray("\xDF");
    QTest::newRow("half-width katakana")
        << QStringLiteral("\uFF74\uFF97\uFF70") << QByteArray("\xB4\xD7\xB0");
    QTest::newRow("full-width tilde") << QStringLiteral("\uFF5E") << QByteArray("\x81\x60");
    QTest::newRow("full-width minus") << QStringLiteral("\uFF0D") << QByteArray("\x81\x7C");
    QTest::newRow("circled one") << QStringLiteral("\u2460") << QByteArray("\x87\x40");
    QTest::newRow("kanji") << QStringLiteral("温度") << QByteArray("\x89\xB7\x93\x78");
    QTest::newRow("degree Celsius sign") << QStringLiteral("℃") << QByteArray("\x81\x8E");
    QTest::newRow("empty") << QString() << QByteArray();
}

void Cp932Test::textRoundTripsThroughItsBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const auto encoded = toCp932(text);
    QVERIFY(encoded.has_value());
    QCOMPARE(*encoded, bytes);
    QCOMPARE(toCp932Lossy(text), bytes);
    QCOMPARE(fromCp932(bytes), text);
    QCOMPARE(cp932Length(text), int(bytes.size()));
    QVERIFY(isCp932Encodable(text));
}

void Cp932Test::charactersWithoutAFormAreRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("emoji") << QStringLiteral("温度\U0001F600");
    QTest::newRow("supplementary kanji") << QStringLiteral("\U00020BB7野家");
    QTest::newRow("hangul") << QStringLiteral("A\uD55C");
    QTest::newRow("euro sign") << QStringLiteral("\u20AC100");
}

void Cp932Test::charactersWithoutAFormAreRefused()
{
    QFETCH(QString, text);
    QVERIFY(!toCp932(text).has_value());
    QVERIFY(!isCp932Encodable(text));
    QCOMPARE(cp932Length(text), -1);
}

void Cp932Test::lossyEncodingMarksEachRefusedCharacter()
{
    QCOMPARE(toCp932Lossy(QStringLiteral("a\U0001F600b\U00020BB7c")), QByteArray("a?b?c"));
    QCOMPARE(toCp932Lossy(QStringLiteral("温\uD55C")), QByteArray("\x89\xB7?"));
}

void Cp932Test::brokenBytesDecodeWithoutLosingTheRest()
{
    // A lead byte cut off at the end of a file must not swallow what came before it.
    QCOMPARE(fromCp932(QByteArray("AB\x89")), QStringLiteral("AB?"));
    QCOMPARE(fromCp932(QByteArray("\x89\xB7\xA0Z")).right(1), QStringLiteral("Z"));
}

void Cp932Test::nameSplitsWithoutCuttingADoubleByteCharacter_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("ascii") << QStringLiteral("Freezer2") << QStringLiteral("Freeze")
                           << QStringLiteral("r2");
    QTest::newRow("all double-byte")
        << QStringLiteral("温度センサ") << QStringLiteral("温度セ") << QStringLiteral("ンサ");
    QTest::newRow("double-byte would straddle byte 6")
        << QStringLiteral("AB温度センサ") << QStringLiteral("AB温度") << QStringLiteral("センサ");
    QTest::newRow("odd start") << QStringLiteral("A温度センサ") << QStringLiteral("A温度")
                               << QStringLiteral("センサ");
    QTest::newRow("half-width katakana are one byte")
        << QStringLiteral("\uFF7B\uFF9D\uFF8C\uFF9F\uFF99\uFF74\uFF97") // ｻﾝﾌﾟﾙｴﾗ
        << QStringLiteral("\uFF7B\uFF9D\uFF8C\uFF9F\uFF99\uFF74") << QStringLiteral("\uFF97");
    QTest::newRow("short name stays whole")
        << QStringLiteral("12") << QStringLiteral("12") << QString();
    QTest::newRow("exactly six bytes")
        << QStringLiteral("倉庫A1") << QStringLiteral("倉庫A1") << QString();
}

void Cp932Test::nameSplitsWithoutCuttingADoubleByteCharacter()
{
    QFETCH(QString, name);
    QFETCH(QString, first);
    QFETCH(QString, second);
    const auto [a, b] = splitNameAtBytes(name, 6);
    QCOMPARE(a, first);
    QCOMPARE(b, second);
}

ZT_TEST(Cp932Test)
#include "test_cp932.moc"
