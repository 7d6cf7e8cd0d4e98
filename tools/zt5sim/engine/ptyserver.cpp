#include "engine/ptyserver.h"

#include "engine/receiverengine.h"
#include "link/fields.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace zt::sim {

using Direction = FrameLogEntry::Direction;

PtyServer::PtyServer(ReceiverEngine *engine, QObject *parent) : QObject(parent), m_engine(engine)
{
    connect(&m_writer, &ReplyWriter::pieceWritten, this,
            [this](const QByteArray &bytes) { m_log.add(Direction::Sent, bytes); });
}

PtyServer::~PtyServer()
{
    closeAll();
}

bool PtyServer::open(QString *error)
{
    closeAll();
    char name[256] = {};
    struct termios raw;
    std::memset(&raw, 0, sizeof raw);
    cfmakeraw(&raw);
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    if (::openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) {
        if (error)
            *error = QStringLiteral("openpty: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        m_master = m_slave = -1;
        return false;
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_devicePath = QString::fromLocal8Bit(name);
    m_writer.setFd(m_master);
    m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &PtyServer::readMaster);
    return true;
}

void PtyServer::leaveRemoteMode()
{
    m_engine->setRemoteMode(false);
    m_log.add(Direction::Note, QByteArrayLiteral("left remote mode"));
}

void PtyServer::hangUp()
{
    if (!isOpen())
        return;
    closeAll();
    m_log.add(Direction::Note, QByteArrayLiteral("hung up"));
    emit hungUp();
}

void PtyServer::closeAll()
{
    m_notifier.reset();
    m_writer.setFd(-1);
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
}

void PtyServer::readMaster()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // EAGAIN: drained. EIO cannot happen while the slave is held open.
        for (const QByteArray &frame : m_assembler.feed(QByteArrayView(buffer, n)))
            answer(frame);
    }
}

void PtyServer::spoilBlock(QByteArray &reply)
{
    using BF = ServerFaults::BlockFault;
    if (m_faults.blockFault == BF::None || m_faults.blockFaultCount == 0 || reply.size() < 26)
        return;
    if (m_faults.blockFaultCount > 0)
        --m_faults.blockFaultCount;
    if (m_faults.blockFault == BF::TimeShift) {
        // The first record's time, one minute later than asked for.
        const QDateTime t = readDateField(QString::fromLatin1(reply.mid(13, 9)), false);
        if (t.isValid())
            reply.replace(13, 9, DateField(t.addSecs(60), false).toLatin1());
        m_log.add(Direction::Note, QByteArrayLiteral("block time shifted"));
    } else {
        const qsizetype etx = reply.lastIndexOf('\x03');
        if (etx > 0 && reply.at(etx - 1) == ',')
            reply.remove(etx - 1, 1);
        m_log.add(Direction::Note, QByteArrayLiteral("block end comma dropped"));
    }
}

void PtyServer::answer(const QByteArray &frame)
{
    m_log.add(Direction::Received, '\x02' + frame + '\x03');
    const bool faulty = m_faults.count != 0 && m_faults.any();
    const ServerFaults faults = faulty ? m_faults : ServerFaults{};
    if (faulty && m_faults.count > 0 && --m_faults.count == 0)
        m_faults = ServerFaults{};
    if (faults.noReply) {
        m_log.add(Direction::Note, QByteArrayLiteral("no reply"));
        return;
    }
    const bool ignored = faults.ignoreAlarmStates && frame.mid(5, 2) == "21";
    QByteArray reply = faults.nak ? nakReply()
                       : ignored  ? ackReply()
                                  : m_engine->handleFrame(frame);
    if (frame.mid(5, 2) == "12")
        spoilBlock(reply);
    reply.prepend(faults.garbage);
    const int pieces = std::clamp(faults.splitPieces, 1, int(reply.size()));
    const qsizetype step = (reply.size() + pieces - 1) / pieces;
    for (qsizetype at = 0; at < reply.size(); at += step)
        m_writer.enqueue(reply.mid(at, step), at == 0 ? faults.lateMs : faults.splitDelayMs);
}

} // namespace zt::sim
