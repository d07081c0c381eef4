// Cost of the sound calls on the real mixer (silent dummy device): opening an effect returns at
// once while its rendering, measured here up to its samples, runs beside the UI thread; a play
// must stay a cheap channel start, and the once-a-second music check is one mode query while a
// track plays. A second of music costs the audio thread what BM_MusicSecond takes: synthesized
// live (/0), or decoded from the stream rendered ahead for a shipped track (/1); a millisecond
// there is a tenth of a percent of a core.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "game/app/app_state.h"
#include "game/presentation/settings.h"
#include "game/presentation/sound.h"
#include "platform/media.h"
#include "tests/support/tiny_midi.h"

namespace {

namespace fs = std::filesystem;

std::string BenchMidi(const std::string& name, int milliseconds) {
  const fs::path directory = fs::temp_directory_path() / "sound_bench";
  fs::create_directories(directory);
  const std::string path = (directory / name).string();
  tiny_media::WriteBytes(path, tiny_media::OneNoteMidi(milliseconds));
  return path;
}

void BM_OpenEffect(benchmark::State& state) {
  const std::string path = BenchMidi("effect.mid", 300);
  for (auto _ : state) benchmark::DoNotOptimize(OpenSound(SoundSelect, path));
  ShutdownMedia();
}
BENCHMARK(BM_OpenEffect)->Unit(benchmark::kMicrosecond);

void BM_OpenAndRenderEffect(benchmark::State& state) {
  const std::string path = BenchMidi("effect.mid", 300);
  for (auto _ : state) {
    OpenSound(SoundSelect, path);
    benchmark::DoNotOptimize(MediaSamples(SoundSelect));
  }
  ShutdownMedia();
}
BENCHMARK(BM_OpenAndRenderEffect)->Unit(benchmark::kMillisecond);

void BM_PlayEffect(benchmark::State& state) {
  gSettings.effectsOn = 1;
  gSettings.volume = 500;
  OpenSound(SoundSelect, BenchMidi("effect.mid", 300));
  for (auto _ : state) PlayEffect(SoundSelect);
  ShutdownMedia();
}
BENCHMARK(BM_PlayEffect)->Unit(benchmark::kMicrosecond);

void BM_MusicCheckWhilePlaying(benchmark::State& state) {
  gSettings.musicOn = 1;
  gSettings.volume = 500;
  OpenSound(MusicAlias, BenchMidi("song.mid", 60000));
  PlaySound(MusicAlias);
  for (auto _ : state) MusicCheck();
  ShutdownMedia();
}
BENCHMARK(BM_MusicCheckWhilePlaying)->Unit(benchmark::kMicrosecond);

void BM_MusicSecond(benchmark::State& state) {
  const bool rendered = state.range(0) == 1;
  const fs::path shipped = fs::path(PELMORA_APP_DIR) / "Sound" / "Yinyue1.mid";
  // A copy away from the rendered streams plays live.
  const fs::path live = fs::temp_directory_path() / "sound_bench" / "Yinyue1.mid";
  fs::create_directories(live.parent_path());
  fs::copy_file(shipped, live, fs::copy_options::overwrite_existing);
  OpenSound(MusicAlias, (rendered ? shipped : live).string());
  if (IsMediaMusicRendered() != rendered) state.SkipWithError("no rendered stream or no SoundFont");
  for (auto _ : state) benchmark::DoNotOptimize(MediaMusicSamples(MediaSampleRate));
  ShutdownMedia();
}
BENCHMARK(BM_MusicSecond)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
