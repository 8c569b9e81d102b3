#include <gtest/gtest.h>

#include <cstdint>

#include "driver/large_memory.h"

using tobra::GrowingArray;
using tobra::GrowingRoom;

// Growing moves the values from the heap into a mapping of their own and
// then remaps it several times: every value must come through each move.
TEST(GrowingArray, ValuesSurviveEveryGrowth) {
    GrowingArray<uint32_t> a;
    constexpr uint32_t N = 3'000'000;  // 12 MB: heap, then a mapping remapped
    for (uint32_t i = 0; i < N; ++i) a.push_back(i * 2654435761u);
    ASSERT_EQ(a.size(), N);
    for (uint32_t i = 0; i < N; i += 4099) ASSERT_EQ(a[i], i * 2654435761u) << i;
    EXPECT_EQ(a[N - 1], (N - 1) * 2654435761u);
    // Forgetting the end, then growing past where it was.
    a.resize_for_overwrite(10);
    a.push_back(7);
    EXPECT_EQ(a.size(), 11u);
    EXPECT_EQ(a[9], 9 * 2654435761u);
    EXPECT_EQ(a[10], 7u);
    a.resize_for_overwrite(N + 5);
    a[N + 4] = 1;
    EXPECT_EQ(a[9], 9 * 2654435761u);
    a.release();
    EXPECT_TRUE(a.empty());
    a.push_back(3);
    EXPECT_EQ(a[0], 3u);
}

// The room is usable to its last byte, on both sides of where huge pages
// begin, and can be reserved again.
TEST(GrowingRoom, WholeRoomIsUsable) {
    GrowingRoom r;
    EXPECT_FALSE(r.reserved());
    const size_t most = (size_t{5} << 20) + 123;
    ASSERT_TRUE(r.reserve(most));
    uint8_t* p = r.data();
    for (size_t i = 0; i < most; i += 4096) p[i] = static_cast<uint8_t>(i >> 12);
    p[most - 1] = 0xA5;
    p[GrowingRoom::SMALL_PAGES_PREFIX - 1] = 1;
    p[GrowingRoom::SMALL_PAGES_PREFIX] = 2;
    EXPECT_EQ(p[most - 1], 0xA5);
    EXPECT_EQ(p[4096 * 300], static_cast<uint8_t>(300));
    ASSERT_TRUE(r.reserve(1000));  // the first room is given back
    EXPECT_EQ(r.most(), 1000u);
    r.data()[999] = 9;
    r.release();
    EXPECT_FALSE(r.reserved());
}
