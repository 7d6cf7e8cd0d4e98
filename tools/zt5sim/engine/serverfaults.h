#pragma once

#include <QByteArray>

namespace zt::sim {

// Faults the pty server applies to its replies; several may be combined.
struct ServerFaults
{
    bool noReply = false; // the request is lost: no reply, nothing executed
    bool nak = false;     // the request is refused without being executed
    QByteArray garbage;   // bytes sent before the reply's STX
    int splitPieces = 0;  // 2 or more: the reply leaves in this many pieces ...
    int splitDelayMs = 0; // ... with this pause between them
    int lateMs = 0;       // the reply leaves this long after the request
    int count = -1;       // replies affected before the faults clear; -1 = all
    // Spoiled "12" replies, counted on their own (other replies pass untouched).
    enum class BlockFault { None, TimeShift, NoEndComma };
    BlockFault blockFault = BlockFault::None;
    int blockFaultCount = -1;       // -1 = every "12" reply
    bool ignoreAlarmStates = false; // "21" is acknowledged but not carried out

    bool any() const
    {
        return noReply || nak || !garbage.isEmpty() || splitPieces > 1 || lateMs > 0 ||
               blockFault != BlockFault::None || ignoreAlarmStates;
    }
};

} // namespace zt::sim
