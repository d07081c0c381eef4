// Editing: new levels and layers with their extents, the lists, the layer keys, the limits,
// painting with both buttons and dragging.
#include <string>

#include "editor/drawing.h"
#include "editor/editing.h"
#include "editor_support.h"
#include "mapdata/geometry.h"
#include "platform/picture.h"

namespace {

// A point inside the editor's picture of a cell (a little right of and below its corner).
void PointInCell(int type, int layer, int row, int column, int& x, int& y) {
  ASSERT_TRUE(EditorTilePosition(type, layer, row, column, x, y));
  x += 12;
  y += 12;
}

void DispatchPending() {
  for (Event e = PollEvent(); e.kind != EventNone; e = PollEvent()) HandleEditorEvent(e);
}

}  // namespace

using Editing = EditorTest;

// ---- Levels and layers ------------------------------------------------------------------------

TEST_F(Editing, NewLevelOfEveryTypeShowsAFullFirstLayer) {
  for (int type = 1; type <= 4; ++type) {
    NewLevel(type);
    EXPECT_EQ(gEditor.currentLevel, type);
    EXPECT_EQ(gEditor.currentType, type);
    EXPECT_EQ(gEditor.currentLayer, 1);
    EXPECT_EQ(gEditor.currentLayerCount, 1);
    EXPECT_EQ(gEditorMap.arrangementType[type], type);
    EXPECT_EQ(gEditorMap.layerCount[type], 1);
    DrawLevel();
    StatusTick();
    EXPECT_EQ(gEditor.shownCells, 180);
    EXPECT_EQ(StatusBarFieldText(MainStatusBar, 3), "当前关卡显示了180张麻将牌");
    EXPECT_EQ(StatusBarFieldText(MainStatusBar, 1),
              "当前地图共有" + std::to_string(type) + "关，正在编辑第" + std::to_string(type) + "关。");
    EXPECT_EQ(StatusBarFieldText(MainStatusBar, 2), "当前关卡共有1层，正在编辑第1层。");
  }
  EXPECT_EQ(gEditorMap.levelCount, 4);
  EXPECT_EQ(Items(GadgetLevelList),
            (std::vector<std::string>{"转到第1关", "转到第2关", "转到第3关", "转到第4关"}));
  EXPECT_EQ(GadgetState(GadgetLevelList), 3);
  EXPECT_EQ(Items(GadgetLayerList), std::vector<std::string>{"编辑第1层"});
  EXPECT_EQ(gEditor.saved, 1) << "new levels are no painted change";
}

TEST_F(Editing, NewLayersFillOnlyTheirExtent) {
  NewLevel(2);
  NewLayer();
  EXPECT_EQ(CountLayer(2), 9 * 19);
  for (int r = 1; r <= 9; ++r) {
    EXPECT_EQ(Cell(2, r, 20), 0);
    EXPECT_EQ(Cell(2, r, 19), 2) << "a shown cell holds its layer number";
  }

  NewLevel(4);
  NewLayer();
  NewLayer();
  EXPECT_EQ(CountLayer(3), 7 * 18);
  EXPECT_EQ(Cell(3, 7, 18), 3);
  EXPECT_EQ(Cell(3, 8, 18), 0);
  EXPECT_EQ(Cell(3, 7, 19), 0);
  EXPECT_EQ(gEditor.currentLayer, 3);
  EXPECT_EQ(Items(GadgetLayerList),
            (std::vector<std::string>{"编辑第1层", "编辑第2层", "编辑第3层"}));
  EXPECT_EQ(GadgetState(GadgetLayerList), 2);
  DrawLevel();
  EXPECT_EQ(gEditor.shownCells, 180 + 8 * 19 + 7 * 18);
}

TEST_F(Editing, NewLayerWithoutALevelSaysSo) {
  NewLayerCommand();
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"先建立关后再建立层"});
  EXPECT_EQ(ShownDialogs()[0].title, "提示");
  EXPECT_EQ(gEditorMap.layerCount[0], 0);
  EXPECT_EQ(gEditorMap.layerCount[1], 0);
}

TEST_F(Editing, TheNinthLayerIsTheLast) {
  NewLevel(1);
  for (int i = 0; i < 8; ++i) NewLayerCommand();
  EXPECT_EQ(gEditor.currentLayerCount, 9);
  EXPECT_TRUE(ShownDialogs().empty());
  ActivateWindow(EditorWindow);
  SimulateKeyPress(EditorWindow, 'N', ModAlt);
  DispatchPending();
  NewLayerCommand();
  ASSERT_EQ(ShownDialogs().size(), 2u);
  for (const ShownDialog& d : ShownDialogs()) {
    EXPECT_EQ(d.title, "");
    EXPECT_EQ(d.text, "每关最多只能建立9层");
  }
  EXPECT_EQ(gEditorMap.layerCount[1], 9);
  EXPECT_EQ(CountGadgetItems(GadgetLayerList), 9);
  EXPECT_EQ(Cell(10, 1, 1), 0);
}

TEST_F(Editing, ThreeHundredLevelsIgnoreAFurtherOneSilently) {
  for (int i = 0; i < 301; ++i) NewLevel(1 + i % 4);
  EXPECT_EQ(gEditorMap.levelCount, 300);
  EXPECT_EQ(CountGadgetItems(GadgetLevelList), 300);
  EXPECT_EQ(gEditor.currentLevel, 300);
  EXPECT_TRUE(ShownDialogs().empty());
}

TEST_F(Editing, GoToLevelTakesTheTopLayerAndRefillsTheLayerList) {
  NewLevel(3);
  NewLayer();
  NewLayer();
  NewLevel(1);
  GoToLevel(1);
  EXPECT_EQ(gEditor.currentLevel, 1);
  EXPECT_EQ(gEditor.currentType, 3);
  EXPECT_EQ(gEditor.currentLayer, 3);
  EXPECT_EQ(gEditor.currentLayerCount, 3);
  EXPECT_EQ(GadgetState(GadgetLevelList), 0);
  EXPECT_EQ(CountGadgetItems(GadgetLayerList), 3);
  EXPECT_EQ(GadgetState(GadgetLayerList), 2);

  SimulateGadgetChange(GadgetLevelList, 1);
  DispatchPending();
  EXPECT_EQ(gEditor.currentLevel, 2);
  EXPECT_EQ(CountGadgetItems(GadgetLayerList), 1);
  SimulateGadgetChange(GadgetLevelList, 0);
  DispatchPending();
  SimulateGadgetChange(GadgetLayerList, 0);
  DispatchPending();
  EXPECT_EQ(gEditor.currentLevel, 1);
  EXPECT_EQ(gEditor.currentLayer, 1);
}

TEST_F(Editing, LayerKeysChooseOnlyExistingLayers) {
  NewLevel(1);
  NewLayer();
  NewLayer();
  ActivateWindow(EditorWindow);
  SimulateKeyPress(EditorWindow, '5', 0);
  DispatchPending();
  EXPECT_EQ(gEditor.currentLayer, 3);
  EXPECT_EQ(GadgetState(GadgetLayerList), 2);
  SimulateKeyPress(EditorWindow, '2', 0);
  DispatchPending();
  EXPECT_EQ(gEditor.currentLayer, 2);
  EXPECT_EQ(GadgetState(GadgetLayerList), 1);
}

TEST_F(Editing, CtrlDigitsMakeLevelsAndTheNewLevelWindowOffersTheFourTypes) {
  ActivateWindow(EditorWindow);
  SimulateKeyPress(EditorWindow, '4', ModCtrl);
  SimulateKeyPress(EditorWindow, '2', ModCtrl);
  DispatchPending();
  EXPECT_EQ(gEditorMap.levelCount, 2);
  EXPECT_EQ(gEditorMap.arrangementType[1], 4);
  EXPECT_EQ(gEditorMap.arrangementType[2], 2);

  gEditor.dragging = true;
  SimulateKeyPress(EditorWindow, 'N', ModCtrl);
  DispatchPending();
  ASSERT_TRUE(IsWindowOpen(NewLevelWindow));
  EXPECT_FALSE(gEditor.dragging);
  EXPECT_EQ(WindowTitle(NewLevelWindow), "新建立关");
  const int expected[4][2] = {{0, 0}, {250, 0}, {0, 150}, {250, 150}};
  for (int t = 0; t < 4; ++t) {
    EXPECT_EQ(GadgetX(GadgetTypePicture1 + t), expected[t][0]);
    EXPECT_EQ(GadgetY(GadgetTypePicture1 + t), expected[t][1]);
    EXPECT_EQ(GadgetWidth(GadgetTypePicture1 + t), 250);
    EXPECT_EQ(GadgetHeight(GadgetTypePicture1 + t), 150);
  }
  SimulateGadgetChange(GadgetTypePicture1 + 2, 0);
  DispatchPending();
  EXPECT_FALSE(IsWindowOpen(NewLevelWindow));
  EXPECT_EQ(gEditorMap.levelCount, 3);
  EXPECT_EQ(gEditorMap.arrangementType[3], 3);
}

// ---- Painting ---------------------------------------------------------------------------------

TEST_F(Editing, CellAtTheEdgeOfTheFirstColumn) {
  NewLevel(1);
  PressLeftButton(65, 75);
  ReleaseButton();
  EXPECT_EQ(CountLayer(1), 180);
  EXPECT_EQ(gEditor.saved, 1);
  PressLeftButton(66, 75);
  ReleaseButton();
  EXPECT_EQ(Cell(1, 1, 1), 0);
  EXPECT_EQ(CountLayer(1), 179);
  EXPECT_EQ(gEditor.saved, 0);
}

TEST_F(Editing, PaintingMarksAChangeEvenWhenTheCellStaysTheSame) {
  NewLevel(1);
  int x, y;
  PointInCell(1, 1, 2, 2, x, y);
  PressRightButton(x, y);
  EXPECT_EQ(Cell(1, 2, 2), 1);
  EXPECT_EQ(gEditor.saved, 0);
}

TEST_F(Editing, CellsOutsideTheExtentAreDrawnButNotPainted) {
  NewLevel(2);
  NewLayer();
  gEditorMap.grid->level[1].cell[2][1][20] = 2;   // as a hand-made file can hold it
  int x, y;
  ASSERT_TRUE(EditorTilePosition(2, 2, 1, 20, x, y));
  StartDrawLog();
  DrawLevel();
  StopDrawLog();
  bool drawn = false;
  for (const DrawRecord& r : DrawLog()) {
    drawn = drawn || (r.kind == DrawnSprite && r.number == SpriteFaceBase + 2 && r.x == x && r.y == y);
  }
  EXPECT_TRUE(drawn);
  EXPECT_EQ(gEditor.shownCells, 180 + 9 * 19 + 1);
  PressLeftButton(x + 12, y + 12);
  ReleaseButton();
  EXPECT_EQ(Cell(2, 1, 20), 2);
  EXPECT_EQ(gEditor.saved, 1);
}

TEST_F(Editing, RightDragShowsCellsOfTheCurrentLayerOnly) {
  NewLevel(1);
  NewLayer();
  int x, y;
  PointInCell(1, 2, 1, 1, x, y);
  PressLeftButton(x, y);
  for (int c = 2; c <= 20; ++c) {
    PointInCell(1, 2, 1, c, x, y);
    MovePointerTo(x, y);
  }
  ReleaseButton();
  EXPECT_EQ(CountLayer(2), 180 - 20);
  PointInCell(1, 2, 1, 20, x, y);
  MovePointerTo(x + 20, y);
  EXPECT_EQ(CountLayer(2), 160) << "moving without a button paints nothing";

  PointInCell(1, 2, 1, 3, x, y);
  PressRightButton(x, y);
  for (int c = 4; c <= 8; ++c) {
    PointInCell(1, 2, 1, c, x, y);
    MovePointerTo(x, y);
  }
  ReleaseButton();
  EXPECT_EQ(CountLayer(2), 160 + 6);
  for (int c = 3; c <= 8; ++c) EXPECT_EQ(Cell(2, 1, c), 2);
  EXPECT_EQ(CountLayer(1), 180);
}

TEST_F(Editing, PressesInTheControlsRowFollowTheirOwnLimits) {
  NewLevel(1);
  PressLeftButton(600, 597);
  EXPECT_FALSE(gEditor.dragging);
  PressLeftButton(600, 594);
  EXPECT_TRUE(gEditor.dragging);
  ReleaseButton();
  PressRightButton(600, 600);
  EXPECT_FALSE(gEditor.dragging);
  gEditorMap.grid->level[1].cell[1][9][5] = 0;
  PressRightButton(600, 597);
  EXPECT_TRUE(gEditor.dragging);
  int x, y;
  PointInCell(1, 1, 9, 5, x, y);
  MovePointerTo(x, y);
  EXPECT_EQ(Cell(1, 9, 5), 1);
}

TEST_F(Editing, LeavingTheWindowStopsTheDrag) {
  NewLevel(1);
  int x, y;
  PointInCell(1, 1, 5, 5, x, y);
  MovePointer(EditorWindow, x, y);
  PressLeftButton(x, y);
  EXPECT_EQ(Cell(1, 5, 5), 0);
  MovePointer(EditorWindow, -40, -40);
  FrameTick();
  EXPECT_FALSE(gEditor.dragging);
  PointInCell(1, 1, 5, 6, x, y);
  MovePointer(EditorWindow, x, y);
  MovePointerTo(x, y);
  EXPECT_EQ(Cell(1, 5, 6), 1);
}

TEST_F(Editing, EveryControlEventEndsTheDrag) {
  NewLevel(1);
  gEditor.dragging = true;
  SimulateGadgetChange(GadgetLayerList, 0);
  DispatchPending();
  EXPECT_FALSE(gEditor.dragging);
}

TEST_F(Editing, ALevelOfAnUnknownTypeCannotBePainted) {
  NewLevel(1);
  gEditorMap.arrangementType[1] = 7;
  GoToLevel(1);
  for (int y = 0; y < 570; y += 20) {
    for (int x = 0; x < 930; x += 20) {
      PressLeftButton(x, y);
      ReleaseButton();
    }
  }
  EXPECT_EQ(CountLayer(1), 180);
}
