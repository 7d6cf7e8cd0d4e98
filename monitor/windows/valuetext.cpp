#include "windows/valuetext.h"

#include "link/fields.h"

#include <cstdlib>

namespace zt {

QString monitorValueText(qint16 value, ValueKind kind)
{
    switch (value) {
    case OverflowCode:
        return QStringLiteral("*****");
    case SensorErrorCode:
        return QStringLiteral("センサ異常");
    case MissingCode:
        return QStringLiteral("-----");
    case NoValueCode:
        return QStringLiteral("    ");
    default:
        break;
    }
    const int magnitude = std::abs(int(value));
    if (kind == ValueKind::Temperature) {
        const QString sign = value < 0 ? QStringLiteral("-") : QString();
        return sign + QString::number(magnitude / 10) + QLatin1Char('.') +
               QString::number(magnitude % 10);
    }
    // Halves away from zero, as the number pattern rounds.
    const int whole = (magnitude + 5) / 10;
    return (value < 0 && whole != 0 ? QStringLiteral("-") : QString()) + QString::number(whole);
}

ValueKind channel2Kind(qint16 koKind)
{
    return koKind == 11 ? ValueKind::Temperature : ValueKind::Humidity;
}

QString limitText(qint16 tenths)
{
    return QString::number(tenths / 10.0, 'f', tenths % 10 == 0 ? 0 : 1);
}

} // namespace zt
