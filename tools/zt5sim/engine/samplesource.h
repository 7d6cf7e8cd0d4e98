#pragma once

#include "engine/scenario.h"
#include "link/fields.h"

namespace zt::sim {

// The value a transmitter measures at a time: a seeded daily curve with noise, overridden
// by the scenario's codes, gaps, alarm excursions and radio failures. A pure function of
// its inputs, so catching up late gives the same records as catching up often.
class SampleSource
{
public:
    SampleSource(quint32 seed, QList<ScenarioEvent> events);

    RawRecord record(const SlotSetup &slot, const QDateTime &t) const;

    bool radioDown(int slot, const QDateTime &t) const;
    bool batteryLow(int slot, const QDateTime &t) const;
    const QList<ScenarioEvent> &events() const { return m_events; }

private:
    RawRecord curve(const SlotSetup &slot, const QDateTime &t) const;
    int noise(int slot, int channel, const QDateTime &t, int amplitude) const;
    bool active(ScenarioEvent::Type type, int slot, const QDateTime &t) const;

    quint32 m_seed;
    QList<ScenarioEvent> m_events;
};

// MissingCode and NoValueCode come from link/fields.h.

} // namespace zt::sim
