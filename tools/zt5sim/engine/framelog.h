#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>

namespace zt::sim {

struct FrameLogEntry
{
    enum class Direction { Received, Sent, Note };
    qint64 ms = 0; // since the log started
    Direction direction = Direction::Received;
    QByteArray bytes;
};

// Every frame the virtual receiver received and sent, with its time.
class FrameLog : public QObject
{
    Q_OBJECT
public:
    explicit FrameLog(QObject *parent = nullptr);

    void add(FrameLogEntry::Direction direction, const QByteArray &bytes);
    const QList<FrameLogEntry> &entries() const { return m_entries; }
    QList<QByteArray> sent() const;
    QList<QByteArray> received() const;
    void clear() { m_entries.clear(); }

    // "   12.345 > <STX>00020 05,0000 1234,<ETX><CR><LF>" with control bytes named.
    static QString format(const FrameLogEntry &entry);

signals:
    void added(const zt::sim::FrameLogEntry &entry);

private:
    QList<QByteArray> bytesOf(FrameLogEntry::Direction direction) const;

    QElapsedTimer m_clock;
    QList<FrameLogEntry> m_entries;
};

} // namespace zt::sim
