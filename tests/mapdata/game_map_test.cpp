// The game's map store: faces by the K rule, layer indices, loading, limits, progress.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
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
    Reset(0);
    gMap.declaredLevelCount = 0;
    gMapLoad = {nullptr, 0};
  }
  void TearDown() override {
    gMapLoad = {nullptr, DefaultLoadPacingMs};
    ScriptDialogs(false);
  }
  static void Reset(int faceCounter) {
    ClearGrid(*gMap.store);
    gMap.levelCount = 0;
    gMap.faceCounter = faceCounter;
  }

  // Faces of a level's tiles in reading order (layer, row, column), layers 0..12.
  static std::vector<int> Faces(int level) {
    std::vector<int> faces;
    for (auto& layer : gMap.store->level[level].cell)
      for (auto& row : layer)
        for (int32_t cell : row)
          if (cell != 0) faces.push_back(cell);
    return faces;
  }
  static int TilesOnLayer(int level, int layer) {
    int tiles = 0;
    for (auto& row : gMap.store->level[level].cell[layer])
      for (int32_t cell : row) tiles += cell > 0;
    return tiles;
  }
  void Load(const std::vector<std::string>& levels, int declared) {
    WriteBytes(dir.File("map.xml"), MapFileText(levels, declared));
    LoadMapFile(dir.File("map.xml"));
  }

  ScratchDir dir;
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

TEST_F(GameMapTest, CounterCarriesAcrossLevelsAndMaps) {
  Load({"1$" + LayerWithTiles(20), "1$" + LayerWithTiles(20)}, 2);
  EXPECT_EQ(Faces(2).front(), 3);   // the first level left the counter at 2
  Load({"1$" + LayerWithTiles(20)}, 1);
  EXPECT_EQ(Faces(1).front(), 1);   // the second level left it at 4, the range is 1..4
  Load({"1$" + LayerWithTiles(20)}, 1);
  EXPECT_EQ(Faces(1).front(), 3);
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
  EXPECT_EQ(TilesOnLayer(1, 3) + TilesOnLayer(1, 4) + TilesOnLayer(2, 2), 0);
  EXPECT_EQ(gMap.arrangementType[2], 0);
}

TEST_F(GameMapTest, NestedAndCapitalisedLevelElementsAreLevels) {
  WriteBytes(dir.File("n.xml"), "<Map><E>2</E><g><O>1$" + LayerWithTiles(2) + "</O></g><o>3$</o></Map>");
  LoadMapFile(dir.File("n.xml"));
  EXPECT_EQ(gMap.declaredLevelCount, 2);
  EXPECT_EQ(gMap.levelCount, 2);
  EXPECT_EQ(gMap.arrangementType[1], 1);
  EXPECT_EQ(gMap.arrangementType[2], 3);
}

TEST_F(GameMapTest, CommentBetweenLevelsShowsAMessageAndBothLevelsLoad) {
  WriteBytes(dir.File("c.xml"), "<!-- before --><a><o>1$</o><!-- inside --><o>2$</o></a>");
  LoadMapFile(dir.File("c.xml"));
  EXPECT_EQ(gMap.levelCount, 2);
  ASSERT_EQ(ShownDialogs().size(), 1u);
  EXPECT_EQ(ShownDialogs()[0].text, MapFileInvalidMessage);
}

TEST_F(GameMapTest, UnreadableFileLeavesNoLevelsAndAClearedStore) {
  Load({"1$" + LayerWithTiles(8)}, 1);
  ASSERT_EQ(gMap.levelCount, 1);
  WriteBytes(dir.File("b.xml"), MapFileText({"1$" + LayerWithTiles(8)}, 1).substr(0, 200));
  LoadMapFile(dir.File("b.xml"));
  EXPECT_EQ(gMap.levelCount, 0);
  EXPECT_EQ(gMap.declaredLevelCount, 0);
  EXPECT_EQ(TilesOnLayer(1, 2), 0);
  ASSERT_EQ(ShownDialogs().size(), 1u);
  EXPECT_EQ(ShownDialogs()[0].text, MapFileMissingMessage);
}

// Maps\Duzuz.xml as a FIFO or a link to a device: the message at once, never a read that blocks
// or grows without end.
TEST_F(GameMapTest, OnlyARegularFileLoads) {
  ASSERT_EQ(mkfifo(dir.File("fifo.xml").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir.File("Duzuz.xml"));
  for (const char* name : {"fifo.xml", "duzuz.XML"}) {
    ScriptDialogs(true);
    LoadMapFile(dir.File(name));
    EXPECT_EQ(gMap.levelCount, 0) << name;
    ASSERT_EQ(ShownDialogs().size(), 1u) << name;
    EXPECT_EQ(ShownDialogs()[0].text, MapFileMissingMessage);
  }
}

TEST_F(GameMapTest, DeclaredCountIsTheNumberValueOfTheCountElement) {
  std::string path = dir.File("count.xml");
  for (auto [xml, value] : {std::pair<const char*, int>{"<a><e>12</e></a>", 12},
                            {"<a><e>7 levels</e></a>", 7}, {"<a><e>x7</e></a>", 0},
                            {"<a><e></e></a>", 0}, {"<a><e>99999999999</e></a>", 2147483647},
                            {"<a><o>1$</o></a>", 0}}) {
    WriteBytes(path, xml);
    LoadMapFile(path);
    EXPECT_EQ(gMap.declaredLevelCount, value) << xml;
  }
}

// Load state the hook sees: calls, level count, a cell of the old map.
int hookCalls, hookLevelCount, hookCell;

TEST_F(GameMapTest, LoadingHookRunsAfterClearingAndBeforeReading) {
  Load({"1$" + LayerWithTiles(6)}, 1);
  hookCalls = 0;
  gMapLoad.loadingBegins = [] {
    ++hookCalls;
    hookLevelCount = gMap.levelCount;
    hookCell = gMap.store->level[1].cell[2][1][1];
  };
  Load({"1$" + LayerWithTiles(6), "1$"}, 2);
  EXPECT_EQ(hookCalls, 1);
  EXPECT_EQ(hookLevelCount, 0);
  EXPECT_EQ(hookCell, 0);
  LoadMapFile(dir.File("missing.xml"));
  EXPECT_EQ(hookCalls, 2);
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
