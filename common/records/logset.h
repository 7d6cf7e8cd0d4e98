#pragma once

#include "records/datetime.h"
#include "records/limits.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <vector>

namespace zt {

struct ChannelStats
{
    qint16 ErrorCount = 0;
    qint16 MaxValue = StatMaxStart;
    qint16 MinValue = StatMinStart;
    qint16 AvgValue = 0;

    bool operator==(const ChannelStats &) const = default;
};

// One transmitter slot of a LogSet.
struct KoSeries
{
    qint16 HasData = 0;  // 1 = part of the set
    qint16 SeriesNo = 0; // dense 1.. index into the sample arrays when HasData is 1
    qint16 KoNo = 0;
    qint16 KoKind = 0;
    qint16 DataCount = 0;   // 0..MaxSamples
    qint16 StartOffset = 0; // intervals after the set's start time
    QString name;
    std::array<ChannelStats, ChannelCount> stats; // [0] = CH1, [1] = CH2
    QDateTime firstSampleTime;                    // read-out only; not stored in files

    bool hasSamples() const { return HasData == 1 && DataCount > 0; }
};

// The analysis program's one recorded data set.
struct LogSet
{
    qint16 OyaSlot = 1;
    QString oyaName;
    qint16 startMinute = 0, startHour = 0, startDay = 1, startMonth = 1, startYear = 0;
    qint16 intervalMinutes = 0, intervalHours = 0; // 0:00 = 24 hours
    qint16 KoCount = 0;
    std::array<KoSeries, MaxKo> series; // index KoNo - 1
    bool LogSaved = true;

    LogSet();

    // Samples by SeriesNo (1..30), channel (1..2), sample n (1..32000).
    qint16 &value(int seriesNo, int channel, int n) { return values[index(seriesNo, channel, n)]; }
    qint16 value(int seriesNo, int channel, int n) const
    {
        return values[index(seriesNo, channel, n)];
    }
    qint16 &mark(int seriesNo, int channel, int n) { return marks[index(seriesNo, channel, n)]; }
    qint16 mark(int seriesNo, int channel, int n) const
    {
        return marks[index(seriesNo, channel, n)];
    }

    // Contiguous samples 1..MaxSamples of one series and channel.
    const qint16 *samples(int seriesNo, int channel) const
    {
        return values.data() + index(seriesNo, channel, 1);
    }
    const qint16 *alarmMarks(int seriesNo, int channel) const
    {
        return marks.data() + index(seriesNo, channel, 1);
    }

    KoSeries &ko(int koNo) { return series[koNo - 1]; }
    const KoSeries &ko(int koNo) const { return series[koNo - 1]; }

    QDateTime startTime() const;
    void setStartTime(const QDateTime &t);
    int intervalInMinutes() const { return zt::intervalMinutes(intervalHours, intervalMinutes); }
    void setInterval(int totalMinutes); // hours = div 60, minutes = remainder

    bool hasAnyData() const;
    // Every slot without data, every sample and mark 0.
    void clear();

private:
    static std::size_t index(int seriesNo, int channel, int n)
    {
        return (std::size_t(seriesNo - 1) * ChannelCount + std::size_t(channel - 1)) * MaxSamples +
               std::size_t(n - 1);
    }
    std::vector<qint16> values; // LogValues
    std::vector<qint16> marks;  // AlarmMarks
};

} // namespace zt
