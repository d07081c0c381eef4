// Tile positions, layer extents, the editor's cell under a point and the game's board pick.
#include <gtest/gtest.h>

#include "mapdata/geometry.h"

namespace {

// ---- Tile positions ------------------------------------------------------------------------

TEST(TilePosition, EachLayerShiftsByItsTypesStep) {
  // Type 1 climbs 6 pixels up and left per layer; the shifted types move half a pitch instead.
  struct Case { bool game; int type, dx, dy; };
  const Case cases[] = {{true, 1, -6, -6}, {true, 2, CellPitchX / 2, -6},
                        {true, 3, -6, CellPitchY / 2}, {false, 4, CellPitchX / 2, CellPitchY / 2}};
  for (const Case& c : cases) {
    auto position = c.game ? GameTilePosition : EditorTilePosition;
    int xa, ya, xb, yb;
    ASSERT_TRUE(position(c.type, 2, 4, 4, xa, ya));
    ASSERT_TRUE(position(c.type, 3, 4, 4, xb, yb));
    EXPECT_EQ(xb - xa, c.dx) << c.type;
    EXPECT_EQ(yb - ya, c.dy) << c.type;
  }
}

TEST(TilePosition, FirstCellOfEachTypeInBothPrograms) {
  struct Case { int type, layer, gameX, gameY, editorX, editorY; };
  // Row 1, column 1 at each program's bottom layer, from the position tables.
  Case cases[] = {{1, 2, 60, 52, 60, 63}, {2, 2, 54, 52, 54, 63},
                  {3, 2, 70, 38, 60, 68}, {4, 2, 44, 38, 63, 68}};
  for (const Case& c : cases) {
    int x, y;
    ASSERT_TRUE(GameTilePosition(c.type, c.layer, 1, 1, x, y));
    EXPECT_EQ(x, c.gameX) << c.type;
    EXPECT_EQ(y, c.gameY) << c.type;
    ASSERT_TRUE(EditorTilePosition(c.type, c.layer, 1, 1, x, y));
    EXPECT_EQ(x, c.editorX) << c.type;
    EXPECT_EQ(y, c.editorY) << c.type;
  }
}

TEST(TilePosition, UnknownTypesHaveNoPosition) {
  for (int type : {0, 5, -1}) {
    int x = 11, y = 12;
    EXPECT_FALSE(GameTilePosition(type, 2, 1, 1, x, y));
    EXPECT_FALSE(EditorTilePosition(type, 1, 1, 1, x, y));
    EXPECT_EQ(x, 11);
    EXPECT_EQ(y, 12);
  }
}

// ---- Layer extent --------------------------------------------------------------------------

TEST(LayerExtent, ShrinksOneStepPerLayerInTheShiftedDirectionsAndNothingOutOfReach) {
  struct Case { int type, layer, rows, columns; };
  Case cases[] = {{1, 1, 9, 20}, {1, 9, 9, 20}, {2, 1, 9, 20}, {2, 2, 9, 19}, {2, 9, 9, 12},
                  {3, 2, 8, 20}, {3, 9, 1, 20}, {4, 1, 9, 20}, {4, 5, 5, 16}, {4, 9, 1, 12},
                  {0, 1, 0, 0}, {5, 1, 0, 0}, {1, 0, 0, 0}, {3, 10, 0, 0}, {4, 12, 0, 0}};
  for (const Case& c : cases) {
    int rows, columns;
    LayerExtent(c.type, c.layer, rows, columns);
    EXPECT_EQ(rows, c.rows) << c.type << "/" << c.layer;
    EXPECT_EQ(columns, c.columns) << c.type << "/" << c.layer;
  }
}

// ---- The editor's cell under a point ---------------------------------------------------------

TEST(CellAt, EdgesAndPointsOffTheBoard) {
  // Truncation toward zero maps the strip just left of column 1 to column 0, not -1.
  struct Case { int type, x, y; bool hit; };
  const Case cases[] = {{1, 66, 75, true}, {1, 65, 75, false}, {1, 30, 75, false},
                        {1, -100, -100, false}, {1, 66, 20, false}, {0, 66, 75, false},
                        {5, 66, 75, false}};
  for (const Case& c : cases) {
    int row = -1, column = -1;
    EXPECT_EQ(CellAt(c.type, 1, c.x, c.y, row, column), c.hit) << c.type << " " << c.x << "," << c.y;
    if (c.hit) {
      EXPECT_EQ(row * 100 + column, 101);
    }
  }
}

TEST(CellAt, TopLeftOfEveryDrawnCellInTheExtentHitsThatCell) {
  for (int type = 1; type <= 4; ++type) {
    for (int layer = 1; layer <= EditorMaxLayers; ++layer) {
      int rows, columns;
      LayerExtent(type, layer, rows, columns);
      for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= columns; ++c) {
          int x, y, row = 0, column = 0;
          EditorTilePosition(type, layer, r, c, x, y);
          ASSERT_TRUE(CellAt(type, layer, x, y, row, column)) << type << layer << r << c;
          EXPECT_EQ(row, r);
          EXPECT_EQ(column, c);
        }
      }
    }
  }
}

// Whole hit rectangles, by the tables' column and row tests: 42 x 54 pixels from the tile
// picture's top left, except the rows of types 3 and 4, which start lower or higher by a number
// of pixels that depends on the layer. Every corner and the middle hit the cell; one pixel
// beyond each side does not.
struct HitRectangle {
  int x, y;   // top left
};

int gType, gLayer, gRow, gColumn;   // the cell whose rectangle is tested

void ExpectRectangleHits(const HitRectangle& box, bool (*hits)(int x, int y), const char* what) {
  const std::pair<int, int> inside[] = {{0, 0}, {41, 0}, {0, 53}, {41, 53}, {20, 27}};
  const std::pair<int, int> outside[] = {{-1, 27}, {42, 27}, {20, -1}, {20, 54}};
  for (auto [dx, dy] : inside) {
    EXPECT_TRUE(hits(box.x + dx, box.y + dy)) << what << gType << "/" << gLayer << " " << dx << ","
                                                << dy;
  }
  for (auto [dx, dy] : outside) {
    EXPECT_FALSE(hits(box.x + dx, box.y + dy)) << what << gType << "/" << gLayer << " " << dx
                                                 << "," << dy;
  }
}

TEST(CellAt, EveryPointOfAHitRectangleHitsItsCell) {
  for (gType = 1; gType <= 4; ++gType) {
    for (gLayer = 1; gLayer <= EditorMaxLayers; gLayer += 2) {
      int rows, columns;
      LayerExtent(gType, gLayer, rows, columns);
      for (auto [r, c] : {std::pair{1, 1}, std::pair{rows, columns}}) {
        gRow = r;
        gColumn = c;
        int x, y;
        EditorTilePosition(gType, gLayer, r, c, x, y);
        // (y - 26 L + 39) / 54 = r: the rows of types 3 and 4 start L - 1 pixels above the picture.
        const int drop = gType >= 3 ? 1 - gLayer : 0;
        ExpectRectangleHits({x, y + drop}, [](int px, int py) {
          int row = 0, column = 0;
          return CellAt(gType, gLayer, px, py, row, column) && row == gRow && column == gColumn;
        }, "editor ");
      }
    }
  }
}

TEST(CellAt, CellsOutsideTheExtentAreNeverHit) {
  int x, y, row, column;
  EditorTilePosition(2, 2, 1, 20, x, y);   // type 2 layer 2 reaches column 19
  EXPECT_FALSE(CellAt(2, 2, x, y, row, column));
  EditorTilePosition(3, 3, 8, 1, x, y);    // type 3 layer 3 reaches row 7
  EXPECT_FALSE(CellAt(3, 3, x, y, row, column));
}

// ---- The game's board pick -------------------------------------------------------------------

class BoardPick : public testing::Test {
 protected:
  void SetUp() override { ClearLevelCells(board); }
  LevelCells board;
};

TEST_F(BoardPick, TopLeftOfATileIsPicked) {
  board.cell[2][3][4] = 9;
  int x, y, layer = -1, row = -1, column = -1;
  GameTilePosition(1, 2, 3, 4, x, y);
  ASSERT_TRUE(PickBoardCell(board, 1, x, y, layer, row, column));
  EXPECT_EQ(layer, 2);
  EXPECT_EQ(row, 3);
  EXPECT_EQ(column, 4);
  EXPECT_TRUE(PickBoardCell(board, 1, x + CellPitchX - 1, y + CellPitchY - 1, layer, row, column));
  EXPECT_FALSE(PickBoardCell(board, 1, x + CellPitchX, y, layer, row, column));
  EXPECT_FALSE(PickBoardCell(board, 1, x - 1, y, layer, row, column));
}

TEST_F(BoardPick, HighestCoveringTileWins) {
  board.cell[2][3][4] = 1;
  board.cell[3][3][4] = 2;
  board.cell[5][3][4] = 3;
  int x, y, layer, row, column;
  GameTilePosition(1, 5, 3, 4, x, y);
  x += 20;   // inside the tile on layers 2, 3 and 5 alike
  y += 20;
  ASSERT_TRUE(PickBoardCell(board, 1, x, y, layer, row, column));
  EXPECT_EQ(layer, 5);
  board.cell[5][3][4] = 0;
  ASSERT_TRUE(PickBoardCell(board, 1, x, y, layer, row, column));
  EXPECT_EQ(layer, 3);
}

TEST_F(BoardPick, EmptyCellsAndLayersAboveTenAreNotPicked) {
  board.cell[11][3][4] = 5;
  board.cell[3][3][4] = -1;
  int x, y, layer = -1, row = -1, column = -1;
  GameTilePosition(1, 11, 3, 4, x, y);
  EXPECT_FALSE(PickBoardCell(board, 1, x + 5, y + 5, layer, row, column));
  EXPECT_FALSE(PickBoardCell(board, 0, x + 5, y + 5, layer, row, column));   // unknown type
  EXPECT_EQ(layer, -1);
}

TEST_F(BoardPick, EveryPointOfAHitRectangleHitsItsTile) {
  static LevelCells single;
  for (gType = 1; gType <= 4; ++gType) {
    for (gLayer = 1; gLayer <= GameTopLayer; gLayer += 3) {
      ClearLevelCells(single);
      gRow = 4;
      gColumn = 7;
      single.cell[gLayer][gRow][gColumn] = 9;
      int x, y;
      GameTilePosition(gType, gLayer, gRow, gColumn, x, y);
      // Types 3 and 4 test from 8 - L pixels below the picture top.
      const int drop = gType >= 3 ? 8 - gLayer : 0;
      ExpectRectangleHits({x, y + drop}, [](int px, int py) {
        int layer = 0, row = 0, column = 0;
        return PickBoardCell(single, gType, px, py, layer, row, column) && layer == gLayer &&
               row == gRow && column == gColumn;
      }, "game ");
    }
  }
}

TEST_F(BoardPick, ShiftedTypesTestBelowThePictureTop) {
  // For types 3 and 4 the test rectangle starts 8 - L pixels lower than the picture.
  for (int type : {3, 4}) {
    for (int layer : {1, 2, 8}) {
      ClearLevelCells(board);
      board.cell[layer][4][5] = 7;
      int x, y, l, row, column;
      GameTilePosition(type, layer, 4, 5, x, y);
      int first = y + 8 - layer;
      EXPECT_TRUE(PickBoardCell(board, type, x, first, l, row, column)) << type << layer;
      if (first > y) {
        EXPECT_FALSE(PickBoardCell(board, type, x, first - 1, l, row, column)) << type << layer;
      }
    }
  }
}

}  // namespace
