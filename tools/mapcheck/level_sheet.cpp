// The contact sheet, drawn with the game itself: its start-up, its deal and its frame tick, so
// the sheet shows what a player sees on the first frame of each level.
#include "tools/mapcheck/level_sheet.h"

#include <cstdlib>

#include "game/app/app_state.h"
#include "game/app/main_loop.h"
#include "game/presentation/frame_cache.h"
#include "game/rules/level_flow.h"
#include "game/rules/rules_state.h"
#include "platform/app.h"
#include "platform/colour.h"
#include "platform/dialog.h"
#include "platform/media.h"
#include "platform/picture.h"
#include "platform/random.h"
#include "platform/window.h"
#include "tools/mapcheck/level_frame.h"

namespace {

// Numbers above the game's own.
constexpr int LevelSprite = 900;
constexpr int LevelImage = 900, SheetImage = 901;
constexpr int LabelFont = 9;
constexpr const char* LabelFace = "WenQuanYi Zen Hei";
constexpr int LabelPoints = 11;
constexpr int LabelInsetX = 2, LabelInsetY = 3;
constexpr int SheetColour = Rgb(40, 40, 40);
constexpr int FrameColour = Rgb(0, 255, 255);
constexpr int FrameThickness = 3;   // still a line at a third of the size
constexpr int PassColour = Rgb(120, 230, 120);
constexpr int FailColour = Rgb(255, 110, 90);

int SheetRows(int levels) { return (levels + SheetColumns - 1) / SheetColumns; }

// The play area's edges over the drawn frame, just outside it: a level should sit inside.
void DrawPlayAreaFrame() {
  if (!StartDrawingOnScreen()) return;
  const int t = FrameThickness;
  const int width = PlayAreaRight - PlayAreaLeft, height = PlayAreaBottom - PlayAreaTop;
  DrawBox(PlayAreaLeft, PlayAreaTop - t, width, t, FrameColour);
  DrawBox(PlayAreaLeft, PlayAreaBottom, width, t, FrameColour);
  DrawBox(PlayAreaLeft, PlayAreaTop, t, height, FrameColour);
  DrawBox(PlayAreaRight - t, PlayAreaTop, t, height, FrameColour);
  StopDrawing();
}

// The first frame of the level after its introduction in progress mode, with the items of a
// new game: the level started as the game starts it, background choice and deal included.
void DrawLevelFrame(const LevelCheck& check) {
  gPlay = PlayState{};
  gItems = ItemState{};
  gPlay.freeMode = false;
  SeedRandom(SheetSeed);
  // A level without a pair counts as cleared at once: the game would go on to the next one.
  if (check.tiles >= 2) {
    StartLevel(check.level);
  } else {
    SetCurrentLevel(check.level);
    DealLevel(check.level);
  }
  StopTimer(GameWindow, LevelClockTimer);
  gApp.inPlay = true;
  FrameTick();
  DrawPlayAreaFrame();
}

}  // namespace

void SheetLevelOrigin(int index, int& x, int& y) {
  x = SheetGap + (index % SheetColumns) * (SheetLevelWidth + SheetGap);
  y = SheetGap + (index / SheetColumns) * (SheetLabelHeight + SheetLevelHeight + SheetGap) +
      SheetLabelHeight;
}

int SheetWidth() { return SheetGap + SheetColumns * (SheetLevelWidth + SheetGap); }

int SheetHeight(int levels) {
  return SheetGap + SheetRows(levels) * (SheetLabelHeight + SheetLevelHeight + SheetGap);
}

std::string StartSheetDrawing() {
  // No display is needed, and none is used even where one exists.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (!InitPlatform()) return "the offscreen platform does not start";
  RecordMediaCalls(true);
  ScriptDialogs(true);
  SeedRandom(SheetSeed);
  const bool started = StartGame() && OpenGameScreen();
  ScriptDialogs(false);
  if (!started) return "the game does not start here: run mapcheck in an application directory";
  StopTimer(GameWindow, FrameTimer);
  SetFrameCacheEnabled(false);
  LoadFont(LabelFont, LabelFace, LabelPoints, true);
  return {};
}

std::string DrawLevelSheet(const MapCheck& map, const std::string& pngPath) {
  const int levels = static_cast<int>(map.levels.size());
  if (!CreateImage(SheetImage, SheetWidth(), SheetHeight(levels), SheetColour))
    return "cannot make a sheet for " + std::to_string(levels) + " levels";
  for (int i = 0; i < levels; ++i) {
    const LevelCheck& check = map.levels[size_t(i)];
    DrawLevelFrame(check);
    if (!GrabScreenSprite(LevelSprite) || !ImageFromSprite(LevelImage, LevelSprite))
      return "cannot read the drawn frame";
    int x, y;
    SheetLevelOrigin(i, x, y);
    const std::string verdict = LevelVerdict(check);
    StartDrawingOnImage(SheetImage);
    DrawImageScaled(LevelImage, x, y, SheetLevelWidth, SheetLevelHeight);
    DrawText(LabelFont, x + LabelInsetX, y - SheetLabelHeight + LabelInsetY,
             std::to_string(check.level) + "  " + verdict,
             verdict == PassingVerdict ? PassColour : FailColour);
    StopDrawing();
  }
  gApp.inPlay = false;
  FreeSprite(LevelSprite);
  FreeImage(LevelImage);
  const bool saved = SaveImagePng(SheetImage, pngPath);
  FreeImage(SheetImage);
  return saved ? std::string() : "cannot write " + pngPath;
}
