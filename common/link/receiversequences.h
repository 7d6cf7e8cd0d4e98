#pragma once

#include "link/receivervalues.h"
#include "records/registry.h"

#include <array>

// Command sequences other parts of the programs start.
namespace zt {

class SerialLink;

enum class ReceiverCheck { Failed = 0, Registered = 1, NotRegistered = 2 };

// Opens the port, reads "05" and "06", closes the port, and looks ReceiverID up
// among the registry's slots; the slot found (or 1) becomes the current slot.
ReceiverCheck checkReceiver(SerialLink &link, OyaRegistry &registry, ReceiverValues &values);

// What the alarm dialog keeps of the receiver's state, per slot 1..30 (index KoNo - 1).
struct AlarmDialogStatus
{
    std::array<bool, MaxKo> recording{};
    std::array<qint16, MaxKo> slotValue{};
    std::array<QDateTime, MaxKo> newestTime;
};

// "05", "06", remote mode on, "10", then "13" and "07" of recording slots and "11"
// of slots with news, and remote mode off. The port stays open on success; the
// first failure closes it.
bool readAlarmDialogStatus(SerialLink &link, ReceiverValues &values, AlarmDialogStatus &status);

} // namespace zt
