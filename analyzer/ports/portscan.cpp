#include "ports/portscan.h"

#include "link/receivercommands.h"
#include "link/seriallink.h"
#include "platform/ports.h"

namespace zt {

PortScan::PortScan(SerialLink &link, DeviceOf deviceOf, QObject *parent)
    : QObject(parent), link(link), deviceOf(std::move(deviceOf))
{
}

int PortScan::run(int skipPort)
{
    for (int port = 1; port <= MaxPortNo && !stop; ++port) {
        if (port == skipPort)
            continue;
        emit scanning(port);
        link.setPortName(deviceOf(port));
        if (link.OpenPort() != 0)
            continue;
        ReceiverValues values;
        const bool answered = ReadByCode(link, Command::ReadIdentification, 0, values);
        link.ClosePort();
        if (answered && !stop)
            return port;
    }
    return 0;
}

void PortScan::cancel()
{
    stop = true;
    link.cancelWait();
    link.ClosePort();
}

} // namespace zt
