// State of the game application: the screen-state machine, the intro and the input. One
// instance, gApp, lives for the whole run.
#pragma once

#include <string>

#include "game/rules/game_numbers.h"

// Timer numbers (all on the game window).
constexpr int FrameTimer = 0;
constexpr int LevelClockTimer = 2;
constexpr int MusicCheckTimer = 4;
constexpr int FramePeriodMs = 10;
constexpr int LevelClockPeriodMs = 100;
constexpr int MusicCheckPeriodMs = 1000;

struct AppState {
  int screenState = ScreenIntro;   // page drawn while not in play
  bool inPlay = false;             // board and panel replace the page
  bool quit = false;               // set by closing the game window
  int introCounter = 400;          // drives the intro fade, lowered by 2 a tick
  int lastClickX = 0, lastClickY = 0;
  std::string windowTitle = "Vorle麻将连连看";

  // Input and the map in memory.
  bool mapLoaded = false;          // a map has been read for a mode or the open dialog
  bool progressMap = false;        // the map in memory was read for progress mode
  int pickedLayer = -1, pickedRow = -1, pickedColumn = -1;   // tile under the last click
  bool operator==(const AppState&) const = default;
};

extern AppState gApp;
