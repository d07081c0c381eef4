// The frame under its overlays.
//
// Sections: fixed pictures | board and pages | pause animation | intro cards | pointer
#include "game/presentation/frame_view.h"

#include <cstdint>

#include "game/presentation/frame_cache.h"
#include "game/presentation/pages.h"
#include "game/presentation/play_view.h"
#include "game/presentation/result_view.h"
#include "game/presentation/sparkles.h"
#include "game/presentation/sprites.h"
#include "game/presentation/view_state.h"
#include "game/rules/game_numbers.h"
#include "game/rules/rules_state.h"
#include "platform/picture.h"
#include "platform/window.h"

namespace {

constexpr int Opaque = 255;

// Positions of the fixed pictures of every frame.
constexpr int TitleBannerX = 260, TitleBannerY = 10;
constexpr int BottomBarX = 0, BottomBarY = 550;
constexpr int SettingsButtonX = 835, SettingsButtonY = 5;

// The pause animation: a picture sweeping across the screen with a cloud of stars.
constexpr int PauseSweepLength = 500;
constexpr int PauseStarCount = 101;
constexpr int PauseStarSpreadX = 450, PauseStarSpreadY = 130;
constexpr int PauseStarOffsetX = 70, PauseStarOffsetY = 30;

constexpr int PointerTopRows = 2;   // the pointer is not drawn over the top two rows

// ---- Fixed pictures ---------------------------------------------------------------------------

void DrawFixedPictures() {
  DisplaySprite(SpriteBackground, 0, 0);
  DisplaySprite(SpriteTitleBanner, TitleBannerX, TitleBannerY);
  DisplaySprite(SpriteBottomBar, BottomBarX, BottomBarY);
  DisplaySprite(SpriteSettingsButton, SettingsButtonX, SettingsButtonY);
}

// The fixed pictures and the given part, from the kept picture while the key is unchanged.
void DrawFrameBase(uint64_t key, void (*drawPart)()) {
  if (DrawCachedFrameBase(key)) return;
  DrawFixedPictures();
  drawPart();
  StoreFrameBase(key);
}

// The page of a screen state.
void DrawScreenPage(int screenState) {
  switch (screenState) {
    case ScreenMainMenu: DrawMenuPage(); break;
    case ScreenLevelIntro: DrawLevelIntroPage(); break;
    case ScreenResult: DrawResultScreen(); break;
    case ScreenLoading: DrawLoadingPage(); break;
    case ScreenLevelSelect: DrawLevelSelectPage(); break;
    case ScreenHelp: DrawHelpPage(); break;
    default: break;
  }
}

}  // namespace

// ---- Board and pages --------------------------------------------------------------------------

// While the board stays clear of the panel, the fixed pictures with the board are kept as one
// picture and the panel is drawn over it: the same pixels.
void DrawPlayFrame() {
  uint64_t key = 0;
  if (!gPlay.paused && IsFrameCacheEnabled() && BoardFrameKey(key)) {
    DrawFrameBase(key, DrawBoard);
    DrawPanel();
    return;
  }
  DrawFixedPictures();
  DrawPanel();
  DrawBoard();
}

void DrawPageFrame(int screenState) {
  if (screenState == ScreenLevelSelect && IsFrameCacheEnabled()) {
    DrawFrameBase(SelectPageFrameKey(), DrawLevelThumbnails);
    DrawLevelSelectControls();
    return;
  }
  DrawFixedPictures();
  DrawScreenPage(screenState);
}

// ---- Pause animation --------------------------------------------------------------------------

void DrawPauseAnimation() {
  ViewState& v = gView;
  v.pauseA -= 1;
  v.pauseB += 1;
  if (v.pauseA < 0) v.pauseA = PauseSweepLength;
  if (v.pauseB > PauseSweepLength) {
    v.pauseB = 0;
    v.pausePhase += 1;
  }
  // The phase's parity swaps the roles of the two coordinates.
  int x = v.pausePhase % 2 == 0 ? v.pauseA : v.pauseB;
  int y = v.pausePhase % 2 == 0 ? v.pauseB : v.pauseA;
  DisplaySprite(SpritePausePicture, x, y);
  DrawSparkles(SpriteStar, PauseStarCount, x - PauseStarOffsetX, PauseStarSpreadX,
               y - PauseStarOffsetY, PauseStarSpreadY);
}

// ---- Intro cards ------------------------------------------------------------------------------

void DrawIntroCard(int c) {
  if (c >= 0 && c < Opaque) {
    DisplaySprite(SpriteIntroCard1, 0, 0, c);
  } else if (c > Opaque) {
    DisplaySprite(SpriteIntroCard1, 0, 0);
  } else if (c < 0 && c > -Opaque) {
    DisplaySprite(SpriteIntroCard2, 0, 0, -c - 1);
  } else if (c <= -Opaque) {
    DisplaySprite(SpriteIntroCard2, 0, 0);
  }
}

// ---- Pointer ----------------------------------------------------------------------------------

void DrawPointer() {
  int x = WindowMouseX(GameWindow);
  int y = WindowMouseY(GameWindow);
  if (IsWindowActive(GameWindow) && x >= 0 && y >= PointerTopRows) {
    if (HideSystemCursor() < -1) ShowSystemCursor();
    DisplaySprite(SpritePointer, x, y);
  } else {
    if (ShowSystemCursor() > 1) HideSystemCursor();
  }
}
