#pragma once

#include "engine/monitorcycle.h"
#include "engine/ptyserver.h"
#include "engine/receiverengine.h"
#include "link/seriallink.h"
#include "zt5sim/simfixture.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace zt::monitortest {

constexpr int FastTimeoutMs = 150;
constexpr int FastPollMs = 20;
constexpr int WaitMs = 10000;

// The monitor's cycle on a real watch-mode link, against the virtual receiver on a pty
// reached through a port link the test can re-point (as an unplugged adapter that
// comes back). The receiver clock moves only when the test moves it.
struct MonitorRig
{
    explicit MonitorRig(const sim::Scenario &scenario = sim::test::testScenario())
        : engine(scenario, time.source()), link(LinkMode::Watch, nullptr, FastTimeoutMs),
          cycle(link)
    {
        portPath = dir.filePath(QStringLiteral("COM1"));
        plugIn();
        link.setPortName(portPath);
        cycle.setPollInterval(FastPollMs);
        cycle.alarmLog().setFolder(logFolder());
    }

    // A fresh pty for the same receiver, the port link pointing at it.
    bool plugIn(sim::ReceiverEngine *other = nullptr)
    {
        servers.push_back(std::make_unique<sim::PtyServer>(other ? other : &engine));
        QString error;
        if (!servers.back()->open(&error)) {
            qWarning("pty: %s", qPrintable(error));
            return false;
        }
        QFile::remove(portPath);
        return QFile::link(servers.back()->devicePath(), portPath);
    }
    void unplug()
    {
        server().hangUp();
        QFile::remove(portPath);
    }

    sim::PtyServer &server() { return *servers.back(); }
    QString logFolder() const { return dir.filePath(QStringLiteral("log")); }

    // Codes of the requests the receiver saw since the last clearFrames().
    QStringList codes()
    {
        QStringList out;
        for (const auto &s : servers)
            for (const QByteArray &f : s->log().received())
                out << QString::fromLatin1(f.mid(6, 2));
        return out;
    }
    void clearFrames()
    {
        for (const auto &s : servers)
            s->log().clear();
    }

    QStringList logTexts() const
    {
        QStringList out;
        for (int i = 0; i < cycle.alarmLog().count(); ++i)
            out << cycle.alarmLog().oldestAt(i).text;
        return out;
    }
    int logCount(const QString &text) const { return int(logTexts().count(text)); }

    QTimer *pollTimer() { return cycle.findChild<QTimer *>(QStringLiteral("JochuTimer")); }

    // Started, and the first cycle over.
    bool startAndSettle()
    {
        QSignalSpy ended(&cycle, &MonitorCycle::cycleEnded);
        if (cycle.start() != StartResult::Success)
            return false;
        return ended.wait(WaitMs);
    }
    // Moves the receiver clock on and waits for the next full cycle.
    bool advanceAndCycle(int minutes)
    {
        time.advanceMinutes(minutes);
        return waitCycles(1);
    }
    bool waitCycles(int n)
    {
        QSignalSpy ended(&cycle, &MonitorCycle::cycleEnded);
        while (ended.size() < n)
            if (!ended.wait(WaitMs))
                return false;
        return true;
    }

    QTemporaryDir dir;
    QString portPath;
    sim::test::ManualTime time;
    sim::ReceiverEngine engine;
    std::vector<std::unique_ptr<sim::PtyServer>> servers;
    SerialLink link;
    MonitorCycle cycle;
};

inline sim::ScenarioEvent simEvent(sim::ScenarioEvent::Type type, int slot, int channel,
                                   qint16 value, const QDateTime &from, const QDateTime &to)
{
    sim::ScenarioEvent e;
    e.type = type;
    e.slot = slot;
    e.channel = channel;
    e.value = value;
    e.from = from;
    e.to = to;
    return e;
}

} // namespace zt::monitortest
