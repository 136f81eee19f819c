#include "editor/TPartitioning.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace quarno;

// The lazily shifted index against a plain vector of starts, over a long run
// of random inserts, growths and removals in clustered and scattered places.
TEST(TPartitioning, MatchesAPlainVectorOfStarts) {
    std::mt19937 random(7);
    TPartitioning partitions;
    std::vector<int> starts{0}; // starts plus the end
    partitions.InsertPartition(0, 0);
    starts.insert(starts.begin(), 0);
    for (int step = 0; step < 20000; ++step) {
        int count = static_cast<int>(starts.size()) - 1;
        int where = step % 3 == 0 ? static_cast<int>(random() % count) : count / 2;
        switch (random() % 3) {
        case 0: { // a partition grows or shrinks
            int delta = static_cast<int>(random() % 20) - 5;
            int length = starts[where + 1] - starts[where];
            delta = std::max(delta, -length);
            partitions.InsertText(where, delta);
            for (size_t i = static_cast<size_t>(where) + 1; i < starts.size(); ++i)
                starts[i] += delta;
            break;
        }
        case 1: { // a partition splits
            int length = starts[where + 1] - starts[where];
            int at = starts[where] + (length > 0 ? static_cast<int>(random() % length) : 0);
            partitions.InsertPartition(where + 1, at);
            starts.insert(starts.begin() + where + 1, at);
            break;
        }
        default: // a partition merges into the previous one
            if (where > 0) {
                partitions.RemovePartition(where);
                starts.erase(starts.begin() + where);
            }
        }
        ASSERT_EQ(partitions.Partitions(), static_cast<int>(starts.size()) - 1);
        if (step % 97 == 0) {
            for (size_t i = 0; i < starts.size(); ++i)
                ASSERT_EQ(partitions.PositionFromPartition(static_cast<int>(i)), starts[i]) << i;
            int position = static_cast<int>(random() % (starts.back() + 1));
            int expected = static_cast<int>(std::upper_bound(starts.begin(), starts.end() - 1,
                                                             position) - starts.begin()) - 1;
            // Empty partitions share a start: the lookup yields the last of them.
            ASSERT_EQ(partitions.PositionFromPartition(partitions.PartitionFromPosition(position)),
                      starts[static_cast<size_t>(std::max(expected, 0))]);
        }
    }
}
