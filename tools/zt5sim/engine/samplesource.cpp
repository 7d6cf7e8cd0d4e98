#include "engine/samplesource.h"

#include <cmath>
#include <numbers>

namespace zt::sim {

namespace {

quint64 mix(quint64 x)
{
    // splitmix64 finaliser: cheap, well spread, stable across platforms.
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// -1..1 over the day, lowest near 03:00 and highest near 15:00.
double dayWave(const QDateTime &t)
{
    const double hours = t.time().msecsSinceStartOfDay() / 3.6e6;
    return std::sin(2 * std::numbers::pi * (hours - 9) / 24);
}

bool hasChannel(const ScenarioEvent &e, int channel)
{
    return e.channel == 0 || e.channel == channel;
}

} // namespace

SampleSource::SampleSource(quint32 seed, QList<ScenarioEvent> events)
    : m_seed(seed), m_events(std::move(events))
{
}

RawRecord SampleSource::record(const SlotSetup &slot, const QDateTime &t) const
{
    if (radioDown(slot.slot, t))
        return {MissingCode, MissingCode}; // measured, but never reached the receiver
    RawRecord r = curve(slot, t);
    using T = ScenarioEvent::Type;
    for (const ScenarioEvent &e : m_events) {
        if (e.slot != slot.slot || !e.covers(t))
            continue;
        if (e.type == T::Gap)
            return {MissingCode, MissingCode};
        if (e.type != T::Code && e.type != T::Alarm)
            continue;
        if (hasChannel(e, 1))
            r.ch1 = e.value;
        if (hasChannel(e, 2) && r.ch2 != NoValueCode)
            r.ch2 = e.value;
    }
    return r;
}

RawRecord SampleSource::curve(const SlotSetup &slot, const QDateTime &t) const
{
    const double wave = dayWave(t);
    const int shift = (slot.slot % 3 - 1) * 5; // neighbours differ by half a degree
    const qint16 temperature =
        qint16(240 + shift + std::lround(40 * wave) + noise(slot.slot, 1, t, 4));
    if (slot.kind == 10)
        return {temperature, NoValueCode};
    if (slot.kind == 11) // second probe inside a refrigerator
        return {temperature, qint16(50 + std::lround(20 * wave) + noise(slot.slot, 2, t, 3))};
    return {temperature, qint16(550 - std::lround(150 * wave) + noise(slot.slot, 2, t, 10))};
}

int SampleSource::noise(int slot, int channel, const QDateTime &t, int amplitude) const
{
    const quint64 key = (quint64(m_seed) << 32) ^ (quint64(slot) << 24) ^ (quint64(channel) << 20) ^
                        quint64(t.toSecsSinceEpoch() / 60);
    return int(mix(key) % quint64(2 * amplitude + 1)) - amplitude;
}

bool SampleSource::active(ScenarioEvent::Type type, int slot, const QDateTime &t) const
{
    for (const ScenarioEvent &e : m_events)
        if (e.type == type && e.slot == slot && e.covers(t))
            return true;
    return false;
}

bool SampleSource::radioDown(int slot, const QDateTime &t) const
{
    return active(ScenarioEvent::Type::Radio, slot, t);
}

bool SampleSource::batteryLow(int slot, const QDateTime &t) const
{
    return active(ScenarioEvent::Type::Battery, slot, t);
}

} // namespace zt::sim
