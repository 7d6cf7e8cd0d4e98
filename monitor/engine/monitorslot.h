#pragma once

#include "link/receivervalues.h"

#include <QDateTime>
#include <QString>
#include <array>

namespace zt {

// Everything the monitor knows of one transmitter slot. Flags are plain bools here;
// the receiver's bits are decoded once when a poll reply arrives.
struct MonitorSlot
{
    int koNo = 0;
    QString KoName;
    qint16 KoKind = 0;
    bool registered = false;

    // From the last poll reply.
    qint16 SlotStatus = 0;
    bool ReceiverAlarmState = false; // bit 0
    bool batteryAlarm = false;       // bit 1
    bool commFailure = false;        // bit 2
    bool recording = false;          // bit 3
    int DataCounter = 0;             // SlotValue without bit 7

    // As last logged (the status tracking compares against these).
    bool batteryAlarmPrev = false;
    bool commFailurePrev = false;

    bool KoOperating = false;
    bool KoPending = false;
    bool AlarmStateChanged = false;
    bool AlarmState = false;
    bool Ch1AlarmState = false;
    bool Ch2AlarmState = false;
    bool ReflectedAlarmState = false;
    bool AlarmMonitorOn = true;
    int ReadCounter = 0;
    QDateTime LastRecordTime; // invalid while unknown

    AlarmLimits limits;
    MeasureRanges ranges;
    MeasureRanges rangesPrev;
    bool rangesPrevKnown = false;

    // New records arrived since the flag was last cleared (list refresh and the
    // periodic save clear it themselves).
    bool dataUpdated = false;
    // Set by a contact release to keep the measure column showing the alarm until
    // the slot's next data arrive; the cycle clears it then.
    bool alarmShownAfterRelease = false;

    bool twoChannels() const { return KoKind != 10; }
};

using SlotArray = std::array<MonitorSlot, MaxKo>;

} // namespace zt
