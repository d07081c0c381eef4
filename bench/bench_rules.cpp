// The rules' searches and their 500-attempt re-shuffle loops.
//
// Boards:
// - full: arrangement type 1, every cell of layers 2..10 a tile (1620 tiles); its free tiles
//   are the 18 row ends of layer 10. "With move" has faces as a level start leaves them; "no
//   move" gives those 18 tiles 18 different faces, so the search scans the whole board.
// - stuck: no shuffle can ever give a move. A type-4 pyramid, layer L a block of (11 - L)^2
//   tiles from the top-left corner, covers every tile but the single one on layer 10; the bottom
//   corner tile is left out for an even count (284 tiles). Every attempt of a 500-attempt loop fails, and a shuffle costs about the same on any
//   board: its draws hit a tile with a chance of tiles / 2310, so tiles x 2310 / tiles draws.
// - the full board's loop body: 500 x (ShuffleBoard + AnyMoveExists), the cost of the loops on
//   the largest board.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "game/app/app_state.h"
#include "game/presentation/settings.h"
#include "game/rules/items.h"
#include "game/rules/level_flow.h"
#include "game/rules/rules_state.h"
#include "mapdata/level_model.h"
#include "platform/app.h"
#include "platform/dialog.h"
#include "platform/random.h"

namespace {

constexpr int Attempts = 500;
constexpr int Faces = 42;
constexpr int FreeTilesOfFullBoard = 18;

void FullBoard(bool withMove) {
  gLevel = LevelState{};
  gLevel.arrangementType = 1;
  int face = 0;
  for (int l = 2; l <= GameTopLayer; ++l)
    for (int r = 1; r <= BoardRows; ++r)
      for (int c = 1; c <= BoardColumns; ++c) gLevel.board.cell[l][r][c] = face++ % Faces + 1;
  gLevel.startCount = face;
  SeedRandom(1);
  ShuffleBoard();
  if (withMove) return;
  int distinct = 1;
  for (int r = 1; r <= BoardRows; ++r) {
    gLevel.board.cell[GameTopLayer][r][1] = distinct++;
    gLevel.board.cell[GameTopLayer][r][BoardColumns] = distinct++;
  }
}

// Level 1 of the map store becomes the stuck pyramid.
void StuckMapLevel() {
  CreateMapStore();
  ClearGrid(*gMap.store);
  gMap.levelCount = 1;
  gMap.arrangementType[1] = 4;
  int face = 0;
  for (int l = 2; l <= GameTopLayer; ++l)
    for (int r = 1; r <= GameTopLayer + 1 - l; ++r)
      for (int c = 1; c <= GameTopLayer + 1 - l; ++c)
        if (l != 2 || r != BoardRows || c != BoardRows) {
          gMap.store->level[1].cell[l][r][c] = face++ % Faces + 1;
        }
}

void StuckBoard() {
  StuckMapLevel();
  gLevel = LevelState{};
  gLevel.arrangementType = 4;
  gLevel.board = gMap.store->level[1];
}

void BM_AnyMoveExists_FullWithMove(benchmark::State& state) {
  FullBoard(true);
  for (auto _ : state) benchmark::DoNotOptimize(AnyMoveExists());
}
BENCHMARK(BM_AnyMoveExists_FullWithMove);

void BM_AnyMoveExists_FullNoMove(benchmark::State& state) {
  FullBoard(false);
  if (AnyMoveExists()) state.SkipWithError("the board must have no move");
  for (auto _ : state) benchmark::DoNotOptimize(AnyMoveExists());
}
BENCHMARK(BM_AnyMoveExists_FullNoMove);

void BM_FindHint_FullWithMove(benchmark::State& state) {
  FullBoard(true);
  for (auto _ : state) benchmark::DoNotOptimize(FindHint());
}
BENCHMARK(BM_FindHint_FullWithMove);

void BM_FindHint_FullNoMove(benchmark::State& state) {
  FullBoard(false);
  for (auto _ : state) benchmark::DoNotOptimize(FindHint());
}
BENCHMARK(BM_FindHint_FullNoMove);

void BM_ShuffleAndSearch500_Full(benchmark::State& state) {
  FullBoard(true);
  for (auto _ : state) {
    for (int attempt = 0; attempt < Attempts; ++attempt) {
      ShuffleBoard();
      benchmark::DoNotOptimize(AnyMoveExists());
    }
  }
}
BENCHMARK(BM_ShuffleAndSearch500_Full)->Unit(benchmark::kMillisecond);

void BM_StartLevel_Stuck(benchmark::State& state) {
  StuckMapLevel();
  gPlay.freeMode = true;
  gSettings.backgroundType = 2;
  for (auto _ : state) StartLevel(1);
  if (gLevel.startCount != 284) state.SkipWithError("the pyramid must start with 284 tiles");
}
BENCHMARK(BM_StartLevel_Stuck)->Unit(benchmark::kMillisecond);

void BM_CheckDeadEnd_Stuck(benchmark::State& state) {
  StuckBoard();
  for (auto _ : state) CheckDeadEnd();
  if (AnyMoveExists()) state.SkipWithError("the board must stay stuck");
}
BENCHMARK(BM_CheckDeadEnd_Stuck)->Unit(benchmark::kMillisecond);

void BM_PressShuffleButton_Stuck(benchmark::State& state) {
  StuckBoard();
  for (auto _ : state) {
    gItems.shuffles = 1;
    PressShuffleButton();
  }
}
BENCHMARK(BM_PressShuffleButton_Stuck)->Unit(benchmark::kMillisecond);

void BM_PressHintButton_Stuck(benchmark::State& state) {
  StuckBoard();
  for (auto _ : state) {
    gItems.hints = 1;
    PressHintButton();
  }
}
BENCHMARK(BM_PressHintButton_Stuck)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  benchmark::Initialize(&argc, argv);
  if (!InitPlatform()) return 1;
  ScriptDialogs(true);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
