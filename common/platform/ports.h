#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Serial port numbers 1..16 of the settings and the devices behind them.
namespace zt {

constexpr int MaxPortNo = 16;

// Device of port n: "COMn" on Windows. On Linux the link
// <settingsFolder()>/ports/COMn when it exists (resolved to its target), else the
// n-th present device in the order ttyUSB*, ttyACM*, ttyS*. Empty when none.
QString portDevice(int portNo);

// The same from a given set of present devices (full paths, any order).
QString portDevice(int portNo, const QString &linkFolder, const QStringList &presentDevices);

// Present devices sorted ttyUSB*, ttyACM*, ttyS*, numerically within each; others dropped.
QStringList orderedPortDevices(const QStringList &devices);

// Serial devices the system reports now.
QStringList presentPortDevices();

// <settingsFolder()>/ports
QString portLinkFolder();

struct PortEntry
{
    int portNo = 0;
    QString device; // empty: nothing behind this number
};

// Ports 1..16 with their devices, for the port dialog.
QList<PortEntry> listPorts();

// A short hint for an OpenPort error number (the permission hint names the
// dialout group); empty for other numbers.
QString portErrorHint(int errorNumber);

} // namespace zt
