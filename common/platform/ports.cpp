#include "platform/ports.h"

#include "link/porterror.h"
#include "platform/folders.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>

namespace zt {

namespace {
const QStringList devicePrefixes = {QStringLiteral("ttyUSB"), QStringLiteral("ttyACM"),
                                    QStringLiteral("ttyS")};

// Rank of the device family and the number after it; family -1 when unknown.
std::pair<int, int> deviceKey(const QString &path)
{
    static const QRegularExpression pattern(QStringLiteral("^(ttyUSB|ttyACM|ttyS)(\\d+)$"));
    const auto match = pattern.match(QFileInfo(path).fileName());
    if (!match.hasMatch())
        return {-1, 0};
    return {int(devicePrefixes.indexOf(match.captured(1))), match.captured(2).toInt()};
}
} // namespace

QString portLinkFolder()
{
    return joinPath(settingsFolder(), QStringLiteral("ports"));
}

QStringList orderedPortDevices(const QStringList &devices)
{
    QStringList known;
    for (const QString &d : devices)
        if (deviceKey(d).first >= 0 && !known.contains(d))
            known << d;
    std::sort(known.begin(), known.end(),
              [](const QString &a, const QString &b) { return deviceKey(a) < deviceKey(b); });
    return known;
}

QStringList presentPortDevices()
{
    QStringList devices;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        devices << info.systemLocation();
    return devices;
}

QString portDevice(int portNo, const QString &linkFolder, const QStringList &presentDevices)
{
    if (portNo < 1 || portNo > MaxPortNo)
        return {};
    const QFileInfo link(joinPath(linkFolder, QStringLiteral("COM%1").arg(portNo)));
    if (link.isSymLink() || link.exists()) {
        // The target's own path, so every program locks the same device name.
        const QString target = link.canonicalFilePath();
        return target.isEmpty() ? link.absoluteFilePath() : target;
    }
    const QStringList ordered = orderedPortDevices(presentDevices);
    return portNo <= ordered.size() ? ordered.at(portNo - 1) : QString();
}

QString portDevice(int portNo)
{
#ifdef Q_OS_WIN
    if (portNo < 1 || portNo > MaxPortNo)
        return {};
    return QStringLiteral("COM%1").arg(portNo);
#else
    return portDevice(portNo, portLinkFolder(), presentPortDevices());
#endif
}

QList<PortEntry> listPorts()
{
    QList<PortEntry> entries;
#ifdef Q_OS_WIN
    for (int n = 1; n <= MaxPortNo; ++n)
        entries.append({n, portDevice(n)});
#else
    const QString folder = portLinkFolder();
    const QStringList present = presentPortDevices(); // asked once for all 16
    for (int n = 1; n <= MaxPortNo; ++n)
        entries.append({n, portDevice(n, folder, present)});
#endif
    return entries;
}

QString portErrorHint(int errorNumber)
{
    switch (errorNumber) {
    case PortErrorPermission:
        return QStringLiteral(
            "ポートを開く権限がありません。ユーザーを dialout グループに追加し"
            "（sudo usermod -aG dialout ユーザー名）、ログインし直してください。");
    case PortErrorInUse:
        return QStringLiteral("ポートは他のプログラムが使用中です。");
    case PortErrorNoSuchDevice:
        return QStringLiteral("ポートが見つかりません。接続を確認してください。");
    default:
        return {};
    }
}

} // namespace zt
