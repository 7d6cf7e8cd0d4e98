#include "graph/readout.h"

#include "records/cp932.h"
#include "records/datetime.h"

#include <QLocale>
#include <cmath>

namespace zt {

namespace {

bool slotHidden(const std::array<bool, 8> &hidden, int slot)
{
    return slot >= 1 && slot <= int(hidden.size()) && hidden[std::size_t(slot - 1)];
}

} // namespace

std::optional<PickedValue> pickNearestCurve(QPointF pointer, const PlotArea &plot, ViewRows view,
                                            const std::vector<PlotSeries> &series,
                                            const std::array<bool, 8> &hidden,
                                            const AppSettings &settings, double tolerancePx)
{
    if (!plot.containsStrictly(pointer) || view.span() <= 0)
        return std::nullopt;
    const double pxPerRow = plot.width / view.span();
    const int row = view.first + int(roundHalfEven((pointer.x() - plot.left) / pxPerRow));
    if (std::abs(pointer.x() - (plot.left + (row - view.first) * pxPerRow)) > tolerancePx)
        return std::nullopt;

    int best = 32500;
    std::optional<PickedValue> found;
    double foundY = 0;
    for (const PlotSeries &s : series) {
        if (!s.present || s.kind == ChannelKind::None || slotHidden(hidden, s.slot))
            continue;
        const int n = row - s.offset;
        if (n < 1 || n > s.count || s.sample(n) >= ValidSampleBelow)
            continue;
        const int factor = tenthsFactor(s.kind);
        const TenthsRange r = axisTenths(s.kind, settings);
        const int v = s.sample(n) * factor;
        if (v < r.lo || v > r.hi || r.hi == r.lo)
            continue;
        const double pxPerTenth = plot.height / (r.hi - r.lo);
        const double pointerTenths = r.hi - std::floor((pointer.y() - plot.top) / pxPerTenth);
        const int distance = int(roundHalfEven(std::abs(pointerTenths - v) / factor));
        if (distance < best) {
            best = distance;
            found = PickedValue{s.slot, row, v};
            foundY = plot.top + (r.hi - v) * pxPerTenth;
        }
    }
    if (found && std::abs(pointer.y() - foundY) < tolerancePx)
        return found;
    return std::nullopt;
}

QString readoutText(const PlotSeries &series, const PickedValue &picked, const QDateTime &start,
                    int intervalMinutes)
{
    const auto [line1, line2] = splitNameAtBytes(series.name);
    const QDateTime time = rowTime(start, intervalMinutes, picked.row);
    const QString unit =
        series.kind == ChannelKind::Humidity ? QStringLiteral("%rh") : QStringLiteral("℃");
    return line1 + line2 + QLatin1Char(':') +
           QLocale::system().toString(time, QLocale::ShortFormat) + QLatin1Char(' ') +
           QLocale::system().toString(picked.tenths / 10.0, 'g', 6) + unit;
}

} // namespace zt
