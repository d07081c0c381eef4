// The result screen after the last level: what the items left over are worth, and the run of
// its count-up and stars.
#include "game/rules/result_screen.h"

#include "game/rules/rules_state.h"
#include "platform/random.h"

// ---- Item values -----------------------------------------------------------------------------

constexpr int64_t HintPoints = 2000;
constexpr int64_t ShufflePoints = 4000;
constexpr int64_t BombPoints = 6000;

int64_t HintValue() { return gItems.hints * HintPoints; }
int64_t ShuffleValue() { return gItems.shuffles * ShufflePoints; }
int64_t BombValue() { return gItems.bombs * BombPoints; }

// ---- Count-up and stars ----------------------------------------------------------------------

constexpr int CountUpStep = 100;       // figure points added per frame
constexpr int StarSpreadX = 700;
constexpr int StarOffsetX = -20;
constexpr int StarSpreadY = 110;
constexpr int StarTop = 80;
constexpr int MaxOpacity = 255;

int64_t ResultCountUp() { return int64_t{gResult.countUp} * CountUpStep; }

void StepResultScreen() {
  ResultState& r = gResult;
  r.countUp += 1;
  for (EffectDot& star : r.stars) {
    star.x = Random(StarSpreadX) + StarOffsetX;
    star.y = Random(StarSpreadY) + StarTop;
    star.opacity = Random(MaxOpacity);
  }
}
