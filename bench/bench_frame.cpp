// Cost of the game's frame tick on every page a player rests on: the main menu, a full
// nine-layer board, a typical level, the level selection with four full levels, the level
// introduction, the result page after its count-up, the help page and the loading page. Each
// iteration is one tick and the window's repaint of what it changed; the "/full" runs paint and
// present every frame whole, as before only changes were presented; the main menu and the
// level introduction are also shown on the game window at 150 %, 200 % and full screen. Run
// from anywhere: the game is brought up in the generated application directory. Under an X
// server (QT_QPA_PLATFORM=xcb) the window is presented straight to it, as the game does there.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>

#include "game/app/app_state.h"
#include "game/presentation/view_state.h"
#include "game/app/main_loop.h"
#include "game/rules/rules_state.h"
#include "mapdata/level_model.h"
#include "platform/app.h"
#include "platform/dialog.h"
#include "platform/media.h"
#include "platform/picture.h"
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

// Ticks as the frame timer runs them, each followed by the window's repaint; range 1 presents
// every frame whole.
void RunTicks(benchmark::State& state) {
  SetFullPresentation(state.range(0) == 1);
  FrameTick();
  PollEvent();
  ResetPresentStats();
  for (auto _ : state) {
    FrameTick();
    PollEvent();
  }
  SetFullPresentation(false);
  // What reached the window a tick: pixels of the screen, and of the window as it is shown.
  const ScreenPresentStats presented = PresentStats();
  state.counters["screen_px"] = benchmark::Counter(double(presented.pixels),
                                                   benchmark::Counter::kAvgIterations);
  state.counters["shown_px"] = benchmark::Counter(double(presented.shownPixels),
                                                  benchmark::Counter::kAvgIterations);
  state.SetLabel(state.range(0) == 1 ? "full" : "changes");
}

void ShowPage(int page) {
  gApp.inPlay = false;
  gApp.screenState = page;
  gView.hoveredButton = 0;
}

void BM_MainMenuFrame(benchmark::State& state) {
  if (!BringUpGame()) return state.SkipWithError("the game did not start");
  ShowPage(ScreenMainMenu);
  gView.hoveredButton = 1;
  RunTicks(state);
}
BENCHMARK(BM_MainMenuFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_LevelIntroFrame(benchmark::State& state) {
  if (!BringUpGame()) return state.SkipWithError("the game did not start");
  ShowPage(ScreenLevelIntro);
  gPlay.currentLevel = 1;
  gMap.levelCount = 33;
  RunTicks(state);
}
BENCHMARK(BM_LevelIntroFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// After the count-up: only the stars around the title move.
void BM_ResultFrame(benchmark::State& state) {
  if (!BringUpGame()) return state.SkipWithError("the game did not start");
  ShowPage(ScreenResult);
  gResult.countUp = 100000;
  RunTicks(state);
}
BENCHMARK(BM_ResultFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_HelpFrame(benchmark::State& state) {
  if (!BringUpGame()) return state.SkipWithError("the game did not start");
  ShowPage(ScreenHelp);
  RunTicks(state);
}
BENCHMARK(BM_HelpFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_LoadingFrame(benchmark::State& state) {
  if (!BringUpGame()) return state.SkipWithError("the game did not start");
  ShowPage(ScreenLoading);
  gMap.declaredLevelCount = 33;
  gMap.levelCount = 20;
  RunTicks(state);
  gMap.levelCount = 0;
}
BENCHMARK(BM_LoadingFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_FullBoardFrame(benchmark::State& state) {
  if (!BringUpGame()) return state.SkipWithError("the game did not start");
  FillFullBoard(gLevel.board);
  gLevel.arrangementType = 1;
  gApp.inPlay = true;
  gPlay.paused = false;
  RunTicks(state);
  gApp.inPlay = false;
}
BENCHMARK(BM_FullBoardFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
  RunTicks(state);
  gApp.inPlay = false;
}
BENCHMARK(BM_TypicalLevelFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_LevelSelectFrame(benchmark::State& state) {
  if (!BringUpGame()) return state.SkipWithError("the game did not start");
  for (int level = 1; level <= 4; ++level) {
    FillFullBoard(gMap.store->level[level]);
    gMap.arrangementType[level] = 1 + (level - 1) % 4;
  }
  gMap.levelCount = 4;
  gApp.inPlay = false;
  gApp.screenState = ScreenLevelSelect;
  gView.pageOffset = 0;
  gView.hoveredButton = 2;
  RunTicks(state);
}
BENCHMARK(BM_LevelSelectFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The main menu and the level introduction, their sparkles moving, on the game window shown
// bigger: range 0 is 1 to present every frame whole, range 1 the scale in percent (0 for full
// screen), range 2 the page. The desktop must hold the scale: the offscreen desktop of
// tests/support/offscreen_big_screen.json (2560 x 1440) holds 200 %.
void BM_ShownBiggerFrame(benchmark::State& state) {
  if (!BringUpGame()) return state.SkipWithError("the game did not start");
  const int percent = int(state.range(1));
  if (percent == 0)
    SetWindowFullScreen(GameWindow, true);
  else if (!SetWindowScale(GameWindow, percent))
    return state.SkipWithError("the desktop is too small for the scale");
  PollEvent();
  const int page = int(state.range(2));
  ShowPage(page);
  gView.hoveredButton = page == ScreenMainMenu ? 1 : 0;
  gPlay.currentLevel = 1;
  gMap.levelCount = 33;
  RunTicks(state);
  state.SetLabel(std::string(page == ScreenMainMenu ? "menu, " : "introduction, ") +
                 (state.range(0) == 1 ? "full" : "changes") +
                 (percent == 0 ? ", full screen" : ", " + std::to_string(percent) + " %"));
  SetWindowFullScreen(GameWindow, false);
  SetWindowScale(GameWindow, 100);
  PollEvent();
}
BENCHMARK(BM_ShownBiggerFrame)
    ->ArgsProduct({{0, 1}, {150, 200, 0}, {ScreenMainMenu, ScreenLevelIntro}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
