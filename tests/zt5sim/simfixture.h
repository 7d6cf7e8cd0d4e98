#pragma once

#include "engine/receiverengine.h"
#include "engine/scenario.h"
#include "link/fields.h"
#include "records/datetime.h"

#include <QByteArray>
#include <memory>

namespace zt::sim::test {

// A millisecond source the test steps by hand; at speed 1 a minute is 60000 ms.
class ManualTime
{
public:
    SimClock::MsSource source() const
    {
        return [ms = m_ms] { return *ms; };
    }
    void advanceMinutes(qint64 minutes) { *m_ms += minutes * 60'000; }

private:
    std::shared_ptr<qint64> m_ms = std::make_shared<qint64>(0);
};

// Clock 2024-05-01 12:00, recording since 00:00, measure 10 min, comm 20 min,
// slot 1 kind 12 and slot 2 kind 10, four system transmitters, id 1234.
inline Scenario testScenario()
{
    Scenario s;
    s.receiverId = 0x1234;
    s.systemKoCount = 4;
    s.measureMinutes = 10;
    s.commMinutes = 20;
    s.clockStart = wallClock(2024, 5, 1, 12, 0);
    s.recordingStart = wallClock(2024, 5, 1, 0, 0);
    s.seed = 7;
    SlotSetup one;
    one.slot = 1;
    one.kind = 12;
    one.range = defaultRange(12);
    one.limits = {300, 150, 800, 300};
    SlotSetup two;
    two.slot = 2;
    two.kind = 10;
    two.range = defaultRange(10);
    two.limits = two.range;
    s.transmitters = {one, two};
    return s;
}

// The frame text between STX and ETX of a request.
inline QByteArray request(const char *access, const char *code, const QString &data)
{
    return QByteArray("000") + access + code + ',' + data.toLatin1() + ',';
}

inline QByteArray wireRequest(const char *access, const char *code, const QString &data)
{
    return '\x02' + request(access, code, data) + "\x03\r\n";
}

// ReplyText of a reply: the characters between STX and ETX.
inline QString replyText(const QByteArray &reply)
{
    const qsizetype stx = reply.indexOf('\x02');
    const qsizetype etx = reply.indexOf('\x03', stx + 1);
    if (stx < 0 || etx < 0)
        return {};
    return QString::fromLatin1(reply.mid(stx + 1, etx - stx - 1));
}

inline QString ask(ReceiverEngine &engine, const char *access, const char *code,
                   const QString &data)
{
    return replyText(engine.handleFrame(request(access, code, data)));
}

inline const QString Ack = QStringLiteral("\x06");
inline const QString Nak = QStringLiteral("\x15");

} // namespace zt::sim::test
