#include "engine/samplering.h"

#include <algorithm>

namespace zt::sim {

void SampleRing::reset(int capacity)
{
    m_records.assign(std::size_t(capacity), RawRecord{});
    clear();
}

void SampleRing::push(RawRecord record)
{
    if (m_records.empty())
        return;
    const int cap = capacity();
    m_records[std::size_t((m_oldest + m_size) % cap)] = record;
    if (m_size < cap)
        ++m_size;
    else
        m_oldest = (m_oldest + 1) % cap;
}

void SampleRing::dropOldest(int count)
{
    const int n = std::clamp(count, 0, m_size);
    if (n == 0)
        return;
    m_oldest = (m_oldest + n) % capacity();
    m_size -= n;
}

void SampleRing::clear()
{
    m_oldest = 0;
    m_size = 0;
}

RawRecord SampleRing::at(int index) const
{
    return m_records[std::size_t((m_oldest + index) % capacity())];
}

} // namespace zt::sim
