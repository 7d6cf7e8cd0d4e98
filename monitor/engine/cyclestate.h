#pragma once

#include <QtGlobal>

namespace zt {

// Where the monitoring cycle stands; the values are the ones the cycle has always
// used (0 idle .. 4 reflecting).
enum class CycleState : qint16 {
    Idle = 0,
    PollSent = 1,
    RecordingStarts = 2,
    Reading = 3,
    Reflecting = 4,
};

// Outcome of the monitoring start.
enum class StartResult : int {
    Success = 0,
    NoTransmitters = 1,
    PortFailed = 2,
    CommFailed = 100,
};

} // namespace zt
