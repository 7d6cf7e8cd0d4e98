#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <deque>

namespace zt::sim {

// Writes queued pieces to a file descriptor, each after its delay, optionally paced at
// the wire rate of 9600 baud (10 bits per byte).
class ReplyWriter : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 ByteNs = 10'000'000'000LL / 9600; // 1.0417 ms

    explicit ReplyWriter(QObject *parent = nullptr);

    void setFd(int fd);
    void setPacing(bool on) { m_pacing = on; }
    bool pacing() const { return m_pacing; }
    // `delayMs` counts from the end of the previous piece (or from now when idle).
    void enqueue(const QByteArray &bytes, int delayMs = 0);
    void clear();
    bool idle() const { return m_queue.empty(); }

signals:
    void pieceWritten(const QByteArray &bytes);

private:
    struct Piece
    {
        QByteArray bytes;
        int delayMs = 0;
    };
    void pump();
    bool writeUpTo(qsizetype end); // false when the descriptor is full or gone
    void finishPiece(qint64 lineFreeNs);

    std::deque<Piece> m_queue;
    qint64 m_readyNs = -1;   // when the head piece may start; -1 = not yet scheduled
    qsizetype m_written = 0; // bytes of the head piece already written
    qint64 m_lineFreeNs = 0;
    bool m_pacing = false;
    int m_fd = -1;
    QElapsedTimer m_clock;
    QTimer m_timer;
};

} // namespace zt::sim
