// Items made on one thread and used on another: all of them, in the order
// made, and a failure of the user is never lost.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "common/HandOver.h"

namespace {
using Items = HandOver<std::vector<int>>;

size_t Weigh(const std::vector<int>& item) { return item.size(); }

TEST(HandOver, EveryItemIsUsedOnceInTheOrderMade) {
  std::vector<int> used;  // only the user's thread touches it until Settle
  Items handOver([&used](std::vector<int>& item) { used.insert(used.end(), item.begin(), item.end()); }, Weigh, 4, 64);
  std::vector<int> expected, item;
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 500; ++i) {
      item.clear();  // what comes back is an earlier item, to be emptied
      for (int k = 0; k <= i % 40; ++k) item.push_back(static_cast<int>(expected.size()));
      expected.insert(expected.end(), item.begin(), item.end());
      handOver.Hand(item);
    }
    handOver.Settle();
    ASSERT_EQ(used, expected) << "round " << round;
  }
}

// Memory stays bounded whatever the whole: never more items, nor more
// weight, wait or are in use than the room holds (the maker counts an item
// as it hands it over, so one more may be counted while it waits for room).
TEST(HandOver, WhatWaitsStaysWithinTheRoom) {
  std::atomic<size_t> handed{0}, used{0}, handedWeight{0}, usedWeight{0};
  size_t mostItems = 0, mostWeight = 0;
  Items handOver(
      [&](std::vector<int>& item) {
        mostItems = std::max(mostItems, handed - used);
        mostWeight = std::max(mostWeight, handedWeight - usedWeight);
        if (item.size() % 7 == 0) std::this_thread::yield();  // a user that lags now and then
        usedWeight += item.size();
        ++used;
      },
      Weigh, 8, 100);
  std::vector<int> item;
  for (int i = 0; i < 20000; ++i) {
    item.assign(static_cast<size_t>(i % 30), i);
    ++handed;
    handedWeight += item.size();
    handOver.Hand(item);
  }
  handOver.Settle();
  EXPECT_EQ(used, 20000u);
  EXPECT_LE(mostItems, 8u + 1);
  EXPECT_LT(mostWeight, 100u + 2 * 30);  // the room, the item that filled it, and the one waiting for room
}

TEST(HandOver, AFailureIsThrownToTheMakerAndStays) {
  std::vector<int> used;
  Items handOver(
      [&used](std::vector<int>& item) {
        if (item.at(0) == 3) throw std::runtime_error("disk full");
        used.push_back(item.at(0));
      },
      Weigh, 2, 100);
  int thrown = 0;
  for (int i = 0; i < 50; ++i) {
    std::vector<int> item{i};
    try {
      handOver.Hand(item);
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), "disk full");
      ++thrown;
    }
  }
  // However many hand-overs went on past it, the end still fails.
  EXPECT_THROW(handOver.Settle(), std::runtime_error);
  EXPECT_THROW(handOver.Settle(), std::runtime_error);
  EXPECT_EQ(used, (std::vector<int>{0, 1, 2}));  // nothing after the gap
  EXPECT_GT(thrown, 0);
}
}  // namespace
