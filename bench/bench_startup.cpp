// Cost of the start-up work on pictures: the resource check, decoding the carried pictures,
// preparing every sprite and choosing a background.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include "game/app/app_state.h"
#include "game/presentation/background.h"
#include "game/presentation/resources.h"
#include "game/presentation/settings.h"
#include "platform/app.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/window.h"

namespace {

bool OpenBenchScreen() {
  static bool open = false;
  if (open) return true;
  if (chdir(PELMORA_APP_DIR) != 0 || !InitPlatform()) return false;
  gFiles.appDirectory = CurrentDirectory();
  if (!OpenWindow(GameWindow, ScreenWidthPx, ScreenHeightPx, "bench") ||
      !OpenScreen(GameWindow, 0, 0, ScreenWidthPx, ScreenHeightPx))
    return false;
  open = true;
  return true;
}

void BM_StartupPictures(benchmark::State& state) {
  if (!OpenBenchScreen()) return state.SkipWithError("no screen");
  gSettings.backgroundType = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(CheckResources());
    DecodeCarriedPictures();
    LoadSprites();
    ChooseBackground();
  }
}
BENCHMARK(BM_StartupPictures)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
