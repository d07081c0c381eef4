// Reading and placing a full map: 300 levels of 9 layers, without the per-level pacing.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "game/app/map_loading.h"
#include "mapdata/level_model.h"
#include "mapdata/map_writer.h"
#include "platform/app.h"
#include "platform/files.h"

namespace {

constexpr int BenchLayers = 9;
std::string benchMapPath;   // the generated map, removed at the end

// Writes a map with every level and layer in use (about two thirds of the cells shown).
void WriteFullMap() {
  CreateEditorGrid();
  EditorMap& m = gEditorMap;
  ClearEditorMap(m);
  for (int level = 1; level <= MaxLevels; ++level) {
    m.arrangementType[level] = level % 4 + 1;
    m.layerCount[level] = BenchLayers;
    for (int layer = 1; layer <= BenchLayers; ++layer) {
      for (int r = 1; r <= BoardRows; ++r) {
        for (int c = 1; c <= BoardColumns; ++c) {
          if ((r * c + layer + level) % 3 != 0) m.grid->level[level].cell[layer][r][c] = layer;
        }
      }
    }
  }
  m.levelCount = MaxLevels;
  char path[] = "/tmp/bench_mapdata_XXXXXX";
  int fd = mkstemp(path);
  if (fd >= 0) close(fd);
  benchMapPath = path;
  WriteFileAtomically(benchMapPath, BuildMapText({"bench", "", "", ""}, m));
}

void BM_LoadFullMap(benchmark::State& state) {
  if (benchMapPath.empty()) WriteFullMap();
  gMapLoad.pacingMs = 0;
  for (auto _ : state) {
    LoadMapFile(benchMapPath);
    benchmark::DoNotOptimize(gMap.levelCount);
  }
  if (gMap.levelCount != MaxLevels) state.SkipWithError("the map did not load whole");
  state.counters["levels"] = gMap.levelCount;
}
BENCHMARK(BM_LoadFullMap)->Unit(benchmark::kMillisecond)->Repetitions(10);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  if (!InitPlatform()) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!benchMapPath.empty()) unlink(benchMapPath.c_str());
  return 0;
}
