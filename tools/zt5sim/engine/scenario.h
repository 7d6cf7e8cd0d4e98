#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace zt::sim {

// High and low ends of both channels, in tenths, in the order the wire carries them.
struct ChannelPair
{
    qint16 high1 = 0, low1 = 0, high2 = 0, low2 = 0;
    bool operator==(const ChannelPair &) const = default;
};

struct SlotSetup
{
    int slot = 1;  // 1..30
    int kind = 12; // 12 (or 0) temperature + humidity, 10 temperature only, 11 two temperatures
    bool recording = true;
    bool limitsWritten = false; // bit 7 of SlotValue at start
    ChannelPair range;
    ChannelPair limits;
};

// Something the script makes happen in [from, to); an invalid `to` means "until the end".
struct ScenarioEvent
{
    enum class Type { Code, Gap, Alarm, Battery, Radio, LeaveRemote, Forget, ClockJump };
    Type type = Type::Code;
    int slot = 0;
    int channel = 0;  // 0 = both channels
    qint16 value = 0; // the raw code or the reading in tenths
    QDateTime from, to;
    int minutes = 0; // ClockJump: minutes the receiver clock moves (negative = back)

    bool covers(const QDateTime &t) const { return t >= from && (!to.isValid() || t < to); }
};

struct Scenario
{
    quint16 receiverId = 0x1234;
    int systemKoCount = 4;
    int measureMinutes = 10;
    int commMinutes = 20;
    QDateTime clockStart; // receiver wall clock when the simulation starts
    double speed = 1.0;
    QDateTime recordingStart; // first sample of the data already present
    quint32 seed = 1;
    bool remoteMode = false;
    QList<SlotSetup> transmitters;
    QList<ScenarioEvent> events;
};

struct ScenarioResult
{
    Scenario scenario;
    QString error; // empty when the scenario loaded
    bool ok() const { return error.isEmpty(); }
};

// `now` (a wall-clock value) anchors "now" and relative minute offsets.
ScenarioResult parseScenario(const QByteArray &json, const QDateTime &now);
ScenarioResult loadScenario(const QString &path, const QDateTime &now);

// Four transmitters of kinds 12 and 10, three days of data, one alarm episode.
Scenario defaultScenario(const QDateTime &now);

// Default range and limits of a transmitter kind.
ChannelPair defaultRange(int kind);

} // namespace zt::sim
