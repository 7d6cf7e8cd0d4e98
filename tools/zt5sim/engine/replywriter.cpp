#include "engine/replywriter.h"

#include <cerrno>
#include <unistd.h>

namespace zt::sim {

namespace {
constexpr int PaceTickMs = 2; // small chunks keep the total within a tick of the wire time
}

ReplyWriter::ReplyWriter(QObject *parent) : QObject(parent)
{
    m_clock.start();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ReplyWriter::pump);
}

void ReplyWriter::setFd(int fd)
{
    m_fd = fd;
    if (fd < 0)
        clear();
}

void ReplyWriter::enqueue(const QByteArray &bytes, int delayMs)
{
    m_queue.push_back({bytes, delayMs});
    if (m_queue.size() == 1)
        pump();
}

void ReplyWriter::clear()
{
    m_queue.clear();
    m_readyNs = -1;
    m_written = 0;
    m_timer.stop();
}

bool ReplyWriter::writeUpTo(qsizetype end)
{
    const QByteArray &bytes = m_queue.front().bytes;
    while (m_written < end) {
        const ssize_t n = ::write(m_fd, bytes.constData() + m_written, size_t(end - m_written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        m_written += n;
    }
    return true;
}

void ReplyWriter::finishPiece(qint64 lineFreeNs)
{
    const QByteArray bytes = m_queue.front().bytes;
    m_queue.pop_front();
    m_lineFreeNs = lineFreeNs;
    m_readyNs = -1;
    m_written = 0;
    emit pieceWritten(bytes);
}

void ReplyWriter::pump()
{
    while (!m_queue.empty() && m_fd >= 0) {
        const qint64 now = m_clock.nsecsElapsed();
        if (m_readyNs < 0)
            m_readyNs = std::max(now, m_lineFreeNs) + qint64(m_queue.front().delayMs) * 1'000'000;
        if (now < m_readyNs) {
            m_timer.start(int((m_readyNs - now + 999'999) / 1'000'000));
            return;
        }
        const qsizetype size = m_queue.front().bytes.size();
        // Byte i has left the line i byte-times after the piece started.
        const qsizetype due = m_pacing ? std::min<qint64>(size, (now - m_readyNs) / ByteNs) : size;
        if (!writeUpTo(due) || due < size) {
            m_timer.start(PaceTickMs);
            return;
        }
        finishPiece(m_pacing ? m_readyNs + size * ByteNs : now);
    }
}

} // namespace zt::sim
