// Maps made in the editor read back the same: in the game's loader (layer k at index k + 1)
// and in the editor itself, information texts included.
#include <string>

#include "editor/editing.h"
#include "editor/map_files.h"
#include "game/app/map_loading.h"
#include "editor_support.h"
#include "mapdata/geometry.h"

namespace {

struct LevelShape {
  int type;
  int layers;
};

// Paints a recognisable pattern: every third cell of the current layer hidden, by the mouse.
void ThinOutCurrentLayer() {
  int rows, columns;
  LayerExtent(gEditor.currentType, gEditor.currentLayer, rows, columns);
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= columns; ++c) {
      if ((r * 7 + c * gEditor.currentLayer) % 3 != 0) continue;
      int x, y;
      ASSERT_TRUE(EditorTilePosition(gEditor.currentType, gEditor.currentLayer, r, c, x, y));
      PressLeftButton(x + 20, y + 20);
      ReleaseButton();
    }
  }
}

}  // namespace

using RoundTrip = EditorTest;

TEST_F(RoundTrip, TheGameLoaderSeesTheSameShownCells) {
  const LevelShape shapes[] = {{1, 3}, {2, 2}, {3, 4}, {4, 9}, {2, 1}};
  for (const LevelShape& s : shapes) {
    NewLevel(s.type);
    ThinOutCurrentLayer();
    for (int k = 2; k <= s.layers; ++k) {
      NewLayer();
      ThinOutCurrentLayer();
    }
  }
  gEditor.info = MapInfo{"A & B <作者>", "联系 > 1", "第一行\n第二行 & <x>", "密码&"};
  ASSERT_TRUE(SaveToFile(File("trip")));

  CreateMapStore();
  gMapLoad.pacingMs = 0;
  gMapLoad.loadingBegins = nullptr;
  LoadMapFile(File("trip.xml"));
  ASSERT_TRUE(ShownDialogs().size() == 1u) << "only the saved message, no read error";
  ASSERT_EQ(gMap.levelCount, 5);
  EXPECT_EQ(gMap.declaredLevelCount, 5);
  for (int level = 1; level <= 5; ++level) {
    EXPECT_EQ(gMap.arrangementType[level], shapes[level - 1].type);
    const LevelCells& game = gMap.store->level[level];
    const LevelCells& editor = gEditorMap.grid->level[level];
    for (int c = 0; c < 23; ++c) EXPECT_EQ(game.cell[1][5][c], 0);
    for (int layer = 1; layer <= 9; ++layer) {
      for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 20; ++c) {
          ASSERT_EQ(game.cell[layer + 1][r][c] > 0, editor.cell[layer][r][c] > 0)
              << "level " << level << " layer " << layer << " row " << r << " column " << c;
        }
      }
    }
  }

  static CellGrid saved;   // 4.6 MB, off the stack
  saved = *gEditorMap.grid;
  const MapInfo info = gEditor.info;
  QueueDialogAnswer("密码&");
  OpenMap(File("trip.xml"));
  ASSERT_EQ(gEditorMap.levelCount, 5);
  EXPECT_EQ(gEditor.info.author, info.author);
  EXPECT_EQ(gEditor.info.contact, info.contact);
  EXPECT_EQ(gEditor.info.introduction, info.introduction);
  EXPECT_EQ(gEditor.info.password, info.password);
  for (int level = 1; level <= 5; ++level) {
    EXPECT_EQ(gEditorMap.layerCount[level], shapes[level - 1].layers);
    EXPECT_EQ(gEditorMap.arrangementType[level], shapes[level - 1].type);
    for (int layer = 1; layer <= 9; ++layer)
      for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 20; ++c)
          ASSERT_EQ(gEditorMap.grid->level[level].cell[layer][r][c], saved.level[level].cell[layer][r][c]);
  }
}
