#include "ui/alarmspinbox.h"

namespace zt {

void AlarmSpinBox::stepBy(int steps)
{
    QSpinBox::stepBy(steps);
    if (steps != 0)
        emit stepped(steps > 0);
}

} // namespace zt
