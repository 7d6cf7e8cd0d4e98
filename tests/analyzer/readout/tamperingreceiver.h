#pragma once

#include "engine/frameassembler.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <functional>

class QSocketNotifier;

namespace zt::sim {
class ReceiverEngine;
}

// The virtual receiver's engine on a pty, with a hook that may alter each reply on
// its way out: faults the engine itself never makes (a block with another time,
// settings that change in the middle of a read-out).
class TamperingReceiver : public QObject
{
    Q_OBJECT
public:
    // Gets the request (STX..ETX excluded) and the engine's reply; returns what is sent.
    using Tamper = std::function<QByteArray(const QByteArray &request, const QByteArray &reply)>;

    explicit TamperingReceiver(zt::sim::ReceiverEngine *engine);
    ~TamperingReceiver() override;

    bool isOpen() const { return m_master >= 0; }
    QString devicePath() const { return m_path; }
    void setTamper(Tamper tamper) { m_tamper = std::move(tamper); }
    // Requests received so far, STX to ETX as the pty server logs them.
    const QList<QByteArray> &received() const { return m_received; }

private:
    void onReadable();

    zt::sim::ReceiverEngine *m_engine;
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    QSocketNotifier *m_notifier = nullptr;
    zt::sim::FrameAssembler m_assembler;
    Tamper m_tamper;
    QList<QByteArray> m_received;
};
