#pragma once

#include <QString>

namespace zt {

class AnalyzerSession;

// The two receivers' ports: receiver 1 uses PortNo of the settings, receiver 2 a
// second port kept in memory with its state (0 never established, 2 established).
struct SecondPort
{
    int portNo = 2;
    int state = 0;
};

// The port the current receiver choice uses.
int chosenPortNo(const AnalyzerSession &session);

} // namespace zt
