// The map writer: exact bytes and round trips through both readers.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "map_files.h"
#include "mapdata/level_model.h"
#include "mapdata/map_writer.h"
#include "platform/dialog.h"
#include "platform/files.h"

namespace {

class MapWriterTest : public testing::Test {
 protected:
  void SetUp() override {
    ScriptDialogs(true);
    CreateEditorGrid();
    ClearEditorMap(gEditorMap);
    gMapLoad = {nullptr, 0};
  }
  void TearDown() override {
    gMapLoad = {nullptr, DefaultLoadPacingMs};
    ScriptDialogs(false);
  }

  // Adds a level with the given type and layer count; the caller shows cells.
  static int AddLevel(int type, int layers) {
    int level = ++gEditorMap.levelCount;
    gEditorMap.arrangementType[level] = type;
    gEditorMap.layerCount[level] = layers;
    return level;
  }
  static void Show(int level, int layer, int row, int column) {
    gEditorMap.grid->level[level].cell[layer][row][column] = layer;
  }

  ScratchDir dir;
};

// What an editor-style reader takes from a file.
struct ReadBack {
  MapInfo info;
  int declared = -1;
  EditorMap* map;
};

WalkStep ReadBackElement(void* user, const std::string& name, const std::string& text) {
  ReadBack& r = *static_cast<ReadBack*>(user);
  if (name == "b") r.info.author = text;
  if (name == "c") r.info.contact = text;
  if (name == "d") r.info.introduction = text;
  if (name == "f") r.info.password = text;
  if (name == "e") r.declared = std::stoi(text);
  if (name == "o" && r.map->levelCount < MaxLevels) {
    FillEditorLevel(*r.map, ++r.map->levelCount, text);
  }
  return WalkOn;
}

// ---- Exact bytes ---------------------------------------------------------------------------

TEST_F(MapWriterTest, SmallMapHasTheExactLayout) {
  int one = AddLevel(1, 1);
  Show(one, 1, 1, 1);
  Show(one, 1, 1, 2);
  int two = AddLevel(2, 2);
  Show(two, 1, 9, 20);
  Show(two, 2, 5, 3);
  MapInfo info{"A&B", "<mail>", "第一行\n第二行\r\n三\r四", "pw"};

  std::string empty = RowText();
  std::string level1 = "1$" + RowText({1, 2});
  for (int r = 2; r <= 9; ++r) level1 += empty;
  level1 += "$";
  std::string level2 = "2$";
  for (int r = 1; r <= 8; ++r) level2 += empty;
  level2 += RowText({20}) + "$";
  for (int r = 1; r <= 4; ++r) level2 += empty;
  level2 += RowText({3});
  for (int r = 6; r <= 9; ++r) level2 += empty;
  level2 += "$";
  std::string expected =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
      "<a>\r\n"
      "<b>A&amp;B</b>\r\n"
      "<c>&lt;mail&gt;</c>\r\n"
      "<d>第一行\r\n第二行\r\n三\r\n四</d>\r\n"
      "<e>2</e>\r\n"
      "<f>pw</f>\r\n"
      "<o>" + level1 + "</o>\r\n"
      "<o>" + level2 + "</o>\r\n"
      "</a>";
  EXPECT_EQ(BuildMapText(info, gEditorMap), expected);
  EXPECT_EQ(level1.size(), 1u + 1u + 370u);
  EXPECT_EQ(level2.size(), 742u);
  EXPECT_EQ(BuildLevelText(gEditorMap, two), level2);
}

TEST_F(MapWriterTest, HiddenCellsAndCellsAboveTheLayerCountAreNotWritten) {
  int level = AddLevel(1, 1);
  gEditorMap.grid->level[level].cell[1][1][1] = -3;   // not above 0: hidden
  gEditorMap.grid->level[level].cell[2][1][1] = 2;    // layer 2 does not exist
  std::string text = BuildLevelText(gEditorMap, level);
  EXPECT_EQ(text.find("1,"), std::string::npos);
  EXPECT_EQ(text.size(), 2u + 370u);
}

TEST_F(MapWriterTest, TextsDropWhatXmlCannotHold) {
  MapInfo info{"a\x01" "b\x1f" "c\td", "\xff" "ok\xc3", "\xed\xa0\x80x", "\xef\xbf\xbe" "y"};
  std::string head = BuildMapHead(info, 0);
  EXPECT_NE(head.find("<b>abc\td</b>"), std::string::npos);
  EXPECT_NE(head.find("<c>ok</c>"), std::string::npos);
  EXPECT_NE(head.find("<d>x</d>"), std::string::npos);
  EXPECT_NE(head.find("<f>y</f>"), std::string::npos);
}

// ---- Round trips ---------------------------------------------------------------------------

TEST_F(MapWriterTest, RoundTripKeepsCellsTypesAndTexts) {
  for (int type = 1; type <= 4; ++type) {
    int level = AddLevel(type, type + 5);
    for (int layer = 1; layer <= type + 5; ++layer) {
      for (int k = 0; k < 3 * layer + type; ++k) Show(level, layer, k % 9 + 1, (k * 7) % 20 + 1);
    }
  }
  MapInfo info{"作者 & <Co>", "qq: 123 > 100", "第一行\n第二行 & <三>\n", "密码&<>"};
  std::string path = dir.File("round.xml");
  ASSERT_TRUE(WriteFileAtomically(path, BuildMapText(info, gEditorMap)));

  static EditorMap copy;
  copy.grid = NewGrid();
  ClearEditorMap(copy);
  ReadBack back{{}, -1, &copy};
  ASSERT_TRUE(ReadMapTree(path, ReadBackElement, &back));
  EXPECT_TRUE(ShownDialogs().empty());
  EXPECT_EQ(back.info.author, info.author);
  EXPECT_EQ(back.info.contact, info.contact);
  EXPECT_EQ(back.info.introduction, info.introduction);
  EXPECT_EQ(back.info.password, info.password);
  EXPECT_EQ(back.declared, 4);
  ASSERT_EQ(copy.levelCount, 4);
  for (int level = 1; level <= 4; ++level) {
    EXPECT_EQ(copy.arrangementType[level], gEditorMap.arrangementType[level]);
    EXPECT_EQ(copy.layerCount[level], gEditorMap.layerCount[level]);
  }
  EXPECT_EQ(std::memcmp(copy.grid, gEditorMap.grid, sizeof(CellGrid)), 0);
  FreeGrid(copy.grid);

  // The game reads the same file: shown cells become tiles one layer index higher.
  LoadMapFile(path);
  ASSERT_EQ(gMap.levelCount, 4);
  EXPECT_EQ(gMap.declaredLevelCount, 4);
  for (int level = 1; level <= 4; ++level) {
    EXPECT_EQ(gMap.arrangementType[level], level);
    for (int layer = 1; layer <= EditorMaxLayers; ++layer)
      for (int row = 1; row <= 9; ++row)
        for (int column = 1; column <= 20; ++column)
          ASSERT_EQ(gMap.store->level[level].cell[layer + 1][row][column] > 0,
                    gEditorMap.grid->level[level].cell[layer][row][column] > 0)
              << level << "/" << layer << "/" << row << "/" << column;
  }
}

}  // namespace
