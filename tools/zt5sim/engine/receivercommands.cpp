// The receiver's command set: one handler per command code, each checking its request
// data strictly and refusing (NAK) what does not fit rather than guessing.
#include "engine/receiverengine.h"

#include "link/fields.h"
#include "records/channels.h"
#include "records/datetime.h"

namespace zt::sim {

namespace {

constexpr int MaxBlock = 50; // records per "12" reply

bool isHex(QStringView text)
{
    for (QChar c : text)
        if (!isxdigit(c.toLatin1()) || c.isLower())
            return false;
    return !text.isEmpty();
}

QString flagDigits(const std::array<SlotState, 30> &all, bool (*flag)(const SlotState &))
{
    QString out;
    for (const SlotState &s : all)
        out += flag(s) ? QLatin1Char('1') : QLatin1Char('0');
    return out;
}

QString intervalField(int minutes)
{
    return HexField(minutes / 60, 2) + HexField(minutes % 60, 2);
}

// hh mm of "02": minutes 1..1440, where 00:00 stands for 24 hours.
int intervalFrom(QStringView hh, QStringView mm)
{
    const int h = readHex(hh), m = readHex(mm);
    if (h < 0 || h > 24 || m < 0 || m > 59 || h * 60 + m > 1440)
        return 0;
    return intervalMinutes(h, m);
}

} // namespace

QByteArray ReceiverEngine::handleFrame(QByteArrayView frame)
{
    const QString text = QString::fromLatin1(frame);
    if (text.size() < 9 || !text.startsWith(QLatin1String("000")) || text[7] != QLatin1Char(',') ||
        !text.endsWith(QLatin1Char(',')))
        return nakReply();
    m_access = text.mid(3, 2);
    m_code = text.mid(5, 2);
    catchUp();
    return dispatch(m_access, m_code, text.mid(8, text.size() - 9));
}

QByteArray ReceiverEngine::dispatch(const QString &access, const QString &code, const QString &data)
{
    using Handler = QByteArray (ReceiverEngine::*)(const QString &);
    struct Command
    {
        const char *code;
        const char *access;
        Handler handler;
    };
    static const Command table[] = {
        {"05", "20", &ReceiverEngine::readIdentification},
        {"06", "20", &ReceiverEngine::readSettings},
        {"07", "20", &ReceiverEngine::readLimits},
        {"07", "01", &ReceiverEngine::writeLimits},
        {"08", "20", &ReceiverEngine::readRecording},
        {"10", "20", &ReceiverEngine::readStatus},
        {"11", "20", &ReceiverEngine::readSummary},
        {"12", "20", &ReceiverEngine::readBlock},
        {"13", "20", &ReceiverEngine::readKind},
        {"20", "01", &ReceiverEngine::setRemote},
        {"01", "01", &ReceiverEngine::setKoCount},
        {"02", "01", &ReceiverEngine::setClock},
        {"21", "01", &ReceiverEngine::releaseAlarm},
    };
    for (const Command &c : table)
        if (code == QLatin1String(c.code) && access == QLatin1String(c.access))
            return (this->*c.handler)(data);
    return nakReply();
}

QByteArray ReceiverEngine::reply(const QString &payload) const
{
    const QString text =
        QLatin1String("000") + m_access + m_code + QLatin1Char(',') + payload + QLatin1Char(',');
    return '\x02' + text.toLatin1() + QByteArrayLiteral("\x03\r\n");
}

int ReceiverEngine::slotArgument(const QString &data) const
{
    if (data.size() < 2 || !isHex(QStringView(data).left(2)))
        return 0;
    const int koNo = readHex(QStringView(data).left(2));
    return koNo >= 1 && koNo <= MaxKo ? koNo : 0;
}

QByteArray ReceiverEngine::readIdentification(const QString &data)
{
    if (data != QLatin1String("00"))
        return nakReply();
    return reply(QLatin1String("0000") + HexField(m_receiverId, 4));
}

QByteArray ReceiverEngine::readSettings(const QString &data)
{
    if (data != QLatin1String("00"))
        return nakReply();
    return reply(HexField(m_koCount, 2) +
                 flagDigits(m_slots, [](const SlotState &s) { return s.registered; }) +
                 intervalField(m_measureMinutes) + intervalField(m_commMinutes) +
                 DateField(now(), true));
}

QByteArray ReceiverEngine::readLimits(const QString &data)
{
    const int koNo = slotArgument(data);
    if (koNo == 0 || data.size() != 2)
        return nakReply();
    const ChannelPair &l = slot(koNo).setup.limits;
    return reply(HexField(l.high1, 4) + HexField(l.low1, 4) + HexField(l.high2, 4) +
                 HexField(l.low2, 4));
}

QByteArray ReceiverEngine::writeLimits(const QString &data)
{
    const int koNo = slotArgument(data);
    if (koNo == 0 || data.size() != 18 || !isHex(QStringView(data).mid(2)))
        return nakReply();
    SlotState &s = m_slots[std::size_t(koNo - 1)];
    const QStringView v(data);
    s.setup.limits = {qint16(readHex(v.mid(2, 4))), qint16(readHex(v.mid(6, 4))),
                      qint16(readHex(v.mid(10, 4))), qint16(readHex(v.mid(14, 4)))};
    s.limitsWritten = true;
    return ackReply();
}

QByteArray ReceiverEngine::readRecording(const QString &data)
{
    if (data != QLatin1String("00"))
        return nakReply();
    return reply(flagDigits(m_slots, [](const SlotState &s) { return (s.slotStatus() & 8) != 0; }));
}

QByteArray ReceiverEngine::readStatus(const QString &data)
{
    // The poll is served in remote mode only, and only to the PC that names this receiver.
    if (!m_remoteMode || data != QLatin1String("00") + HexField(m_receiverId, 4))
        return nakReply();
    QString text = DateField(now(), true) + QLatin1Char('0') + HexField(contactDigit(), 1);
    for (const SlotState &s : m_slots)
        text += HexField(s.slotStatus(), 1) + HexField(s.slotValue(), 2);
    return reply(text);
}

QByteArray ReceiverEngine::readSummary(const QString &data)
{
    const int koNo = slotArgument(data);
    if (koNo == 0 || data.size() != 2)
        return nakReply();
    const SlotState &s = slot(koNo);
    if (!s.hasData())
        return reply(QLatin1String("0000") + DateField(now(), false) +
                     RecordField(MissingCode, MissingCode));
    // The two summary values are the newest record's channels.
    const RawRecord newest = s.ring.at(s.ring.size() - 1);
    return reply(HexField(s.ring.size(), 4) + DateField(newestTime(koNo), false) +
                 RecordField(newest.ch1, newest.ch2));
}

// A first time off the sample grid, older than the oldest record held or newer than the
// newest one is answered with n = 0 and the requested time echoed, so the PC sees an empty
// block rather than records of another time. A block never runs past the newest record
// and never holds more than 50 records, whatever the request asks for.
QByteArray ReceiverEngine::readBlock(const QString &data)
{
    const int koNo = slotArgument(data);
    if (koNo == 0 || data.size() != 15 || !isHex(QStringView(data).mid(2)))
        return nakReply();
    const QDateTime first = readDateField(QStringView(data).mid(6, 9), false);
    if (!first.isValid())
        return nakReply();
    const int wanted = readHex(QStringView(data).mid(2, 4));
    const SlotState &s = slot(koNo);
    const qint64 stepSecs = qint64(m_measureMinutes) * 60;
    const qint64 offset = m_recordingStart.secsTo(first);
    const qint64 oldest = s.nextSample - s.ring.size();
    qint64 n = 0, index = -1;
    if (offset >= 0 && offset % stepSecs == 0 && s.hasData()) {
        index = offset / stepSecs;
        if (index >= oldest && index < s.nextSample)
            n = std::min<qint64>({qint64(std::max(wanted, 0)), MaxBlock, s.nextSample - index});
    }
    QString text = HexField(int(n), 4) + data.mid(6, 9);
    for (qint64 i = 0; i < n; ++i) {
        const RawRecord r = s.ring.at(int(index - oldest + i));
        text += RecordField(r.ch1, r.ch2);
    }
    return reply(text);
}

QByteArray ReceiverEngine::readKind(const QString &data)
{
    const int koNo = slotArgument(data);
    if (koNo == 0 || data.size() != 2)
        return nakReply();
    const SlotState &s = slot(koNo);
    const ChannelPair &r = s.setup.range;
    const RawRecord latest =
        s.hasData() ? s.ring.at(s.ring.size() - 1) : RawRecord{MissingCode, MissingCode};
    const QDateTime newest = s.hasData() ? newestTime(koNo) : now();
    return reply(
        HexField(s.ring.size(), 4) + DateField(newest, false) +
        QStringLiteral("%1").arg(s.registered ? s.setup.kind : 0, 2, 10, QLatin1Char('0')) +
        HexField(r.high1, 4) + HexField(r.low1, 4) + HexField(r.high2, 4) + HexField(r.low2, 4) +
        RecordField(latest.ch1, latest.ch2));
}

QByteArray ReceiverEngine::setRemote(const QString &data)
{
    const QString expected = QLatin1String("00") + HexField(m_receiverId, 4);
    if (data.size() != 7 || !data.startsWith(expected))
        return nakReply();
    const QChar flag = data[6];
    if (flag != QLatin1Char('0') && flag != QLatin1Char('1'))
        return nakReply();
    setRemoteMode(flag == QLatin1Char('1'));
    return ackReply();
}

// A count below the highest registered slot would orphan that transmitter: refused.
QByteArray ReceiverEngine::setKoCount(const QString &data)
{
    if (data.size() != 4 || !data.startsWith(QLatin1String("00")) ||
        !isHex(QStringView(data).mid(2)))
        return nakReply();
    const int n = readHex(QStringView(data).mid(2));
    const QList<int> registered = registeredSlots();
    if (n < 1 || n > MaxKo || (!registered.isEmpty() && n < registered.last()))
        return nakReply();
    m_koCount = n;
    // Each transmitter's share of the memory changes: its records are gone.
    for (SlotState &s : m_slots)
        s.ring.reset(sampleCapacity(n));
    return ackReply();
}

// Clock, intervals and start. A start time already past on the given day means the same
// time the next day: the receiver never back-fills records it did not measure.
QByteArray ReceiverEngine::setClock(const QString &data)
{
    if (data.size() != 32 || !data.startsWith(QLatin1String("00")) ||
        !isHex(QStringView(data).mid(2)))
        return nakReply();
    const QStringView t = QStringView(data).mid(2);
    const QDateTime clock = readDateField(t.mid(0, 11), true);
    const int measure = intervalFrom(t.mid(11, 2), t.mid(13, 2));
    const int comm = intervalFrom(t.mid(15, 2), t.mid(17, 2));
    QDateTime start = readDateField(t.mid(19, 9), false);
    if (!clock.isValid() || measure == 0 || comm == 0 || !start.isValid() ||
        t.mid(28, 2) != QLatin1String("00"))
        return nakReply();
    while (start < clock)
        start = start.addDays(1);
    m_clock.setNow(clock);
    m_lastCatchUp = clock;
    m_measureMinutes = measure;
    m_commMinutes = comm;
    restartRecording(start);
    return ackReply();
}

QByteArray ReceiverEngine::releaseAlarm(const QString &data)
{
    if (data.size() != 3 || !isHex(QStringView(data).left(2)))
        return nakReply();
    const int koNo = readHex(QStringView(data).left(2));
    const QChar letter = data[2];
    const bool set = letter == QLatin1Char('F');
    const bool all = letter == QLatin1Char('0');
    if (koNo > MaxKo || (!set && !all && letter != QLatin1Char('E')) || (koNo == 0 && set))
        return nakReply();
    for (SlotState &s : m_slots)
        if (koNo == 0 || s.setup.slot == koNo)
            s.alarm = set;
    if (all) { // "0" releases the BATT AL contact as well
        m_battContactBattery = false;
        m_battContactRadio = false;
    }
    return ackReply();
}

} // namespace zt::sim
