#pragma once

#include <QString>

namespace zt {

class PrintEngine;

// The font size of a printout: the largest size in [smallest, largest] at which a line of
// `cells` "M" cells fits the printable width, else `fallback`.
struct FontFit
{
    double size = 0;
    double cellWidth = 0; // width of "M" at that size
    double indent = 0;    // centres the line in the printable width
};

FontFit fitFont(PrintEngine &engine, const QString &family, int cells, int smallest, int largest,
                int fallback);

} // namespace zt
