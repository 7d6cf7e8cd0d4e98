#pragma once

#include <QSerialPort>
#include <QString>

// The numbers OpenPort returns; the message tables know them.
namespace zt {

constexpr int PortErrorNoSuchDevice = 8002;
constexpr int PortErrorInUse = 8005;      // already open, or locked by another program
constexpr int PortErrorPermission = 8010; // the user may not open the device

// Number for a failed QSerialPort::open() of `device`. Qt reports a lock held by
// another program as a permission error, so a device we may read and write counts
// as in use.
int openErrorNumber(QSerialPort::SerialPortError error, const QString &device);

} // namespace zt
