// The spine of the game: start-up in its fixed order, the intro, the frame tick, the pause
// animation and the event loop.
//
// Sections: start-up | intro tick | frame tick | pause animation | event loop
#include "game/app/main_loop.h"

#include <cstdio>

#include "game/app/app_state.h"
#include "game/app/input.h"
#include "game/app/map_loading.h"
#include "game/presentation/background.h"
#include "game/presentation/frame_cache.h"
#include "game/presentation/pages.h"
#include "game/presentation/play_view.h"
#include "game/presentation/resources.h"
#include "game/presentation/settings.h"
#include "game/presentation/sparkles.h"
#include "game/presentation/sound.h"
#include "game/presentation/sprites.h"
#include "game/rules/items.h"
#include "game/rules/level_flow.h"
#include "game/rules/removal_effects.h"
#include "game/rules/result_screen.h"
#include "game/rules/rules_state.h"
#include "game/rules/scoring.h"
#include "mapdata/level_model.h"
#include "platform/app.h"
#include "platform/colour.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/process.h"
#include "tools/assetgen/embedded_pictures.h"

AppState gApp;

namespace {

constexpr const char* UnsupportedMessage = "您的电脑不支持此游戏";
constexpr const char* GameDesktopEntry = "org.example.pelmora";
constexpr const char* MessageTitle = "提示";
constexpr int IntroColour = Rgb(255, 220, 50);
constexpr int IntroStartCounter = 400;
constexpr int IntroEndCounter = -300;
constexpr int Opaque = 255;

struct FontSpec {
  int font;
  const char* face;
  int points;
};
constexpr FontSpec GameFonts[] = {
    {FontHugeHei, "黑体", 120},  {FontSmallHei, "黑体", 15},    {FontTitleHei, "黑体", 90},
    {FontImpact36, "Impact", 36}, {FontImpact48, "Impact", 48}, {FontBannerHei, "黑体", 26},
};

// Positions of the fixed pictures of every frame.
constexpr int TitleBannerX = 260, TitleBannerY = 10;
constexpr int BottomBarX = 0, BottomBarY = 550;
constexpr int SettingsButtonX = 835, SettingsButtonY = 5;

// The pause animation: a picture sweeping across the screen with a cloud of stars.
constexpr int PauseSweepLength = 500;
constexpr int PauseStarCount = 101;
constexpr int PauseStarSpreadX = 450, PauseStarSpreadY = 130;
constexpr int PauseStarOffsetX = 70, PauseStarOffsetY = 30;

void SwitchToLoadingPage() { gApp.screenState = ScreenLoading; }

// ---- Start-up ---------------------------------------------------------------------------------

void SetStartValues() {
  gApp = AppState{};
  gApp.appDirectory = CurrentDirectory();
  gApp.configPath = gApp.appDirectory + "Config.ini";
  gMap.levelCount = 0;
  SetCurrentLevel(1);
  gMapLoad.loadingBegins = SwitchToLoadingPage;
}

void LoadGameFonts() {
  for (const FontSpec& f : GameFonts) LoadFont(f.font, f.face, f.points, true);
}

// The shortcut table of the game window.
void AddGameShortcuts() {
  const int all = ModShift | ModCtrl | ModAlt;
  const int ctrlAlt = ModCtrl | ModAlt;
  AddShortcut(GameWindow, 'A', all, ShortcutPreviousLevel);
  AddShortcut(GameWindow, 'S', all, ShortcutNextLevel);
  AddShortcut(GameWindow, 'Z', all, ShortcutFindHint);
  AddShortcut(GameWindow, 'X', all, ShortcutShuffle);
  AddShortcut(GameWindow, 'C', all, ShortcutBomb);
  AddShortcut(GameWindow, 'Q', all, ShortcutCredit);
  AddShortcut(GameWindow, 'Z', ctrlAlt, ShortcutMoreHints);
  AddShortcut(GameWindow, 'X', ctrlAlt, ShortcutMoreBombs);
  AddShortcut(GameWindow, 'C', ctrlAlt, ShortcutMoreShuffles);
  AddShortcut(GameWindow, FunctionKey(11), 0, ShortcutFullScreen);
}

}  // namespace

// Steps 10 to 16 of start-up.
bool OpenGameScreen() {
  if (!OpenWindow(GameWindow, ScreenWidthPx, ScreenHeightPx, gApp.windowTitle,
                  WindowMinimiseBox)) {
    ShowMessage(MessageTitle, UnsupportedMessage);
    return false;
  }
  ApplyWindowSettings();
  AddGameShortcuts();
  if (!OpenScreen(GameWindow, 0, 0, ScreenWidthPx, ScreenHeightPx)) {
    ShowMessage(MessageTitle, UnsupportedMessage);
    return false;
  }
  ChooseBackground();
  LoadSprites();
  gApp.screenState = ScreenIntro;
  StartTimer(GameWindow, FrameTimer, FramePeriodMs, IntroTick);
  PlaySound(SoundIntro);
  // Decoding the pictures left much freed memory behind.
  ReleaseFreedMemory();
  return true;
}

namespace {

// ---- Pause animation --------------------------------------------------------------------------

void DrawPauseAnimation() {
  AppState& a = gApp;
  a.pauseA -= 1;
  a.pauseB += 1;
  if (a.pauseA < 0) a.pauseA = PauseSweepLength;
  if (a.pauseB > PauseSweepLength) {
    a.pauseB = 0;
    a.pausePhase += 1;
  }
  // The phase's parity swaps the roles of the two coordinates.
  int x = a.pausePhase % 2 == 0 ? a.pauseA : a.pauseB;
  int y = a.pausePhase % 2 == 0 ? a.pauseB : a.pauseA;
  DisplaySprite(SpritePausePicture, x, y);
  DrawSparkles(SpriteStar, PauseStarCount, x - PauseStarOffsetX, PauseStarSpreadX,
               y - PauseStarOffsetY, PauseStarSpreadY);
}

// The page of the current screen state.
void DrawScreenPage() {
  switch (gApp.screenState) {
    case ScreenMainMenu: DrawMenuPage(); break;
    case ScreenLevelIntro: DrawLevelIntroPage(); break;
    case ScreenResult: DrawResultScreen(); break;
    case ScreenLoading: DrawLoadingPage(); break;
    case ScreenLevelSelect: DrawLevelSelectPage(); break;
    case ScreenHelp: DrawHelpPage(); break;
    default: break;
  }
}

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

// The panel, then the board. While the board stays clear of the panel, the fixed pictures with
// the board are kept as one picture and the panel is drawn over it: the same pixels.
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

void DrawPageFrame() {
  if (gApp.screenState == ScreenLevelSelect && IsFrameCacheEnabled()) {
    DrawFrameBase(SelectPageFrameKey(), DrawLevelThumbnails);
    DrawLevelSelectControls();
    return;
  }
  DrawFixedPictures();
  DrawScreenPage();
}

void EndIntro() {
  StopTimer(GameWindow, FrameTimer);
  // Nothing shows the intro again: its two screen-sized cards give their memory back.
  FreeSprite(SpriteIntroCard1);
  FreeSprite(SpriteIntroCard2);
  gApp.screenState = ScreenMainMenu;
  StartTimer(GameWindow, FrameTimer, FramePeriodMs, FrameTick);
  MusicCheck();
  StartTimer(GameWindow, MusicCheckTimer, MusicCheckPeriodMs, MusicCheck);
}

}  // namespace

// ---- Intro tick -------------------------------------------------------------------------------

void IntroTick() {
  gApp.introCounter -= 2;
  const int c = gApp.introCounter;
  FlipScreen();
  ClearScreen(IntroColour);
  if (c <= IntroEndCounter) {
    EndIntro();
  } else if (c >= 0 && c < Opaque) {
    DisplaySprite(SpriteIntroCard1, 0, 0, c);
  } else if (c > Opaque) {
    DisplaySprite(SpriteIntroCard1, 0, 0);
  } else if (c < 0 && c > -Opaque) {
    DisplaySprite(SpriteIntroCard2, 0, 0, -c - 1);
  } else if (c <= -Opaque) {
    DisplaySprite(SpriteIntroCard2, 0, 0);
  }
  DrawPointer();
}

// ---- Frame tick -------------------------------------------------------------------------------

void FrameTick() {
  FlipScreen();
  ClearScreen(Rgb(0, 0, 0));
  if (gApp.inPlay)
    DrawPlayFrame();
  else
    DrawPageFrame();
  DrawParticleBurst();
  DrawBombAnimation();
  if (gPlay.paused) DrawPauseAnimation();
  DrawFlyingTiles();
  DrawHintSparkle();
  DrawRewardBanner();
  DrawPointer();
}

void RestartFrameTimer() {
  StopTimer(GameWindow, FrameTimer);
  StartTimer(GameWindow, FrameTimer, FramePeriodMs, FrameTick);
}

// ---- Event loop -------------------------------------------------------------------------------

void HandleGameEvent(const Event& event) {
  if (event.window == GameWindow) {
    switch (event.kind) {
      case EventCloseWindow: gApp.quit = true; break;
      case EventShortcut: HandleShortcut(event.number); break;
      case EventMouseMove:
        gApp.hoveredButton = HitTest(WindowMouseX(GameWindow), WindowMouseY(GameWindow));
        break;
      case EventLeftButtonDown:
        gApp.lastClickX = WindowMouseX(GameWindow);
        gApp.lastClickY = WindowMouseY(GameWindow);
        if (gApp.screenState < ScreenIntro) HandleClick(gApp.lastClickX, gApp.lastClickY);
        break;
      default: break;   // releases and the right button do nothing
    }
  } else if (event.window == SettingsWindow) {
    if (event.kind == EventCloseWindow) {
      CloseSettingsWindow();
    } else if (event.kind == EventGadget) {
      HandleSettingsGadget(event.number);
      RefreshSettingsWindow();
    }
  } else if (event.window == CreditWindow && event.kind == EventCloseWindow) {
    CloseWindow(CreditWindow);
  }
}

bool StartGame() {
  CreateMapStore();
  SetStartValues();
  LoadGameFonts();
  OpenGameSounds();
  ReadSettings();
  DecodeCarriedPictures();
  return CheckResources();
}

int RunGame() {
  if (!InitPlatform()) {
    std::fprintf(stderr, "%s\n", UnsupportedMessage);
    return 1;
  }
  std::vector<EncodedPicture> icon;
  for (const CarriedPicture& picture : gGameIcons) icon.push_back({picture.data, picture.size});
  SetProgramIdentity(GameDesktopEntry, icon);
  SetEventHandler(HandleGameEvent);
  if (StartGame() && OpenGameScreen()) {
    while (!gApp.quit) HandleGameEvent(WaitEvent());
  }
  ShutdownPlatform();
  return 0;
}
