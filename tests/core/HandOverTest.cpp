// Items made on one thread and used on another: all of them, in the order
// made, and a failure of the user is never lost.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
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
