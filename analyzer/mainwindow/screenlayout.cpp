#include "mainwindow/screenlayout.h"

#include <cmath>

namespace zt {

ScreenLayout layoutForScreen(QSize screen, double twipsPerPixel)
{
    ScreenLayout l;
    const int h = screen.height();
    const int w = screen.width();
    int baseHeight = 0;
    if (h < 600) {
        l.scale = 0.7;
        baseHeight = 480;
    } else if (h < 768) {
        l.scale = 1.0;
        baseHeight = 600;
    } else if (h < 1024) {
        l.scale = 1.35;
        baseHeight = 768;
    } else {
        l.scale = 1.6;
        baseHeight = 1024;
    }
    l.tallScreen = h >= 1024;
    l.windowHeight = int(std::lround(baseHeight - 400.0 / twipsPerPixel));
    l.scrollBarThickness = int(std::lround((l.tallScreen ? 312.0 : 240.0) / twipsPerPixel));
    l.listScrollBarThickness =
        int(std::lround(((l.tallScreen ? 312.0 : 240.0) - 30.0) / twipsPerPixel));
    l.columnMargin = int(std::lround(60.0 * l.scale / twipsPerPixel));
    l.twipsPerPixel = twipsPerPixel;
    l.windowWidth = w < 800 ? 600 : w < 1024 ? 800 : w < 1280 ? 1024 : 1280;
    l.fontPointSize = int(std::lround(9 * l.scale));

    const bool topAligned = h == 600 || h == 768 || h == 1024;
    const bool leftAligned = w == 600 || w == 800 || w == 1024 || w == 1280;
    l.topLeft.setY(topAligned ? 0 : std::max(0, (h - l.windowHeight) / 2));
    l.topLeft.setX(leftAligned ? 0 : std::max(0, (w - l.windowWidth) / 2));
    return l;
}

} // namespace zt
