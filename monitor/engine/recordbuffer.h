#pragma once

#include <QDateTime>
#include <QtGlobal>
#include <vector>

namespace zt {

// One record as the monitor keeps it: both channels in tenths, raw codes kept.
struct MonitorRecord
{
    qint16 ch1 = 0;
    qint16 ch2 = 0;

    bool operator==(const MonitorRecord &) const = default;
};

// Per-slot record capacity by the receiver's transmitter count.
int maxRecordsFor(int koCount);

// The newest `capacity` records of one slot, equally spaced by the recording
// interval: a record's time is the oldest record's time plus its index times the
// interval.
class RecordBuffer
{
public:
    explicit RecordBuffer(int capacity = 0, int intervalMinutes = 1);

    int capacity() const { return m_capacity; }
    int intervalMinutes() const { return m_interval; }
    int count() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }

    // index 0 is the oldest record held.
    MonitorRecord at(int index) const;
    QDateTime timeAt(int index) const;
    QDateTime oldestTime() const { return m_oldestTime; }
    QDateTime newestTime() const;
    MonitorRecord newest() const { return at(m_count - 1); }

    // `time` is used only when the buffer is empty; later records follow at one
    // interval each. Beyond the capacity the oldest record goes.
    void append(const MonitorRecord &record, const QDateTime &time);
    void clear();

private:
    int physical(int index) const;

    int m_capacity;
    int m_interval;
    std::vector<MonitorRecord> m_ring;
    int m_start = 0; // ring position of the oldest record
    int m_count = 0;
    QDateTime m_oldestTime;
};

// How a batch of new records joins a slot's buffer.
struct GapPlan
{
    bool emptyFirst = false; // the gap is too wide: drop what the buffer holds
    int fillers = 0;         // missing-data records to store before the batch
};

// newestStored invalid = empty buffer (nothing to fill).
GapPlan planGap(const QDateTime &newestStored, const QDateTime &firstNew, const QDateTime &lastNew,
                int intervalMinutes, int maxRecords);

} // namespace zt
