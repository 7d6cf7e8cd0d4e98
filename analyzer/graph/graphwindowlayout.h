#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <array>

namespace zt {

// Size of the graph window for a screen this many pixels high.
QSize graphWindowSize(int screenHeight);

// The plot's base font for a window this wide (8 points per 640 pixels).
QFont graphBaseFont(int windowWidth);

// Where `gImage` and `gpgrid` sit in the window's client area, and the grid's cells.
struct GraphWindowLayout
{
    QRect image;
    QRect grid;
    int column0 = 0;
    int seriesColumn = 0; // width of columns 1..8
    std::array<int, 6> rowHeights{};
};

// `client` is the area below the menu and toolbar; w2 and h2 are 1.5 x the width and
// 1.3 x the height of "あ" in the base font.
GraphWindowLayout graphWindowLayout(QSize client, double w2, double h2);

} // namespace zt
