#include "engine/limittest.h"

#include "link/fields.h"

namespace zt {

bool monitorLimitAlarm(qint16 value, qint16 high, qint16 low)
{
    // Both codes lie below -999 but mean "nothing measured", never an excursion.
    if (value == MissingCode || value == NoValueCode)
        return false;
    return value < low || value > high || value < -999;
}

} // namespace zt
