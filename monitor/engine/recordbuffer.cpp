#include "engine/recordbuffer.h"

#include "records/channels.h"

#include <algorithm>

namespace zt {

// The receiver's memory per transmitter is the read-out's capacity table.
int maxRecordsFor(int koCount)
{
    return sampleCapacity(koCount);
}

RecordBuffer::RecordBuffer(int capacity, int intervalMinutes)
    : m_capacity(std::max(capacity, 0)), m_interval(std::max(intervalMinutes, 1))
{
    m_ring.resize(std::size_t(m_capacity));
}

int RecordBuffer::physical(int index) const
{
    return (m_start + index) % m_capacity;
}

MonitorRecord RecordBuffer::at(int index) const
{
    if (index < 0 || index >= m_count)
        return {};
    return m_ring[std::size_t(physical(index))];
}

QDateTime RecordBuffer::timeAt(int index) const
{
    if (index < 0 || index >= m_count)
        return {};
    return m_oldestTime.addSecs(qint64(index) * m_interval * 60);
}

QDateTime RecordBuffer::newestTime() const
{
    return timeAt(m_count - 1);
}

void RecordBuffer::append(const MonitorRecord &record, const QDateTime &time)
{
    if (m_capacity == 0)
        return;
    if (m_count == 0) {
        m_start = 0;
        m_oldestTime = time;
    }
    if (m_count < m_capacity) {
        m_ring[std::size_t(physical(m_count))] = record;
        ++m_count;
        return;
    }
    // Full: the oldest record gives way.
    m_ring[std::size_t(m_start)] = record;
    m_start = (m_start + 1) % m_capacity;
    m_oldestTime = m_oldestTime.addSecs(qint64(m_interval) * 60);
}

void RecordBuffer::clear()
{
    m_count = 0;
    m_start = 0;
    m_oldestTime = {};
}

GapPlan planGap(const QDateTime &newestStored, const QDateTime &firstNew, const QDateTime &lastNew,
                int intervalMinutes, int maxRecords)
{
    GapPlan plan;
    if (!newestStored.isValid() || intervalMinutes <= 0)
        return plan;
    const qint64 step = qint64(intervalMinutes) * 60;
    const qint64 toFirst = newestStored.secsTo(firstNew) / step;
    if (toFirst == 1)
        return plan;
    const qint64 toLast = newestStored.secsTo(lastNew) / step;
    if (toLast >= maxRecords) {
        plan.emptyFirst = true;
        return plan;
    }
    // A batch that does not lie after the stored records (the receiver's clock went
    // back) gets no fillers: nothing can be filled before it.
    plan.fillers = int(std::max<qint64>(toFirst - 1, 0));
    return plan;
}

} // namespace zt
