#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/TIMem32.h"

namespace {
void Fill(TIMem32& s, int32_t n, uint8_t base) {
  for (int32_t i = 0; i < n; ++i) std::memset(s.Item(i), base + i, static_cast<size_t>(s.RecordSize));
}
}  // namespace

TEST(TIMem32, NeverAllocatedStoreHandsOutTheZeroScratchRecord) {
  TIMem32 s("t");
  const uint8_t* r = s.Item(0);
  ASSERT_NE(r, nullptr);
  for (int i = 0; i < TIMem32::kScratchSize; ++i) ASSERT_EQ(r[i], 0) << i;
  EXPECT_EQ(s.Item(5), r);
}

TEST(TIMem32, OutOfRangeIndicesMapToRecordZero) {
  TIMem32 s("t");
  s.RecordSize = 8;
  s.SetCount(3);
  EXPECT_EQ(s.Item(-1), s.Item(0));
  EXPECT_EQ(s.Item(3), s.Item(0));
  EXPECT_EQ(s.Item(2), s.Item(0) + 16);
}

TEST(TIMem32, SetCountPaths) {
  TIMem32 s("t");
  s.RecordSize = 4;
  s.SetCount(5);  // first allocation: zero-filled, GrowBy spare
  EXPECT_EQ(s.Count(), 5);
  EXPECT_EQ(s.Capacity(), 15);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(s.As<int32_t>(i), 0);
  Fill(s, 5, 1);

  s.SetCount(0);  // shrink keeps a block for GrowBy records
  EXPECT_EQ(s.Count(), 0);
  EXPECT_EQ(s.Capacity(), 10);
  EXPECT_TRUE(s.HasBlock());

  s.SetCount(3);  // within capacity: bytes are not zeroed
  EXPECT_EQ(s.Count(), 3);
  EXPECT_EQ(*s.Item(0), 1);
  EXPECT_EQ(*s.Item(2), 3);

  s.AllowShrink = false;
  s.SetCount(1);
  EXPECT_EQ(s.Count(), 3);

  s.SetCount(-4);  // a negative count is refused
  EXPECT_EQ(s.Count(), 3);
}

TEST(TIMem32, ZeroNewZeroesOnlyWhenTheBlockIsReallocated) {
  TIMem32 s("t");
  s.RecordSize = 1;
  s.ZeroNew = true;
  s.SetCount(5);
  Fill(s, 5, 9);
  s.SetCount(2);   // realloc to 12 bytes; old bytes 2..4 kept by realloc
  s.SetCount(4);   // within capacity: no zeroing
  EXPECT_EQ(*s.Item(3), 12);
  s.SetCount(20);  // past capacity: reallocated, records from old count zeroed
  EXPECT_EQ(*s.Item(3), 12);
  for (int i = 4; i < 20; ++i) EXPECT_EQ(*s.Item(i), 0) << i;
}

TEST(TIMem32, AllocateLimits) {
  TIMem32 s("t");
  s.RecordSize = 1000;
  s.Allocate(2000000);  // just over 2,000,000,000 bytes with GrowBy
  EXPECT_EQ(s.Count(), 0);
  EXPECT_EQ(s.Capacity(), 0);
  EXPECT_FALSE(s.HasBlock());
  s.GrowBy = 0;
  s.Allocate(0);  // size 0 < 1: stays empty
  EXPECT_FALSE(s.HasBlock());
  s.Allocate(7);
  EXPECT_EQ(s.Count(), 7);
  EXPECT_EQ(s.Capacity(), 7);
}

TEST(TIMem32, AssignCopiesSettingsAndRecords) {
  TIMem32 a("a"), b("b");
  a.RecordSize = 3;
  a.GrowBy = 4;
  a.ZeroNew = true;
  a.SetCount(6);
  Fill(a, 6, 40);
  a.Position = 5;
  b.Assign(a);
  EXPECT_EQ(b.RecordSize, 3);
  EXPECT_EQ(b.GrowBy, 4);
  EXPECT_TRUE(b.ZeroNew);
  EXPECT_EQ(b.Count(), 6);
  EXPECT_EQ(b.Capacity(), 10);
  EXPECT_EQ(a.Position, 0);
  EXPECT_EQ(0, std::memcmp(a.Data(), b.Data(), 18));
  EXPECT_NE(a.Data(), b.Data());
}

TEST(TIMem32, DeleteAtPositionShiftsAndKeepsTheBlock) {
  TIMem32 s("t");
  s.RecordSize = 1;
  s.SetCount(4);
  Fill(s, 4, 10);
  std::vector<std::pair<int, int>> deleted;
  s.OnDelete = [&](TIMem32&, int32_t first, int32_t last) { deleted.emplace_back(first, last); };
  s.Position = 1;
  s.DeleteAtPosition();
  EXPECT_EQ(s.Count(), 3);
  EXPECT_EQ(s.Capacity(), 13);
  EXPECT_EQ(*s.Item(0), 10);
  EXPECT_EQ(*s.Item(1), 12);
  EXPECT_EQ(*s.Item(2), 13);

  const uint8_t* block = s.Data();
  s.Position = 2;  // the last record: only the count drops
  s.DeleteAtPosition();
  EXPECT_EQ(s.Count(), 2);
  EXPECT_EQ(s.Data(), block);
  EXPECT_EQ(block[2], 13);
  ASSERT_EQ(deleted.size(), 2u);
  EXPECT_EQ(deleted[0], std::make_pair(1, 1));

  s.SetCount(30);  // growing past the lowered capacity reallocates cleanly
  EXPECT_EQ(*s.Item(1), 12);
  s.OnDelete = nullptr;
}

TEST(TIMem32, ClearRaisesHooksAndEmpties) {
  // The counters outlive the store, whose destructor raises the hooks again.
  int clears = 0;
  std::pair<int, int> range{-9, -9};
  TIMem32 s("t");
  s.SetCount(3);
  s.OnClear = [&](TIMem32&) { ++clears; };
  s.OnDelete = [&](TIMem32&, int32_t f, int32_t l) { range = {f, l}; };
  s.Clear();
  EXPECT_EQ(clears, 1);
  EXPECT_EQ(range, std::make_pair(0, 2));
  EXPECT_EQ(s.Count(), 0);
  EXPECT_EQ(s.Capacity(), 0);
  EXPECT_FALSE(s.HasBlock());
}

TEST(TIMem32, CountOverflowRaisesAndLeavesTheStore) {
  TIMem32 s("t");
  s.RecordSize = 1;
  s.SetCount(2);
  EXPECT_THROW(s.SetCount(INT32_MAX - 5), std::overflow_error);
  EXPECT_EQ(s.Count(), 2);
}
