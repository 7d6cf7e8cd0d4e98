#include "analyzer/portchoice.h"

#include "analyzer/analyzersession.h"

namespace zt {

int chosenPortNo(const AnalyzerSession &session)
{
    return session.receiverChoice == 1 ? session.secondPort.portNo : session.settings.app.PortNo;
}

} // namespace zt
