#include "icons/toolbaricons.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The resources live in a static library: register them before the first look-up.
static void registerToolbarPictures()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)done;
}

namespace zt {

QStringList toolbarIconNames()
{
    return {QStringLiteral("open"),      QStringLiteral("save"),    QStringLiteral("print"),
            QStringLiteral("graph"),     QStringLiteral("readout"), QStringLiteral("recording"),
            QStringLiteral("monitor"),   QStringLiteral("range"),   QStringLiteral("label"),
            QStringLiteral("linewidth"), QStringLiteral("reflines")};
}

QIcon toolbarIcon(const QString &name)
{
    static QHash<QString, QIcon> cache;
    if (const auto it = cache.constFind(name); it != cache.constEnd())
        return *it;
    registerToolbarPictures();
    QSvgRenderer svg(QStringLiteral(":/toolbar/%1.svg").arg(name));
    if (!svg.isValid())
        return {};
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(ToolbarIconSize * scale, ToolbarIconSize * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        svg.render(&painter);
        painter.end();
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    cache.insert(name, icon);
    return icon;
}

void styleToolbar(QToolBar *bar)
{
    bar->setMovable(false);
    bar->setIconSize(QSize(ToolbarIconSize, ToolbarIconSize));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

} // namespace zt
