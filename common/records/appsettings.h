#pragma once

#include <QtGlobal>

namespace zt {

// The analysis program's options (zt2000.dat); the monitor reads PortNo only.
struct AppSettings
{
    qint16 PortNo = 1;
    qint16 ScaleFixed1 = 0; // 0 = automatic CH1 graph scale
    qint16 ScaleFixed2 = 0;
    qint16 ScaleMax1 = 100; // degrees Celsius
    qint16 ScaleMin1 = 0;
    qint16 ScaleMax2 = 100; // %rh
    qint16 ScaleMin2 = 0;
    qint16 SpareSetting = 0; // kept as read

    bool operator==(const AppSettings &) const = default;
};

} // namespace zt
