// Pair scoring, streaks, item rewards, the level clock and the reward banner.
#include "game/rules/scoring.h"

#include "game/rules/level_flow.h"
#include "rules_support.h"

class ScoringTest : public RulesTest {
 protected:
  static void Ticks(int n) {
    for (int i = 0; i < n; ++i) ClockTick();
  }
};

// ---- Pair scoring ----------------------------------------------------------------------------

TEST_F(ScoringTest, ThreeQuickRemovalsGiveTheBonusOnce) {
  ScorePair();
  ScorePair();
  EXPECT_EQ(gScore.score, 2 * 198);
  EXPECT_FALSE(gScore.bannerShown);
  ScorePair();
  EXPECT_EQ(gScore.score, 500 + 3 * 198);
  EXPECT_EQ(gScore.streak, 0);
  EXPECT_TRUE(gScore.bannerShown);
  EXPECT_TRUE(gScore.bannerStreak);
  ScorePair();
  EXPECT_EQ(gScore.score, 500 + 4 * 198) << "a fourth quick removal alone gives nothing";
  ScorePair();
  ScorePair();
  EXPECT_EQ(gScore.score, 1000 + 6 * 198) << "the sixth gives the next bonus";
  EXPECT_EQ(gScore.scoreText, std::to_string(1000 + 6 * 198));
}

TEST_F(ScoringTest, SlowRemovalScoresExactlyTwentyAndBreaksTheStreak) {
  ScorePair();
  ScorePair();
  Ticks(200);
  EXPECT_EQ(gScore.speed, 10);
  const int before = gScore.score;
  ScorePair();
  EXPECT_EQ(gScore.score - before, 20);
  EXPECT_EQ(gScore.streak, 0);
  EXPECT_EQ(gScore.speed, 99);
}

TEST_F(ScoringTest, StreakNeedsSpeedAbove85) {
  Ticks(13);   // speed 86
  ScorePair();
  EXPECT_EQ(gScore.streak, 1);
  EXPECT_EQ(gScore.score, 172);
  Ticks(14);   // speed 85
  ScorePair();
  EXPECT_EQ(gScore.streak, 0);
}

// ---- Item rewards ----------------------------------------------------------------------------

TEST_F(ScoringTest, ShuffleRewardsEvery8000Points) {
  SetScore(8000);
  AwardItems();
  EXPECT_EQ(gItems.shuffles, StartItemCount) << "the score must be above the threshold";
  SetScore(8001);
  AwardItems();
  EXPECT_EQ(gItems.shuffles, StartItemCount + 1);
  EXPECT_TRUE(gScore.bannerShuffle);
  AwardItems();
  SetScore(16000);
  AwardItems();
  EXPECT_EQ(gItems.shuffles, StartItemCount + 1);
  SetScore(16001);
  AwardItems();
  EXPECT_EQ(gItems.shuffles, StartItemCount + 2);
  EXPECT_EQ(gItems.bombs, StartItemCount + 1) << "16001 is above the first bomb threshold";
  ResetGame();   // a second game in the same run goes on from the thresholds reached
  EXPECT_EQ(gScore.scoreText, "0");
  SetScore(16001);
  AwardItems();
  EXPECT_EQ(gItems.shuffles, StartItemCount) << "the next shuffle comes only above 24000";
  SetScore(24001);
  AwardItems();
  EXPECT_EQ(gItems.shuffles, StartItemCount + 1);
}

TEST_F(ScoringTest, BombRewardsEvery15000PointsOneOfEachKindPerRemoval) {
  SetScore(15000);
  AwardItems();
  EXPECT_EQ(gItems.bombs, StartItemCount);
  SetScore(15001);
  AwardItems();
  EXPECT_EQ(gItems.bombs, StartItemCount + 1);
  gItems = ItemState{};
  gScore = ScoreState{};
  SetScore(40000);
  AwardItems();
  EXPECT_EQ(gItems.shuffles, StartItemCount + 1);
  EXPECT_EQ(gItems.bombs, StartItemCount + 1);
  AwardItems();
  EXPECT_EQ(gItems.shuffles, StartItemCount + 2);
  EXPECT_EQ(gItems.bombs, StartItemCount + 2);
  EXPECT_TRUE((Asked("effect 4") || Asked("sound 4")));
}


// ---- Level clock -----------------------------------------------------------------------------

TEST_F(ScoringTest, ClockTextsShowMinutesAndSeconds) {
  Ticks(615);
  EXPECT_EQ(gScore.minutesText, "01");
  EXPECT_EQ(gScore.secondsText, "01");
  EXPECT_EQ(gScore.elapsedTenths, 615);
  Ticks(59 * 600);
  EXPECT_EQ(gScore.minutesText, "60");
  gScore.elapsedTenths = 100 * 600 - 1;
  ClockTick();
  EXPECT_EQ(gScore.minutesText, "00") << "the last two characters after 100 minutes";
  EXPECT_EQ(gScore.secondsText, "00");
}

// ---- Reward banner ---------------------------------------------------------------------------

TEST_F(ScoringTest, NewRewardRestartsThePassOf300FramesWithTheLinesOn) {
  ScorePair();
  ScorePair();
  ScorePair();
  for (int frame = 0; frame < 100; ++frame) EXPECT_TRUE(StepRewardBanner());
  EXPECT_EQ(gScore.bannerX, 500);
  SetScore(8001);
  AwardItems();
  EXPECT_EQ(gScore.bannerX, 900);
  EXPECT_TRUE(gScore.bannerStreak) << "the streak line stays on";
  EXPECT_TRUE(gScore.bannerShuffle);
  for (int frame = 1; frame < 300; ++frame) EXPECT_TRUE(StepRewardBanner());
  EXPECT_TRUE(gScore.bannerShown);
  EXPECT_FALSE(StepRewardBanner()) << "frame 300 reaches -300 and draws nothing";
  EXPECT_FALSE(gScore.bannerShown || gScore.bannerStreak || gScore.bannerShuffle);
  EXPECT_FALSE(StepRewardBanner());
}
