#include "link/commandtable.h"

#include "link/fields.h"

#include <array>

namespace zt {

namespace {
constexpr std::array<CommandSpec, 13> table{{
    {Command::ReadIdentification, "05", "20", 17},
    {Command::ReadSettings, "06", "20", 60},
    {Command::ReadAlarmLimits, "07", "20", 25},
    {Command::WriteAlarmLimits, "07", "01", AckReply},
    {Command::ReadRecording, "08", "20", 39},
    {Command::ReadStatus, "10", "20", 112},
    {Command::ReadSummary, "11", "20", 30},
    {Command::ReadBlock, "12", "20", VariableReply},
    {Command::ReadKind, "13", "20", 48},
    {Command::RemoteMode, "20", "01", AckReply},
    {Command::SetKoCount, "01", "01", AckReply},
    {Command::SetClock, "02", "01", AckReply},
    {Command::Release, "21", "01", AckReply},
}};

QString slotField(int koNo)
{
    return HexField(koNo, 2);
}

Request make(Command command, QString data, int koNo = 0)
{
    Request r;
    r.command = command;
    r.data = std::move(data);
    r.koNo = koNo;
    return r;
}
} // namespace

const CommandSpec &commandSpec(Command command)
{
    return table[std::size_t(command)];
}

QString Request::parseCode() const
{
    if (commandSpec(command).replyLength == AckReply)
        return ackCode();
    return code();
}

Request readRequest(Command command, int koNo)
{
    switch (command) {
    case Command::ReadAlarmLimits:
    case Command::ReadSummary:
    case Command::ReadKind:
        return make(command, slotField(koNo), koNo);
    default:
        return make(command, QStringLiteral("00"));
    }
}

Request statusRequest(qint32 receiverId)
{
    return make(Command::ReadStatus, QStringLiteral("00") + HexField(receiverId, 4));
}

Request blockRequest(int koNo, int count, const QDateTime &firstTime)
{
    Request r = make(Command::ReadBlock,
                     slotField(koNo) + HexField(count, 4) + DateField(firstTime, false), koNo);
    r.blockTime = firstTime;
    r.blockCount = count;
    return r;
}

Request writeAlarmLimitsRequest(int koNo, const AlarmLimits &l)
{
    return make(Command::WriteAlarmLimits,
                slotField(koNo) + HexField(l.AlarmHigh1, 4) + HexField(l.AlarmLow1, 4) +
                    HexField(l.AlarmHigh2, 4) + HexField(l.AlarmLow2, 4),
                koNo);
}

Request remoteModeRequest(qint32 receiverId, bool on)
{
    return make(Command::RemoteMode, QStringLiteral("00") + HexField(receiverId, 4) +
                                         (on ? QLatin1Char('1') : QLatin1Char('0')));
}

Request setKoCountRequest(int count)
{
    return make(Command::SetKoCount, QStringLiteral("00") + HexField(count, 2));
}

Request setClockRequest(const QString &text30)
{
    return make(Command::SetClock, QStringLiteral("00") + text30);
}

Request releaseRequest(int koNo, QChar letter)
{
    return make(Command::Release, slotField(koNo) + letter, koNo);
}

} // namespace zt
