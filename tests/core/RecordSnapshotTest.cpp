#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "common/TIMem32.h"
#include "document/EditorDocument.h"
#include "document/RecordDelta.h"
#include "document/RecordSnapshot.h"

namespace {
using Bytes = std::vector<uint8_t>;

// Records that are alike as a document's are: the same bytes but for a few
// scattered ones, with `noise` of them random (garbage in padding and tails).
Bytes AlikeRecords(std::mt19937& rng, size_t recordSize, size_t count, size_t noise) {
  Bytes out(recordSize * count);
  std::uniform_int_distribution<int> byte(0, 255);
  for (size_t i = 0; i < recordSize && i < out.size(); ++i) out[i] = static_cast<uint8_t>(i % 3 ? byte(rng) : 0);
  for (size_t i = recordSize; i < out.size(); ++i) out[i] = out[i - recordSize];
  std::uniform_int_distribution<size_t> at(0, out.empty() ? 0 : out.size() - 1);
  for (size_t k = 0; k < noise && !out.empty(); ++k) out[at(rng)] = static_cast<uint8_t>(byte(rng));
  return out;
}

Bytes StoreBytes(const TIMem32& m) {
  if (!m.Data()) return {};
  return Bytes(m.Data(), m.Data() + static_cast<size_t>(m.Count()) * static_cast<size_t>(m.RecordSize));
}

void Fill(TIMem32& m, int32_t recordSize, const Bytes& bytes) {
  m.Clear();
  m.RecordSize = recordSize;
  m.Allocate(static_cast<int32_t>(bytes.size() / static_cast<size_t>(recordSize)));
  if (m.Data()) std::memcpy(m.Data(), bytes.data(), bytes.size());
}
}  // namespace

// Any bytes come back exactly, and the encoding matches those bytes and no
// others: a change of any one byte, or one byte more or fewer, is seen.
TEST(RecordDelta, EncodesAnyBytesExactlyAndComparesWithoutDecoding) {
  std::mt19937 rng(7);
  struct Case {
    size_t recordSize, count, noise;
  };
  const std::vector<Case> cases = {
      {289, 64, 40},  {289, 63, 0},    {289, 1, 5},     {1, 64, 10},  {3, 17, 4},     {7, 64, 30},
      {8, 64, 0},     {9, 50, 9},      {1000, 3, 0},    {289, 64, 20000}, {16, 64, 1000}, {5, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("record size " + std::to_string(c.recordSize) + ", count " + std::to_string(c.count));
    const Bytes raw = AlikeRecords(rng, c.recordSize, c.count, c.noise);
    Bytes enc;
    record_delta::Encode(raw.data(), raw.size(), c.recordSize, enc);
    Bytes back(raw.size(), 0xcd);
    ASSERT_TRUE(record_delta::Decode(enc.data(), enc.size(), back.data(), back.size(), c.recordSize));
    EXPECT_EQ(back, raw);
    EXPECT_TRUE(record_delta::Equals(enc.data(), enc.size(), raw.data(), raw.size(), c.recordSize));
    if (raw.size() > 1) {
      EXPECT_FALSE(record_delta::Equals(enc.data(), enc.size(), raw.data(), raw.size() - 1, c.recordSize));
      Bytes shorter(raw.size() - 1);
      EXPECT_FALSE(record_delta::Decode(enc.data(), enc.size(), shorter.data(), shorter.size(), c.recordSize));
    }
    Bytes longer = raw;
    longer.push_back(0);
    EXPECT_FALSE(record_delta::Equals(enc.data(), enc.size(), longer.data(), longer.size(), c.recordSize));
    std::uniform_int_distribution<size_t> at(0, raw.size() - 1);
    for (int k = 0; k < 200; ++k) {
      Bytes changed = raw;
      const size_t i = k == 0 ? 0 : k == 1 ? raw.size() - 1 : at(rng);
      changed[i] ^= static_cast<uint8_t>(1u << (k % 8));
      ASSERT_FALSE(record_delta::Equals(enc.data(), enc.size(), changed.data(), changed.size(), c.recordSize))
          << "byte " << i << " changed";
    }
  }
}

// A chain of copies, each shared with the one before it, through edits of
// every kind the store sees: each copy gives back exactly the bytes and
// settings it was taken from.
TEST(RecordSnapshot, EveryCopyOfAChainOfEditsRestoresItsBytesExactly) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> byte(0, 255);
  TIMem32 m;
  m.GrowBy = 7;
  Fill(m, 289, AlikeRecords(rng, 289, 200, 300));
  struct Taken {
    Bytes bytes;
    int32_t recordSize, count, growBy;
    bool zeroNew;
  };
  std::vector<Taken> taken;
  std::vector<std::unique_ptr<RecordSnapshot>> copies;
  auto at = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
  auto edit = [&](int kind) {
    Bytes b = StoreBytes(m);
    int32_t size = m.RecordSize;
    switch (kind) {
      case 0:  // one byte of one record
        if (!b.empty()) b[at(b.size())] ^= 0x5a;
        break;
      case 1:  // records appended, a count that is no multiple of a chunk
        b.resize(b.size() + size_t(size) * (1 + at(70)), static_cast<uint8_t>(byte(rng)));
        break;
      case 2:  // records removed from the middle
        if (b.size() > size_t(size) * 3) b.erase(b.begin() + size, b.begin() + 3 * size);
        break;
      case 3:  // the record size changes
        size = static_cast<int32_t>(1 + at(300));
        b = AlikeRecords(rng, size_t(size), at(150), at(50));
        break;
      case 4:  // nothing at all
        b.clear();
        break;
      case 5:  // random bytes everywhere
        for (auto& v : b) v = static_cast<uint8_t>(byte(rng));
        break;
    }
    Fill(m, size, b);
    m.ZeroNew = !m.ZeroNew;
    m.GrowBy = 1 + static_cast<int32_t>(at(20));
  };
  for (int step = 0; step < 60; ++step) {
    if (step) edit(step % 7 == 0 ? 3 : step % 11 == 0 ? 4 : step % 13 == 0 ? 5 : static_cast<int>(at(3)));
    taken.push_back({StoreBytes(m), m.RecordSize, m.Count(), m.GrowBy, m.ZeroNew});
    copies.push_back(std::make_unique<RecordSnapshot>(m, copies.empty() ? nullptr : copies.back().get()));
  }
  for (size_t k = 0; k < copies.size(); ++k) {
    TIMem32 back;
    copies[k]->RestoreTo(back);
    SCOPED_TRACE("copy " + std::to_string(k));
    EXPECT_EQ(back.Count(), taken[k].count);
    EXPECT_EQ(copies[k]->Count(), taken[k].count);
    EXPECT_EQ(StoreBytes(back), taken[k].bytes);
    EXPECT_EQ(back.RecordSize, taken[k].recordSize);
    EXPECT_EQ(back.GrowBy, taken[k].growBy);
    EXPECT_EQ(back.ZeroNew, taken[k].zeroNew);
  }
}

// A document's copies are a fraction of its records, and after a step on
// one element the new copy holds one chunk of its own, encoded; undo and
// redo through many steps give back every element's every byte, garbage
// in string tails included.
TEST(RecordSnapshot, ADocumentsCopiesAreSmallSharedAndExact) {
  EditorDocument d;
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> place(-500, 500);
  for (int32_t i = 0; i < 5000; ++i) {
    d.templ.x = place(rng);
    d.templ.y = place(rng);
    d.templ.kind = i % 4;
    d.AppendFromTemplate();
  }
  // Garbage past the end of some names, as files written elsewhere may hold.
  for (int32_t i = 0; i < d.Count(); i += 97) d.Element(i).name.chars[60] = static_cast<char>(rng());
  const size_t records = size_t(d.Count()) * kElementRecordSize;
  const RecordSnapshot first(d.elements, nullptr);
  EXPECT_LT(first.OwnBytes(), records / 3);
  d.Element(2500).x = 1;
  const RecordSnapshot step(d.elements, &first);
  EXPECT_GT(step.OwnBytes(), 0u);
  EXPECT_LT(step.OwnBytes(), size_t{RecordSnapshot::kChunkRecords} * kElementRecordSize / 2);

  const std::vector<std::function<void()>> edits = {
      [&] { d.Element(10).z = 3; },
      [&] { d.Element(d.Count() - 1).name.assign("renamed"); },
      [&] { d.Element(64).texture.chars[40] = 'q'; },  // a byte past the string's end
      [&] { d.AppendFromTemplate(); },
      [&] { d.elements.SetCount(d.Count() - 130); },
      [&] { d.Element(0).color = 0x80000005; },
      [&] { d.elements.SetCount(0); },
      [&] { d.AppendFromTemplate(); },
  };
  std::vector<Bytes> states{StoreBytes(d.elements)};
  for (const auto& e : edits) {
    d.PushUndo();
    e();
    states.push_back(StoreBytes(d.elements));
  }
  for (size_t k = states.size() - 1; k > 0; --k) {
    ASSERT_TRUE(d.Undo());
    EXPECT_EQ(StoreBytes(d.elements), states[k - 1]) << "undo back to state " << k - 1;
  }
  for (size_t k = 1; k < states.size(); ++k) {
    ASSERT_TRUE(d.Redo());
    EXPECT_EQ(StoreBytes(d.elements), states[k]) << "redo to state " << k;
  }
}
