#include "windows/watchstatuskinds.h"

#include "engine/cyclestate.h"
#include "ui/dialogservice.h"

namespace zt {

namespace {
const QStringList okCancel = {QStringLiteral("OK"), QStringLiteral("Cancel")};
const QStringList yesNo = {QStringLiteral("Yes"), QStringLiteral("No")};
const QString failureText = QStringLiteral("通信が失敗しています");
const QString failureQuestion =
    QStringLiteral("確認して続ける場合は Yes を、監視を終了する場合は No を押してください");

int styleOf(int kind)
{
    switch (kind) {
    case 2:
    case 3:
        return 1 + 48;
    case 7:
    case 30:
    case 40:
        return 4 + 32;
    default:
        return 64;
    }
}

QStringList buttonsOf(int kind)
{
    switch (kind) {
    case 2:
    case 3:
        return okCancel;
    case 7:
    case 30:
    case 40:
        return yesNo;
    case 100:
        return {QStringLiteral("戻る")};
    default:
        return {QStringLiteral("OK")};
    }
}
} // namespace

StatusKind watchStatusKind(int kind, bool contactOn)
{
    switch (kind) {
    case 1:
        return {
            QStringLiteral("監視の開始"),
            {QStringLiteral("監視開始の準備をしています"), QStringLiteral("少々お待ちください")}};
    case 2: {
        StatusKind k{QStringLiteral("監視の終了"),
                     {QStringLiteral("監視を終了します"), QStringLiteral("よろしいですか？")}};
        if (contactOn)
            k.lines << QStringLiteral("監視を終了すると警報接点もクリアされます");
        return k;
    }
    case 4:
        return {QStringLiteral("通信中"), {QStringLiteral("受信器との通信中です")}};
    case 5:
        return {QStringLiteral("データ読出"),
                {QStringLiteral("読み出せるデータがありませんでした")}};
    case 6:
        return {
            QStringLiteral("受信器設定"),
            {QStringLiteral(
                 "設定を変更すると現在受信器が持っているデータが全て消去され、監視が終了します"),
             QStringLiteral("必要な場合はデータの保存等を行ってください")}};
    case 7:
        return {QStringLiteral("監視続行不可能"),
                {QStringLiteral("受信器の状態が変化したため、監視を続行できません"),
                 QStringLiteral("データを保存しますか？")}};
    case 30:
        return {QStringLiteral("通信失敗"), {failureText, failureQuestion}};
    case 40:
        return {QStringLiteral("データの保存"),
                {QStringLiteral("監視時に取り込んだデータが存在しています"),
                 QStringLiteral("保存する場合は Yes を、保存しない場合は No を押してください")}};
    case 100:
        return {QStringLiteral("未完成です"),
                {QStringLiteral("誠意作成中ですので少々お待ちください")}};
    default:
        return {};
    }
}

QStringList startFailureLines(int result)
{
    switch (StartResult(result)) {
    case StartResult::NoTransmitters:
        return {QStringLiteral("登録されている送信器がありません"),
                QStringLiteral("1台以上登録を行ってください")};
    case StartResult::PortFailed:
        return {QStringLiteral("ポートが開けませんでした"),
                QStringLiteral("設定を確認してください")};
    default:
        return {QStringLiteral("監視が開始できませんでした"),
                QStringLiteral("接続を確認してください")};
    }
}

int askWatchKind(DialogService &dialogs, QWidget *parent, int kind, bool contactOn)
{
    const StatusKind k = watchStatusKind(kind, contactOn);
    return dialogs.message(
        parent, {k.caption, k.lines.join(QLatin1Char('\n')), styleOf(kind), buttonsOf(kind)});
}

int askPollFailures(DialogService &dialogs, QWidget *parent)
{
    return dialogs.message(parent,
                           {QStringLiteral("通信失敗"),
                            failureText + QLatin1Char('\n') + failureQuestion, 4 + 48, yesNo});
}

} // namespace zt
