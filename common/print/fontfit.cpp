#include "print/fontfit.h"

#include "print/printengine.h"

#include <algorithm>

namespace zt {

FontFit fitFont(PrintEngine &engine, const QString &family, int cells, int smallest, int largest,
                int fallback)
{
    const double room = engine.page().printableWidth();
    auto measure = [&](int size) {
        engine.setFont(family, size);
        return engine.textWidth(QStringLiteral("M"));
    };
    FontFit fit{double(fallback), measure(fallback), 0};
    for (int size = largest; size >= smallest; --size) {
        const double w = measure(size);
        if (cells * w <= room) {
            fit = {double(size), w, 0};
            break;
        }
    }
    engine.setFont(family, fit.size);
    // Even the fallback may be too wide: then the line stays centred on the page.
    fit.indent = std::max(-engine.page().marginLeft, (room - cells * fit.cellWidth) / 2);
    return fit;
}

} // namespace zt
