// The full-screen pages: level introduction, map loading, level selection and help.
//
// Sections: level introduction | loading | level selection | help
#include "game/presentation/pages.h"

#include <string>

#include "game/presentation/fonts.h"
#include "game/presentation/frame_cache.h"
#include "game/presentation/layout.h"
#include "game/presentation/sparkles.h"
#include "game/presentation/sprites.h"
#include "game/presentation/view_state.h"
#include "game/rules/game_numbers.h"
#include "game/rules/rules_state.h"
#include "mapdata/level_model.h"
#include "platform/colour.h"
#include "platform/picture.h"
#include "platform/translation.h"

namespace {

constexpr int White = Rgb(255, 255, 255);
constexpr int Black = Rgb(0, 0, 0);
constexpr int Yellow = Rgb(255, 255, 0);

// Titles are centred on x = 450 with a fading grey shadow, then a white and a coloured copy.
constexpr int TitleCentreWidth = 900;
constexpr int ShadowCopies = 6, ShadowGreyStart = 30, ShadowGreyStep = 15;

// Level introduction.
constexpr int IntroSparkles = 101, IntroSparkleX = -20, IntroSparkleSpreadX = 900;
constexpr int IntroSparkleSpreadY = 500;
constexpr int IntroTitleY = 200;
constexpr int IntroTitleColour = Rgb(255, 200, 0);
constexpr int IntroCountY = 370;
constexpr int IntroClickX = 390, IntroClickY = 400;

// Loading page.
constexpr int LoadingBarFullWidth = 680, LoadingBarHeight = 147;
constexpr int LoadingTextX = 420, LoadingTextY = 370;
constexpr int PercentX = 440, PercentY = 255, PercentShadowGrey = 30;
constexpr int PercentFaceX = 436, PercentFaceY = 251;
constexpr int LoadingFrameX = 125, LoadingFrameY = 200, LoadingBarX = 135, LoadingBarY = 210;
constexpr int LoadingSparkles = 51, LoadingSparkleX = 105, LoadingSparkleSpreadX = 10;
constexpr int LoadingSparkleY = 185;

// Level selection: four thumbnails in a 2 x 2 grid, one page of levels.
constexpr int ThumbCellX = 18, ThumbCellY = 23, ThumbLeft = 30, ThumbTop = 35;
constexpr int SelectSparkles = 101, QuarterSpreadX = 400, QuarterSpreadY = 250;
constexpr int QuarterRightX = 480, QuarterLowerY = 280;
constexpr int GridLineX = 460, GridLineLength = 555, GridLineY = 277;
constexpr int LevelNumberX[4] = {210, 710, 210, 710};
constexpr int LevelNumberY[4] = {110, 110, 380, 380};

// The page buttons' captions: two copies each, from the caption's place.
struct PageLabel {
  const char* text;
  int firstColour, firstDx, firstDy;
  int secondColour, secondDx, secondDy;
};
constexpr PageLabel PageLabels[] = {
    {"主菜单", White, 0, 1, Black, 0, 0},
    {"上一页", Black, 0, 0, Yellow, 1, 1},
    {"首  页", Black, 1, 1, Yellow, 0, 0},
    {"下一页", Black, 1, 1, Yellow, 0, 0},
};

// Help page.
constexpr int HelpPanelX = 30, HelpPanelY = 30, HelpPanelOpacity = 150, HelpTextX = 50;
struct HelpLine {
  int y;
  const char* text;
};
constexpr HelpLine HelpLines[] = {
    {60, "闯关模式：此模式将按第一关开始一关一关的玩，考验有没有通关能力的模式。"},
    {90, "自由模式：可以随意选择某关来玩，这样可以跳过一些不喜欢玩的关卡。"},
    {150, "规则说明：选中两张点数一样的麻将牌（左或右没有阻拦）并且上层没有被挡住即可消除掉，"},
    {180, "          目标是把麻将全部消除掉后过关,继续探索下一关的奥秘。"},
    {240, "提示道具：如果看不到可以消除的牌，可使用此道具提示哪些牌可以消除。"},
    {270, "洗牌道具：如果遇到无法解开的局面，可使用此道具重新排列麻将牌。"},
    {300, "炸弹道具：此道具威力凶猛可以把选中的麻将点数全部炸掉。"},
    {360, "奖励分数：消除掉麻将增加相应分数，分数根据消除的速度增加，消除的越快分数也就越多。"},
    {390, "          连续消除3次得分都在85以上中间不间断，奖励500积分。"},
    {420, "奖励提示：开始游戏默认有10个提示，后每过一关增加一个提示。"},
    {450, "奖励洗牌：根据所得分数每增加8000分奖励一个洗牌道具。"},
    {480, "奖励炸弹：根据所得分数每增加16000分奖励一个炸弹道具。"},
};

// Left edge of a text centred on x = 450 (the page's centre, not the screen's).
int CentredX(int font, const std::string& text) {
  return (TitleCentreWidth - TextWidth(font, text)) / 2;
}

// Where the thumbnail draws a cell, by arrangement type; false for a type other than 1..4.
bool ThumbnailCellPosition(int type, int originX, int originY, int layer, int row, int column,
                           int& x, int& y) {
  switch (type) {
    case 1: x = originX + ThumbLeft + ThumbCellX * column - 2 * layer;
            y = originY + ThumbTop + ThumbCellY * row - 3 * layer; return true;
    case 2: x = originX + ThumbLeft + ThumbCellX * column + 9 * layer;
            y = originY + ThumbTop + ThumbCellY * row - 3 * layer; return true;
    case 3: x = originX + ThumbLeft + ThumbCellX * column - 2 * layer;
            y = originY + ThumbCellY * row + 11 * layer; return true;
    case 4: x = originX + ThumbLeft + ThumbCellX * column + 10 * layer;
            y = originY + ThumbCellY * row + 11 * layer; return true;
    default: return false;
  }
}

void DrawThumbnail(int level, int originX, int originY) {
  if (level < 1 || level > MaxLevels || gMap.store == nullptr) return;
  const LevelCells& cells = gMap.store->level[level];
  const int type = gMap.arrangementType[level];
  for (int layer = 1; layer <= GameTopLayer; ++layer)
    for (int row = 1; row <= BoardRows; ++row)
      for (int column = 1; column <= BoardColumns; ++column) {
        int x = 0, y = 0;
        if (cells.cell[layer][row][column] > 0 &&
            ThumbnailCellPosition(type, originX, originY, layer, row, column, x, y))
          DisplaySprite(SpriteSmallFace0 - 1 + layer, x, y);
      }
}

void DrawHoverSparkles(int hovered) {
  if (hovered < 1 || hovered > 4) return;
  int x = (hovered == 2 || hovered == 4) ? QuarterRightX : 0;
  int y = (hovered >= 3) ? QuarterLowerY : 0;
  DrawSparkles(SpriteStar, SelectSparkles, x, QuarterSpreadX, y, QuarterSpreadY);
}

}  // namespace

// ---- Level introduction -----------------------------------------------------------------------

void DrawLevelIntroPage() {
  for (int i = 0; i < IntroSparkles; ++i) {
    DrawSparkles(SpriteStar, 1, IntroSparkleX, IntroSparkleSpreadX, 0, IntroSparkleSpreadY);
    DrawSparkles(SpriteStar2, 1, IntroSparkleX, IntroSparkleSpreadX, 0, IntroSparkleSpreadY);
  }
  if (!StartDrawingOnScreen()) return;
  const std::string title = TranslateText("第%1关", {gPlay.currentLevel});
  int x0 = CentredX(FontHugeHei, title);
  for (int i = 0; i < ShadowCopies; ++i) {
    int g = ShadowGreyStart + ShadowGreyStep * i;
    DrawText(FontHugeHei, x0 - i, IntroTitleY - i, title, Rgb(g, g, g));
  }
  DrawText(FontHugeHei, x0 - 7, IntroTitleY - 7, title, White);
  DrawText(FontHugeHei, x0 - 6, IntroTitleY - 6, title, IntroTitleColour);

  const std::string count = TranslateText("共%1关", {gMap.levelCount});
  int x1 = CentredX(FontSmallHei, count);
  DrawText(FontSmallHei, x1 - 1, IntroCountY - 1, count, Black);
  DrawText(FontSmallHei, x1, IntroCountY, count, White);
  const std::string click = TranslateText("点击鼠标进入");
  DrawText(FontSmallHei, IntroClickX - 1, IntroClickY - 1, click, White);
  DrawText(FontSmallHei, IntroClickX, IntroClickY, click, Black);
  StopDrawing();
}

// ---- Loading ----------------------------------------------------------------------------------

void DrawLoadingPage() {
  const int barWidth = LoadingBarWidth(LoadingBarFullWidth, ScreenWidthPx - LoadingBarX);
  if (StartDrawingOnScreen()) {
    const std::string loading = TranslateText("载入地图中...");
    DrawText(FontSmallHei, LoadingTextX + 1, LoadingTextY + 1, loading, Black);
    DrawText(FontSmallHei, LoadingTextX, LoadingTextY, loading, Yellow);
    std::string percent = std::to_string(LoadingPercent()) + "%";
    for (int i = 1; i <= 3; ++i) {
      int g = PercentShadowGrey * i;
      DrawText(FontImpact36, PercentX - i, PercentY - i, percent, Rgb(g, g, g));
    }
    DrawText(FontImpact36, PercentFaceX, PercentFaceY, percent, White);
    StopDrawing();
  }
  DisplaySprite(SpriteLoadingFrame, LoadingFrameX, LoadingFrameY);
  ZoomSprite(SpriteLoadingBar, barWidth, LoadingBarHeight);
  DisplaySprite(SpriteLoadingBar, LoadingBarX, LoadingBarY);
  DrawSparkles(SpriteStar, LoadingSparkles, barWidth + LoadingSparkleX, LoadingSparkleSpreadX,
               LoadingSparkleY, LoadingBarHeight);
}

// ---- Level selection --------------------------------------------------------------------------

void DrawLevelSelectPage() {
  DrawLevelThumbnails();
  DrawLevelSelectControls();
}

void DrawLevelThumbnails() {
  for (int n = 0; n < LevelsPerPage; ++n)
    DrawThumbnail(gView.pageOffset + n + 1, ThumbnailButtons[n].x, ThumbnailButtons[n].y);
}

uint64_t SelectPageFrameKey() {
  uint64_t key = MixFrameKey(MixFrameKey(FrameKeyStart, FrameKeySelectPage), BackgroundGeneration());
  key = MixFrameKey(key, gView.pageOffset);
  for (int n = 1; n <= LevelsPerPage; ++n) {
    int level = gView.pageOffset + n;
    if (level < 1 || level > MaxLevels || gMap.store == nullptr) continue;
    key = MixFrameKey(key, gMap.arrangementType[level]);
    const LevelCells& cells = gMap.store->level[level];
    for (int layer = 1; layer <= GameTopLayer; ++layer)
      for (int row = 1; row <= BoardRows; ++row)
        for (int column = 1; column <= BoardColumns; ++column)
          key = MixFrameKey(key, cells.cell[layer][row][column]);
  }
  return key;
}

void DrawLevelSelectControls() {
  const int offset = gView.pageOffset;
  DrawHoverSparkles(gView.hoveredButton);
  if (!StartDrawingOnScreen()) return;
  DrawLine(GridLineX, 0, 1, GridLineLength, White);
  DrawLine(0, GridLineY, ScreenWidthPx, 1, White);
  for (int n = 0; n < 4; ++n) {
    std::string number = std::to_string(offset + n + 1);
    DrawText(FontImpact36, LevelNumberX[n] + 1, LevelNumberY[n] + 1, number, White);
    DrawText(FontImpact36, LevelNumberX[n], LevelNumberY[n], number, Black);
  }
  for (int i = 0; i < static_cast<int>(std::size(PageLabels)); ++i) {
    const PageLabel& label = PageLabels[i];
    const ButtonPlace& place = PageButtons[i];
    const std::string text = TranslateText(label.text);
    DrawText(FontSmallHei, place.x + label.firstDx, place.y + label.firstDy, text,
             label.firstColour);
    DrawText(FontSmallHei, place.x + label.secondDx, place.y + label.secondDy, text,
             label.secondColour);
  }
  StopDrawing();
}

// ---- Help -------------------------------------------------------------------------------------

void DrawHelpPage() {
  DisplaySprite(SpriteHelpPanel, HelpPanelX, HelpPanelY, HelpPanelOpacity);
  if (!StartDrawingOnScreen()) return;
  for (const HelpLine& line : HelpLines)
    DrawText(FontSmallHei, HelpTextX, line.y, TranslateText(line.text), White);
  StopDrawing();
}
