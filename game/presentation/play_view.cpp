// The board in play, the in-game panel and the main-menu page.
//
// Sections: board | panel | main menu
#include "game/presentation/play_view.h"

#include <algorithm>
#include <string>

#include "game/presentation/frame_cache.h"
#include "game/presentation/layout.h"
#include "game/presentation/sparkles.h"
#include "game/presentation/sprites.h"
#include "game/presentation/view_state.h"
#include "game/rules/rules_state.h"
#include "mapdata/geometry.h"
#include "platform/picture.h"

namespace {

constexpr int Opaque = 255;
constexpr int PanelTop = 560;   // everything of the panel lies at or below this row
constexpr int Dimmed = 200;
constexpr int ShadowOffset = 3;

// Panel layout: captions and the digit rows that follow them.
constexpr int FreeScoreCaptionX = 650, FreeScoreCaptionY = 590, FreeScoreDigitsX = 705;
constexpr int ScoreDigitsY = 593, SmallDigitPitch = 25;
constexpr int LevelBeforeX = 10, LevelCaptionY = 565, LevelDigitsX = 118, LevelAfterX = 140;
constexpr int LargeDigitPitch = 20, LargeDigitsY = 566;
constexpr int ProgressScoreCaptionX = 10, ProgressScoreCaptionY = 590, ProgressScoreDigitsX = 55;
constexpr int TimeCaptionX = 650, ClockY = 595;
constexpr int MinuteDigitX[2] = {780, 800};
constexpr int ColonX = 820, ColonY = 597;
constexpr int SecondDigitX[2] = {830, 850};
constexpr int TileCountCaptionX = 650, TileCountDigitsX = 685, CountCaptionY = 565;
constexpr int RemainingCaptionX = 790, RemainingDigitsX = 827;
// The stars of the hovered bar button start a little left of its picture.
constexpr int BarSparkles = 11, BarSparkleOffsetX = -10, BarSparkleSpreadX = 50;
constexpr int BarSparkleSpreadY = 40;

// Item counts drawn on buttons 1 to 3: tens digit, then units digit slightly lower.
struct ItemDigits {
  int tensX, tensY, unitsX, unitsY;
};
constexpr ItemDigits HintDigits = {295, 571, 311, 575};
constexpr ItemDigits BombDigits = {366, 571, 382, 575};
constexpr ItemDigits ShuffleDigits = {438, 571, 454, 575};

// Main menu.
constexpr int MenuSparkles = 101, MenuSparkleSpreadX = 185, MenuSparkleSpreadY = 130;
constexpr int BottomSparkles = 51, BottomSparkleX = -30, BottomSparkleSpreadX = 950;
constexpr int BottomSparkleY = 530, BottomSparkleSpreadY = 60;

bool IsSelected(const Selection& s, int layer, int row, int column) {
  return s.layer == layer && s.row == row && s.column == column;
}

// Draws the characters of a decimal text, character i (from 1) at x + pitch * i.
void DrawDigits(const std::string& text, int firstSprite, int x, int pitch, int y) {
  for (size_t i = 0; i < text.size(); ++i) {
    char ch = text[i];
    if (ch < '0' || ch > '9') continue;
    DisplaySprite(firstSprite + (ch - '0'), x + pitch * static_cast<int>(i + 1), y);
  }
}

void DrawDigitAt(char ch, int x, int y) {
  if (ch >= '0' && ch <= '9') DisplaySprite(SpriteLargeDigit0 + (ch - '0'), x, y);
}

void DrawItemCount(int count, const ItemDigits& d) {
  DisplaySprite(SpriteItemDigit0 + count / 10 % 10, d.tensX, d.tensY);
  DisplaySprite(SpriteItemDigit0 + count % 10, d.unitsX, d.unitsY);
}

int HoverOpacity(int button) { return gView.hoveredButton == button ? Opaque : Dimmed; }

void DrawFreeModePanel() {
  const int sprites[] = {SpritePreviousLevel, SpriteNextLevel};
  for (int i = 0; i < 2; ++i) {
    const ButtonPlace& place = LevelButtons[i];
    DisplaySprite(sprites[i], place.x, place.y, HoverOpacity(place.button));
  }
  DisplaySprite(SpriteCaptionScore, FreeScoreCaptionX, FreeScoreCaptionY);
  DrawDigits(gScore.scoreText, SpriteSmallDigit0, FreeScoreDigitsX, SmallDigitPitch,
             ScoreDigitsY);
}

void DrawProgressModePanel() {
  const std::string& level = gPlay.levelText;
  DisplaySprite(SpriteCaptionLevelBefore, LevelBeforeX, LevelCaptionY);
  DrawDigits(level, SpriteLargeDigit0, LevelDigitsX, LargeDigitPitch, LargeDigitsY);
  DisplaySprite(SpriteCaptionLevelAfter,
                LevelAfterX + LargeDigitPitch * static_cast<int>(level.size()), LevelCaptionY);
  DisplaySprite(SpriteCaptionScore, ProgressScoreCaptionX, ProgressScoreCaptionY);
  DrawDigits(gScore.scoreText, SpriteSmallDigit0, ProgressScoreDigitsX, SmallDigitPitch,
             ScoreDigitsY);
  DisplaySprite(SpriteCaptionTime, TimeCaptionX, ClockY);
  for (int i = 0; i < 2 && i < static_cast<int>(gScore.minutesText.size()); ++i)
    DrawDigitAt(gScore.minutesText[i], MinuteDigitX[i], ClockY);
  DisplaySprite(SpriteClockColon, ColonX, ColonY);
  for (int i = 0; i < 2 && i < static_cast<int>(gScore.secondsText.size()); ++i)
    DrawDigitAt(gScore.secondsText[i], SecondDigitX[i], ClockY);
}

void DrawBarButtons() {
  for (const ButtonPlace& place : BarButtons) {
    const int k = place.button;
    int sprite = SpritePanelButton1 + k - 1;
    if (k == ButtonPause && gPlay.paused) sprite = SpritePauseButtonPaused;
    if (gView.hoveredButton == k) {
      DisplaySprite(sprite, place.x, place.y);
      DrawSparkles(SpriteStar2, BarSparkles, place.x + BarSparkleOffsetX, BarSparkleSpreadX,
                   place.y, BarSparkleSpreadY);
    } else {
      DisplaySprite(sprite, place.x, place.y, Dimmed);
    }
  }
}

}  // namespace

// ---- Board ------------------------------------------------------------------------------------

void DrawBoard() {
  if (gPlay.paused) return;
  const LevelState& lv = gLevel;
  for (int layer = 1; layer <= GameTopLayer; ++layer) {
    for (int row = 1; row <= BoardRows; ++row) {
      for (int column = 1; column <= BoardColumns; ++column) {
        int face = lv.board.cell[layer][row][column];
        int x = 0, y = 0;
        if (face <= 0 || !GameTilePosition(lv.arrangementType, layer, row, column, x, y))
          continue;
        DisplaySprite(SpriteShadow, x - ShadowOffset, y - ShadowOffset);
        bool selected = IsSelected(lv.first, layer, row, column) ||
                        IsSelected(lv.second, layer, row, column);
        DisplaySprite((selected ? SpriteFaceHighlighted0 : SpriteFace0) + face, x, y);
      }
    }
  }
}

bool BoardFrameKey(uint64_t& key) {
  const LevelState& lv = gLevel;
  uint64_t k = MixFrameKey(MixFrameKey(FrameKeyStart, FrameKeyBoard), BackgroundGeneration());
  k = MixFrameKey(k, lv.arrangementType);
  for (const Selection* s : {&lv.first, &lv.second}) {
    k = MixFrameKey(k, s->layer);
    k = MixFrameKey(k, s->row);
    k = MixFrameKey(k, s->column);
  }
  const int shadowReach = SpriteHeight(SpriteShadow) - ShadowOffset;
  int lowest = 0;
  for (int layer = 1; layer <= GameTopLayer; ++layer)
    for (int row = 1; row <= BoardRows; ++row)
      for (int column = 1; column <= BoardColumns; ++column) {
        int face = lv.board.cell[layer][row][column];
        k = MixFrameKey(k, face);
        int x = 0, y = 0;
        if (face > 0 && GameTilePosition(lv.arrangementType, layer, row, column, x, y))
          lowest = std::max({lowest, y + FaceHeight, y + shadowReach});
      }
  key = k;
  return lowest <= PanelTop;
}

// ---- Panel ------------------------------------------------------------------------------------

void DrawPanel() {
  if (gPlay.freeMode)
    DrawFreeModePanel();
  else
    DrawProgressModePanel();
  DisplaySprite(SpriteCaptionTileCount, TileCountCaptionX, CountCaptionY);
  DrawDigits(gLevel.totalText, SpriteLargeDigit0, TileCountDigitsX, LargeDigitPitch,
             LargeDigitsY);
  DisplaySprite(SpriteCaptionRemaining, RemainingCaptionX, CountCaptionY);
  DrawDigits(gLevel.remainingText, SpriteLargeDigit0, RemainingDigitsX, LargeDigitPitch,
             LargeDigitsY);
  DrawBarButtons();
  DrawItemCount(gItems.hints, HintDigits);
  DrawItemCount(gItems.bombs, BombDigits);
  DrawItemCount(gItems.shuffles, ShuffleDigits);
}

// ---- Main menu --------------------------------------------------------------------------------

void DrawMenuPage() {
  const int buttons = static_cast<int>(std::size(MenuButtons));
  for (int i = 0; i < buttons; ++i)
    DisplaySprite(SpriteMenuButton1 + i, MenuButtons[i].x, MenuButtons[i].y, Dimmed);
  int hovered = gView.hoveredButton;
  if (hovered >= 1 && hovered <= buttons) {
    const ButtonPlace& place = MenuButtons[hovered - 1];
    int sprite = SpriteMenuButton1 + hovered - 1;
    if (hovered == MenuProgressMode || hovered == MenuFreeMode) {
      DisplaySprite(sprite, place.x, place.y);
      DrawSparkles(SpriteStar2, MenuSparkles, place.x, MenuSparkleSpreadX, place.y,
                   MenuSparkleSpreadY);
    } else if (hovered == MenuEditor) {
      DisplaySprite(sprite, place.x, place.y);
    } else {
      // A second layer of the same picture makes it stronger.
      DisplaySprite(sprite, place.x, place.y, Dimmed);
    }
  }
  DrawSparkles(SpriteStar, BottomSparkles, BottomSparkleX, BottomSparkleSpreadX, BottomSparkleY,
               BottomSparkleSpreadY);
}
