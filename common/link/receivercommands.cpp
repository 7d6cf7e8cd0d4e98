#include "link/receivercommands.h"

#include "link/seriallink.h"

namespace zt {

namespace {
bool acknowledged(SerialLink &link, const Request &request)
{
    return link.Transact(request.access(), request.code(), request.data, isAcknowledgement);
}
} // namespace

bool transactRequest(SerialLink &link, const Request &request, ReceiverValues &values)
{
    QStringList records;
    const BlockTarget block{request.blockTime, request.blockCount, &records};
    const QString parseCode = request.parseCode();
    return link.Transact(request.access(), request.code(), request.data, [&](const QString &reply) {
        return ParseReply(parseCode, reply, request.koNo, values, &block).ok;
    });
}

bool ReadByCode(SerialLink &link, Command command, int koNo, ReceiverValues &values,
                bool useSecondTimer)
{
    const Request request = readRequest(command, koNo);
    const QString code = request.code();
    return link.Transact(
        request.access(), code, request.data,
        [&](const QString &reply) { return readByCodeReply(code, reply, koNo, values); },
        useSecondTimer);
}

bool setRemoteMode(SerialLink &link, qint32 receiverId, bool on)
{
    return acknowledged(link, remoteModeRequest(receiverId, on));
}

bool readStatus(SerialLink &link, qint32 receiverId, ReceiverValues &values)
{
    return transactRequest(link, statusRequest(receiverId), values);
}

bool readSummary(SerialLink &link, int koNo, ReceiverValues &values)
{
    return transactRequest(link, readRequest(Command::ReadSummary, koNo), values);
}

bool writeAlarmLimits(SerialLink &link, int koNo, const AlarmLimits &limits)
{
    return acknowledged(link, writeAlarmLimitsRequest(koNo, limits));
}

bool setSystemKoCount(SerialLink &link, int count)
{
    if (count < 1 || count > MaxKo)
        return false;
    return acknowledged(link, setKoCountRequest(count));
}

bool setClockAndIntervals(SerialLink &link, const QString &text30)
{
    if (text30.size() != 30)
        return false;
    return acknowledged(link, setClockRequest(text30));
}

bool releaseAlarm(SerialLink &link, int koNo, QChar letter)
{
    return acknowledged(link, releaseRequest(koNo, letter));
}

bool sendRequest(SerialLink &link, const Request &request)
{
    link.setPendingCode(request.code());
    return link.sendAsync(request.access(), request.code(), request.data);
}

} // namespace zt
