// The spine of the game: start-up in its fixed order, the services the rules ask for, the
// intro, the frame tick and the event loop.
//
// Sections: start-up | rules services | intro tick | frame tick | event loop
#include "game/app/main_loop.h"

#include <cstdio>

#include "carried/carried_pictures.h"
#include "game/app/app_state.h"
#include "game/app/input.h"
#include "game/app/map_loading.h"
#include "game/presentation/background.h"
#include "game/presentation/effects_view.h"
#include "game/presentation/fonts.h"
#include "game/presentation/frame_view.h"
#include "game/presentation/resources.h"
#include "game/presentation/settings.h"
#include "game/presentation/sound.h"
#include "game/presentation/sprites.h"
#include "game/presentation/view_state.h"
#include "game/rules/items.h"
#include "game/rules/level_flow.h"
#include "game/rules/removal_effects.h"
#include "game/rules/result_screen.h"
#include "game/rules/rules_services.h"
#include "game/rules/rules_state.h"
#include "game/rules/scoring.h"
#include "mapdata/level_model.h"
#include "platform/app.h"
#include "platform/colour.h"
#include "platform/dialog.h"
#include "platform/picture.h"
#include "platform/process.h"
#include "platform/random.h"
#include "platform/translation.h"

AppState gApp;

namespace {

constexpr const char* UnsupportedMessage = "您的电脑不支持此游戏";
constexpr const char* GameDesktopEntry = "org.example.pelmora";
constexpr int IntroColour = Rgb(255, 220, 50);
constexpr int IntroEndCounter = -300;

void SwitchToLoadingPage() { gApp.screenState = ScreenLoading; }

// Everything a frame tick may change. A tick that changed none of it and drew the frame shown
// would do the same again, until an event or another timer changes something: its timer sleeps.
struct TickState {
  AppState app;
  ViewState view;
  PlayState play;
  LevelState level;
  ItemState items;
  ScoreState score;
  EffectState effects;
  ResultState result;
  uint64_t randomDraws;
};

TickState CurrentTickState() {
  return {gApp, gView, gPlay, gLevel, gItems, gScore, gEffects, gResult, RandomDraws()};
}

// Compared field by field with the live state: no second copy of the board a tick.
bool IsTickStateNow(const TickState& s) {
  return s.randomDraws == RandomDraws() && s.app == gApp && s.view == gView &&
         s.play == gPlay && s.items == gItems && s.score == gScore && s.effects == gEffects &&
         s.result == gResult && s.level == gLevel;
}

// ---- Start-up ---------------------------------------------------------------------------------

void SetStartValues() {
  gApp = AppState{};
  gView = ViewState{};
  FindGameFiles();
  gMap.levelCount = 0;
  SetCurrentLevel(1);
  gMapLoad.loadingBegins = SwitchToLoadingPage;
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

// ---- Rules services ---------------------------------------------------------------------------

void StartLevelClock() { StartTimer(GameWindow, LevelClockTimer, LevelClockPeriodMs, ClockTick); }
void StopLevelClock() { StopTimer(GameWindow, LevelClockTimer); }

void ShowPage(int screenState) {
  gApp.screenState = screenState;
  gApp.inPlay = false;
}

// The board is shown over the main menu's state, with nothing hovered yet.
void ShowBoard() {
  gApp.screenState = ScreenMainMenu;
  gApp.inPlay = true;
  gView.hoveredButton = 0;
}

void LeavePlay() { gApp.inPlay = false; }

void DropMap() {
  gApp.screenState = ScreenMainMenu;
  gApp.mapLoaded = false;
}

// The rules' messages are fixed texts, shown in the player's language.
void ShowTranslatedMessage(const std::string& title, const std::string& text) {
  ShowMessage(TranslateText(title), TranslateText(text));
}

void BindRulesServices() {
  gRulesServices = RulesServices{
      PlaySound,       PlayEffect,        ShowTranslatedMessage, ChooseBackground,
      StartLevelClock, StopLevelClock,    RestartFrameTimer, ShowPage,
      ShowBoard,       LeavePlay,         DropMap,
  };
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

bool OpenGameScreen() {
  if (!OpenWindow(GameWindow, ScreenWidthPx, ScreenHeightPx, TranslateText(gApp.windowTitle),
                  WindowMinimiseBox)) {
    ShowTranslatedMessage(MessageTitle, UnsupportedMessage);
    return false;
  }
  ApplyWindowSettings();
  AddGameShortcuts();
  if (!OpenScreen(GameWindow, 0, 0, ScreenWidthPx, ScreenHeightPx)) {
    ShowTranslatedMessage(MessageTitle, UnsupportedMessage);
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

// ---- Intro tick -------------------------------------------------------------------------------

void IntroTick() {
  gApp.introCounter -= 2;
  FlipScreen();
  ClearScreen(IntroColour);
  if (gApp.introCounter <= IntroEndCounter)
    EndIntro();
  else
    DrawIntroCard(gApp.introCounter);
  DrawPointer();
}

// ---- Frame tick -------------------------------------------------------------------------------

// The effects move on one frame each and are drawn in their fixed order, so every random draw
// falls where it always has.
void FrameTick() {
  const TickState before = CurrentTickState();
  FlipScreen();
  ClearScreen(Rgb(0, 0, 0));
  if (gApp.inPlay) {
    DrawPlayFrame();
  } else {
    if (gApp.screenState == ScreenResult) StepResultScreen();
    DrawPageFrame(gApp.screenState);
  }
  if (StepParticleBurst()) DrawParticleBurst();
  if (StepBombAnimation()) DrawBombAnimation();
  if (gPlay.paused) DrawPauseAnimation();
  if (StepFlyingTiles()) DrawFlyingTiles();
  if (StepHintSparkle()) DrawHintSparkle();
  if (StepRewardBanner()) DrawRewardBanner();
  DrawPointer();
  if (IsTickStateNow(before) && IsDrawnFrameShown()) SleepTimer(GameWindow, FrameTimer);
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
      case EventMouseMove: HitTest(event.x, event.y); break;
      case EventLeftButtonDown:
        gApp.lastClickX = event.x;
        gApp.lastClickY = event.y;
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

// Start-up in its fixed order: grids, start values, fonts, sounds, settings with the language,
// carried pictures, the resource check; OpenGameScreen goes on from there.
bool StartGame() {
  CreateMapStore();
  SetStartValues();
  BindRulesServices();
  LoadGameFonts();
  OpenGameSounds();
  ReadSettings();
  ApplyLanguageSetting();
  DecodeCarriedPictures();
  return CheckResources();
}

int RunGame() {
  if (!InitPlatform()) {
    // Said in the player's language, which the settings name.
    FindGameFiles();
    ReadSettings();
    ApplyLanguageSetting();
    std::fprintf(stderr, "%s\n", TranslateText(UnsupportedMessage).c_str());
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
