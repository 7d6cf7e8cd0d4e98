#include "link/receiversequences.h"

#include "link/receivercommands.h"
#include "link/seriallink.h"

namespace zt {

ReceiverCheck checkReceiver(SerialLink &link, OyaRegistry &registry, ReceiverValues &values)
{
    if (link.OpenPort() != 0)
        return ReceiverCheck::Failed;
    const bool ok = ReadByCode(link, Command::ReadIdentification, 0, values) &&
                    ReadByCode(link, Command::ReadSettings, 0, values);
    link.ClosePort();
    if (!ok)
        return ReceiverCheck::Failed;
    for (int s = 1; s <= MaxOya; ++s) {
        if (registry.OyaID[std::size_t(s)] != 0 &&
            registry.OyaID[std::size_t(s)] == values.ReceiverID) {
            registry.currentSlot = s;
            return ReceiverCheck::Registered;
        }
    }
    registry.currentSlot = 1;
    return ReceiverCheck::NotRegistered;
}

namespace {
bool readSlots(SerialLink &link, ReceiverValues &values, AlarmDialogStatus &status)
{
    for (int k = 1; k <= MaxKo; ++k) {
        const std::size_t i = std::size_t(k - 1);
        if (values.RecordingFlags[i]) {
            status.recording[i] = true;
            if (!ReadByCode(link, Command::ReadKind, k, values) ||
                !ReadByCode(link, Command::ReadAlarmLimits, k, values))
                return false;
        }
        if (values.SlotValue[i] != 0) {
            status.slotValue[i] = values.SlotValue[i];
            if (!readSummary(link, k, values))
                return false;
            status.newestTime[i] = values.slot(k).newestTime;
        }
    }
    return true;
}
} // namespace

bool readAlarmDialogStatus(SerialLink &link, ReceiverValues &values, AlarmDialogStatus &status)
{
    status = {};
    const bool ok =
        link.OpenPort() == 0 && ReadByCode(link, Command::ReadIdentification, 0, values) &&
        ReadByCode(link, Command::ReadSettings, 0, values) &&
        setRemoteMode(link, values.ReceiverID, true) &&
        readStatus(link, values.ReceiverID, values) && readSlots(link, values, status) &&
        setRemoteMode(link, values.ReceiverID, false);
    if (!ok)
        link.ClosePort();
    return ok;
}

} // namespace zt
