#include "tamperingreceiver.h"

#include "engine/receiverengine.h"

#include "support/rawpty.h"

#include <QSocketNotifier>
#include <unistd.h>

TamperingReceiver::TamperingReceiver(zt::sim::ReceiverEngine *engine) : m_engine(engine)
{
    if (!zt::test::openRawPty(m_master, m_slave, m_path))
        return;
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TamperingReceiver::onReadable);
}

TamperingReceiver::~TamperingReceiver()
{
    if (m_notifier)
        m_notifier->setEnabled(false);
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
}

void TamperingReceiver::onReadable()
{
    char buffer[512];
    QByteArray bytes;
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        bytes.append(buffer, n);
    }
    for (const QByteArray &frame : m_assembler.feed(bytes)) {
        m_received.append('\x02' + frame + '\x03');
        QByteArray reply = m_engine->handleFrame(frame);
        if (m_tamper)
            reply = m_tamper(frame, reply);
        if (!reply.isEmpty())
            (void)!::write(m_master, reply.constData(), size_t(reply.size()));
    }
}
