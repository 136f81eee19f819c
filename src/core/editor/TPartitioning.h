// Start positions of consecutive partitions (the records of a document),
// kept so that position-to-partition lookups are a binary search and a run of
// edits in one area shifts the following starts lazily: starts after
// m_stepPartition are stored without the pending m_stepLength.
#pragma once

#include "editor/TSplitVector.h"

namespace quarno {

class TPartitioning {
public:
    TPartitioning() { m_body.Insert(0, 0); }

    int Partitions() const { return m_body.Length() - 1; }
    // Start of a partition; Partitions() gives the end of the last one.
    int PositionFromPartition(int partition) const;
    // The partition holding position; positions past the end map to the last.
    int PartitionFromPosition(int position) const;

    // Inserts a partition that starts at position before partition index.
    void InsertPartition(int partition, int position);
    // Shifts every start after partition by delta (the partition grew).
    void InsertText(int partition, int delta);
    void RemovePartition(int partition);
    void Clear();

private:
    void ApplyStep(int partitionUpTo);
    void BackStep(int partitionDownTo);

    TSplitVector<int> m_body; // Partitions() + 1 entries, the last is the end
    int m_stepPartition = 0;
    int m_stepLength = 0;
};

} // namespace quarno
