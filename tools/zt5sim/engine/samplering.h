#pragma once

#include "link/fields.h"

#include <vector>

namespace zt::sim {

// A transmitter's share of the receiver memory: the newest `capacity` records.
class SampleRing
{
public:
    void reset(int capacity);
    void push(RawRecord record);
    void clear();
    // The memory loses its `count` oldest records.
    void dropOldest(int count);

    int size() const { return m_size; }
    int capacity() const { return int(m_records.size()); }
    // 0 is the oldest record held.
    RawRecord at(int index) const;

private:
    std::vector<RawRecord> m_records;
    int m_oldest = 0;
    int m_size = 0;
};

} // namespace zt::sim
