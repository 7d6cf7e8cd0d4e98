#pragma once

#include "contacts/contactrelease.h"
#include "engine/monitorcycle.h"
#include "engine/ptyserver.h"
#include "engine/receiverengine.h"
#include "link/seriallink.h"
#include "zt5sim/simfixture.h"

#include <QTest>
#include <memory>

namespace zt::contacts {

constexpr int FastTimeoutMs = 200;
constexpr int FastPollMs = 40;
constexpr int WaitMs = 10000;

// Slot 1 reads 35.0 ℃ against an upper limit of 30.0 ℃ for the first two hours.
inline sim::Scenario alarmScenario()
{
    sim::Scenario s = sim::test::testScenario();
    const QDateTime c = s.clockStart;
    s.events = {{sim::ScenarioEvent::Type::Alarm, 1, 1, 350, c.addSecs(-3600), c.addSecs(7200)}};
    return s;
}

// The cycle on a real link against the virtual receiver, with the release under test.
struct ContactRig
{
    explicit ContactRig(const sim::Scenario &scenario = alarmScenario())
        : engine(scenario, time.source()), server(&engine),
          link(LinkMode::Watch, nullptr, FastTimeoutMs), cycle(link), release(cycle)
    {
        opened = server.open();
        link.setPortName(server.devicePath());
        cycle.setPollInterval(FastPollMs);
        QObject::connect(&cycle, &MonitorCycle::recordsStored, &cycle,
                         [this](const StoredBatch &b) { stored += b.koNo == 1; });
    }
    ~ContactRig() { cycle.stop(); }

    bool start() { return opened && cycle.start() == StartResult::Success; }

    void setRelease(int type, int autoReturn = 0, int seconds = 60)
    {
        AutoSaveSettings o;
        o.releaseType = qint16(type);
        o.autoReturn = qint16(autoReturn);
        o.autoOffSeconds = qint16(seconds);
        release.setOptions(o);
    }

    // New records reach the receiver; true once the cycle stored them for slot 1.
    bool nextBatch(int minutes = 20)
    {
        const int before = stored;
        time.advanceMinutes(minutes);
        return QTest::qWaitFor([&] { return stored > before; }, WaitMs);
    }

    // Data fields of the "21" requests received so far, e.g. "00E".
    QStringList releases()
    {
        QStringList out;
        for (const QByteArray &f : server.log().received())
            if (f.mid(6, 2) == "21") {
                const qsizetype comma = f.indexOf(',');
                out << QString::fromLatin1(f.mid(comma + 1, f.lastIndexOf(',') - comma - 1));
            }
        return out;
    }
    QStringList logTexts() const
    {
        QStringList out;
        for (int i = cycle.alarmLog().count() - 1; i >= 0; --i)
            out << cycle.alarmLog().newestAt(i).text;
        return out;
    }

    sim::test::ManualTime time;
    sim::ReceiverEngine engine;
    sim::PtyServer server;
    SerialLink link;
    MonitorCycle cycle;
    ContactRelease release;
    bool opened = false;
    int stored = 0; // batches of slot 1
};

} // namespace zt::contacts
