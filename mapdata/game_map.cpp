// The game's map store: clearing it for a map, placing levels with their faces, loading progress.
//
// Sections: state | placing a level | loading | loading progress
#include <algorithm>
#include <cmath>

#include "mapdata/level_model.h"
#include "mapdata/level_text.h"

// ---- State ---------------------------------------------------------------------------------

GameMap gMap = {nullptr, {}, 0, 0, 0, {}};

namespace {

constexpr int FaceRangeOffset = 6;        // K = tiles / 2 - 6
constexpr int FirstGameLayer = 2;         // layer field 1 lies at game layer index 2
constexpr int GameLayerFields = LayerSlots - FirstGameLayer;   // layer fields that fit: 11

}  // namespace

void CreateMapStore() {
  if (!gMap.store) gMap.store = NewGrid();
}

// ---- Placing a level -----------------------------------------------------------------------

bool PlaceLevel(std::string_view text) {
  GameMap& m = gMap;
  if (m.levelCount >= MaxLevels) return false;
  CreateMapStore();
  static LevelText split;   // 35 KB of views, kept off the stack
  SplitLevelText(text, split);
  int layers = split.keptLayers < GameLayerFields ? split.keptLayers : GameLayerFields;

  int tiles = 0;
  for (int k = 0; k < layers; ++k) {
    for (auto& row : split.cell[k]) {
      for (std::string_view cell : row) tiles += cell != "0";
    }
  }
  int faceRange = tiles / 2 - FaceRangeOffset;
  if (faceRange > FaceCount) faceRange = FaceCount;

  int level = ++m.levelCount;
  m.arrangementType[level] = NumberValue(split.typeField);
  LevelCells& cells = m.store->level[level];
  MarkLevelWritten(m.written, level);
  int tileIndex = 0;
  for (int k = 0; k < layers; ++k) {
    for (int r = 0; r < BoardRows; ++r) {
      for (int c = 0; c < BoardColumns; ++c) {
        int32_t& cell = cells.cell[k + FirstGameLayer][r + 1][c + 1];
        if (split.cell[k][r][c] == "0") {
          cell = 0;
          continue;
        }
        if (tileIndex % 2 == 0 && ++m.faceCounter > faceRange) m.faceCounter = 1;
        cell = m.faceCounter;
        ++tileIndex;
      }
    }
  }
  return true;
}

// ---- Loading -------------------------------------------------------------------------------

void ClearMapStore() {
  GameMap& m = gMap;
  CreateMapStore();
  m.levelCount = 0;
  m.declaredLevelCount = 0;
  ClearWrittenLevels(*m.store, m.written);
  for (int& type : m.arrangementType) type = 0;
}

// ---- Loading progress ----------------------------------------------------------------------

namespace {

constexpr double FullPercent = 100.0;

// full / declared x levels read, rounded to the nearest; 0 without a declared count.
int LoadingShare(double full) {
  if (gMap.declaredLevelCount <= 0) return 0;
  return static_cast<int>(std::lround(full / gMap.declaredLevelCount * gMap.levelCount));
}

}  // namespace

int LoadingPercent() { return LoadingShare(FullPercent); }

// A map holding more levels than it declares grows the bar past its full width; only the
// window's edge stops it (a huge excess would otherwise zoom the bar picture without bound).
int LoadingBarWidth(int fullWidth, int widestWidth) {
  return std::min(LoadingShare(fullWidth), widestWidth);
}
