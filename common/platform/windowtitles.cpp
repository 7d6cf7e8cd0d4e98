#include "platform/windowtitles.h"

#include "platform/windowpresence.h"
#include "records/messages.h"

namespace zt {

namespace {
QString withReceiver(const QString &title, bool secondReceiver)
{
    return secondReceiver ? title + QLatin1Char('2') : title;
}
} // namespace

QString analyzerWindowTitle()
{
    return captionText(0);
}

QString monitorStartTitle(bool secondReceiver)
{
    return withReceiver(QStringLiteral("監視の開始"), secondReceiver);
}

QString monitorListTitle(bool secondReceiver)
{
    return withReceiver(QStringLiteral("送信器データ一覧"), secondReceiver);
}

QStringList monitorWindowTitles(bool secondReceiver)
{
    return {monitorStartTitle(secondReceiver), monitorListTitle(secondReceiver)};
}

bool isMonitorRunning(bool secondReceiver, bool bringToFront)
{
    for (const QString &title : monitorWindowTitles(secondReceiver)) {
        if (isWindowOpen(title)) {
            if (bringToFront)
                raiseWindow(title);
            return true;
        }
    }
    return false;
}

} // namespace zt
