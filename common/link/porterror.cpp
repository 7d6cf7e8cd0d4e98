#include "link/porterror.h"

#include <QFileInfo>

namespace zt {

int openErrorNumber(QSerialPort::SerialPortError error, const QString &device)
{
    switch (error) {
    case QSerialPort::NoError:
        return 0;
    case QSerialPort::DeviceNotFoundError:
        return PortErrorNoSuchDevice;
    case QSerialPort::PermissionError: {
        const QFileInfo info(device);
        if (info.exists() && info.isReadable() && info.isWritable())
            return PortErrorInUse;
        return info.exists() ? PortErrorPermission : PortErrorNoSuchDevice;
    }
    default:
        return PortErrorInUse;
    }
}

} // namespace zt
