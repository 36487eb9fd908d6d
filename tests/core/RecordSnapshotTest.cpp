#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "common/TIMem32.h"
#include "document/RecordDelta.h"
#include "document/RecordSnapshot.h"

namespace {
using Bytes = std::vector<uint8_t>;

// Records alike as a document's are, with `noise` random bytes scattered
// over them (garbage in padding and string tails).
Bytes AlikeRecords(std::mt19937& rng, size_t recordSize, size_t count, size_t noise) {
  Bytes out(recordSize * count);
  for (size_t i = 0; i < out.size(); ++i) out[i] = i >= recordSize ? out[i - recordSize] : i % 3 ? rng() : 0;
  for (size_t k = 0; k < noise && !out.empty(); ++k) out[rng() % out.size()] = static_cast<uint8_t>(rng());
  return out;
}
}  // namespace

// Any bytes come back exactly, and an encoding matches those bytes and no
// others: one byte changed anywhere, one byte more or fewer, is seen.
TEST(RecordDelta, EncodesAnyBytesExactlyAndComparesWithoutDecoding) {
  std::mt19937 rng(7);
  const struct {
    size_t recordSize, count, noise;
  } cases[] = {{289, 64, 40}, {289, 63, 0}, {289, 1, 5},    {1, 64, 10},  {3, 17, 4},       {7, 64, 30},
               {8, 64, 0},    {9, 50, 9},   {16, 64, 1000}, {1000, 3, 0}, {289, 64, 20000}, {5, 1, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE("record size " + std::to_string(c.recordSize) + ", count " + std::to_string(c.count));
    const Bytes raw = AlikeRecords(rng, c.recordSize, c.count, c.noise);
    Bytes enc, back(raw.size(), 0xcd), longer = raw;
    record_delta::Encode(raw.data(), raw.size(), c.recordSize, enc);
    ASSERT_TRUE(record_delta::Decode(enc.data(), enc.size(), back.data(), back.size(), c.recordSize));
    EXPECT_EQ(back, raw);
    EXPECT_TRUE(record_delta::Equals(enc.data(), enc.size(), raw.data(), raw.size(), c.recordSize));
    EXPECT_FALSE(record_delta::Equals(enc.data(), enc.size(), raw.data(), raw.size() - 1, c.recordSize));
    longer.push_back(0);
    EXPECT_FALSE(record_delta::Equals(enc.data(), enc.size(), longer.data(), longer.size(), c.recordSize));
    for (int k = 0; k < 200; ++k) {
      Bytes changed = raw;
      const size_t i = k == 0 ? 0 : k == 1 ? raw.size() - 1 : rng() % raw.size();
      changed[i] ^= static_cast<uint8_t>(1u << (k % 8));
      ASSERT_FALSE(record_delta::Equals(enc.data(), enc.size(), changed.data(), changed.size(), c.recordSize))
          << "byte " << i << " changed";
    }
  }
}

// A chain of copies, each compared with the one before it, through every
// kind of change a store sees (one byte, records appended or removed, a new
// record size, no records, all bytes new): each copy gives back exactly the
// bytes and settings it was taken from.
TEST(RecordSnapshot, EveryCopyOfAChainOfChangesRestoresItsBytesExactly) {
  std::mt19937 rng(11);
  TIMem32 m;
  std::vector<std::unique_ptr<RecordSnapshot>> copies;
  std::vector<std::tuple<Bytes, int32_t, int32_t>> taken;  // bytes, record size, grow-by
  Bytes b = AlikeRecords(rng, 289, 200, 300);
  size_t size = 289;
  for (int step = 0; step < 60; ++step) {
    const int change = step % 7 == 3 ? 3 : step % 11 == 5 ? 4 : step % 13 == 6 ? 5 : int(rng() % 3);
    if (change == 0 && !b.empty()) b[rng() % b.size()] ^= 0x5a;
    if (change == 1) b.resize(b.size() + size * (1 + rng() % 70), static_cast<uint8_t>(rng()));
    if (change == 2 && b.size() > 3 * size) b.erase(b.begin() + long(size), b.begin() + long(3 * size));
    if (change == 3) {
      size = 1 + rng() % 300;
      b = AlikeRecords(rng, size, rng() % 150, rng() % 50);
    }
    if (change == 4) b.clear();
    if (change == 5)
      for (auto& v : b) v = static_cast<uint8_t>(rng());
    m.Clear();
    m.RecordSize = int32_t(size);
    m.GrowBy = int32_t(1 + rng() % 20);
    m.Allocate(int32_t(b.size() / size));
    if (m.Data()) std::memcpy(m.Data(), b.data(), b.size());
    taken.emplace_back(b, m.RecordSize, m.GrowBy);
    copies.push_back(std::make_unique<RecordSnapshot>(m, copies.empty() ? nullptr : copies.back().get()));
  }
  for (size_t k = 0; k < copies.size(); ++k) {
    TIMem32 back;
    copies[k]->RestoreTo(back);
    const Bytes bytes =
        back.Data() ? Bytes(back.Data(), back.Data() + size_t(back.Count()) * size_t(back.RecordSize)) : Bytes{};
    EXPECT_EQ(std::tie(bytes, back.RecordSize, back.GrowBy), taken[k]) << "copy " << k;
  }
}
