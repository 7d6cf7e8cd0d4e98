#include "records/messages.h"

#include <algorithm>
#include <iterator>

namespace zt {

namespace {

struct Entry
{
    int number;
    const char16_t *text;
};

// Texts exactly as the user sees them; half-width kana and full stops are intended.
constexpr Entry captions[] = {
    {0, u"ZT5シリーズ解析ソフト"},
    {1, u"設定"},
    {2, u"読出し"},
    {3, u"データ削除"},
    {4, u"グラフ"},
    {5, u"データ削除"},
    {6, u"ポート設定"},
    {7, u"ﾊﾞｰｼﾞｮﾝ情報"},
    {8, u"ファイルの読込"},
    {9, u"ファイルの保存"},
    {10, u"印刷"},
    {11, u"定期データ保存"},
    {12, u"終了"},
    {40, u"受信器登録"},
    {41, u"受信器削除"},
    {42, u"現場確認"},
    {43, u"警報設定"},
    {44, u"受信器・送信器名前変更"},
    {45, u"受信器確認"},
    {46, u"ポート確認"},
    {47, u"データ読出し"},
    {48, u"データ表示切替"},
    {49, u"定期データ保存方式"},
    {50, u"定期データ"},
    {51, u"定期データ一覧"},
};

// Messages 1..8, 18, 54 and 83 are built from a value (see the builders).
constexpr Entry messages[] = {
    {0, u"すべてのデータを削除します"},
    {9, u"ファイルを上書きしますか？"},
    {10, u"空のＣＨがありません。"},
    {11, u"応答がありません。"},
    {12, u"対応していない機種です。"},
    {13, u"読み取りエラーです。"},
    {14, u"読み取りを中止いたします。"},
    {15, u"収録中又は収録予約中です。"},
    {16, u"正しく設定できませんでした。"},
    {17, u"通信が途切れました。"},
    {19, u"確立するポートを選択できませんでした。　以下の内容をご確認してください。\n\nパソコンと受"
         u"信器を接続していますか？\nパソコンでポートを有効設定にしていますか？"},
    {20, u"基準値の設定範囲が正しくありません。"},
    {21, u"上限警報設定範囲が正しくありません。"},
    {22, u"下限警報設定範囲が正しくありません。"},
    {23, u"下限警報は上限警報値より低く設定してください。"},
    {24, u"上限警報は下限警報値より高く設定してください。"},
    {25, u"常駐も終了しますか？"},
    {26, u"拡張子を変更しました。"},
    {27, u"読み出したデータが保存されていませんが終了しますか？"},
    {28, u"先に読み出したデータが保存されていませんが、新たに読出しを行いますか？"},
    {29, u"ﾀﾞｲｱﾛｸﾞﾎﾞｯｸｽが表示されています。ﾀﾞｲｱﾛｸﾞﾎﾞｯｸｽを先に閉じてください。"},
    {30, u"常駐を終了しますと定期データの\n吸い上げが行えなくなりますが終了しますか？"},
    {31, u"最長の収録ﾃﾞｰﾀ数でも指定した保存期間に達しません。\nこの設定は行えません。"},
    {32, u"収録データがありません。"},
    {33, u"データが正しくありません。"},
    {34, u"収録開始設定（初回の現場確認動作）\nされている送信器があります。"},
    {35, u"登録送信器台数が１１台以上の場合は\n収録間隔は５分以上からの設定になります。"},
    {36, u"常駐されています。設定時には常駐動作を終了してください。"},
    {37, u"常駐状態のまま受信器のｼｽﾃﾑが開始されました。常駐を強制終了します。"},
    {38, u"受信器への設定が完了しました。送信器本体の登録動作や収録開始動作を行ってください。"},
    {39, u"時計は２０００年から２０５０年まで対応しています。\nﾊﾟｿｺﾝの日付と時刻の調整を行ってくだ"
         u"さい。"},
    {40, u"一度にグラフ表示できる送信器は4台までです。"},
    {50, u"下限値は上限値より低く設定してください。"},
    {51, u"上限値は下限値より高く設定してください。"},
    {52, u"設定できる温度範囲は－１００～２００℃です。"},
    {53, u"設定できる湿度範囲は０～1００％ｒｈです。"},
    {55, u"下限値時刻の入力形式が正しくありません。\nyyyy-mm-dd hh:nn形式で入力してください。"},
    {56, u"上限値時刻の入力形式が正しくありません。\nyyyy-mm-dd hh:nn形式で入力してください。"},
    {57, u"設定が正しくありません。"},
    {58, u"設定の変更がありません。"},
    {60, u"開始は終了より早く設定してください。"},
    {61, u"終了は開始より遅く設定してください。"},
    {62, u"設定できる範囲を超えています。"},
    {63, u"開始時刻の入力形式が正しくありません。\nyyyy-mm-dd hh:nn形式で入力してください。"},
    {64, u"終了時刻の入力形式が正しくありません。\nyyyy-mm-dd hh:nn形式で入力してください。"},
    {80, u"削除します。よろしいですか？"},
    {81, u"すでに登録されている受信器です"},
    {82, u"すでに１００機登録されています"},
    {84, u"登録されていない受信器です"},
    {85, u"送信器が1台も登録されていません。\n送信器を登録してください"},
    {86, u"受信器が1台も登録されていません。"},
    {87, u"入力されていない名前があります。"},
    {88, u"受信器を確認します。\nパソコンと受信器を通信ケーブルで接続して下さい。"},
    {89, u"パソコンと受信器を通信ケーブルで接続して下さい。"},
    {90, u"時刻データも設定しますか？"},
    {91, u"挿入に必要なＣＨ数が足りません\n表示中の送信器を一度、削除してください。"},
    {92, u"一覧の表示ﾃﾞｰﾀが消えます。よろしいですか？"},
    {99, u"予期しないエラーが発生しました。"},
};

constexpr Entry errors[] = {
    {7, u"メモリが足りません｡"},
    {28, u"スタック領域が不足です｡"},
    {52, u"ファイルの名前または番号が不正です｡"},
    {53, u"ファイル名が正しくありません｡"},
    {61, u"ディスクの空き容量が不足しています｡"},
    {70, u"このディスクは書き込み禁止に設定されています。"},
    {71, u"ディスクの準備ができていません。"},
    {75, u"パス名が無効です｡"},
    {76, u"パスが見つかりません。"},
    {321, u"不正なファイル形式です。"},
    {482, u"プリンタ エラーです｡"},
    {483, u"プリンタ ドライバは指定されたプロパティをサポートしていません。"},
    {484, u"システムからプリンタ情報を受けるときに問題が発生しました。プリンタが正しく設定されてい"
          u"るかを確かめてください。"},
    {8002, u"無効な通信ポートです。"},
    {8005, u"ポートはすでに開いています。"},
    {8010, u"通信ポートが使用できません。他のデバイスによってロックされています。"},
    {31001, u"メモリが不足しています。"},
    {31036, u"ファイルへの書き込み中にエラーが発生しました｡"},
    {31037, u"ファイルの読み込み中にエラーが発生しました｡"},
};

template <std::size_t N> const char16_t *find(const Entry (&table)[N], int number)
{
    const auto it = std::find_if(std::begin(table), std::end(table),
                                 [number](const Entry &e) { return e.number == number; });
    return it == std::end(table) ? nullptr : it->text;
}

QString textOf(const char16_t *text)
{
    return text ? QString::fromUtf16(text) : QString();
}

} // namespace

QString captionText(int number)
{
    return textOf(find(captions, number));
}

QString messageText(int number, const MessageValues &values)
{
    if (number >= 1 && number <= 8)
        return channelDeleteMessage(number);
    switch (number) {
    case 18:
        return portEstablishedMessage(values.portNo);
    case 54:
        return rowRangeMessage(values.rowCount);
    case 83:
        return receiverRegisteredMessage(values.oyaName);
    default:
        return textOf(find(messages, number));
    }
}

QString channelDeleteMessage(int number)
{
    if (number < 1 || number > 8)
        return QString();
    return QStringLiteral("CH:") + QChar(char16_t(u'A' + number - 1)) +
           QStringLiteral(" を削除します");
}

QString portEstablishedMessage(int portNo)
{
    return QStringLiteral("ポート") + QString::number(portNo) +
           QStringLiteral("で通信を確立しました。");
}

QString rowRangeMessage(int rowCount)
{
    return QStringLiteral("設定できるデータ範囲は1～") + QString::number(rowCount) +
           QStringLiteral("です。");
}

QString receiverRegisteredMessage(const QString &oyaName)
{
    return QStringLiteral("受信器名    「") + oyaName + QStringLiteral("」    を登録しました");
}

QString errorText(int errorNumber, const QString &platformDescription)
{
    if (const char16_t *text = find(errors, errorNumber))
        return QString::fromUtf16(text);
    return QStringLiteral("予期しないエラーが発生しました。") + platformDescription;
}

QString errorMessage(int errorNumber, const QString &platformDescription)
{
    return errorText(errorNumber, platformDescription) + QStringLiteral("\nエラー") +
           QString::number(errorNumber);
}

} // namespace zt
