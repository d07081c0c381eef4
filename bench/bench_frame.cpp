// Cost of the game's frame tick: the main menu, a full nine-layer board, a typical level, and
// the level selection with four full levels. Run from anywhere: the game is brought up in the
// generated application directory.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include "game/app/app_state.h"
#include "game/app/main_loop.h"
#include "game/rules/rules_state.h"
#include "mapdata/level_model.h"
#include "platform/app.h"
#include "platform/dialog.h"
#include "platform/media.h"
#include "platform/random.h"
#include "platform/window.h"

namespace {

bool BringUpGame() {
  static bool up = false;
  if (up) return true;
  if (chdir(PELMORA_APP_DIR) != 0 || !InitPlatform()) return false;
  RecordMediaCalls(true);
  ScriptDialogs(true);
  if (!StartGame() || !OpenGameScreen()) return false;
  StopTimer(GameWindow, FrameTimer);
  SeedRandom(1);
  up = true;
  return true;
}

// Every cell of layers 2..10 a tile, type 1: 1620 tiles with their shadows.
void FillFullBoard(LevelCells& cells) {
  cells = LevelCells{};
  for (int layer = 2; layer <= GameTopLayer; ++layer)
    for (int row = 1; row <= BoardRows; ++row)
      for (int column = 1; column <= BoardColumns; ++column)
        cells.cell[layer][row][column] = 1 + (layer * 7 + row * 3 + column) % 42;
}

void BM_MainMenuFrame(benchmark::State& state) {
  if (!BringUpGame()) return state.SkipWithError("the game did not start");
  gApp.inPlay = false;
  gApp.screenState = ScreenMainMenu;
  gApp.hoveredButton = 1;
  for (auto _ : state) FrameTick();
}
BENCHMARK(BM_MainMenuFrame)->Unit(benchmark::kMillisecond);

void BM_FullBoardFrame(benchmark::State& state) {
  if (!BringUpGame()) return state.SkipWithError("the game did not start");
  FillFullBoard(gLevel.board);
  gLevel.arrangementType = 1;
  gApp.inPlay = true;
  gPlay.paused = false;
  for (auto _ : state) FrameTick();
  gApp.inPlay = false;
}
BENCHMARK(BM_FullBoardFrame)->Unit(benchmark::kMillisecond);

// A typical level: 144 tiles on three layers.
void BM_TypicalLevelFrame(benchmark::State& state) {
  if (!BringUpGame()) return state.SkipWithError("the game did not start");
  gLevel.board = LevelCells{};
  int placed = 0;
  for (int layer = 2; layer <= 4 && placed < 144; ++layer)
    for (int row = 1 + layer - 2; row <= BoardRows - (layer - 2) && placed < 144; ++row)
      for (int column = 2 + layer; column <= BoardColumns - layer && placed < 144; ++column) {
        gLevel.board.cell[layer][row][column] = 1 + placed % 42;
        ++placed;
      }
  gLevel.arrangementType = 1;
  gApp.inPlay = true;
  gPlay.paused = false;
  for (auto _ : state) FrameTick();
  gApp.inPlay = false;
}
BENCHMARK(BM_TypicalLevelFrame)->Unit(benchmark::kMillisecond);

void BM_LevelSelectFrame(benchmark::State& state) {
  if (!BringUpGame()) return state.SkipWithError("the game did not start");
  for (int level = 1; level <= 4; ++level) {
    FillFullBoard(gMap.store->level[level]);
    gMap.arrangementType[level] = 1 + (level - 1) % 4;
  }
  gMap.levelCount = 4;
  gApp.inPlay = false;
  gApp.screenState = ScreenLevelSelect;
  gApp.pageOffset = 0;
  gApp.hoveredButton = 2;
  for (auto _ : state) FrameTick();
}
BENCHMARK(BM_LevelSelectFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
