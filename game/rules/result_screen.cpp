// The result screen after the last level.
//
// Sections: item values | title | figure lines | stars
#include "game/rules/result_screen.h"

#include <string>

#include "game/app/app_state.h"
#include "game/presentation/sprites.h"
#include "game/rules/rules_state.h"
#include "platform/colour.h"
#include "platform/picture.h"
#include "platform/random.h"

// ---- Item values -----------------------------------------------------------------------------

constexpr int64_t HintPoints = 2000;
constexpr int64_t ShufflePoints = 4000;
constexpr int64_t BombPoints = 6000;

int64_t HintValue() { return gItems.hints * HintPoints; }
int64_t ShuffleValue() { return gItems.shuffles * ShufflePoints; }
int64_t BombValue() { return gItems.bombs * BombPoints; }

// ---- Title -----------------------------------------------------------------------------------

constexpr int CountUpStep = 100;       // figure points added per frame
constexpr int TitleAreaWidth = 900;
constexpr int TitleLeftMargin = 30;
constexpr int TitleTop = 100;
constexpr int TitleShadowCopies = 6;   // grey copies stepping up-left
constexpr int TitleGreyBase = 30;
constexpr int TitleGreyStep = 15;
constexpr int TitleWhiteOffset = 7;    // white copy, up-left of the base position
constexpr int TitleGoldOffset = 6;     // gold copy on top

static const char* const TitleText = "恭喜你通关啦";

// Draws the title and returns its x.
static int DrawTitle() {
  const int x = (TitleAreaWidth - TextWidth(FontTitleHei, TitleText)) / 2 + TitleLeftMargin;
  for (int i = 0; i < TitleShadowCopies; ++i) {
    const int grey = TitleGreyBase + TitleGreyStep * i;
    DrawText(FontTitleHei, x - i, TitleTop - i, TitleText, Rgb(grey, grey, grey));
  }
  DrawText(FontTitleHei, x - TitleWhiteOffset, TitleTop - TitleWhiteOffset, TitleText,
           Rgb(255, 255, 255));
  DrawText(FontTitleHei, x - TitleGoldOffset, TitleTop - TitleGoldOffset, TitleText,
           Rgb(255, 220, 0));
  return x;
}

// ---- Figure lines ----------------------------------------------------------------------------

constexpr int FigureCountingX = 350;   // a counting figure: blue, shadow 1 px right and down
constexpr int FigureFinalX = 300;      // a final figure: yellow, shadow 1 px right and down
constexpr int FigureShadowOffset = 1;
constexpr int FigureFirstY = 240;      // hint line; the others follow one gap lower each
constexpr int FigureLineGap = 60;
constexpr int TotalX = 300;
constexpr int TotalY = 480;
constexpr int TotalShadowOffset = 2;

struct FigureLine {
  const char* label;
  int64_t value;
  int y;
  int finalColour;
};

static void DrawFigureLine(const FigureLine& line, int64_t countUp) {
  if (countUp < line.value) {
    const std::string text = line.label + std::to_string(countUp);
    DrawText(FontImpact36, FigureCountingX + FigureShadowOffset, line.y + FigureShadowOffset,
             text, Rgb(255, 255, 255));
    DrawText(FontImpact36, FigureCountingX, line.y, text, Rgb(0, 0, 225));
  } else {
    const std::string text = line.label + std::to_string(line.value);
    DrawText(FontImpact36, FigureFinalX + FigureShadowOffset, line.y + FigureShadowOffset, text,
             Rgb(0, 0, 0));
    DrawText(FontImpact36, FigureFinalX, line.y, text, line.finalColour);
  }
}

static void DrawTotalLine(int64_t countUp, int64_t itemValues) {
  const int64_t score = gScore.score;
  const bool counting = countUp < score;
  const std::string text = "总分：" + std::to_string(itemValues + (counting ? countUp : score));
  DrawText(FontImpact48, TotalX + TotalShadowOffset, TotalY + TotalShadowOffset, text,
           counting ? Rgb(0, 0, 0) : Rgb(255, 255, 255));
  DrawText(FontImpact48, TotalX, TotalY, text,
           counting ? Rgb(255, 255, 0) : Rgb(0, 0, 255));
}

// ---- Stars -----------------------------------------------------------------------------------

constexpr int StarCount = 101;
constexpr int StarSpreadX = 700;
constexpr int StarOffsetX = -20;
constexpr int StarSpreadY = 110;
constexpr int StarTop = 80;
constexpr int MaxOpacity = 255;

static void DrawStars(int titleX) {
  for (int i = 0; i < StarCount; ++i) {
    const int x = titleX + Random(StarSpreadX) + StarOffsetX;
    const int y = Random(StarSpreadY) + StarTop;
    const int opacity = Random(MaxOpacity);
    DisplaySprite(SpriteStar, x, y, opacity);
  }
}

void DrawResultScreen() {
  gResult.countUp += 1;
  const int64_t countUp = int64_t{gResult.countUp} * CountUpStep;
  const int titleX = DrawTitle();
  const FigureLine lines[] = {
      {"提示得分：", HintValue(), FigureFirstY, Rgb(230, 230, 0)},
      {"洗牌得分：", ShuffleValue(), FigureFirstY + FigureLineGap, Rgb(240, 240, 0)},
      {"炸弹得分：", BombValue(), FigureFirstY + 2 * FigureLineGap, Rgb(240, 240, 0)},
      {"消除得分：", gScore.score, FigureFirstY + 3 * FigureLineGap, Rgb(240, 240, 0)},
  };
  for (const FigureLine& line : lines) DrawFigureLine(line, countUp);
  DrawTotalLine(countUp, HintValue() + ShuffleValue() + BombValue());
  DrawStars(titleX);
}
