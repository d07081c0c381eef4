// The program's random source: range, seeding and spread.
#include <gtest/gtest.h>

#include <vector>

#include "platform/random.h"

TEST(Random, StaysWithinZeroToNInclusive) {
  SeedRandom(1);
  std::vector<int> seen(7, 0);
  for (int i = 0; i < 7000; ++i) {
    int value = Random(6);
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 6);
    ++seen[value];
  }
  for (int count : seen) EXPECT_GT(count, 700) << "every value, both ends included, turns up";
  for (int n : {0, -1, -1000}) EXPECT_EQ(Random(n), 0);
}

TEST(Random, SameSeedRepeatsTheSequence) {
  SeedRandom(12345);
  std::vector<int> first;
  for (int i = 0; i < 50; ++i) first.push_back(Random(1000));
  SeedRandom(12345);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(Random(1000), first[i]);
  SeedRandom(54321);
  int same = 0;
  for (int i = 0; i < 50; ++i) same += Random(1000) == first[i];
  EXPECT_LT(same, 5);
}
