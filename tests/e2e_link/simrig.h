#pragma once

#include "engine/ptyserver.h"
#include "engine/receiverengine.h"
#include "link/seriallink.h"
#include "zt5sim/simfixture.h"

#include <QTest>
#include <memory>

namespace zt::e2e {

// Short enough that four lost replies cost under a second.
constexpr int FastTimeoutMs = 200;

// The fixture receiver with a day and a half of records, so a slot holds more than
// two full blocks.
inline sim::Scenario rigScenario()
{
    sim::Scenario s = sim::test::testScenario();
    s.recordingStart = s.clockStart.addSecs(-36 * 3600);
    return s;
}

// A real SerialLink on the slave side of a pty served by the virtual receiver, whose
// clock stands still unless the test moves it.
struct SimRig
{
    explicit SimRig(LinkMode mode, const sim::Scenario &scenario = rigScenario())
        : engine(scenario, time.source()), server(&engine), link(mode, nullptr, FastTimeoutMs)
    {
        QString error;
        opened = server.open(&error);
        if (!opened)
            qWarning("pty: %s", qPrintable(error));
        link.setPortName(server.devicePath());
    }

    bool openLink() { return opened && link.OpenPort() == 0; }
    QList<QByteArray> received() { return server.log().received(); }
    void clearLog() { server.log().clear(); }

    sim::test::ManualTime time;
    sim::ReceiverEngine engine;
    sim::PtyServer server;
    SerialLink link;
    bool opened = false;
};

// The request as the receiver logs it: STX to ETX.
inline QByteArray loggedRequest(const char *access, const char *code, const QString &data)
{
    return '\x02' + sim::test::request(access, code, data) + '\x03';
}

// Codes of the requests the receiver saw, in order.
inline QStringList codesOf(const QList<QByteArray> &frames)
{
    QStringList codes;
    for (const QByteArray &f : frames)
        codes << QString::fromLatin1(f.mid(6, 2));
    return codes;
}

// Every test runs in both link modes.
inline void addModeColumn()
{
    QTest::addColumn<LinkMode>("mode");
}

inline const char *modeName(LinkMode mode)
{
    return mode == LinkMode::Kestrel ? "kestrel" : "watch";
}

inline QList<LinkMode> bothModes()
{
    return {LinkMode::Kestrel, LinkMode::Watch};
}

// A data table of one row per link mode.
inline void addModeRows()
{
    addModeColumn();
    for (LinkMode mode : bothModes())
        QTest::newRow(modeName(mode)) << mode;
}

} // namespace zt::e2e

Q_DECLARE_METATYPE(zt::LinkMode)
