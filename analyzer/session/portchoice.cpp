#include "session/portchoice.h"

#include "session/analyzersession.h"

namespace zt {

int chosenPortNo(const AnalyzerSession &session)
{
    return session.receiverChoice == 1 ? session.secondPort.portNo : session.settings.app.PortNo;
}

} // namespace zt
