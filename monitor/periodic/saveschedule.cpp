#include "periodic/saveschedule.h"

namespace zt {

QDateTime nextSaveTime(const QDateTime &now, int saveType, int hour)
{
    QDate base = now.date();
    if (now.time().hour() >= hour) {
        switch (SaveType(saveType)) {
        case SaveType::Weekly:
            base = base.addDays(7);
            break;
        case SaveType::Monthly:
            base = base.addMonths(1); // clamps to the month's last day
            break;
        default:
            base = base.addDays(1);
            break;
        }
    }
    return QDateTime(base, QTime(hour, 0), Qt::UTC);
}

void resetSaveOptions(AutoSaveSettings &options)
{
    options.saveType = 0;
    options.saveTime = QTime(0, 0);
    options.folderMode = 0;
}

} // namespace zt
