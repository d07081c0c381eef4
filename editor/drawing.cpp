// Pictures of the editor and the drawing of the current level and the loading bar.
//
// Sections: pictures | level | kept view | loading bar
#include "editor/drawing.h"

#include <cstdint>
#include <string>

#include "editor/editor_state.h"
#include "mapdata/geometry.h"
#include "mapdata/level_model.h"
#include "platform/colour.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/random.h"
#include "carried/carried_pictures.h"

namespace {

constexpr int BackgroundCount = 9;             // Images\bg1..bg9
constexpr int EditorFaceCount = 9;             // one dots face per layer
constexpr int TypeCount = 4;
constexpr int TypePanelWidth = 238, TypePanelHeight = 138;
constexpr int Black = Rgb(0, 0, 0);

// The loading bar: a grey frame, a white inside and a yellow bar with the count over it.
constexpr int BarX = 220, BarY = 300, BarWidth = 500, BarHeight = 30;
constexpr int BarFrameColour = Rgb(150, 150, 150);
constexpr int BarInsideColour = Rgb(255, 255, 255);
constexpr int BarFillColour = Rgb(255, 255, 0);
constexpr int BarFillWidth = 496;
constexpr int BarTextX = 445, BarTextY = 307;
constexpr int TitleX = 260, TitleY = 150;

std::string PicturePath(const std::string& name) {
  return ResolvePath(gEditor.workingDirectory + name);
}

}  // namespace

// ---- Pictures ---------------------------------------------------------------------------------

void DecodeCarriedPictures() {
  CatchImage(ImageFaceSheet, gFaceSheet.data, gFaceSheet.size);
  // Named as if it lay in Images, so a translation can replace it.
  CatchImageForLanguage(ImageTypePicture, PicturePath("Images\\type_picture.png"),
                        gTypePicture.data, gTypePicture.size);
}

void PrepareSprites() {
  std::string background = "Images\\bg" + std::to_string(Random(BackgroundCount - 1) + 1) + ".93-17";
  LoadSprite(SpriteBackground, PicturePath(background), SpriteOpaque);
  LoadSprite(SpriteTitle, PicturePath("Images\\Xianshi\\39.93-17"), SpriteAlpha);
  for (int f = 1; f <= EditorFaceCount; ++f) {
    CopySpriteFromImage(SpriteFaceBase + f, ImageFaceSheet, (f - 1) * FaceWidth, 0, FaceWidth,
                        FaceHeight);
    TransparentSpriteColour(SpriteFaceBase + f, Black);
  }
  for (int t = 0; t < TypeCount; ++t) {
    CopySpriteFromImage(SpriteTypePicture1 + t, ImageTypePicture, t * TypePanelWidth, 0,
                        TypePanelWidth, TypePanelHeight);
  }
}

void LoadPointer() { LoadSprite(SpritePointer, PicturePath("Images\\Mouse.png"), SpriteAlpha); }

// ---- Level ------------------------------------------------------------------------------------

namespace {

// Calls draw(sprite, x, y) for every shown cell of the current level; returns their count.
template <typename Draw>
int ForEachShownCell(Draw draw) {
  const EditorState& e = gEditor;
  if (e.currentLevel < 1 || e.currentLevel > MaxLevels || !gEditorMap.grid) return 0;
  const LevelCells& cells = gEditorMap.grid->level[e.currentLevel];
  int shown = 0;
  int layers = e.currentLayerCount < EditorMaxLayers ? e.currentLayerCount : EditorMaxLayers;
  for (int layer = 1; layer <= layers; ++layer) {
    for (int row = 1; row <= BoardRows; ++row) {
      for (int column = 1; column <= BoardColumns; ++column) {
        int value = cells.cell[layer][row][column];
        if (value <= 0) continue;
        ++shown;
        int x, y;
        if (EditorTilePosition(e.currentType, layer, row, column, x, y)) {
          draw(SpriteFaceBase + value, x, y);
        }
      }
    }
  }
  return shown;
}

}  // namespace

void DrawLevel() {
  gEditor.shownCells = ForEachShownCell([](int sprite, int x, int y) { DisplaySprite(sprite, x, y); });
}

// ---- Kept view --------------------------------------------------------------------------------

namespace {

// The background, the title and the level change only when the user edits, but a full level is
// 1620 tiles to draw every 10 ms: they are kept as one picture while they stay the same.
struct KeptView {
  bool valid = false;   // SpriteKeptView holds the view drawn under key
  uint64_t key = 0;
};

KeptView gKeptView;

uint64_t Mix(uint64_t key, int64_t value) { return (key ^ uint64_t(value)) * 1099511628211ull; }

// Everything the view is drawn from; counts the shown cells on the way.
uint64_t ViewKey(int& shownCells) {
  const EditorState& e = gEditor;
  uint64_t key = Mix(Mix(Mix(1469598103934665603ull, e.currentLevel), e.currentType),
                     e.currentLayerCount);
  shownCells =
      ForEachShownCell([&key](int sprite, int x, int y) { key = Mix(Mix(Mix(key, sprite), x), y); });
  return key;
}

}  // namespace

void DrawLevelView() {
  const uint64_t key = ViewKey(gEditor.shownCells);
  if (gKeptView.valid && gKeptView.key == key) {
    DisplaySprite(SpriteKeptView, 0, 0);
    return;
  }
  DisplaySprite(SpriteBackground, 0, 0);
  DisplaySprite(SpriteTitle, TitleX, TitleY);
  DrawLevel();
  gKeptView.valid = GrabScreenSprite(SpriteKeptView);
  gKeptView.key = key;
}

// ---- Loading bar ------------------------------------------------------------------------------

void DrawLoadingBar() {
  const int read = gEditorMap.levelCount;
  const int declared = gEditor.declaredLevelCount;
  // Nothing to divide by when the file declares no levels: the bar stays empty. Any declared
  // count a file may hold is worked out in 64 bits.
  const int64_t twiceShare = int64_t{2} * BarFillWidth * read + declared;
  int64_t fill = declared > 0 ? twiceShare / (int64_t{2} * declared) : 0;
  if (fill > BarFillWidth) fill = BarFillWidth;
  if (!StartDrawingOnScreen()) return;
  DrawBox(BarX, BarY, BarWidth, BarHeight, BarFrameColour);
  DrawBox(BarX + 1, BarY + 1, BarWidth - 2, BarHeight - 2, BarInsideColour);
  DrawBox(BarX + 2, BarY + 2, static_cast<int>(fill), BarHeight - 4, BarFillColour);
  DrawText(FontLoading, BarTextX, BarTextY, std::to_string(read) + "/" + std::to_string(declared),
           Black);
  StopDrawing();
}
