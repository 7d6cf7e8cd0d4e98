#include "engine/framelog.h"

namespace zt::sim {

FrameLog::FrameLog(QObject *parent) : QObject(parent)
{
    m_clock.start();
}

void FrameLog::add(FrameLogEntry::Direction direction, const QByteArray &bytes)
{
    m_entries.append({m_clock.elapsed(), direction, bytes});
    emit added(m_entries.last());
}

QList<QByteArray> FrameLog::bytesOf(FrameLogEntry::Direction direction) const
{
    QList<QByteArray> out;
    for (const FrameLogEntry &e : m_entries)
        if (e.direction == direction)
            out.append(e.bytes);
    return out;
}

QList<QByteArray> FrameLog::sent() const
{
    return bytesOf(FrameLogEntry::Direction::Sent);
}

QList<QByteArray> FrameLog::received() const
{
    return bytesOf(FrameLogEntry::Direction::Received);
}

QString FrameLog::format(const FrameLogEntry &entry)
{
    static const char *const names[] = {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL",
                                        "BS",  "HT",  "LF",  "VT",  "FF",  "CR",  "SO",  "SI",
                                        "DLE", "DC1", "DC2", "DC3", "DC4", "NAK"};
    QString text;
    for (char c : entry.bytes) {
        const uchar u = uchar(c);
        if (u < std::size(names))
            text += QLatin1Char('<') + QLatin1String(names[u]) + QLatin1Char('>');
        else if (u < 0x20 || u >= 0x7F)
            text += QStringLiteral("<%1>").arg(u, 2, 16, QLatin1Char('0'));
        else
            text += QLatin1Char(c);
    }
    const char *arrow = entry.direction == FrameLogEntry::Direction::Received ? "<"
                        : entry.direction == FrameLogEntry::Direction::Sent   ? ">"
                                                                              : "#";
    return QStringLiteral("%1 %2 %3")
        .arg(double(entry.ms) / 1000.0, 10, 'f', 3)
        .arg(QLatin1String(arrow), text);
}

} // namespace zt::sim
