#include "core/document/TBlockPool.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

using namespace quarno;

// Arrays never overlap across regions of growing size, a freed one is taken
// again first, and a vector of another size lives on the heap (the
// sanitizers catch a heap array given to the pool or the other way round, and
// an array carved past the end of a huge-page region its size does not divide).
class TBlockPoolSizes : public ::testing::TestWithParam<size_t> {};

TEST_P(TBlockPoolSizes, CarvesDistinctArraysAndReusesFreedOnes) {
    const size_t kBytes = GetParam();
    TBlockPool pool(kBytes);
    std::vector<char*> arrays;
    for (int i = 0; i < 300; ++i) { // past the small regions into huge-page ones
        auto* array = static_cast<char*>(pool.Take());
        std::memset(array, i & 0xFF, kBytes);
        arrays.push_back(array);
    }
    std::set<char*> sorted(arrays.begin(), arrays.end());
    ASSERT_EQ(sorted.size(), arrays.size());
    for (auto it = sorted.begin(); std::next(it) != sorted.end(); ++it)
        EXPECT_GE(*std::next(it) - *it, static_cast<std::ptrdiff_t>(kBytes));
    for (size_t i = 0; i < arrays.size(); ++i)
        ASSERT_EQ(arrays[i][kBytes - 1], static_cast<char>(i & 0xFF)) << i;
    pool.Give(arrays[7]);
    EXPECT_EQ(pool.Take(), arrays[7]);

    using Vector = std::vector<int, TPoolAllocator<int>>;
    Vector pooled{TPoolAllocator<int>(&pool)};
    pooled.reserve(kBytes / sizeof(int));
    Vector heap{TPoolAllocator<int>(&pool)};
    heap.reserve(10);
    heap.assign(10, 1);
    pooled.assign(kBytes / sizeof(int), 2);
    pool.ReleaseSpare(); // the uncarved rest goes back; carved arrays keep their bytes
    EXPECT_EQ(pooled.back(), 2);
    EXPECT_EQ(arrays[299][0], static_cast<char>(299 & 0xFF));
}

// 12288: 512 records of 24 bytes.
INSTANTIATE_TEST_SUITE_P(ArraySizes, TBlockPoolSizes, ::testing::Values(16384, 12288));
