// The default map, read back through the map reader as both programs read it: enough levels,
// every level playable (even count, 36..144 tiles), every cell editable (inside its layer
// extent), all types and layer counts used, upper tiles resting on tiles below, difficulty
// rising, and the map information filled in.
// Sections: reading the map back; level rules; stacking; difficulty; information.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "mapdata/geometry.h"
#include "mapdata/level_model.h"
#include "mapdata/map_reader.h"
#include "tools/assetgen/default_map.h"

namespace {

// ---- Reading the map back ---------------------------------------------------------------------

class DefaultMap : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    text_ = BuildDefaultMapText();
    map_ = ReadMap(reinterpret_cast<const unsigned char*>(text_.data()), text_.size());
    grid_ = std::make_unique<CellGrid>();
    editor_ = EditorMap{};
    editor_.grid = grid_.get();
    ClearEditorMap(editor_);
    for (size_t i = 0; i < map_.levels.size(); ++i)
      FillEditorLevel(editor_, static_cast<int>(i) + 1, map_.levels[i]);
  }

  static int Cell(int level, int layer, int row, int column) {
    return grid_->level[level].cell[layer][row][column];
  }
  static int Tiles(int level) {
    int tiles = 0;
    for (int layer = 1; layer <= EditorMaxLayers; ++layer)
      for (int row = 1; row <= BoardRows; ++row)
        for (int column = 1; column <= BoardColumns; ++column)
          tiles += Cell(level, layer, row, column) > 0 ? 1 : 0;
    return tiles;
  }
  static int LevelCount() { return static_cast<int>(map_.levels.size()); }

  static std::string text_;
  static MapFile map_;
  static std::unique_ptr<CellGrid> grid_;
  static EditorMap editor_;
};
std::string DefaultMap::text_;
MapFile DefaultMap::map_;
std::unique_ptr<CellGrid> DefaultMap::grid_;
EditorMap DefaultMap::editor_;

TEST_F(DefaultMap, ReadsBackWithEveryLevelDeclared) {
  ASSERT_EQ(map_.result, MapReadWhole);
  EXPECT_EQ(map_.strayNodes, 0);
  EXPECT_GE(LevelCount(), 30);
  EXPECT_EQ(map_.declaredLevelCount, LevelCount());
  EXPECT_EQ(text_.substr(text_.size() - 4), "</a>");
}

// ---- Level rules ------------------------------------------------------------------------------

// Playable: an even tile count in 36..144. Editable: every shown cell inside its layer's
// extent, no declared layer left empty.
TEST_F(DefaultMap, EveryLevelIsPlayableAndEditableAndAllTypesAndLayerCountsOccur) {
  std::set<int> types, layerCounts;
  for (int level = 1; level <= LevelCount(); ++level) {
    SCOPED_TRACE(testing::Message() << "level " << level);
    const int tiles = Tiles(level), type = editor_.arrangementType[level];
    EXPECT_EQ(tiles % 2, 0);
    EXPECT_GE(tiles, 36);
    EXPECT_LE(tiles, 144);
    types.insert(type);
    layerCounts.insert(editor_.layerCount[level]);
    for (int layer = 1; layer <= editor_.layerCount[level]; ++layer) {
      int rows = 0, columns = 0, shown = 0;
      LayerExtent(type, layer, rows, columns);
      for (int row = 1; row <= BoardRows; ++row)
        for (int column = 1; column <= BoardColumns; ++column)
          if (Cell(level, layer, row, column) > 0) {
            ++shown;
            EXPECT_TRUE(row <= rows && column <= columns) << "layer " << layer << " " << row << "," << column;
          }
      EXPECT_GT(shown, 0) << "layer " << layer;
    }
  }
  EXPECT_EQ(types, (std::set<int>{1, 2, 3, 4}));
  EXPECT_EQ(layerCounts, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

// ---- Stacking ---------------------------------------------------------------------------------

// A tile of an upper layer covers, on the layer below, its own cell and the cells its type
// shifts it over: one of those must hold a tile, or the tile floats in the air.
TEST_F(DefaultMap, UpperTilesRestOnTilesBelow) {
  for (int level = 1; level <= LevelCount(); ++level) {
    const int type = editor_.arrangementType[level];
    const int right = type == 2 || type == 4 ? 1 : 0;
    const int down = type == 3 || type == 4 ? 1 : 0;
    for (int layer = 2; layer <= editor_.layerCount[level]; ++layer)
      for (int row = 1; row <= BoardRows; ++row)
        for (int column = 1; column <= BoardColumns; ++column) {
          if (Cell(level, layer, row, column) == 0) continue;
          bool supported = false;
          for (int dr = 0; dr <= down; ++dr)
            for (int dc = 0; dc <= right; ++dc)
              supported = supported || Cell(level, layer - 1, row + dr, column + dc) > 0;
          EXPECT_TRUE(supported) << "level " << level << " layer " << layer << " row " << row
                                 << " column " << column;
        }
  }
}

// ---- Difficulty -------------------------------------------------------------------------------

TEST_F(DefaultMap, DifficultyRisesFromTheFirstLevel) {
  ASSERT_GE(LevelCount(), 30);
  EXPECT_EQ(editor_.layerCount[1], 1) << "the map opens with a single layer";
  const int third = LevelCount() / 3;
  auto average = [&](int first, int last, auto measure) {
    double sum = 0;
    for (int level = first; level <= last; ++level) sum += measure(level);
    return sum / (last - first + 1);
  };
  auto tiles = [](int level) { return Tiles(level); };
  auto layers = [](int level) { return editor_.layerCount[level]; };
  const int lastStart = LevelCount() - third + 1;
  EXPECT_LT(average(1, third, tiles) + 30, average(lastStart, LevelCount(), tiles));
  EXPECT_LT(average(1, third, layers) + 3, average(lastStart, LevelCount(), layers));
  for (int level = 2; level <= third; ++level)
    EXPECT_GE(Tiles(level) + 20, Tiles(1)) << "no early level is much harder than it looks";
}

// ---- Information ------------------------------------------------------------------------------

TEST_F(DefaultMap, InformationFilledAndNoPassword) {
  EXPECT_EQ(map_.info.author, "Vorle 工作室");
  EXPECT_NE(map_.info.contact.find('@'), std::string::npos);
  EXPECT_GT(map_.info.introduction.size(), 30u);
  EXPECT_TRUE(map_.info.password.empty());
}

}  // namespace
