// The result page.
//
// Sections: title | figure lines | the page
#include "game/presentation/result_view.h"

#include <string>

#include "game/presentation/fonts.h"
#include "game/presentation/sprites.h"
#include "game/rules/result_screen.h"
#include "game/rules/rules_state.h"
#include "platform/colour.h"
#include "platform/picture.h"
#include "platform/translation.h"

namespace {

// ---- Title ------------------------------------------------------------------------------------

constexpr int TitleAreaWidth = 900;
constexpr int TitleLeftMargin = 30;
constexpr int TitleTop = 100;
constexpr int TitleShadowCopies = 6;   // grey copies stepping up-left
constexpr int TitleGreyBase = 30;
constexpr int TitleGreyStep = 15;
constexpr int TitleWhiteOffset = 7;    // white copy, up-left of the base position
constexpr int TitleGoldOffset = 6;     // gold copy on top

constexpr const char* TitleText = "恭喜你通关啦";

// Draws the title and returns its x.
int DrawTitle() {
  const std::string title = TranslateText(TitleText);
  const int x = (TitleAreaWidth - TextWidth(FontTitleHei, title)) / 2 + TitleLeftMargin;
  for (int i = 0; i < TitleShadowCopies; ++i) {
    const int grey = TitleGreyBase + TitleGreyStep * i;
    DrawText(FontTitleHei, x - i, TitleTop - i, title, Rgb(grey, grey, grey));
  }
  DrawText(FontTitleHei, x - TitleWhiteOffset, TitleTop - TitleWhiteOffset, title,
           Rgb(255, 255, 255));
  DrawText(FontTitleHei, x - TitleGoldOffset, TitleTop - TitleGoldOffset, title,
           Rgb(255, 220, 0));
  return x;
}

// ---- Figure lines -----------------------------------------------------------------------------

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

void DrawFigureLine(const FigureLine& line, int64_t countUp) {
  if (countUp < line.value) {
    const std::string text = TranslateText(line.label, {countUp});
    DrawText(FontImpact36, FigureCountingX + FigureShadowOffset, line.y + FigureShadowOffset,
             text, Rgb(255, 255, 255));
    DrawText(FontImpact36, FigureCountingX, line.y, text, Rgb(0, 0, 225));
  } else {
    const std::string text = TranslateText(line.label, {line.value});
    DrawText(FontImpact36, FigureFinalX + FigureShadowOffset, line.y + FigureShadowOffset, text,
             Rgb(0, 0, 0));
    DrawText(FontImpact36, FigureFinalX, line.y, text, line.finalColour);
  }
}

void DrawTotalLine(int64_t countUp, int64_t itemValues) {
  const int64_t score = gScore.score;
  const bool counting = countUp < score;
  const std::string text =
      TranslateText("总分：%1", {itemValues + (counting ? countUp : score)});
  DrawText(FontImpact48, TotalX + TotalShadowOffset, TotalY + TotalShadowOffset, text,
           counting ? Rgb(0, 0, 0) : Rgb(255, 255, 255));
  DrawText(FontImpact48, TotalX, TotalY, text,
           counting ? Rgb(255, 255, 0) : Rgb(0, 0, 255));
}

}  // namespace

// ---- The page ---------------------------------------------------------------------------------

void DrawResultScreen() {
  const int64_t countUp = ResultCountUp();
  const int titleX = DrawTitle();
  const FigureLine lines[] = {
      {"提示得分：%1", HintValue(), FigureFirstY, Rgb(230, 230, 0)},
      {"洗牌得分：%1", ShuffleValue(), FigureFirstY + FigureLineGap, Rgb(240, 240, 0)},
      {"炸弹得分：%1", BombValue(), FigureFirstY + 2 * FigureLineGap, Rgb(240, 240, 0)},
      {"消除得分：%1", gScore.score, FigureFirstY + 3 * FigureLineGap, Rgb(240, 240, 0)},
  };
  for (const FigureLine& line : lines) DrawFigureLine(line, countUp);
  DrawTotalLine(countUp, HintValue() + ShuffleValue() + BombValue());
  for (const EffectDot& star : gResult.stars)
    DisplaySprite(SpriteStar, titleX + star.x, star.y, star.opacity);
}
