// Pair scoring, streaks, item rewards, the level clock and the reward banner.
#include "game/rules/scoring.h"

#include "game/rules/level_flow.h"
#include "platform/colour.h"
#include "platform/picture.h"
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

TEST_F(ScoringTest, StreakBonusSoundPlaysEvenWithEffectsOff) {
  gSettings.effectsOn = 0;
  ScorePair();
  ScorePair();
  EXPECT_FALSE(MediaLogHas("play 4"));
  ScorePair();
  EXPECT_TRUE(MediaLogHas("play 4"));
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
}

TEST_F(ScoringTest, BombRewardsEvery15000Points) {
  SetScore(15000);
  AwardItems();
  EXPECT_EQ(gItems.bombs, StartItemCount);
  SetScore(15001);
  AwardItems();
  EXPECT_EQ(gItems.bombs, StartItemCount + 1);
  SetScore(30001);
  AwardItems();
  EXPECT_EQ(gItems.bombs, StartItemCount + 2);
}

TEST_F(ScoringTest, OneRewardOfEachKindPerRemoval) {
  SetScore(40000);
  AwardItems();
  EXPECT_EQ(gItems.shuffles, StartItemCount + 1);
  EXPECT_EQ(gItems.bombs, StartItemCount + 1);
  AwardItems();
  EXPECT_EQ(gItems.shuffles, StartItemCount + 2);
  EXPECT_EQ(gItems.bombs, StartItemCount + 2);
  EXPECT_TRUE(MediaLogHas("play 4"));
}

TEST_F(ScoringTest, RewardSoundFollowsTheEffectsSwitch) {
  gSettings.effectsOn = 0;
  SetScore(40000);
  AwardItems();
  EXPECT_EQ(gItems.bombs, StartItemCount + 1);
  EXPECT_FALSE(MediaLogHas("play 4"));
}

TEST_F(ScoringTest, ThresholdsCarryOverIntoTheNextGame) {
  SetScore(8001);
  AwardItems();
  ResetGame();
  EXPECT_EQ(gScore.score, 0);
  EXPECT_EQ(gScore.scoreText, "0");
  SetScore(8001);
  AwardItems();
  EXPECT_EQ(gItems.shuffles, StartItemCount) << "the next shuffle comes only above 16000";
  SetScore(16001);
  AwardItems();
  EXPECT_EQ(gItems.shuffles, StartItemCount + 1);
}

// ---- Level clock -----------------------------------------------------------------------------

TEST_F(ScoringTest, ClockTextsShowMinutesAndSeconds) {
  Ticks(615);
  EXPECT_EQ(gScore.minutesText, "01");
  EXPECT_EQ(gScore.secondsText, "01");
  EXPECT_EQ(gScore.elapsedTenths, 615);
  Ticks(59 * 600);
  EXPECT_EQ(gScore.minutesText, "60");
}

TEST_F(ScoringTest, MinutesWrapAfter100) {
  gScore.elapsedTenths = 100 * 600 - 1;
  ClockTick();
  EXPECT_EQ(gScore.minutesText, "00");
  EXPECT_EQ(gScore.secondsText, "00");
}

// ---- Reward banner ---------------------------------------------------------------------------

class BannerTest : public ScoringTest {
 protected:
  // Tops of the coloured copy of each line drawn in one frame, keyed by colour.
  static std::vector<std::pair<int, int>> DrawFrame() {
    StartDrawLog();
    DrawRewardBanner();
    StopDrawLog();
    std::vector<std::pair<int, int>> lines;
    for (size_t i = 0; i + 1 < DrawLog().size(); i += 2) {
      const DrawRecord& white = DrawLog()[i];
      const DrawRecord& coloured = DrawLog()[i + 1];
      EXPECT_EQ(white.colour, Rgb(255, 255, 255));
      EXPECT_EQ(white.x, coloured.x - 1);
      EXPECT_EQ(white.y, coloured.y - 1);
      EXPECT_EQ(white.text, coloured.text);
      EXPECT_EQ(coloured.number, FontBannerHei);
      lines.push_back({coloured.colour, coloured.y + 1});
    }
    return lines;
  }

  static void ShowLines(bool streak, bool shuffle, bool bomb) {
    gScore.bannerShown = true;
    gScore.bannerX = 900;
    gScore.bannerStreak = streak;
    gScore.bannerShuffle = shuffle;
    gScore.bannerBomb = bomb;
  }
};

TEST_F(BannerTest, LineTopsDependOnTheOtherLines) {
  const int blue = Rgb(0, 0, 255), yellow = Rgb(255, 255, 0), red = Rgb(255, 0, 0);
  using Lines = std::vector<std::pair<int, int>>;
  ShowLines(true, false, false);
  EXPECT_EQ(DrawFrame(), (Lines{{blue, 5}}));
  ShowLines(false, true, false);
  EXPECT_EQ(DrawFrame(), (Lines{{yellow, 5}}));
  ShowLines(true, true, false);
  EXPECT_EQ(DrawFrame(), (Lines{{blue, 5}, {yellow, 43}}));
  ShowLines(false, false, true);
  EXPECT_EQ(DrawFrame(), (Lines{{red, 5}}));
  ShowLines(true, false, true);
  EXPECT_EQ(DrawFrame(), (Lines{{blue, 5}, {red, 42}}));
  ShowLines(false, true, true);
  EXPECT_EQ(DrawFrame(), (Lines{{yellow, 5}, {red, 42}}));
  ShowLines(true, true, true);
  EXPECT_EQ(DrawFrame(), (Lines{{blue, 5}, {yellow, 43}, {red, 80}}));
}

TEST_F(BannerTest, TextsAndPositionOfAFrame) {
  ShowLines(true, true, true);
  StartDrawLog();
  DrawRewardBanner();
  StopDrawLog();
  ASSERT_EQ(DrawLog().size(), 6u);
  EXPECT_EQ(DrawLog()[0].text, "连击奖励 1000 分");
  EXPECT_EQ(DrawLog()[0].x, 896 - 2);
  EXPECT_EQ(DrawLog()[0].y, 3);
  EXPECT_EQ(DrawLog()[1].x, 896 - 1);
  EXPECT_EQ(DrawLog()[2].text, "奖励洗牌 1 个");
  EXPECT_EQ(DrawLog()[4].text, "奖励炸弹 1 个");
}

TEST_F(BannerTest, PassLasts300FramesAndSwitchesTheLinesOff) {
  ShowLines(true, true, false);
  for (int frame = 1; frame < 300; ++frame) DrawRewardBanner();
  EXPECT_TRUE(gScore.bannerShown);
  EXPECT_EQ(DrawFrame().size(), 0u) << "frame 300 reaches -300 and draws nothing";
  EXPECT_FALSE(gScore.bannerShown);
  EXPECT_FALSE(gScore.bannerStreak);
  EXPECT_FALSE(gScore.bannerShuffle);
}

TEST_F(BannerTest, NewRewardRestartsThePassWithTheLinesOn) {
  ScorePair();
  ScorePair();
  ScorePair();
  for (int frame = 0; frame < 100; ++frame) DrawRewardBanner();
  EXPECT_EQ(gScore.bannerX, 500);
  SetScore(8001);
  AwardItems();
  EXPECT_EQ(gScore.bannerX, 900);
  EXPECT_TRUE(gScore.bannerStreak) << "the streak line stays on";
  EXPECT_TRUE(gScore.bannerShuffle);
}
