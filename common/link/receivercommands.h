#pragma once

#include "link/commandtable.h"
#include "link/replyparsers.h"

#include <QChar>
#include <QString>

// The receiver operations, each one command over the link.
namespace zt {

class SerialLink;

// Transact of a request, judged by ParseReply.
bool transactRequest(SerialLink &link, const Request &request, ReceiverValues &values);

// ReadByCode: "05", "06", "08" (koNo 0) or "07", "11", "13" of one slot, judged by
// length; useSecondTimer waits on TimeOutTimer2.
bool ReadByCode(SerialLink &link, Command command, int koNo, ReceiverValues &values,
                bool useSecondTimer = false);

bool setRemoteMode(SerialLink &link, qint32 receiverId, bool on);
bool readStatus(SerialLink &link, qint32 receiverId, ReceiverValues &values);
bool readSummary(SerialLink &link, int koNo, ReceiverValues &values);
bool writeAlarmLimits(SerialLink &link, int koNo, const AlarmLimits &limits);
// Not sent (false) unless 1 <= count <= 30.
bool setSystemKoCount(SerialLink &link, int count);
// Not sent (false) unless the text is exactly 30 characters.
bool setClockAndIntervals(SerialLink &link, const QString &text30);
bool releaseAlarm(SerialLink &link, int koNo, QChar letter);

// Asynchronous send: PendingCode is the request's code; completed() follows.
bool sendRequest(SerialLink &link, const Request &request);

} // namespace zt
