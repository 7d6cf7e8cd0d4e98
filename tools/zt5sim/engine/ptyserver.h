#pragma once

#include "engine/frameassembler.h"
#include "engine/framelog.h"
#include "engine/replywriter.h"
#include "engine/serverfaults.h"

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace zt::sim {

class ReceiverEngine;

// Serves a ReceiverEngine on the master side of a pseudo-terminal; a PC program opens
// devicePath() as its serial port.
class PtyServer : public QObject
{
    Q_OBJECT
public:
    explicit PtyServer(ReceiverEngine *engine, QObject *parent = nullptr);
    ~PtyServer() override;

    bool open(QString *error = nullptr);
    bool isOpen() const { return m_master >= 0; }
    QString devicePath() const { return m_devicePath; }

    void setPacing(bool on) { m_writer.setPacing(on); }
    void setFaults(const ServerFaults &faults) { m_faults = faults; }
    ServerFaults faults() const { return m_faults; }
    // The receiver drops out of remote mode, as if its own keys were used.
    void leaveRemoteMode();
    // Closes the master side: the PC's port sees the line go away.
    void hangUp();

    FrameLog &log() { return m_log; }
    ReceiverEngine *engine() const { return m_engine; }

signals:
    void hungUp();

private:
    void readMaster();
    void answer(const QByteArray &frame);
    void spoilBlock(QByteArray &reply);
    void closeAll();

    ReceiverEngine *m_engine;
    int m_master = -1;
    int m_slave = -1; // held open so the master never sees a hang-up between PC sessions
    QString m_devicePath;
    std::unique_ptr<QSocketNotifier> m_notifier;
    FrameAssembler m_assembler;
    ReplyWriter m_writer;
    ServerFaults m_faults;
    FrameLog m_log;
};

} // namespace zt::sim
