#pragma once

#include "engine/serverfaults.h"

#include <QString>

namespace zt::sim {

// Faults chosen on the command line: the reply faults plus timed ones.
struct FaultPlan
{
    ServerFaults faults;
    int leaveRemoteAfterMs = -1;
    int hangUpAfterMs = -1;
};

// Adds one "--fault" value to the plan; returns an error text, empty when understood:
// noreply[=N], nak[=N], garbage[=TEXT], split=PIECES[:MS], late=MS,
// leave-remote=SECONDS, hangup=SECONDS.
QString addFaultOption(const QString &option, FaultPlan &plan);

} // namespace zt::sim
