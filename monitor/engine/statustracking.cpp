#include "engine/statustracking.h"

#include "engine/alarmlog.h"

namespace zt {

void ContactIndicators::update(bool alarmOn, bool batteryOn, AlarmLog &log)
{
    if (batteryOn != m_battery)
        log.AlarmLogAppend(batteryOn ? QStringLiteral("受信器 BATT AL接点ON")
                                     : QStringLiteral("受信器 BATT AL接点OFF"));
    m_battery = batteryOn;
    if (alarmOn != m_alarm)
        log.AlarmLogAppend(alarmOn ? QStringLiteral("受信器 ALARM接点ON")
                                   : QStringLiteral("受信器 ALARM接点OFF"));
    m_alarm = alarmOn;
}

void trackSlotStatus(SlotArray &table, int koCount, AlarmLog &log)
{
    for (int k = 1; k <= koCount && k <= MaxKo; ++k) {
        MonitorSlot &s = table[std::size_t(k - 1)];
        if (s.batteryAlarm != s.batteryAlarmPrev) {
            log.appendSlot(k, s.batteryAlarm ? QStringLiteral("バッテリ異常")
                                             : QStringLiteral("バッテリ異常復帰"));
            s.batteryAlarmPrev = s.batteryAlarm;
        }
        if (s.commFailure != s.commFailurePrev) {
            log.appendSlot(k,
                           s.commFailure ? QStringLiteral("通信不良") : QStringLiteral("通信復帰"));
            s.commFailurePrev = s.commFailure;
        }
    }
}

} // namespace zt
