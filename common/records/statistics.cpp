#include "records/statistics.h"

namespace zt {

void computeStartAndOffsets(LogSet &set)
{
    QDateTime start;
    for (const KoSeries &s : set.series) // ascending KoNo: on equal times the lowest wins
        if (s.hasSamples() && s.firstSampleTime.isValid() &&
            (!start.isValid() || s.firstSampleTime < start))
            start = s.firstSampleTime;
    if (start.isValid())
        set.setStartTime(start);

    const qint64 interval = set.intervalInMinutes(); // 0:00 counts as whole days
    for (KoSeries &s : set.series) {
        s.StartOffset = 0;
        if (!s.hasSamples() || !s.firstSampleTime.isValid() || !start.isValid())
            continue;
        const qint64 minutes = start.secsTo(s.firstSampleTime) / 60;
        const qint64 offset = roundHalfEven(minutes, interval);
        if (offset + s.DataCount < MaxSamples + 1)
            s.StartOffset = qint16(offset);
    }
}

namespace {

void walkChannel(const LogSet &set, const KoSeries &s, int channel, ChannelStats &st)
{
    const qint16 *v = set.samples(s.SeriesNo, channel);
    qint32 sum = 0;
    bool seen = false;
    for (int n = 0; n < s.DataCount; ++n) {
        if (isSpecialValue(v[n])) {
            ++st.ErrorCount;
            continue;
        }
        // The first measurement replaces the starting extremes: they are not samples, and
        // samples that all lie above 3275 must not report 3275 as their minimum.
        st.MaxValue = seen ? qMax(st.MaxValue, v[n]) : v[n];
        st.MinValue = seen ? qMin(st.MinValue, v[n]) : v[n];
        seen = true;
        sum += v[n];
    }
    if (st.ErrorCount == s.DataCount) {
        st.MaxValue = st.MinValue = st.AvgValue = StarValue;
        return;
    }
    st.AvgValue = qint16(roundHalfEven(sum, s.DataCount - st.ErrorCount));
}

void markNoValue(ChannelStats &st)
{
    st.MaxValue = st.MinValue = st.AvgValue = StarValue;
}

} // namespace

void computeStatistics(LogSet &set)
{
    for (KoSeries &s : set.series) {
        for (ChannelStats &st : s.stats) {
            st.MaxValue = StatMaxStart;
            st.MinValue = StatMinStart;
            st.ErrorCount = 0;
        }
        if (s.HasData != 1)
            continue;
        if (s.DataCount > 0) {
            walkChannel(set, s, 1, s.stats[0]);
            if (s.KoKind != 10)
                walkChannel(set, s, 2, s.stats[1]);
        } else {
            markNoValue(s.stats[0]); // channel 2 keeps its starting values
        }
        if (s.KoKind == 10)
            markNoValue(s.stats[1]);
    }
}

qint16 alarmMark(int rawValue, int high, int low)
{
    if (rawValue < ValidRawMin || rawValue > ValidRawMax)
        return 0;
    return (rawValue < low || rawValue > high) ? 1 : 0;
}

} // namespace zt
