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
