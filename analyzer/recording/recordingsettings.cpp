#include "recording/recordingsettings.h"

#include "link/fields.h"
#include "link/receivercommands.h"
#include "link/seriallink.h"
#include "records/registry.h"

#include <algorithm>

namespace zt {

namespace {
constexpr int MinutesPerTransmitter = 3;
constexpr int FullDay = 1440;

QString twoHex(int value)
{
    return HexField(value, 2);
}

QTime &startMemory()
{
    static QTime time(0, 0);
    return time;
}
} // namespace

QString minutesText(int minutes)
{
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

int minutesOf(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 2 || parts[0].size() != 2 || parts[1].size() != 2)
        return -1;
    bool okH = false, okM = false;
    const int h = parts[0].toInt(&okH), m = parts[1].toInt(&okM);
    if (!okH || !okM || h < 0 || m < 0 || m > 59 || h * 60 + m > FullDay)
        return -1;
    return h * 60 + m;
}

int commIntervalFor(int koCount, int measureMinutes)
{
    const int minimum = MinutesPerTransmitter * koCount;
    const auto it = std::find_if(CommIntervals.begin(), CommIntervals.end(),
                                 [&](int c) { return c >= minimum; });
    const int entry = it == CommIntervals.end() ? CommIntervals.back() : *it;
    return std::max(entry, measureMinutes);
}

RecordingRefusal checkRecordingSettings(int koCount, int measureMinutes, int pcYear)
{
    if (measureMinutes == 1 && koCount >= 11)
        return RecordingRefusal::OneMinuteWithManyTransmitters;
    if (pcYear < 2000 || pcYear > 2050)
        return RecordingRefusal::ClockOutOfRange;
    return RecordingRefusal::None;
}

QString clockAndIntervalsText(const QDateTime &now, const RecordingChoice &choice)
{
    const int year = now.date().year();
    const auto validInterval = [](int m) { return m >= 1 && m <= FullDay; };
    if (year < 2000 || year > 2255 || !validInterval(choice.measureMinutes) ||
        !validInterval(choice.commMinutes) || !choice.startTime.isValid())
        return {};
    // One reading of the clock for both dates, so a midnight between them cannot split it.
    const QDateTime clock(
        now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()), Qt::UTC);
    const QDateTime start(now.date(), choice.startTime, Qt::UTC);
    const QString text = DateField(clock, true) + twoHex(choice.measureMinutes / 60) +
                         twoHex(choice.measureMinutes % 60) + twoHex(choice.commMinutes / 60) +
                         twoHex(choice.commMinutes % 60) + DateField(start, false) +
                         QStringLiteral("00");
    return text.size() == 30 ? text : QString();
}

int koCountToSend(int chosen, int registeredCount)
{
    return registeredCount == 0 ? chosen : 0;
}

bool prepareRecordingSettings(SerialLink &link, const OyaRegistry &registry,
                              RecordingSurvey &survey)
{
    survey = {};
    ReceiverValues &v = survey.values;
    if (link.OpenPort() != 0)
        return false;
    if (!ReadByCode(link, Command::ReadIdentification, 0, v) ||
        !ReadByCode(link, Command::ReadSettings, 0, v) ||
        !ReadByCode(link, Command::ReadRecording, 0, v)) {
        link.ClosePort();
        return false;
    }
    survey.oyaSlot = registry.slotForReadout(v.ReceiverID);
    const int count = std::clamp<int>(v.SystemKoCount, 0, MaxKo);
    survey.recordingWarning = std::any_of(
        v.RecordingFlags.begin(), v.RecordingFlags.begin() + count, [](bool f) { return f; });
    return true;
}

bool applyRecordingSettings(SerialLink &link, qint32 receiverId, const RecordingChoice &choice,
                            int registeredCount, const QDateTime &now)
{
    const QString text = clockAndIntervalsText(now, choice);
    const int n = koCountToSend(choice.koCount, registeredCount);
    const bool ok = !text.isEmpty() && setRemoteMode(link, receiverId, true) &&
                    (n < 1 || setSystemKoCount(link, n)) && setClockAndIntervals(link, text) &&
                    setRemoteMode(link, receiverId, false);
    if (!ok)
        link.ClosePort();
    return ok;
}

QTime rememberedStartTime()
{
    return startMemory();
}

void rememberStartTime(const QTime &time)
{
    if (time.isValid())
        startMemory() = time;
}

} // namespace zt
