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
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = i < recordSize ? static_cast<uint8_t>(i % 3 ? rng() : 0) : out[i - recordSize];
  for (size_t k = 0; k < noise && !out.empty(); ++k) out[rng() % out.size()] = static_cast<uint8_t>(rng());
  return out;
}

Bytes StoreBytes(const TIMem32& m) {
  return m.Data() ? Bytes(m.Data(), m.Data() + size_t(m.Count()) * size_t(m.RecordSize)) : Bytes{};
}
}  // namespace

// Any bytes come back exactly, and an encoding matches those bytes and no
// others: one byte changed anywhere, one byte more or fewer, is seen.
TEST(RecordDelta, EncodesAnyBytesExactlyAndComparesWithoutDecoding) {
  std::mt19937 rng(7);
  const struct {
    size_t recordSize, count, noise;
  } cases[] = {{289, 64, 40}, {289, 63, 0}, {289, 1, 5},  {1, 64, 10},      {3, 17, 4},     {7, 64, 30},
               {8, 64, 0},    {9, 50, 9},   {1000, 3, 0}, {289, 64, 20000}, {16, 64, 1000}, {5, 1, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE("record size " + std::to_string(c.recordSize) + ", count " + std::to_string(c.count));
    const Bytes raw = AlikeRecords(rng, c.recordSize, c.count, c.noise);
    Bytes enc;
    record_delta::Encode(raw.data(), raw.size(), c.recordSize, enc);
    Bytes back(raw.size(), 0xcd);
    ASSERT_TRUE(record_delta::Decode(enc.data(), enc.size(), back.data(), back.size(), c.recordSize));
    EXPECT_EQ(back, raw);
    EXPECT_TRUE(record_delta::Equals(enc.data(), enc.size(), raw.data(), raw.size(), c.recordSize));
    EXPECT_FALSE(record_delta::Equals(enc.data(), enc.size(), raw.data(), raw.size() - 1, c.recordSize));
    EXPECT_FALSE(record_delta::Decode(enc.data(), enc.size(), back.data(), back.size() - 1, c.recordSize));
    Bytes longer = raw;
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
  struct Taken {
    Bytes bytes;
    int32_t recordSize, growBy;
    bool zeroNew;
  };
  std::vector<Taken> taken;
  std::vector<std::unique_ptr<RecordSnapshot>> copies;
  Bytes b = AlikeRecords(rng, 289, 200, 300);
  int32_t size = 289;
  for (int step = 0; step < 60; ++step) {
    const size_t rs = size_t(size);
    switch (step % 7 == 3 ? 3 : step % 11 == 5 ? 4 : step % 13 == 6 ? 5 : step == 0 ? -1 : int(rng() % 3)) {
      case 0:
        if (!b.empty()) b[rng() % b.size()] ^= 0x5a;
        break;
      case 1:
        b.resize(b.size() + rs * (1 + rng() % 70), static_cast<uint8_t>(rng()));
        break;
      case 2:
        if (b.size() > 3 * rs) b.erase(b.begin() + long(rs), b.begin() + long(3 * rs));
        break;
      case 3:
        size = int32_t(1 + rng() % 300);
        b = AlikeRecords(rng, size_t(size), rng() % 150, rng() % 50);
        break;
      case 4:
        b.clear();
        break;
      case 5:
        for (auto& v : b) v = static_cast<uint8_t>(rng());
        break;
    }
    m.Clear();
    m.RecordSize = size;
    m.GrowBy = int32_t(1 + rng() % 20);
    m.ZeroNew = step % 2;
    m.Allocate(int32_t(b.size() / size_t(size)));
    if (m.Data()) std::memcpy(m.Data(), b.data(), b.size());
    taken.push_back({b, size, m.GrowBy, m.ZeroNew});
    copies.push_back(std::make_unique<RecordSnapshot>(m, copies.empty() ? nullptr : copies.back().get()));
  }
  for (size_t k = 0; k < copies.size(); ++k) {
    SCOPED_TRACE("copy " + std::to_string(k));
    TIMem32 back;
    copies[k]->RestoreTo(back);
    EXPECT_EQ(StoreBytes(back), taken[k].bytes);
    EXPECT_EQ(back.RecordSize, taken[k].recordSize);
    EXPECT_EQ(back.GrowBy, taken[k].growBy);
    EXPECT_EQ(back.ZeroNew, taken[k].zeroNew);
  }
}
