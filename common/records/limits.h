#pragma once

#include <QtGlobal>

namespace zt {

constexpr int MaxOya = 100;     // receiver registry slots 1..100 (1 = unregistered receiver)
constexpr int MaxKo = 30;       // transmitters per receiver, KoNo 1..30
constexpr int MaxSamples = 32000; // samples per transmitter and channel in a LogSet
constexpr int ChannelCount = 2;
constexpr int MaxDisplayChannels = MaxKo * ChannelCount; // 60
constexpr int MaxGraphSeries = 8;

// Special sample values stored instead of a measurement.
constexpr qint16 StarValue = 8191;  // shown "*****"; also "no statistic"
constexpr qint16 DashValue = 16383; // shown "-----"

// A raw value decoded from the receiver is a measurement only inside this range.
constexpr int ValidRawMin = -998;
constexpr int ValidRawMax = 9998;

// Starting values of the statistics before the samples are walked.
constexpr qint16 StatMaxStart = -3275;
constexpr qint16 StatMinStart = 3275;

inline bool isSpecialValue(int v)
{
    return v == StarValue || v == DashValue;
}

} // namespace zt
