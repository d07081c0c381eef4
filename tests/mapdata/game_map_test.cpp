// The game's map store: faces by the K rule, layer indices, loading, limits, progress.
#include <gtest/gtest.h>

#include <vector>

#include "map_files.h"
#include "mapdata/level_model.h"
#include "platform/dialog.h"
#include "platform/window.h"

namespace {

class GameMapTest : public testing::Test {
 protected:
  void SetUp() override {
    ScriptDialogs(true);
    CreateMapStore();
    ClearGrid(*gMap.store);
    gMap.levelCount = 0;
    gMap.declaredLevelCount = 0;
    gMap.faceCounter = 0;
    gMapLoad = {nullptr, 0};
  }
  void TearDown() override {
    gMapLoad = {nullptr, DefaultLoadPacingMs};
    ScriptDialogs(false);
  }

  // Faces of a level's tiles in reading order (layer, row, column), layers 0..12.
  static std::vector<int> Faces(int level) {
    std::vector<int> faces;
    const LevelCells& cells = gMap.store->level[level];
    for (int l = 0; l < LayerSlots; ++l) {
      for (int r = 0; r < RowSlots; ++r) {
        for (int c = 0; c < ColumnSlots; ++c) {
          if (cells.cell[l][r][c] != 0) faces.push_back(cells.cell[l][r][c]);
        }
      }
    }
    return faces;
  }

  static int TilesOnLayer(int level, int layer) {
    int tiles = 0;
    for (auto& row : gMap.store->level[level].cell[layer]) {
      for (int32_t cell : row) tiles += cell > 0;
    }
    return tiles;
  }

  void Load(const std::vector<std::string>& levels, int declared) {
    std::string path = dir.File("map.xml");
    WriteBytes(path, MapFileText(levels, declared));
    LoadMapFile(path);
  }

  ScratchDir dir;
};

// ---- Faces: the K rule ----------------------------------------------------------------------

TEST_F(GameMapTest, TwentyTilesAsFirstLevelCycleThroughFourFaces) {
  ASSERT_TRUE(PlaceLevel("1$" + LayerWithTiles(20)));
  std::vector<int> expected = {1, 1, 2, 2, 3, 3, 4, 4, 1, 1, 2, 2, 3, 3, 4, 4, 1, 1, 2, 2};
  EXPECT_EQ(Faces(1), expected);
  EXPECT_EQ(gMap.faceCounter, 2);
}

TEST_F(GameMapTest, LaterLevelContinuesFromTheCounter) {
  gMap.faceCounter = 2;
  PlaceLevel("1$" + LayerWithTiles(20));
  std::vector<int> expected = {3, 3, 4, 4, 1, 1, 2, 2, 3, 3, 4, 4, 1, 1, 2, 2, 3, 3, 4, 4};
  EXPECT_EQ(Faces(1), expected);
}

TEST_F(GameMapTest, CounterAtOrAboveTheRangeStartsTheLevelAtOne) {
  for (int start : {4, 30}) {
    ClearGrid(*gMap.store);
    gMap.levelCount = 0;
    gMap.faceCounter = start;
    PlaceLevel("1$" + LayerWithTiles(20));
    EXPECT_EQ(Faces(1).front(), 1) << start;
    EXPECT_EQ(Faces(1)[2], 2) << start;
  }
}

TEST_F(GameMapTest, CounterCarriesAcrossLevelsAndMaps) {
  Load({"1$" + LayerWithTiles(20), "1$" + LayerWithTiles(20)}, 2);
  EXPECT_EQ(Faces(2).front(), 3);   // the first level left the counter at 2
  Load({"1$" + LayerWithTiles(20)}, 1);
  EXPECT_EQ(Faces(1).front(), 1);   // the second level left it at 4, the range is 1..4
  Load({"1$" + LayerWithTiles(20)}, 1);
  EXPECT_EQ(Faces(1).front(), 3);
}

TEST_F(GameMapTest, ThirteenOrFewerTilesAllGetFaceOne) {
  for (int tiles : {1, 12, 13, 14, 15}) {
    ClearGrid(*gMap.store);
    gMap.levelCount = 0;
    gMap.faceCounter = 7;
    PlaceLevel("1$" + LayerWithTiles(tiles));
    EXPECT_EQ(Faces(1), std::vector<int>(tiles, 1)) << tiles;   // 14 and 15: K = 1
  }
}

TEST_F(GameMapTest, SixteenTilesGiveTwoFaces) {
  PlaceLevel("1$" + LayerWithTiles(16));
  std::vector<int> expected = {1, 1, 2, 2, 1, 1, 2, 2, 1, 1, 2, 2, 1, 1, 2, 2};
  EXPECT_EQ(Faces(1), expected);
}

TEST_F(GameMapTest, NinetySixTilesUseAllFortyTwoFacesThenRepeat) {
  PlaceLevel("1$" + LayerWithTiles(100));
  std::vector<int> faces = Faces(1);
  ASSERT_EQ(faces.size(), 100u);
  for (int i = 0; i < 84; ++i) EXPECT_EQ(faces[i], i / 2 + 1) << i;
  for (int i = 84; i < 100; ++i) EXPECT_EQ(faces[i], (i - 84) / 2 + 1) << i;
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

TEST_F(GameMapTest, FirstLayerLiesAtIndexTwoAndIndexOneStaysEmpty) {
  PlaceLevel("2$" + LayerWithTiles(2) + LayerWithTiles(2));
  EXPECT_EQ(gMap.arrangementType[1], 2);
  EXPECT_EQ(TilesOnLayer(1, 0), 0);
  EXPECT_EQ(TilesOnLayer(1, 1), 0);
  EXPECT_EQ(TilesOnLayer(1, 2), 2);
  EXPECT_EQ(TilesOnLayer(1, 3), 2);
  EXPECT_GT(gMap.store->level[1].cell[2][1][1], 0);
  EXPECT_GT(gMap.store->level[1].cell[2][1][2], 0);
}

TEST_F(GameMapTest, OnlyExactlyZeroIsEmpty) {
  std::string row = "0,00,,1,x,0 ,-0,";
  for (int c = 8; c <= 20; ++c) row += "0,";
  std::string layer = row + "|";
  for (int r = 2; r <= 9; ++r) layer += RowText();
  PlaceLevel("1$" + layer + "$");
  const auto& cells = gMap.store->level[1].cell[2][1];
  int expectedTile[8] = {0, 0, 1, 1, 1, 1, 1, 1};
  for (int c = 1; c <= 7; ++c) EXPECT_EQ(cells[c] > 0, expectedTile[c] == 1) << c;
  EXPECT_EQ(TilesOnLayer(1, 2), 6);
}

TEST_F(GameMapTest, ShortRowsAndMissingRowsAreTiles) {
  PlaceLevel("1$0,0,0|$");   // row 1 has 3 hidden cells, the rest of the layer is missing
  EXPECT_EQ(TilesOnLayer(1, 2), 9 * 20 - 3);
  EXPECT_EQ(gMap.store->level[1].cell[2][1][3], 0);
  EXPECT_GT(gMap.store->level[1].cell[2][1][4], 0);
}

TEST_F(GameMapTest, PiecesBeyondTwentyCellsAndNineRowsAreNotRead) {
  std::string row = RowText();
  row.insert(row.size() - 1, "1,1,");   // cells 21 and 22
  std::string layer;
  for (int r = 1; r <= 9; ++r) layer += row;
  layer += RowText({1});                 // a tenth row
  PlaceLevel("1$" + layer + "$");
  EXPECT_EQ(TilesOnLayer(1, 2), 0);
}

TEST_F(GameMapTest, TypeOnlyLevelHasNoTiles) {
  PlaceLevel("3$");
  EXPECT_EQ(gMap.levelCount, 1);
  EXPECT_EQ(gMap.arrangementType[1], 3);
  EXPECT_TRUE(Faces(1).empty());
}

TEST_F(GameMapTest, TextAfterTheLastDollarIsLost) {
  std::string withoutEnd = "1$" + LayerWithTiles(4) + LayerWithTiles(6);
  withoutEnd.pop_back();
  PlaceLevel(withoutEnd);
  EXPECT_EQ(TilesOnLayer(1, 2), 4);
  EXPECT_EQ(TilesOnLayer(1, 3), 0);
}

TEST_F(GameMapTest, TextWithoutDollarIsALevelOfTypeZero) {
  PlaceLevel("4");
  EXPECT_EQ(gMap.levelCount, 1);
  EXPECT_EQ(gMap.arrangementType[1], 0);
  EXPECT_TRUE(Faces(1).empty());
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

TEST_F(GameMapTest, LevelsBeyondThreeHundredAreIgnored) {
  std::vector<std::string> levels;
  for (int n = 1; n <= 305; ++n) {
    levels.push_back(std::to_string(n % 4 + 1) + "$" + LayerWithTiles(n > 300 ? 50 : 2));
  }
  Load(levels, 305);
  EXPECT_EQ(gMap.levelCount, MaxLevels);
  EXPECT_EQ(gMap.arrangementType[300], 300 % 4 + 1);
  EXPECT_EQ(TilesOnLayer(300, 2), 2);
  EXPECT_FALSE(PlaceLevel("1$" + LayerWithTiles(2)));
  EXPECT_EQ(gMap.levelCount, MaxLevels);
  EXPECT_TRUE(ShownDialogs().empty());
}

// ---- Loading --------------------------------------------------------------------------------

TEST_F(GameMapTest, MapBAfterMapALeavesNoneOfAsTiles) {
  Load({"1$" + LayerWithTiles(10) + LayerWithTiles(10) + LayerWithTiles(10),
        "1$" + LayerWithTiles(4)}, 2);
  ASSERT_EQ(TilesOnLayer(1, 4), 10);
  Load({"2$" + LayerWithTiles(6)}, 1);
  EXPECT_EQ(gMap.levelCount, 1);
  EXPECT_EQ(gMap.arrangementType[1], 2);
  EXPECT_EQ(TilesOnLayer(1, 2), 6);
  EXPECT_EQ(TilesOnLayer(1, 3), 0);
  EXPECT_EQ(TilesOnLayer(1, 4), 0);
  EXPECT_EQ(TilesOnLayer(2, 2), 0);
  EXPECT_EQ(gMap.arrangementType[2], 0);
}

TEST_F(GameMapTest, NestedAndCapitalisedLevelElementsAreLevels) {
  std::string path = dir.File("nested.xml");
  WriteBytes(path, "<Map><E>2</E><group><O>1$" + LayerWithTiles(2) + "</O></group><o>3$</o></Map>");
  LoadMapFile(path);
  EXPECT_EQ(gMap.declaredLevelCount, 2);
  EXPECT_EQ(gMap.levelCount, 2);
  EXPECT_EQ(gMap.arrangementType[1], 1);
  EXPECT_EQ(gMap.arrangementType[2], 3);
}

TEST_F(GameMapTest, CommentBetweenLevelsShowsAMessageAndBothLevelsLoad) {
  std::string path = dir.File("comment.xml");
  WriteBytes(path, "<!-- before --><a><o>1$</o><!-- inside --><o>2$</o></a>");
  LoadMapFile(path);
  EXPECT_EQ(gMap.levelCount, 2);
  ASSERT_EQ(ShownDialogs().size(), 1u);
  EXPECT_EQ(ShownDialogs()[0].text, MapFileInvalidMessage);
}

TEST_F(GameMapTest, UnreadableFileLeavesNoLevelsAndAClearedStore) {
  Load({"1$" + LayerWithTiles(8)}, 1);
  ASSERT_EQ(gMap.levelCount, 1);
  std::string path = dir.File("broken.xml");
  WriteBytes(path, MapFileText({"1$" + LayerWithTiles(8)}, 1).substr(0, 200));
  LoadMapFile(path);
  EXPECT_EQ(gMap.levelCount, 0);
  EXPECT_EQ(gMap.declaredLevelCount, 0);
  EXPECT_EQ(TilesOnLayer(1, 2), 0);
  ASSERT_EQ(ShownDialogs().size(), 1u);
  EXPECT_EQ(ShownDialogs()[0].text, MapFileMissingMessage);
}

TEST_F(GameMapTest, DeclaredCountIsTheNumberValueOfTheCountElement) {
  std::string path = dir.File("count.xml");
  for (auto [text, value] : {std::pair<const char*, int>{"12", 12}, {"7 levels", 7}, {"x7", 0},
                             {"", 0}, {"99999999999", 2147483647}}) {
    WriteBytes(path, std::string("<a><e>") + text + "</e></a>");
    LoadMapFile(path);
    EXPECT_EQ(gMap.declaredLevelCount, value) << text;
  }
  WriteBytes(path, "<a><o>1$</o></a>");
  LoadMapFile(path);
  EXPECT_EQ(gMap.declaredLevelCount, 0);
}

// Records the load state the hook sees.
struct HookSeen {
  int calls = 0;
  int levelCount = -1;
  int tiles = -1;
};
HookSeen hookSeen;

TEST_F(GameMapTest, LoadingHookRunsAfterClearingAndBeforeReading) {
  Load({"1$" + LayerWithTiles(6)}, 1);
  hookSeen = HookSeen();
  gMapLoad.loadingBegins = [] {
    ++hookSeen.calls;
    hookSeen.levelCount = gMap.levelCount;
    hookSeen.tiles = gMap.store->level[1].cell[2][1][1];
  };
  Load({"1$" + LayerWithTiles(6), "1$"}, 2);
  EXPECT_EQ(hookSeen.calls, 1);
  EXPECT_EQ(hookSeen.levelCount, 0);
  EXPECT_EQ(hookSeen.tiles, 0);
  LoadMapFile(dir.File("missing.xml"));
  EXPECT_EQ(hookSeen.calls, 2);
}

// Level counts seen by the event handler while the loader pumps.
std::vector<int> pumpedAt;

TEST_F(GameMapTest, OneMessageIsLetThroughBeforeEachLevel) {
  pumpedAt.clear();
  SetEventHandler([](const Event&) { pumpedAt.push_back(gMap.levelCount); });
  for (int i = 0; i < 5; ++i) PostEvent(Event{EventMouseMove, 0, i});
  gMapLoad.pacingMs = 1;
  Load({"1$", "1$", "1$"}, 3);
  std::vector<int> expected = {0, 1, 2};
  EXPECT_EQ(pumpedAt, expected);
  gMapLoad.pacingMs = 0;
  Load({"1$", "1$"}, 2);   // no pacing: the remaining events stay queued
  EXPECT_EQ(pumpedAt, expected);
  while (PollEvent().kind != EventNone) {
  }
  SetEventHandler(nullptr);
}

// ---- Loading progress ---------------------------------------------------------------------

TEST_F(GameMapTest, ProgressFollowsThePagesArithmetic) {
  gMap.declaredLevelCount = 3;
  gMap.levelCount = 0;
  EXPECT_EQ(LoadingPercent(), 0);
  EXPECT_EQ(LoadingBarWidth(680), 0);
  gMap.levelCount = 1;
  EXPECT_EQ(LoadingPercent(), 33);
  EXPECT_EQ(LoadingBarWidth(680), 227);   // 226.67
  gMap.levelCount = 2;
  EXPECT_EQ(LoadingPercent(), 67);
  EXPECT_EQ(LoadingBarWidth(680), 453);   // 453.33
  gMap.declaredLevelCount = 8;
  gMap.levelCount = 1;
  EXPECT_EQ(LoadingPercent(), 13);        // 12.5 rounds up
  EXPECT_EQ(LoadingBarWidth(680), 85);
}

TEST_F(GameMapTest, ProgressBeyondTheDeclaredCountKeepsGrowing) {
  gMap.declaredLevelCount = 2;
  gMap.levelCount = 3;
  EXPECT_EQ(LoadingPercent(), 150);
  EXPECT_EQ(LoadingBarWidth(680), 1020);
}

TEST_F(GameMapTest, ProgressWithoutDeclaredCountIsEmpty) {
  gMap.declaredLevelCount = 0;
  gMap.levelCount = 5;
  EXPECT_EQ(LoadingPercent(), 0);
  EXPECT_EQ(LoadingBarWidth(680), 0);
}

}  // namespace
