#include "ptypeer.h"

#include "support/rawpty.h"

#include <QSocketNotifier>
#include <QTimer>
#include <unistd.h>

PtyPeer::PtyPeer()
{
    if (!zt::test::openRawPty(m_master, m_slave, m_path))
        return;
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyPeer::onReadable);
}

PtyPeer::~PtyPeer()
{
    hangUp();
}

void PtyPeer::hangUp()
{
    if (m_notifier)
        m_notifier->setEnabled(false);
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
}

void PtyPeer::write(const QByteArray &bytes)
{
    if (m_master >= 0 && !bytes.isEmpty())
        (void)!::write(m_master, bytes.constData(), size_t(bytes.size()));
}

PtyPeer::Answer PtyPeer::reply(const QByteArray &text)
{
    return {QByteArray("\x02") + text + "\x03\r\n", false, false};
}

void PtyPeer::onReadable()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        m_pending.append(buffer, n);
    }
    qsizetype lf;
    while ((lf = m_pending.indexOf('\n')) >= 0) {
        const QByteArray frame = m_pending.left(lf + 1);
        m_pending.remove(0, lf + 1);
        m_frames.append(frame);
        emit frameReceived(frame);
        answer(frame);
        if (m_master < 0)
            return;
    }
}

void PtyPeer::answer(const QByteArray &frame)
{
    Answer a;
    if (!m_script.isEmpty())
        a = m_script.takeFirst();
    else if (m_responder)
        a = m_responder(frame);
    else
        a = silence();
    if (a.hangUp) {
        hangUp();
        return;
    }
    if (a.silent)
        return;
    if (m_delayMs > 0)
        QTimer::singleShot(m_delayMs, this, [this, bytes = a.bytes] { write(bytes); });
    else
        write(a.bytes);
}
