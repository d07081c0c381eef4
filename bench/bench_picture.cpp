// Cost of one game frame on the screen: the background and a full board of tiles with shadows,
// and the level-selection page's small faces.
#include <benchmark/benchmark.h>

#include <png.h>

#include <cstdlib>
#include <vector>

#include "platform/app.h"
#include "platform/colour.h"
#include "platform/picture.h"
#include "platform/window.h"

namespace {

constexpr int BenchWindow = 0;
constexpr int ScreenW = 930;
constexpr int ScreenH = 625;
constexpr int BackgroundSprite = 1;
constexpr int ShadowSprite = 4;
constexpr int FaceSprite = 101;
constexpr int SmallFaceSprite = 302;
constexpr int FaceW = 48, FaceH = 60;
constexpr int SmallFaceW = 20, SmallFaceH = 25;
constexpr int PitchX = 42, PitchY = 54;
constexpr int Layers = 9, Rows = 9, Columns = 20;   // 1620 tiles
constexpr int SmallFaces = 7200;
constexpr int Black = 0;

// A shadow like the game's: dark, half transparent, fading at the edges.
std::vector<unsigned char> ShadowPng() {
  std::vector<unsigned char> rgba;
  for (int y = 0; y < FaceH; ++y)
    for (int x = 0; x < FaceW; ++x) {
      const bool edge = x < 4 || y < 4 || x >= FaceW - 4 || y >= FaceH - 4;
      rgba.insert(rgba.end(), {0, 0, 0, static_cast<unsigned char>(edge ? 40 : 110)});
    }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = FaceW;
  png.height = FaceH;
  png.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&png, nullptr, &size, 0, rgba.data(), 0, nullptr);
  std::vector<unsigned char> bytes(size);
  png_image_write_to_memory(&png, bytes.data(), &size, 0, rgba.data(), 0, nullptr);
  return bytes;
}

// A face with a black (keyed) margin and some detail inside.
void MakeFace(int sprite, int width, int height) {
  CreateSprite(sprite, width, height, Black);
  StartDrawingOnSprite(sprite);
  DrawBox(1, 1, width - 3, height - 3, Rgb(240, 235, 220));
  DrawBox(width / 4, height / 4, width / 2, height / 2, Rgb(30, 120, 60));
  StopDrawing();
  TransparentSpriteColour(sprite, Black);
}

bool PrepareScreen() {
  if (IsScreenOpen()) return true;
  if (!InitPlatform() || !OpenWindow(BenchWindow, ScreenW, ScreenH, "bench") ||
      !OpenScreen(BenchWindow, 0, 0, ScreenW, ScreenH))
    return false;
  CreateSprite(BackgroundSprite, ScreenW, ScreenH, Rgb(30, 60, 90));
  StartDrawingOnSprite(BackgroundSprite);
  for (int band = 0; band < ScreenH; band += 25) DrawBox(0, band, ScreenW, 12, Rgb(40, band % 255, 90));
  StopDrawing();
  const std::vector<unsigned char> shadow = ShadowPng();
  constexpr int ShadowImage = 1;
  CatchImage(ShadowImage, shadow.data(), shadow.size());
  SpriteFromImage(ShadowSprite, ShadowImage);
  FreeImage(ShadowImage);
  MakeFace(FaceSprite, FaceW, FaceH);
  MakeFace(SmallFaceSprite, SmallFaceW, SmallFaceH);
  return true;
}

void BM_BoardFrame(benchmark::State& state) {
  if (!PrepareScreen()) {
    state.SkipWithError("no screen");
    return;
  }
  for (auto _ : state) {
    FlipScreen();
    ClearScreen(Black);
    DisplaySprite(BackgroundSprite, 0, 0);
    for (int layer = 2; layer < 2 + Layers; ++layer)
      for (int row = 1; row <= Rows; ++row)
        for (int column = 1; column <= Columns; ++column) {
          const int x = PitchX * column - 6 * layer + 30;
          const int y = PitchY * row - 6 * layer + 10;
          DisplaySprite(ShadowSprite, x - 3, y - 3);
          DisplaySprite(FaceSprite, x, y);
        }
  }
  state.SetItemsProcessed(state.iterations() * (2 * Layers * Rows * Columns + 1));
}
BENCHMARK(BM_BoardFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SmallFacesFrame(benchmark::State& state) {
  if (!PrepareScreen()) {
    state.SkipWithError("no screen");
    return;
  }
  for (auto _ : state) {
    FlipScreen();
    ClearScreen(Black);
    DisplaySprite(BackgroundSprite, 0, 0);
    for (int i = 0; i < SmallFaces; ++i)
      DisplaySprite(SmallFaceSprite, (i * 37) % (ScreenW - SmallFaceW), (i * 13) % (ScreenH - SmallFaceH));
  }
  state.SetItemsProcessed(state.iterations() * (SmallFaces + 1));
}
BENCHMARK(BM_SmallFacesFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  ShutdownPlatform();
  return 0;
}
