#pragma once

#include "link/receivervalues.h"

#include <QDateTime>
#include <QString>

// The receiver's command set: the one place that knows each command's code,
// access field, request data and expected reply.
namespace zt {

enum class Command {
    ReadIdentification, // "05"
    ReadSettings,       // "06"
    ReadAlarmLimits,    // "07" read
    WriteAlarmLimits,   // "07" write
    ReadRecording,      // "08"
    ReadStatus,         // "10"
    ReadSummary,        // "11"
    ReadBlock,          // "12"
    ReadKind,           // "13"
    RemoteMode,         // "20"
    SetKoCount,         // "01"
    SetClock,           // "02"
    Release,            // "21"
};

// Reply length of a command answered by ACK/NAK, and of "12" (checked by its block rules).
constexpr int AckReply = -1;
constexpr int VariableReply = 0;

struct CommandSpec
{
    Command command;
    const char *code;
    const char *access; // "20" reading, "01" writing
    int replyLength;    // ReplyText length, AckReply or VariableReply
};

const CommandSpec &commandSpec(Command command);

// The pseudo-code whose ParseReply check is "ACK first".
inline QString ackCode()
{
    return QStringLiteral("100");
}

// One request: what SendFrame writes, plus what its reply is judged against.
struct Request
{
    Command command = Command::ReadIdentification;
    QString data;
    int koNo = 0;        // slot the reply's fields belong to
    QDateTime blockTime; // "12": time of the first record asked for
    int blockCount = 0;  // "12": records asked for

    QString code() const { return QLatin1String(commandSpec(command).code); }
    QString access() const { return QLatin1String(commandSpec(command).access); }
    // The code ParseReply judges the reply by ("100" for acknowledgements).
    QString parseCode() const;
};

// "05", "06", "08" (koNo ignored, "00" sent) and "07", "11", "13" read for one slot.
Request readRequest(Command command, int koNo = 0);
Request statusRequest(qint32 receiverId);
Request blockRequest(int koNo, int count, const QDateTime &firstTime);
Request writeAlarmLimitsRequest(int koNo, const AlarmLimits &limits);
Request remoteModeRequest(qint32 receiverId, bool on);
Request setKoCountRequest(int count);
// The 30-character clock, intervals and start text of the recording settings.
Request setClockRequest(const QString &text30);
// letter 'F' (alarm), 'E' (no alarm) or '0'; koNo 0 is the receiver's contact output.
Request releaseRequest(int koNo, QChar letter);

// Largest block "12" asks for.
constexpr int MaxBlockRecords = 50;

} // namespace zt
