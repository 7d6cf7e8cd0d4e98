#pragma once

#include <QPoint>
#include <QSize>

namespace zt {

// The main window's size class, picked from the screen size in pixels.
struct ScreenLayout
{
    double scale = 1.0;         // 0.7, 1.0, 1.35 or 1.6
    int windowWidth = 0;        // pixels
    int windowHeight = 0;       // pixels
    int scrollBarThickness = 0; // pixels
    int fontPointSize = 9;
    bool tallScreen = false;         // height >= 1024: text heights are 1.2 times larger
    int columnMargin = 4;            // pixels added to the list's column widths (60 twips x scale)
    int listScrollBarThickness = 15; // the list's scroll bars: the thickness less 30 twips
    double twipsPerPixel = 15.0;
    QPoint topLeft; // on the screen
};

// twipsPerPixel is 1440 / logical DPI (15 at 96 DPI).
ScreenLayout layoutForScreen(QSize screen, double twipsPerPixel = 15.0);

} // namespace zt
