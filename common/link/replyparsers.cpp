#include "link/replyparsers.h"

#include "link/commandtable.h"
#include "link/fields.h"
#include "link/replyframer.h"

namespace zt {

namespace {

// Field at 1-based ReplyText position `pos`.
QStringView field(const QString &reply, int pos, int width)
{
    return QStringView(reply).mid(pos - 1, width);
}

qint16 hex16(const QString &reply, int pos, int width = 4)
{
    return qint16(readHex(field(reply, pos, width)));
}

bool validSlot(int koNo)
{
    return koNo >= 1 && koNo <= MaxKo;
}

bool hasLength(const QString &reply, Command command)
{
    return reply.size() == commandSpec(command).replyLength;
}

int readFlags(const QString &reply, int pos, std::array<bool, MaxKo> &flags)
{
    int set = 0;
    for (int k = 0; k < MaxKo; ++k) {
        flags[std::size_t(k)] = readHex(field(reply, pos + k, 1)) != 0;
        set += flags[std::size_t(k)] ? 1 : 0;
    }
    return set;
}

int hoursMinutes(const QString &reply, int pos)
{
    return readHex(field(reply, pos, 2)) * 60 + readHex(field(reply, pos + 2, 2));
}

bool readIdentification(const QString &reply, ReceiverValues &v)
{
    if (!hasLength(reply, Command::ReadIdentification))
        return false;
    v.idPrefix = field(reply, 9, 4).toString();
    v.ReceiverID = readHex(field(reply, 13, 4));
    return true;
}

bool readSettings(const QString &reply, ReceiverValues &v)
{
    if (!hasLength(reply, Command::ReadSettings))
        return false;
    v.SystemKoCount = hex16(reply, 9, 2);
    v.registeredCount = readFlags(reply, 11, v.RegisteredFlags);
    v.MeasureInterval = hoursMinutes(reply, 41);
    v.CommInterval = hoursMinutes(reply, 45);
    v.ReceiverClock = readDateField(field(reply, 49, 11), true);
    return true;
}

bool readAlarmLimits(const QString &reply, int koNo, ReceiverValues &v)
{
    if (!validSlot(koNo) || !hasLength(reply, Command::ReadAlarmLimits))
        return false;
    v.slot(koNo).limits = {hex16(reply, 9), hex16(reply, 13), hex16(reply, 17), hex16(reply, 21)};
    return true;
}

bool readRecording(const QString &reply, ReceiverValues &v)
{
    if (!hasLength(reply, Command::ReadRecording))
        return false;
    readFlags(reply, 9, v.RecordingFlags);
    return true;
}

bool readStatus(const QString &reply, ReceiverValues &v)
{
    if (!hasLength(reply, Command::ReadStatus))
        return false;
    v.ReceiverClock = readDateField(field(reply, 9, 11), true);
    v.statusDigit = hex16(reply, 20, 1);
    v.contactDigit = hex16(reply, 21, 1);
    for (int k = 0; k < MaxKo; ++k) {
        const int pos = 22 + 3 * k;
        v.SlotStatus[std::size_t(k)] = hex16(reply, pos, 1);
        v.SlotValue[std::size_t(k)] = hex16(reply, pos + 1, 2);
        v.RecordingFlags[std::size_t(k)] = (v.SlotStatus[std::size_t(k)] & SlotRecordingBit) != 0;
    }
    return true;
}

bool readSummary(const QString &reply, int koNo, ReceiverValues &v)
{
    if (!validSlot(koNo) || !hasLength(reply, Command::ReadSummary))
        return false;
    SlotValues &s = v.slot(koNo);
    s.DataCount = hex16(reply, 9);
    if (s.DataCount == 0)
        return true; // nothing recorded: the rest carries no meaning
    s.newestTime = readDateField(field(reply, 13, 9), false);
    s.summary1 = hex16(reply, 22);
    s.summary2 = hex16(reply, 26);
    s.summaryText = field(reply, 22, 8).toString();
    return true;
}

bool kindReplyFits(const QString &reply, int koNo)
{
    return validSlot(koNo) && hasLength(reply, Command::ReadKind) &&
           readHex(field(reply, 9, 4)) != 0;
}

void readKindAndRanges(const QString &reply, SlotValues &s)
{
    s.KoKind = qint16(field(reply, 22, 2).toInt());
    s.ranges = {hex16(reply, 24), hex16(reply, 28), hex16(reply, 32), hex16(reply, 36)};
}

bool readKind(const QString &reply, int koNo, ReceiverValues &v, bool withNewest)
{
    if (!kindReplyFits(reply, koNo))
        return false;
    SlotValues &s = v.slot(koNo);
    readKindAndRanges(reply, s);
    if (withNewest) {
        s.latestTime = readDateField(field(reply, 13, 9), false);
        s.LatestRecord = readRecordField(field(reply, 40, 8));
    }
    return true;
}

bool readFixed(QStringView code, const QString &reply, int koNo, ReceiverValues &v,
               bool kindWithNewest)
{
    if (code == u"05")
        return readIdentification(reply, v);
    if (code == u"06")
        return readSettings(reply, v);
    if (code == u"07")
        return readAlarmLimits(reply, koNo, v);
    if (code == u"08")
        return readRecording(reply, v);
    if (code == u"11")
        return readSummary(reply, koNo, v);
    if (code == u"13")
        return readKind(reply, koNo, v, kindWithNewest);
    return false;
}
} // namespace

bool isRefusal(const QString &reply)
{
    return reply.startsWith(QLatin1Char(NAK));
}

bool isAcknowledgement(const QString &reply)
{
    return reply.startsWith(QLatin1Char(ACK));
}

bool readByCodeReply(QStringView code, const QString &reply, int koNo, ReceiverValues &values)
{
    return !isRefusal(reply) && readFixed(code, reply, koNo, values, false);
}

BlockError parseSampleBlock(const QString &reply, const QDateTime &requestedTime, int maxRecords,
                            QStringList &records)
{
    if (isRefusal(reply) || reply.size() < 21)
        return BlockError::Rejected;
    const int n = readHex(field(reply, 9, 4));
    if (n < 0 || n > maxRecords)
        return BlockError::Rejected;
    const QDateTime first = readDateField(field(reply, 13, 9), false);
    if (!first.isValid() || first != requestedTime)
        return BlockError::TimeMismatch;
    const qsizetype end = 21 + qsizetype(8) * n; // 0-based index of the end comma
    if (end >= reply.size() || reply.at(end) != QLatin1Char(','))
        return BlockError::MissingEndComma;
    for (int i = 0; i < n; ++i)
        records.append(reply.mid(21 + 8 * i, 8));
    return BlockError::None;
}

ParseResult ParseReply(QStringView code, const QString &reply, int koNo, ReceiverValues &values,
                       const BlockTarget *block)
{
    if (isRefusal(reply))
        return {false, BlockError::Rejected};
    if (code == u"100" || code == u"200" || code == u"20" || code == u"01" || code == u"02" ||
        code == u"21")
        return {isAcknowledgement(reply), BlockError::None};
    if (code == u"10")
        return {readStatus(reply, values), BlockError::None};
    if (code == u"12") {
        if (!block || !block->records)
            return {false, BlockError::Rejected};
        const BlockError e =
            parseSampleBlock(reply, block->requestedTime, block->maxRecords, *block->records);
        return {e == BlockError::None, e};
    }
    return {readFixed(code, reply, koNo, values, true), BlockError::None};
}

} // namespace zt
