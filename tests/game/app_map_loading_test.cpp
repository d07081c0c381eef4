// The game's loading of a map file: the store cleared, the hook, a pump before each level, the
// messages, the limits.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/app/map_loading.h"
#include "mapdata/level_model.h"
#include "mapdata/map_files.h"
#include "mapdata/map_reader.h"
#include "mapdata/message_titles.h"
#include "platform/dialog.h"
#include "platform/window.h"
#include "tests/support/map_store_cells.h"

namespace {

class MapLoadingTest : public testing::Test {
 protected:
  void SetUp() override {
    ScriptDialogs(true);
    saved_ = gMapLoad;
    gMapLoad = {nullptr, 0};
    ClearMapStore();
    gMap.faceCounter = 0;
  }
  void TearDown() override {
    gMapLoad = saved_;
    ScriptDialogs(false);
  }

  static std::vector<int> Faces(int level) { return StoredFaces(level); }
  static int TilesOnLayer(int level, int layer) { return StoredTilesOnLayer(level, layer); }
  void Load(const std::vector<std::string>& levels, int declared) {
    WriteBytes(dir.File("map.xml"), MapFileText(levels, declared));
    LoadMapFile(dir.File("map.xml"));
  }

  ScratchDir dir;
  MapLoadSettings saved_;
};

TEST_F(MapLoadingTest, CounterCarriesAcrossLevelsAndMaps) {
  Load({"1$" + LayerWithTiles(20), "1$" + LayerWithTiles(20)}, 2);
  EXPECT_EQ(Faces(2).front(), 3);   // the first level left the counter at 2
  Load({"1$" + LayerWithTiles(20)}, 1);
  EXPECT_EQ(Faces(1).front(), 1);   // the second level left it at 4, the range is 1..4
  Load({"1$" + LayerWithTiles(20)}, 1);
  EXPECT_EQ(Faces(1).front(), 3);
}


TEST_F(MapLoadingTest, LevelsBeyondThreeHundredAreIgnored) {
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


TEST_F(MapLoadingTest, MapBAfterMapALeavesNoneOfAsTiles) {
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

TEST_F(MapLoadingTest, NestedAndCapitalisedLevelElementsAreLevels) {
  WriteBytes(dir.File("n.xml"), "<Map><E>2</E><g><O>1$" + LayerWithTiles(2) + "</O></g><o>3$</o></Map>");
  LoadMapFile(dir.File("n.xml"));
  EXPECT_EQ(gMap.declaredLevelCount, 2);
  EXPECT_EQ(gMap.levelCount, 2);
  EXPECT_EQ(gMap.arrangementType[1], 1);
  EXPECT_EQ(gMap.arrangementType[2], 3);
}

// Messages shown by the time of each pump of the loader.
std::vector<size_t> messagesAtPump;

TEST_F(MapLoadingTest, EachStrayNodeShowsAMessageAtItsPlaceAndTheLevelsLoad) {
  messagesAtPump.clear();
  SetEventHandler([](const Event&) { messagesAtPump.push_back(ShownDialogs().size()); });
  for (int i = 0; i < 3; ++i) PostEvent(Event{EventMouseMove, 0, i});
  gMapLoad.pacingMs = 1;
  WriteBytes(dir.File("c.xml"),
             "<!-- before --><a><o>1$</o><!-- inside --><?pi x?><o>2$</o><![CDATA[x]]></a>");
  LoadMapFile(dir.File("c.xml"));
  while (PollEvent().kind != EventNone) {
  }
  SetEventHandler(nullptr);
  EXPECT_EQ(gMap.levelCount, 2);
  EXPECT_EQ(messagesAtPump, (std::vector<size_t>{0, 2}));
  ASSERT_EQ(ShownDialogs().size(), 3u);
  for (const ShownDialog& shown : ShownDialogs()) {
    EXPECT_EQ(shown.title, MessageTitle);
    EXPECT_EQ(shown.text, MapFileInvalidMessage);
  }
}

TEST_F(MapLoadingTest, FileThatDoesNotReadLeavesNoLevelsAndAClearedStore) {
  const std::pair<std::string, const char*> cases[] = {
      {MapFileText({"1$" + LayerWithTiles(8)}, 1).substr(0, 200), MapFileMissingMessage},
      {"<?xml version=\"1.0\"?><!-- no root -->", MapFileInvalidMessage},
  };
  for (const auto& [bytes, message] : cases) {
    ScriptDialogs(true);
    Load({"1$" + LayerWithTiles(8)}, 1);
    ASSERT_EQ(gMap.levelCount, 1);
    WriteBytes(dir.File("b.xml"), bytes);
    LoadMapFile(dir.File("b.xml"));
    EXPECT_EQ(gMap.levelCount, 0) << message;
    EXPECT_EQ(gMap.declaredLevelCount, 0) << message;
    EXPECT_EQ(TilesOnLayer(1, 2), 0) << message;
    ASSERT_EQ(ShownDialogs().size(), 1u) << message;
    EXPECT_EQ(ShownDialogs()[0].title, MessageTitle);
    EXPECT_EQ(ShownDialogs()[0].text, message);
  }
}

// Maps\Duzuz.xml as a FIFO or a link to a device: the message at once, never a read that blocks
// or grows without end. A missing file, a directory and a file above the size limit likewise.
TEST_F(MapLoadingTest, OnlyARegularFileLoads) {
  ASSERT_EQ(mkfifo(dir.File("fifo.xml").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir.File("Duzuz.xml"));
  WriteBytes(dir.File("huge.xml"), "<a>");
  ASSERT_EQ(truncate(dir.File("huge.xml").c_str(), 65 << 20), 0);   // sparse: nothing is written
  std::filesystem::create_directory(dir.File("folder.xml"));
  for (const char* name : {"fifo.xml", "duzuz.XML", "huge.xml", "folder.xml", "none.xml"}) {
    ScriptDialogs(true);
    Load({"1$" + LayerWithTiles(2)}, 1);
    LoadMapFile(dir.File(name));
    EXPECT_EQ(gMap.levelCount, 0) << name;
    EXPECT_EQ(TilesOnLayer(1, 2), 0) << name;
    ASSERT_EQ(ShownDialogs().size(), 1u) << name;
    EXPECT_EQ(ShownDialogs()[0].title, MessageTitle);
    EXPECT_EQ(ShownDialogs()[0].text, MapFileMissingMessage);
  }
}

TEST_F(MapLoadingTest, DeclaredCountIsTheNumberValueOfTheCountElement) {
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

TEST_F(MapLoadingTest, LoadingHookRunsAfterClearingAndBeforeReading) {
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

TEST_F(MapLoadingTest, OneMessageIsLetThroughBeforeEachLevel) {
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

}  // namespace
