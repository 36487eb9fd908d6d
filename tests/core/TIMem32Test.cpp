#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

#include "common/TIMem32.h"

// A stale or wild index or count reads record 0 or a zero scratch record, never outside a block.
TEST(TIMem32, WildIndicesAndCountsNeverReachOutsideTheBlock) {
  TIMem32 s("t");
  const uint8_t* scratch = s.Item(0);
  ASSERT_NE(scratch, nullptr);
  for (int i = 0; i < TIMem32::kScratchSize; ++i) ASSERT_EQ(scratch[i], 0) << i;
  EXPECT_EQ(s.Item(5), scratch);
  s.RecordSize = 8;
  s.SetCount(3);
  *s.Item(2) = 7;
  EXPECT_EQ(s.Item(-1), s.Item(0));
  EXPECT_EQ(s.Item(3), s.Item(0));
  EXPECT_EQ(s.Item(2), s.Item(0) + 16);
  s.SetCount(-4);
  EXPECT_THROW(s.SetCount(INT32_MAX - 5), std::overflow_error);
  ASSERT_EQ(s.Count(), 3);
  EXPECT_EQ(*s.Item(2), 7);

  TIMem32 big("big");
  big.RecordSize = 1000;
  big.Allocate(2000000);  // just over the 2,000,000,000-byte bound with the spare records
  EXPECT_EQ(big.Count(), 0);
  EXPECT_FALSE(big.HasBlock());
}

// Room made once holds a run of appends without moving the block, keeps the
// records, and is refused whole when the block could not hold it.
TEST(TIMem32, ReservedRoomTakesAppendsWithoutMovingTheBlock) {
  for (const bool startEmpty : {true, false}) {
    SCOPED_TRACE(startEmpty ? "empty store" : "store with records");
    TIMem32 s("t");
    s.RecordSize = 16;
    s.ZeroNew = true;
    if (!startEmpty) {
      s.SetCount(3);
      *s.Item(2) = 42;
    }
    const int32_t before = s.Count();
    s.Reserve(before + 1000);
    EXPECT_EQ(s.Count(), before);
    EXPECT_GE(s.Capacity(), before + 1000);
    const uint8_t* block = s.Data();
    ASSERT_NE(block, nullptr);
    for (int32_t i = before; i < before + 1000; ++i) {
      s.SetCount(i + 1);
      ASSERT_EQ(s.Data(), block) << "moved at record " << i;
      for (int b = 0; b < 16; ++b) ASSERT_EQ(s.Item(i)[b], 0) << i;
    }
    if (!startEmpty) {
      EXPECT_EQ(*s.Item(2), 42);
    }
    s.Reserve(10);  // less than it holds: nothing changes
    EXPECT_EQ(s.Data(), block);
    EXPECT_EQ(s.Count(), before + 1000);

    s.Reserve(TIMem32::kMaxBlockBytes / 16);  // past the bound with the spare records
    EXPECT_EQ(s.Data(), block);
    EXPECT_EQ(s.Count(), before + 1000);
    EXPECT_LT(s.Capacity(), TIMem32::kMaxBlockBytes / 16);
  }
}
