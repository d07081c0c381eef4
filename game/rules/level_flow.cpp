// Level start and end, game reset, pause and the level buttons.
//
// Sections: level start | level end | game reset | buttons and introduction click
#include "game/rules/level_flow.h"

#include <string>

#include "game/rules/game_numbers.h"
#include "game/rules/items.h"
#include "game/rules/rules_services.h"
#include "game/rules/rules_state.h"
#include "game/rules/scoring.h"
#include "game/rules/tiles.h"
#include "mapdata/level_model.h"

constexpr int MaxStartShuffles = 500;   // re-shuffles of a new level looking for a move

void SetCurrentLevel(int level) {
  gPlay.currentLevel = level;
  gPlay.levelText = std::to_string(level);
}

// ---- Level start -----------------------------------------------------------------------------

// Copies level n of the map store into the live board, dropping the last tile of an odd count.
static void CopyLevel(int n) {
  LevelState& lv = gLevel;
  lv.board = LevelCells{};
  ClearSelections();
  lv.startCount = 0;
  lv.removedCount = 0;
  lv.arrangementType = 0;
  if (n < 1 || n > MaxLevels || gMap.store == nullptr) return;
  lv.arrangementType = gMap.arrangementType[n];
  const LevelCells& source = gMap.store->level[n];
  int* lastTile = nullptr;
  for (int layer = 1; layer <= GameTopLayer; ++layer) {
    for (int row = 1; row <= BoardRows; ++row) {
      for (int column = 1; column <= BoardColumns; ++column) {
        int& cell = lv.board.cell[layer][row][column];
        cell = source.cell[layer][row][column];
        if (cell > 0) {
          lv.startCount += 1;
          lastTile = &cell;
        }
      }
    }
  }
  if (lv.startCount % 2 == 1) {
    *lastTile = 0;
    lv.startCount -= 1;
  }
}

void DealLevel(int n) {
  CopyLevel(n);
  // An empty board has nothing to shuffle and never a move: its attempts would change nothing.
  for (int attempt = 0; attempt < MaxStartShuffles && gLevel.startCount > 0; ++attempt) {
    ShuffleBoard();
    if (AnyMoveExists()) break;
  }
}

// Every step of a level start after the empty-map test.
static void BuildLevel(int n) {
  gRulesServices.chooseBackground();
  StopBombAnimation();
  SetCurrentLevel(n);
  DealLevel(n);
  gLevel.totalText = std::to_string(gLevel.startCount);
  gLevel.remainingText = gLevel.totalText;
  if (gPlay.freeMode) {
    gRulesServices.playEffect(SoundStart);
    gRulesServices.restartFrameTimer();
    gRulesServices.showBoard();
  } else {
    gRulesServices.showPage(ScreenLevelIntro);
  }
  gRulesServices.startLevelClock();
}

// ---- Level end -------------------------------------------------------------------------------

// The hint bonus of a cleared level; after the last level the result screen. Returns the level
// to start next, or 0 when the game is won.
static int CloseLevel() {
  gItems.hints += 1;
  if (gPlay.currentLevel >= gMap.levelCount) {
    gRulesServices.showPage(ScreenResult);
    gRulesServices.stopLevelClock();
    return 0;
  }
  return gPlay.currentLevel + 1;
}

// A level that holds no tile after the copy can never be won by a removal, so it counts as
// cleared as soon as it is built: it gets its hint bonus and the next level starts (or the
// result screen shows). A loop, so that a run of empty levels cannot nest calls.
void StartLevel(int n) {
  if (gMap.levelCount == 0) {
    gRulesServices.showMessage(MessageTitle, "当前地图有错误");
    gRulesServices.dropMap();
    gPlay.freeMode = true;
    return;
  }
  for (int level = n; level != 0; level = CloseLevel()) {
    BuildLevel(level);
    if (gLevel.startCount > 0) return;
  }
}

void LevelCleared() {
  const int next = CloseLevel();
  if (next != 0) StartLevel(next);
}

// ---- Game reset ------------------------------------------------------------------------------

void ResetGame() {
  gRulesServices.leavePlay();
  SetCurrentLevel(1);
  ResetGameFigures();
  gRulesServices.stopLevelClock();
}

// ---- Buttons and introduction click ----------------------------------------------------------

void PressPauseButton() {
  if (gPlay.paused) {
    gPlay.paused = false;
    gRulesServices.startLevelClock();
  } else {
    gPlay.paused = true;
    gRulesServices.stopLevelClock();
  }
}

void PressPreviousLevelButton() {
  SetScore(0);
  if (gPlay.currentLevel > 1) StartLevel(gPlay.currentLevel - 1);
}

void PressNextLevelButton() {
  SetScore(0);
  if (gPlay.currentLevel < gMap.levelCount) StartLevel(gPlay.currentLevel + 1);
}

void ClickLevelIntro() {
  gRulesServices.playEffect(SoundStart);
  gRulesServices.showBoard();
}
