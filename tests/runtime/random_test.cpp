#include "random.h"

#include <gtest/gtest.h>

#include <set>

namespace zorli {
namespace {

TEST(RandomGenerator, SeedOneGivesTheCRuntimeSequence) {
  seedRandom(1);
  EXPECT_EQ(DrawRandom(), 41);
  EXPECT_EQ(DrawRandom(), 18467);
  EXPECT_EQ(DrawRandom(), 6334);
  seedRandom(-1);  // any 32-bit seed is a state
  const int32_t first = DrawRandom();
  seedRandom(-1);
  EXPECT_EQ(DrawRandom(), first);
}

TEST(RandomInRange, OrderAndNegativeBounds) {
  for (int32_t seed : {1, 2, 3, 77, 12345}) {
    seedRandom(seed);
    const int32_t forward = randomInRange(2, 5);
    seedRandom(seed);
    EXPECT_EQ(randomInRange(5, 2), forward);
    EXPECT_GE(forward, 2);
    EXPECT_LE(forward, 5);

    seedRandom(seed);
    const int32_t clamped = randomInRange(-3, 4);
    seedRandom(seed);
    EXPECT_EQ(randomInRange(0, 4), clamped);

    seedRandom(seed);
    const int32_t reversed = randomInRange(1, 0);
    seedRandom(seed);
    EXPECT_EQ(randomInRange(0, 1), reversed);
  }
}

TEST(RandomInRange, EqualBoundsDrawNothing) {
  seedRandom(1);
  EXPECT_EQ(randomInRange(7, 7), 7);
  EXPECT_EQ(randomInRange(-4, -9), 0);  // both become 0
  EXPECT_EQ(DrawRandom(), 41);          // the state did not move
}

TEST(RandomInRange, FormulaAndDefaults) {
  seedRandom(1);
  EXPECT_EQ(randomInRange(2, 5), 2 + 41 % 4);
  EXPECT_EQ(randomInRange(1, 3), 1 + 18467 % 3);
  seedRandom(1);
  EXPECT_EQ(randomInRange(), 41);  // whole range: the draw itself
  seedRandom(1);
  EXPECT_EQ(randomInRange(std::nullopt, 10), 41 % 11);
}

TEST(RandomInRange, CoversEveryValueOfASmallRange) {
  seedRandom(99);
  std::set<int32_t> seen;
  for (int i = 0; i < 200; ++i) seen.insert(randomInRange(2, 5));
  EXPECT_EQ(seen, (std::set<int32_t>{2, 3, 4, 5}));
}

TEST(SeedRandom, UnseededSeedingsInOneMillisecondDiffer) {
  seedRandom();
  const int32_t a = DrawRandom() * 32768 + DrawRandom();
  seedRandom();
  const int32_t b = DrawRandom() * 32768 + DrawRandom();
  EXPECT_NE(a, b);
}

}  // namespace
}  // namespace zorli
