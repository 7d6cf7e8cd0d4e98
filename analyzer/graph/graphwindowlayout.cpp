#include "graph/graphwindowlayout.h"

#include <QStringList>
#include <cmath>

namespace zt {

QSize graphWindowSize(int screenHeight)
{
    return screenHeight >= 1024 ? QSize(1280, 1024) : QSize(800, 600);
}

QFont graphBaseFont(int windowWidth)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS UI Gothic"), QStringLiteral("IPAGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setPointSizeF(8.0 * windowWidth / 640.0);
    return font;
}

GraphWindowLayout graphWindowLayout(QSize client, double w2, double h2)
{
    GraphWindowLayout l;
    const int width = int(std::lround(0.96875 * client.width()));
    const int left = (client.width() - width) / 2;
    // 60 twips below the nine text lines of the grid.
    const int gridHeight = int(std::lround(9 * h2)) + 4;
    const int imageHeight = std::max(1, client.height() - gridHeight - int(std::lround(h2)));
    l.image = QRect(left, 0, width, imageHeight);
    l.grid = QRect(left, imageHeight, width, gridHeight);
    l.column0 = int(std::lround(7 * w2));
    l.seriesColumn = std::max(0, (width - l.column0 - 6) / 8);
    const int row = gridHeight / 9;
    l.rowHeights = {int(std::lround(3 * h2)), int(std::lround(2 * h2)), row, row, row, row};
    return l;
}

} // namespace zt
