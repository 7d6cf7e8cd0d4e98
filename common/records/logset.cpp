#include "records/logset.h"

namespace zt {

namespace {
constexpr std::size_t sampleSlots = std::size_t(MaxKo) * ChannelCount * MaxSamples;
}

LogSet::LogSet() : values(sampleSlots, 0), marks(sampleSlots, 0)
{
    for (int k = 1; k <= MaxKo; ++k)
        ko(k).KoNo = qint16(k);
}

QDateTime LogSet::startTime() const
{
    return wallClock(2000 + startYear, startMonth, startDay, startHour, startMinute);
}

void LogSet::setStartTime(const QDateTime &t)
{
    startYear = qint16(t.date().year() - 2000);
    startMonth = qint16(t.date().month());
    startDay = qint16(t.date().day());
    startHour = qint16(t.time().hour());
    startMinute = qint16(t.time().minute());
}

void LogSet::setInterval(int totalMinutes)
{
    intervalHours = qint16(totalMinutes / 60);
    intervalMinutes = qint16(totalMinutes % 60);
}

bool LogSet::hasAnyData() const
{
    for (const auto &s : series)
        if (s.HasData == 1)
            return true;
    return false;
}

void LogSet::clear()
{
    *this = LogSet();
}

} // namespace zt
