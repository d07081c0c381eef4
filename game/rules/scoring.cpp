// Scoring of pairs, item rewards, the level clock and the reward banner.
//
// Sections: pair scoring | item rewards | level clock | reward banner
#include "game/rules/scoring.h"

#include <string>

#include "game/rules/game_numbers.h"
#include "game/rules/rules_services.h"
#include "game/rules/rules_state.h"

constexpr int FullSpeed = 99;          // speed value right after a removal
constexpr int LowestSpeed = 10;        // the speed value drains down to this
constexpr int StreakSpeed = 85;        // a pair scored above this speed extends the streak
constexpr int StreakLength = 2;        // a streak counter above this earns the bonus
constexpr int StreakBonus = 500;       // the banner names 1000; the rule gives 500
constexpr int ShuffleRewardStep = 8000;
constexpr int BombRewardStep = 15000;

static void RestartBanner();

// ---- Pair scoring ----------------------------------------------------------------------------

void SetScore(int score) {
  gScore.score = score;
  gScore.scoreText = std::to_string(score);
}

void ScorePair() {
  ScoreState& sc = gScore;
  const int speed = sc.speed;
  sc.streak = speed > StreakSpeed ? sc.streak + 1 : 0;
  if (sc.streak > StreakLength) {
    sc.streak = 0;
    sc.score += StreakBonus;
    sc.bannerStreak = true;
    gRulesServices.playSound(SoundReward);
    RestartBanner();
  }
  SetScore(sc.score + 2 * speed);
  sc.speed = FullSpeed;
}

void ResetGameFigures() {
  gItems.hints = StartItemCount;
  gItems.shuffles = StartItemCount;
  gItems.bombs = StartItemCount;
  SetScore(0);
  gScore.elapsedTenths = 0;
}

// ---- Item rewards ----------------------------------------------------------------------------

void AwardItems() {
  ScoreState& sc = gScore;
  if (sc.score > sc.shuffleThreshold) {
    sc.bannerShuffle = true;
    sc.shuffleThreshold += ShuffleRewardStep;
    gItems.shuffles += 1;
    gRulesServices.playEffect(SoundReward);
    RestartBanner();
  }
  if (sc.score > sc.bombThreshold) {
    sc.bannerBomb = true;
    sc.bombThreshold += BombRewardStep;
    gItems.bombs += 1;
    gRulesServices.playEffect(SoundReward);
    RestartBanner();
  }
}

// ---- Level clock -----------------------------------------------------------------------------

constexpr int TenthsPerSecond = 10;
constexpr int SecondsPerMinute = 60;

// The last two characters of "0" followed by the decimal of value.
static std::string TwoDigits(int value) {
  std::string text = "0";
  text += std::to_string(value);
  return text.substr(text.size() - 2);
}

void ClockTick() {
  ScoreState& sc = gScore;
  sc.speed -= 1;
  sc.elapsedTenths += 1;
  if (sc.speed <= LowestSpeed) sc.speed = LowestSpeed;
  const int seconds = sc.elapsedTenths / TenthsPerSecond;
  sc.minutesText = TwoDigits(seconds / SecondsPerMinute);
  sc.secondsText = TwoDigits(seconds % SecondsPerMinute);
}

// ---- Reward banner ---------------------------------------------------------------------------

constexpr int BannerStartX = 900;
constexpr int BannerStepPx = 4;        // leftwards per frame
constexpr int BannerEndX = -300;       // hidden once x reaches this

static void RestartBanner() {
  gScore.bannerX = BannerStartX;
  gScore.bannerShown = true;
}

bool StepRewardBanner() {
  ScoreState& sc = gScore;
  if (!sc.bannerShown) return false;
  sc.bannerX -= BannerStepPx;
  if (sc.bannerX <= BannerEndX) {
    sc.bannerShown = false;
    sc.bannerStreak = false;
    sc.bannerShuffle = false;
    sc.bannerBomb = false;
    return false;
  }
  return true;
}
