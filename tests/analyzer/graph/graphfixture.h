#pragma once

#include "records/channels.h"
#include "records/datetime.h"
#include "records/statistics.h"

#include <QtMath>
#include <functional>
#include <memory>

namespace zt::test {

// Adds transmitter `koNo` with `count` samples from `value(channel, n)`.
inline void addTransmitter(LogSet &set, int koNo, int seriesNo, int kind, int offset, int count,
                           const std::function<int(int, int)> &value)
{
    KoSeries &s = set.ko(koNo);
    s.HasData = 1;
    s.SeriesNo = qint16(seriesNo);
    s.KoNo = qint16(koNo);
    s.KoKind = qint16(kind);
    s.StartOffset = qint16(offset);
    s.DataCount = qint16(count);
    s.name = QStringLiteral("倉庫%1").arg(koNo);
    for (int ch = 1; ch <= 2; ++ch)
        for (int n = 1; n <= count; ++n)
            set.value(seriesNo, ch, n) = qint16(ch == 2 && kind == 10 ? DashValue : value(ch, n));
}

// Two temperature-and-humidity transmitters and one temperature-only transmitter over
// `rows` rows of 10 minutes, with a run of invalid samples in the first one.
inline std::unique_ptr<LogSet> realisticSet(int rows)
{
    auto set = std::make_unique<LogSet>();
    set->setStartTime(wallClock(2026, 3, 1, 8, 0));
    set->setInterval(10);
    set->KoCount = 3;
    const int gapFrom = rows / 3, gapTo = rows / 3 + std::max(2, rows / 20);
    auto daily = [rows](int n, double mean, double swing, double phase) {
        return mean + swing * std::sin(2 * M_PI * n / std::max(rows / 3.0, 12.0) + phase);
    };
    addTransmitter(*set, 1, 1, 12, 0, rows, [&](int ch, int n) {
        if (n >= gapFrom && n < gapTo)
            return int(n % 2 ? StarValue : DashValue);
        return ch == 1 ? int(daily(n, 215, 35, 0)) : int(daily(n, 55, 10, 1));
    });
    addTransmitter(*set, 2, 2, 12, 5, rows - 5, [&](int ch, int n) {
        return ch == 1 ? int(daily(n, 180, 25, 2)) : int(daily(n, 62, 12, 3));
    });
    addTransmitter(*set, 3, 3, 10, 0, rows, [&](int, int n) { return int(daily(n, 50, 60, 4)); });
    computeStatistics(*set);
    return set;
}

} // namespace zt::test
