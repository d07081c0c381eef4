// The editor's level table: filling a level from a level text, clearing.
#include <gtest/gtest.h>

#include "map_files.h"
#include "mapdata/level_model.h"

namespace {

class EditorMapTest : public testing::Test {
 protected:
  void SetUp() override {
    CreateEditorGrid();
    ClearEditorMap(gEditorMap);
  }
  static int Cell(int level, int layer, int row, int column) {
    return gEditorMap.grid->level[level].cell[layer][row][column];
  }
};

TEST_F(EditorMapTest, ShownCellsHoldTheirLayerNumberWhateverTheFileSays) {
  std::string text = "4$" + LayerWithTiles(2) + "9,9,0,0,0,5,|" + LayerWithTiles(0).substr(41);
  ASSERT_TRUE(FillEditorLevel(gEditorMap, 1, text));
  EXPECT_EQ(gEditorMap.arrangementType[1], 4);
  EXPECT_EQ(gEditorMap.layerCount[1], 2);
  for (int column : {1, 2}) EXPECT_EQ(Cell(1, 1, 1, column), 1) << column;
  for (int column : {1, 2, 3, 6}) EXPECT_EQ(Cell(1, 2, 1, column), column == 3 ? 0 : 2) << column;
}

TEST_F(EditorMapTest, OnlyANumberValueOfZeroIsHidden) {
  FillEditorLevel(gEditorMap, 1, "1$0,00,,x,0 ,01,-1|$");   // rows 2..9 missing: hidden
  for (int c = 1; c <= 20; ++c) EXPECT_EQ(Cell(1, 1, 1, c), c == 6 ? 1 : 0) << c;
  for (int r = 2; r <= 9; ++r) EXPECT_EQ(Cell(1, 1, r, 1), 0) << r;
}

TEST_F(EditorMapTest, AtMostNineLayersAreKept) {
  std::string text = "1$";
  for (int k = 1; k <= 12; ++k) text += LayerWithTiles(180);
  FillEditorLevel(gEditorMap, 5, text);
  EXPECT_EQ(gEditorMap.layerCount[5], EditorMaxLayers);
  EXPECT_EQ(Cell(5, 9, 9, 20), 9);
  EXPECT_EQ(Cell(5, 10, 1, 1), 0);
  EXPECT_EQ(Cell(5, 12, 9, 20), 0);
}

TEST_F(EditorMapTest, LevelsOutsideTheTableAreRefused) {
  EXPECT_FALSE(FillEditorLevel(gEditorMap, 0, "1$"));
  EXPECT_FALSE(FillEditorLevel(gEditorMap, MaxLevels + 1, "1$"));
  EXPECT_EQ(gEditorMap.arrangementType[0], 0);
  EXPECT_TRUE(FillEditorLevel(gEditorMap, MaxLevels, "2$" + LayerWithTiles(1)));
  EXPECT_EQ(Cell(MaxLevels, 1, 1, 1), 1);
  gEditorMap.levelCount = 3;   // filling leaves the level count alone
  EXPECT_TRUE(FillEditorLevel(gEditorMap, 4, "3$"));
  EXPECT_EQ(gEditorMap.levelCount, 3);
  EXPECT_EQ(gEditorMap.arrangementType[4], 3);   // a type-only level has no layers
  EXPECT_EQ(gEditorMap.layerCount[4], 0);
}

TEST_F(EditorMapTest, ClearingEmptiesGridAndTable) {
  FillEditorLevel(gEditorMap, 7, "2$" + LayerWithTiles(30));
  gEditorMap.levelCount = 7;
  ClearEditorMap(gEditorMap);
  EXPECT_EQ(gEditorMap.levelCount, 0);
  EXPECT_EQ(gEditorMap.arrangementType[7], 0);
  EXPECT_EQ(gEditorMap.layerCount[7], 0);
  EXPECT_EQ(Cell(7, 1, 1, 1), 0);
}

}  // namespace
