#include "kinetic.h"

#include "records/limits.h"

#include <cmath>

namespace zt2 {

namespace {
constexpr double zeroCelsius = 273.15;
}

std::optional<double> meanKineticTemperature(const qint16 *samples, int count)
{
    double sum = 0;
    int valid = 0;
    for (int i = 0; i < count; ++i) {
        if (zt::isSpecialValue(samples[i]))
            continue;
        const double kelvin = samples[i] / 10.0 + zeroCelsius;
        sum += std::exp(-ActivationOverGas / kelvin);
        ++valid;
    }
    if (valid == 0)
        return std::nullopt;
    return ActivationOverGas / -std::log(sum / valid) - zeroCelsius;
}

} // namespace zt2
