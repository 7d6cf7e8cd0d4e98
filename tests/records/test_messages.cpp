#include "records/messages.h"
#include "testregistry.h"

#include <QTest>

using namespace zt;

class MessagesTest : public QObject
{
    Q_OBJECT

private slots:
    void captionsComeFromTheTable_data();
    void captionsComeFromTheTable();
    void fixedMessagesKeepTheirExactText_data();
    void fixedMessagesKeepTheirExactText();
    void channelDeleteMessagesNameTheLetter_data();
    void channelDeleteMessagesNameTheLetter();
    void valueMessagesPutTheValueInPlace_data();
    void valueMessagesPutTheValueInPlace();
    void errorTextsKeepTheirOwnFullStop_data();
    void errorTextsKeepTheirOwnFullStop();
    void unknownErrorAppendsThePlatformDescription_data();
    void unknownErrorAppendsThePlatformDescription();
    void errorMessageAddsTheNumberOnItsOwnLine();
};

void MessagesTest::captionsComeFromTheTable_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("main window") << 0 << QStringLiteral("ZT5シリーズ解析ソフト");
    QTest::newRow("half-width kana") << 7 << QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報");
    QTest::newRow("3 and 5 share a text") << 5 << QStringLiteral("データ削除");
    QTest::newRow("middle dot") << 44 << QStringLiteral("受信器・送信器名前変更");
    QTest::newRow("last") << 51 << QStringLiteral("定期データ一覧");
    QTest::newRow("gap after 12") << 13 << QString();
    QTest::newRow("gap before 40") << 39 << QString();
    QTest::newRow("past the end") << 52 << QString();
    QTest::newRow("negative") << -1 << QString();
}

void MessagesTest::captionsComeFromTheTable()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(captionText(number), text);
    QCOMPARE(captionText(number).isNull(), text.isNull());
}

void MessagesTest::fixedMessagesKeepTheirExactText_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << QStringLiteral("すべてのデータを削除します");
    QTest::newRow("19 full-width space and blank line")
        << 19
        << QStringLiteral(
               "確立するポートを選択できませんでした。\u3000以下の内容をご確認してください。\n\n"
               "パソコンと受信器を接続していますか？\n"
               "パソコンでポートを有効設定にしていますか？");
    QTest::newRow("29 half-width kana") << 29
                                        << QStringLiteral("ﾀﾞｲｱﾛｸﾞﾎﾞｯｸｽが表示されています。"
                                                          "ﾀﾞｲｱﾛｸﾞﾎﾞｯｸｽを先に閉じてください。");
    QTest::newRow("35 full-width digits")
        << 35
        << QStringLiteral("登録送信器台数が\uFF11\uFF11台以上の場合は\n"
                          "収録間隔は\uFF15分以上からの設定になります。");
    QTest::newRow("40 half-width digit")
        << 40 << QStringLiteral("一度にグラフ表示できる送信器は4台までです。");
    QTest::newRow("52 full-width minus and tilde")
        << 52
        << QStringLiteral(
               "設定できる温度範囲は\uFF0D\uFF11\uFF10\uFF10\uFF5E\uFF12\uFF10\uFF10℃です。");
    QTest::newRow("53 mixed-width digits")
        << 53
        << QStringLiteral("設定できる湿度範囲は\uFF10\uFF5E1\uFF10\uFF10\uFF05\uFF52\uFF48です。");
    QTest::newRow("55 format hint") << 55
                                    << QStringLiteral("下限値時刻の入力形式が正しくありません。\nyy"
                                                      "yy-mm-dd hh:nn形式で入力してください。");
    QTest::newRow("99") << 99 << QStringLiteral("予期しないエラーが発生しました。");
    QTest::newRow("gap 41") << 41 << QString();
    QTest::newRow("gap 59") << 59 << QString();
    QTest::newRow("gap 93") << 93 << QString();
    QTest::newRow("past the end") << 100 << QString();
    QTest::newRow("negative") << -5 << QString();
}

void MessagesTest::fixedMessagesKeepTheirExactText()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(messageText(number), text);
    QVERIFY(!messageText(number).contains(QLatin1Char('\r')));
}

void MessagesTest::channelDeleteMessagesNameTheLetter_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << QStringLiteral("CH:A を削除します");
    QTest::newRow("5") << 5 << QStringLiteral("CH:E を削除します");
    QTest::newRow("8") << 8 << QStringLiteral("CH:H を削除します");
}

void MessagesTest::channelDeleteMessagesNameTheLetter()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(channelDeleteMessage(number), text);
    QCOMPARE(messageText(number), text);
}

void MessagesTest::valueMessagesPutTheValueInPlace_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("portNo");
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<QString>("oyaName");
    QTest::addColumn<QString>("text");
    QTest::newRow("18 port 3") << 18 << 3 << 0 << QString()
                               << QStringLiteral("ポート3で通信を確立しました。");
    QTest::newRow("18 port 16") << 18 << 16 << 0 << QString()
                                << QStringLiteral("ポート16で通信を確立しました。");
    QTest::newRow("54 rows") << 54 << 0 << 32000 << QString()
                             << QStringLiteral("設定できるデータ範囲は1\uFF5E32000です。");
    QTest::newRow("83 four spaces each side")
        << 83 << 0 << 0 << QStringLiteral("ABC")
        << QStringLiteral("受信器名    「ABC」    を登録しました");
    QTest::newRow("83 Japanese name")
        << 83 << 0 << 0 << QStringLiteral("第一倉庫")
        << QStringLiteral("受信器名    「第一倉庫」    を登録しました");
}

void MessagesTest::valueMessagesPutTheValueInPlace()
{
    QFETCH(int, number);
    QFETCH(int, portNo);
    QFETCH(int, rowCount);
    QFETCH(QString, oyaName);
    QFETCH(QString, text);
    QCOMPARE(messageText(number, MessageValues{portNo, rowCount, oyaName}), text);
    switch (number) {
    case 18:
        QCOMPARE(portEstablishedMessage(portNo), text);
        break;
    case 54:
        QCOMPARE(rowRangeMessage(rowCount), text);
        break;
    default:
        QCOMPARE(receiverRegisteredMessage(oyaName), text);
    }
}

void MessagesTest::errorTextsKeepTheirOwnFullStop_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("7 half-width stop") << 7 << QStringLiteral("メモリが足りません\uFF61");
    QTest::newRow("53 half-width stop")
        << 53 << QStringLiteral("ファイル名が正しくありません\uFF61");
    QTest::newRow("70 full-width stop")
        << 70 << QStringLiteral("このディスクは書き込み禁止に設定されています\u3002");
    QTest::newRow("75 half-width stop") << 75 << QStringLiteral("パス名が無効です\uFF61");
    QTest::newRow("76 full-width stop") << 76 << QStringLiteral("パスが見つかりません\u3002");
    QTest::newRow("482 space inside") << 482 << QStringLiteral("プリンタ エラーです\uFF61");
    QTest::newRow("8010")
        << 8010
        << QStringLiteral("通信ポートが使用できません。他のデバイスによってロックされています。");
    QTest::newRow("31036") << 31036
                           << QStringLiteral("ファイルへの書き込み中にエラーが発生しました\uFF61");
    QTest::newRow("31037") << 31037
                           << QStringLiteral("ファイルの読み込み中にエラーが発生しました\uFF61");
}

void MessagesTest::errorTextsKeepTheirOwnFullStop()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    // A known number ignores the platform's description.
    QCOMPARE(errorText(number, QStringLiteral("ignored")), text);
}

void MessagesTest::unknownErrorAppendsThePlatformDescription_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");
    QTest::newRow("zero") << 0 << QStringLiteral("No error");
    QTest::newRow("not listed") << 57 << QStringLiteral("Device I/O error");
    QTest::newRow("empty description") << 31035 << QString();
}

void MessagesTest::unknownErrorAppendsThePlatformDescription()
{
    QFETCH(int, number);
    QFETCH(QString, description);
    QCOMPARE(errorText(number, description),
             QStringLiteral("予期しないエラーが発生しました。") + description);
}

void MessagesTest::errorMessageAddsTheNumberOnItsOwnLine()
{
    QCOMPARE(errorMessage(76, QString()), QStringLiteral("パスが見つかりません。\nエラー76"));
    QCOMPARE(errorMessage(0, QStringLiteral("Unknown")),
             QStringLiteral("予期しないエラーが発生しました。Unknown\nエラー0"));
}

ZT_TEST(MessagesTest)
#include "test_messages.moc"
