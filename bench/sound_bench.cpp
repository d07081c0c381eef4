// Cost of the sound calls on the real mixer (silent dummy device): opening an effect returns at
// once while its rendering, measured here up to its samples, runs beside the UI thread; a play
// must stay a cheap channel start, and the once-a-second music check is one mode query while a
// track plays.
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

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
