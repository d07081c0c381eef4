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
  }
  void TearDown() override { ScriptDialogs(false); }

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

// The levels of a map read, filled into an editor table as the editor does.
void FillLevels(const MapFile& map, EditorMap& table) {
  for (const std::string& level : map.levels) {
    if (table.levelCount < MaxLevels) FillEditorLevel(table, ++table.levelCount, level);
  }
}

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
  const MapFile back = ReadText(ReadBytes(path));
  ASSERT_EQ(back.result, MapReadWhole);
  EXPECT_EQ(back.strayNodes, 0);
  FillLevels(back, copy);
  EXPECT_EQ(back.info.author, info.author);
  EXPECT_EQ(back.info.contact, info.contact);
  EXPECT_EQ(back.info.introduction, info.introduction);
  EXPECT_EQ(back.info.password, info.password);
  EXPECT_EQ(back.declaredLevelCount, 4);
  ASSERT_EQ(copy.levelCount, 4);
  for (int level = 1; level <= 4; ++level) {
    EXPECT_EQ(copy.arrangementType[level], gEditorMap.arrangementType[level]);
    EXPECT_EQ(copy.layerCount[level], gEditorMap.layerCount[level]);
  }
  EXPECT_EQ(std::memcmp(copy.grid, gEditorMap.grid, sizeof(CellGrid)), 0);
  FreeGrid(copy.grid);

  // The game places the same levels: shown cells become tiles one layer index higher.
  ClearMapStore();
  for (const std::string& level : back.levels) PlaceLevel(level);
  ASSERT_EQ(gMap.levelCount, 4);
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
