#pragma once

#include "engine/monitorslot.h"

namespace zt {

class AlarmLog;

// The receiver's two contact outputs as the list window shows them. Each starts
// as "OFF"; every change is logged.
class ContactIndicators
{
public:
    void update(bool alarmOn, bool batteryOn, AlarmLog &log);
    bool alarmOn() const { return m_alarm; }
    bool batteryOn() const { return m_battery; }

private:
    bool m_alarm = false;
    bool m_battery = false;
};

// Logs the battery and radio state changes of every slot against what was last logged.
void trackSlotStatus(SlotArray &table, int koCount, AlarmLog &log);

} // namespace zt
