#include "ui/statuskinds.h"

#include "ui/dialogservice.h"

namespace zt {

namespace {
const QString designCaption = QStringLiteral("通信確認中");
}

StatusKind analyzerStatusKind(int kind)
{
    const QString busy = QStringLiteral("受信器との通信中です");
    switch (kind) {
    case 1:
        return {QStringLiteral("常駐の開始"), {}};
    case 2:
        return {QStringLiteral("常駐の終了"), {QStringLiteral("よろしいですか？")}};
    case 3:
        return {QStringLiteral("警報監視の解除"),
                {QStringLiteral("警報を解除すると、解除した送信器は警報を監視できなくなります")}};
    case 4:
    case 7:
    case 8:
        return {QStringLiteral("通信中"), {busy}};
    case 5:
        return {QStringLiteral("データ読出"), {QStringLiteral("データ読出しが行えませんでした")}};
    case 6:
        return {QStringLiteral("受信器設定"),
                {QStringLiteral("設定を変更すると現在受信器が持っているデータが全て消去されます"),
                 QStringLiteral("必要な場合はデータの保存等を行ってください")}};
    case 9:
        return {QStringLiteral("受信器登録"),
                {QStringLiteral("通信に失敗しました"), QStringLiteral("接続を確認してください")}};
    case 10:
    case 11:
        return {QStringLiteral("データ読出"), {QStringLiteral("読出がキャンセルされました")}};
    case 20:
        return {QStringLiteral("データ読出"), {QStringLiteral("読み出しに失敗しました")}};
    case 21:
        return {QStringLiteral("データ読出"),
                {QStringLiteral("再度、収録データ読み出しを行ってください。")}};
    case 30:
        return {designCaption,
                {QStringLiteral("監視中はデータ読み出しは行えません"),
                 QStringLiteral("監視を終了してからもう一度行ってください")}};
    case 31:
        return {QStringLiteral("送信器収録設定"),
                {QStringLiteral("監視中は送信器収録設定は行えません"),
                 QStringLiteral("監視を終了してからもう一度行ってください")}};
    case 100:
        return {QStringLiteral("未完成です"), {}};
    default:
        return {};
    }
}

void showStatusMessage(DialogService &dialogs, QWidget *parent, int kind,
                       const QStringList &extraLines)
{
    const StatusKind k = analyzerStatusKind(kind);
    dialogs.message(parent, {k.caption, (k.lines + extraLines).join(QLatin1Char('\n')), 48});
}

} // namespace zt
