// State of the game application: the screen-state machine, the intro, input and the modes.
// One instance, gApp, lives for the whole run.
#pragma once

#include <string>

// Screen states: the page shown while no level is played.
enum ScreenState {
  ScreenMainMenu = 0,
  ScreenLevelIntro = 1,
  ScreenResult = 2,
  ScreenLoading = 3,
  ScreenLevelSelect = 4,
  ScreenHelp = 5,
  ScreenIntro = 10,
};

// Window numbers of the game.
constexpr int GameWindow = 0;
constexpr int SettingsWindow = 1;
constexpr int CreditWindow = 100;

// Timer numbers (all on the game window).
constexpr int FrameTimer = 0;
constexpr int LevelClockTimer = 2;
constexpr int MusicCheckTimer = 4;
constexpr int FramePeriodMs = 10;
constexpr int LevelClockPeriodMs = 100;
constexpr int MusicCheckPeriodMs = 1000;

constexpr int ScreenWidthPx = 930;
constexpr int ScreenHeightPx = 625;

// Fonts (all bold).
enum GameFont {
  FontHugeHei = 0,     // 黑体 120
  FontSmallHei = 1,    // 黑体 15
  FontTitleHei = 2,    // 黑体 90
  FontImpact36 = 3,    // Impact 36
  FontImpact48 = 4,    // Impact 48
  FontBannerHei = 5,   // 黑体 26
};

struct AppState {
  int screenState = ScreenIntro;   // page drawn while not in play
  bool inPlay = false;             // board and panel replace the page
  bool quit = false;               // set by closing the game window
  int introCounter = 400;          // drives the intro fade, lowered by 2 a tick
  int lastClickX = 0, lastClickY = 0;
  std::string appDirectory;        // current directory at start-up, ending in a separator
  std::string configPath;          // Config.ini in the application directory
  std::string windowTitle = "Vorle麻将连连看";
  int pauseA = 500, pauseB = 0;    // moving position of the pause animation
  int pausePhase = 0;              // completed sweeps; parity selects the direction

  // Input and modes.
  int hoveredButton = 0;           // button under the mouse, 0 for none
  bool freeMode = false;           // 0 progress mode (闯关模式), 1 free mode (自由模式)
  bool mapLoaded = false;          // a map has been read for a mode or the open dialog
  bool progressMap = false;        // the map in memory was read for progress mode
  int pageOffset = 0;              // level number before the first thumbnail, a multiple of 4
  int pickedLayer = -1, pickedRow = -1, pickedColumn = -1;   // tile under the last click
};

extern AppState gApp;
