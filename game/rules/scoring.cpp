// Scoring of pairs, item rewards, the level clock and the reward banner.
//
// Sections: pair scoring | item rewards | level clock | reward banner
#include "game/rules/scoring.h"

#include <string>

#include "game/app/app_state.h"
#include "game/presentation/sound.h"
#include "game/rules/rules_state.h"
#include "platform/colour.h"
#include "platform/picture.h"

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
    PlaySound(SoundReward);
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
    PlayEffect(SoundReward);
    RestartBanner();
  }
  if (sc.score > sc.bombThreshold) {
    sc.bannerBomb = true;
    sc.bombThreshold += BombRewardStep;
    gItems.bombs += 1;
    PlayEffect(SoundReward);
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
constexpr int BannerFirstTop = 5;
constexpr int BannerShuffleSecondTop = 43;
constexpr int BannerBombSecondTop = 42;
constexpr int BannerBombThirdTop = 80;
constexpr int BannerHighlightOffset = 2;   // the white copy sits up-left of the coloured one
constexpr int BannerColourOffset = 1;

static void RestartBanner() {
  gScore.bannerX = BannerStartX;
  gScore.bannerShown = true;
}

static void DrawBannerLine(const char* text, int top, int colour) {
  const int x = gScore.bannerX;
  DrawText(FontBannerHei, x - BannerHighlightOffset, top - BannerHighlightOffset, text,
           Rgb(255, 255, 255));
  DrawText(FontBannerHei, x - BannerColourOffset, top - BannerColourOffset, text, colour);
}

void DrawRewardBanner() {
  ScoreState& sc = gScore;
  if (!sc.bannerShown) return;
  sc.bannerX -= BannerStepPx;
  if (sc.bannerX <= BannerEndX) {
    sc.bannerShown = false;
    sc.bannerStreak = false;
    sc.bannerShuffle = false;
    sc.bannerBomb = false;
    return;
  }
  if (sc.bannerStreak) DrawBannerLine("连击奖励 1000 分", BannerFirstTop, Rgb(0, 0, 255));
  if (sc.bannerShuffle) {
    const int top = sc.bannerStreak ? BannerShuffleSecondTop : BannerFirstTop;
    DrawBannerLine("奖励洗牌 1 个", top, Rgb(255, 255, 0));
  }
  if (sc.bannerBomb) {
    const int others = (sc.bannerStreak ? 1 : 0) + (sc.bannerShuffle ? 1 : 0);
    const int top = others == 2 ? BannerBombThirdTop
                    : others == 1 ? BannerBombSecondTop
                                  : BannerFirstTop;
    DrawBannerLine("奖励炸弹 1 个", top, Rgb(255, 0, 0));
  }
}
