#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QSocketNotifier>
#include <QString>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace zt::sim::test {

// The PC end of the pty, with plain POSIX calls: keeps every read as its own chunk.
class PtyReader
{
public:
    explicit PtyReader(const QString &device)
    {
        m_fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd < 0)
            return;
        m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { readAll(); });
        m_clock.start();
    }
    ~PtyReader()
    {
        m_notifier.reset();
        if (m_fd >= 0)
            ::close(m_fd);
    }

    bool isOpen() const { return m_fd >= 0; }
    void send(const QByteArray &bytes)
    {
        [[maybe_unused]] const ssize_t n = ::write(m_fd, bytes.constData(), size_t(bytes.size()));
        m_sentMs = m_clock.elapsed();
    }
    void clear()
    {
        data.clear();
        chunks.clear();
    }
    bool replyComplete() const { return data.endsWith("\r\n"); }
    qint64 msFromSendToFirstByte() const { return m_firstMs - m_sentMs; }
    qint64 msFromSendToLastByte() const { return m_lastMs - m_sentMs; }

    QByteArray data;
    QList<QByteArray> chunks;
    bool lineGone = false; // the other end hung up

private:
    void readAll()
    {
        char buffer[512];
        for (;;) {
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n > 0) {
                if (data.isEmpty())
                    m_firstMs = m_clock.elapsed();
                m_lastMs = m_clock.elapsed();
                data.append(buffer, n);
                chunks.append(QByteArray(buffer, n));
                continue;
            }
            if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                lineGone = true;
                m_notifier->setEnabled(false);
            }
            return;
        }
    }

    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QElapsedTimer m_clock;
    qint64 m_sentMs = 0, m_firstMs = 0, m_lastMs = 0;
};

} // namespace zt::sim::test
