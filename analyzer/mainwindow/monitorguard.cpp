#include "mainwindow/monitorguard.h"

#include "platform/windowpresence.h"

namespace zt {

QStringList monitorWindowTitles(bool secondReceiver)
{
    const QString suffix = secondReceiver ? QStringLiteral("2") : QString();
    return {QStringLiteral("監視の開始") + suffix, QStringLiteral("送信器データ一覧") + suffix};
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
