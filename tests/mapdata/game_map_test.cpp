// The game's map store: faces by the K rule, layer indices, limits, progress.
#include <gtest/gtest.h>

#include <vector>

#include "map_files.h"
#include "mapdata/level_model.h"
#include "tests/support/map_store_cells.h"

namespace {

class GameMapTest : public testing::Test {
 protected:
  void SetUp() override { Reset(0); }
  static void Reset(int faceCounter) {
    ClearMapStore();
    gMap.faceCounter = faceCounter;
  }

  static std::vector<int> Faces(int level) { return StoredFaces(level); }
  static int TilesOnLayer(int level, int layer) { return StoredTilesOnLayer(level, layer); }
};

// ---- Faces: the K rule ----------------------------------------------------------------------

TEST_F(GameMapTest, FacesFollowTheKRule) {
  struct Case { int tiles, counter; std::vector<int> firstFaces; int counterAfter; };
  const Case cases[] = {
      {20, 0, {1, 1, 2, 2, 3, 3, 4, 4, 1, 1, 2, 2}, 2},   // K = 4 from the start
      {20, 2, {3, 3, 4, 4, 1, 1, 2, 2}, 4},               // continues from the counter
      {20, 4, {1, 1, 2, 2}, 2},                           // counter at the range end restarts
      {20, 30, {1, 1, 2, 2}, 2},
      {16, 0, {1, 1, 2, 2, 1, 1, 2, 2}, -1},              // K = 2
      {13, 7, std::vector<int>(13, 1), -1},               // 13 or fewer: all face one
      {1, 7, {1}, -1},
      {15, 7, std::vector<int>(15, 1), -1},               // K = 1
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.tiles << " tiles from counter " << c.counter);
    Reset(c.counter);
    ASSERT_TRUE(PlaceLevel("1$" + LayerWithTiles(c.tiles)));
    std::vector<int> faces = Faces(1);
    ASSERT_EQ(faces.size(), static_cast<size_t>(c.tiles));
    EXPECT_EQ(std::vector<int>(faces.begin(), faces.begin() + c.firstFaces.size()), c.firstFaces);
    if (c.counterAfter >= 0) {
      EXPECT_EQ(gMap.faceCounter, c.counterAfter);
    }
  }
}

TEST_F(GameMapTest, NinetySixTilesUseAllFortyTwoFacesThenRepeat) {
  PlaceLevel("1$" + LayerWithTiles(100));
  std::vector<int> faces = Faces(1);
  ASSERT_EQ(faces.size(), 100u);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(faces[i], i < 84 ? i / 2 + 1 : (i - 84) / 2 + 1) << i;
}

TEST_F(GameMapTest, TilesCountOverAllLayersForTheRange) {
  // 60 tiles on two layers: K = 24; the 25th pair wraps to face 1.
  PlaceLevel("1$" + LayerWithTiles(40) + LayerWithTiles(20));
  std::vector<int> faces = Faces(1);
  ASSERT_EQ(faces.size(), 60u);
  EXPECT_EQ(faces[46], 24);
  EXPECT_EQ(faces[48], 1);
}

// ---- Cell texts and layer indices -------------------------------------------------------------

// Tiles on layer indices 0..3 of a placed level: the first layer lies at index 2.
TEST_F(GameMapTest, CellTextsBecomeTilesOnTheirLayerIndex) {
  std::string zeros = "0,00,,1,x,0 ,-0,";   // only exactly "0" is empty
  for (int c = 8; c <= 20; ++c) zeros += "0,";
  std::string overlong = RowText();
  overlong.insert(overlong.size() - 1, "1,1,");   // cells 21 and 22
  std::string beyond;
  for (int r = 1; r <= 9; ++r) beyond += overlong;
  std::string withoutEnd = "1$" + LayerWithTiles(4) + LayerWithTiles(6);
  withoutEnd.pop_back();   // text after the last "$" is lost
  const std::pair<std::string, std::vector<int>> cases[] = {
      {"2$" + LayerWithTiles(2) + LayerWithTiles(2), {0, 0, 2, 2}},
      {"1$" + zeros + "|" + EmptyLayer().substr(41), {0, 0, 6, 0}},
      {"1$0,0,0|$", {0, 0, 9 * 20 - 3, 0}},   // short and missing rows are tiles
      {"1$" + beyond + RowText({1}) + "$", {0, 0, 0, 0}},   // nothing past 20 cells or 9 rows
      {withoutEnd, {0, 0, 4, 0}},
  };
  for (const auto& [text, expected] : cases) {
    Reset(0);
    PlaceLevel(text);
    std::vector<int> tiles;
    for (int layer = 0; layer <= 3; ++layer) tiles.push_back(TilesOnLayer(1, layer));
    EXPECT_EQ(tiles, expected) << text.substr(0, 60);
  }
}

TEST_F(GameMapTest, LevelsWithoutLayersHaveTheirTypeAndNoTiles) {
  // "3$": type only; "4": no "$" at all, so not even a type.
  for (auto [text, type] : {std::pair<const char*, int>{"3$", 3}, {"4", 0}}) {
    Reset(0);
    PlaceLevel(text);
    EXPECT_EQ(gMap.levelCount, 1) << text;
    EXPECT_EQ(gMap.arrangementType[1], type) << text;
    EXPECT_TRUE(Faces(1).empty()) << text;
  }
}

// ---- Limits --------------------------------------------------------------------------------

TEST_F(GameMapTest, ElevenLayerFieldsFitAndFurtherOnesAreIgnored) {
  std::string text = "1$";
  for (int k = 1; k <= 13; ++k) text += LayerWithTiles(k);   // layer k holds k tiles
  PlaceLevel(text);
  for (int k = 1; k <= 11; ++k) EXPECT_EQ(TilesOnLayer(1, k + 1), k) << k;
  EXPECT_EQ(Faces(1).size(), 66u);   // 1 + 2 + ... + 11: fields 12 and 13 count for nothing
  EXPECT_EQ(TilesOnLayer(2, 0), 0);  // nothing spilled into the next level
}

// ---- Loading progress ---------------------------------------------------------------------

TEST_F(GameMapTest, ProgressFollowsThePagesArithmetic) {
  struct Case { int declared, loaded, percent, width; };
  const Case cases[] = {{3, 0, 0, 0},     {3, 1, 33, 227},  {3, 2, 67, 453},   // 226.67, 453.33
                        {8, 1, 13, 85},                                       // 12.5 rounds up
                        {8, 9, 113, 765},        // past the count: past the full width
                        {2, 3, 150, 795},        // stopped at the window's right edge
                        {1, 300, 30000, 795},
                        {0, 5, 0, 0}};                                        // no count: safe
  for (const Case& c : cases) {
    gMap.declaredLevelCount = c.declared;
    gMap.levelCount = c.loaded;
    EXPECT_EQ(LoadingPercent(), c.percent) << c.loaded << "/" << c.declared;
    EXPECT_EQ(LoadingBarWidth(680, 795), c.width) << c.loaded << "/" << c.declared;
  }
}

}  // namespace
