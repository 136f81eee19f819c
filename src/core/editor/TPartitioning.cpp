// Start positions of the records of a document with lazily applied shifts.
#include "editor/TPartitioning.h"

#include <algorithm>

namespace quarno {

int TPartitioning::PositionFromPartition(int partition) const {
    if (partition < 0 || partition > Partitions())
        return 0;
    int position = m_body[partition];
    if (partition > m_stepPartition)
        position += m_stepLength;
    return position;
}

int TPartitioning::PartitionFromPosition(int position) const {
    int partitions = Partitions();
    if (partitions <= 1)
        return 0;
    if (position >= PositionFromPartition(partitions))
        return partitions - 1;
    int lower = 0;
    int upper = partitions;
    while (lower < upper - 1) {
        int middle = lower + (upper - lower) / 2;
        if (PositionFromPartition(middle) <= position)
            lower = middle;
        else
            upper = middle;
    }
    return lower;
}

void TPartitioning::ApplyStep(int partitionUpTo) {
    partitionUpTo = std::min(partitionUpTo, Partitions());
    if (m_stepLength != 0 && partitionUpTo > m_stepPartition)
        m_body.RangeAddDelta(m_stepPartition + 1, partitionUpTo - m_stepPartition, m_stepLength);
    m_stepPartition = std::max(m_stepPartition, partitionUpTo);
    if (m_stepPartition >= Partitions()) {
        m_stepPartition = Partitions();
        m_stepLength = 0;
    }
}

void TPartitioning::BackStep(int partitionDownTo) {
    if (m_stepLength != 0)
        m_body.RangeAddDelta(partitionDownTo + 1, m_stepPartition - partitionDownTo, -m_stepLength);
    m_stepPartition = partitionDownTo;
}

void TPartitioning::InsertPartition(int partition, int position) {
    if (m_stepPartition < partition)
        ApplyStep(partition);
    m_body.Insert(partition, position);
    ++m_stepPartition;
}

void TPartitioning::InsertText(int partition, int delta) {
    if (delta == 0)
        return;
    if (m_stepLength == 0) {
        m_stepPartition = partition;
        m_stepLength = delta;
    } else if (partition >= m_stepPartition) {
        ApplyStep(partition);
        m_stepLength += delta;
    } else if (partition >= m_stepPartition - Partitions() / 10) {
        BackStep(partition);
        m_stepLength += delta;
    } else {
        ApplyStep(Partitions());
        m_stepPartition = partition;
        m_stepLength = delta;
    }
    if (m_stepPartition >= Partitions()) {
        m_stepPartition = Partitions();
        m_stepLength = 0;
    }
}

void TPartitioning::RemovePartition(int partition) {
    if (partition > m_stepPartition)
        ApplyStep(partition);
    --m_stepPartition;
    m_body.Delete(partition);
}

void TPartitioning::Clear() {
    m_body.Clear();
    m_body.Insert(0, 0);
    m_stepPartition = 0;
    m_stepLength = 0;
}

} // namespace quarno
