#pragma once

// What several benchmarks share: a full recorded set of noisy samples, and the wire time
// of the frames a virtual receiver logged.
#include "engine/framelog.h"
#include "records/datetime.h"
#include "records/limits.h"
#include "records/logset.h"
#include "records/statistics.h"

#include <QRandomGenerator>
#include <cmath>
#include <memory>

namespace zt::bench {

// 4 transmitters of kind 12 (8 channels) × 32000 samples on a daily curve, one invalid
// temperature each and alarm marks on the warm samples.
inline std::unique_ptr<LogSet> fullEightChannels()
{
    auto set = std::make_unique<LogSet>();
    set->setStartTime(wallClock(2026, 1, 1, 0, 0));
    set->setInterval(1);
    set->KoCount = 4;
    QRandomGenerator random(42);
    for (int k = 1; k <= 4; ++k) {
        KoSeries &s = set->ko(k);
        s.HasData = 1;
        s.SeriesNo = qint16(k);
        s.KoNo = qint16(k);
        s.KoKind = 12;
        s.DataCount = MaxSamples;
        s.name = QStringLiteral("冷蔵庫%1").arg(k);
        for (int n = 1; n <= MaxSamples; ++n) {
            const double day = std::sin(2 * M_PI * n / 1440.0 + k);
            set->value(k, 1, n) = qint16(200 + 80 * day + random.bounded(-15, 15));
            set->value(k, 2, n) = qint16(55 + 20 * day + random.bounded(-3, 3));
            set->mark(k, 1, n) = set->value(k, 1, n) > 270 ? 1 : 0;
        }
        set->value(k, 1, 5000 + k) = StarValue;
        set->mark(k, 1, 5000 + k) = 0;
    }
    computeStatistics(*set);
    return set;
}

// Wire time at 9600 baud (10 bits a byte) of the replies the receiver sent, and with
// `repliesOnly` false of the requests it received too.
inline double wireSeconds(const sim::FrameLog &log, bool repliesOnly)
{
    qint64 bytes = 0;
    for (const sim::FrameLogEntry &e : log.entries()) {
        if (e.direction == sim::FrameLogEntry::Direction::Sent)
            bytes += e.bytes.size();
        else if (e.direction == sim::FrameLogEntry::Direction::Received && !repliesOnly)
            bytes += e.bytes.size() + 2; // CR LF after ETX
    }
    return double(bytes) * 10 / 9600;
}

} // namespace zt::bench
