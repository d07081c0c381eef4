// The recorded play-through of the editor: new levels and layers, painting with both buttons,
// the level and layer lists, the even check, saving with its paced progress, opening (with an
// edit password) and the close question, all compared with editor.golden.
#include <fstream>
#include <string>

#include "editor/editor_state.h"
#include "editor/main_loop.h"
#include "mapdata/geometry.h"
#include "mapdata/level_model.h"
#include "platform/dialog.h"
#include "platform/gadget.h"
#include "platform/random.h"
#include "platform/window.h"
#include "tests/playthrough/playthrough_support.h"

namespace {


using playthrough::Step;

void Deliver() { playthrough::DeliverEvents(HandleEditorEvent); }
void Ticks(int count) { playthrough::AdvanceTicks(HandleEditorEvent, count); }

void Pointer(EventKind kind, int x, int y) {
  SimulatePointerEvent(EditorWindow, kind, x, y);
  Deliver();
}

void Press(int gadget, int state = 0) {
  SimulateGadgetChange(gadget, state);
  Deliver();
}

void Key(int key, int modifiers) { playthrough::PressKey(HandleEditorEvent, EditorWindow, key, modifiers); }

// A point of the drawing area on the cell of the current layer.
void CellPoint(int row, int column, int& x, int& y) {
  EditorTilePosition(gEditor.currentType, gEditor.currentLayer, row, column, x, y);
  x += 20;
  y += 27;
  int r = -1, c = -1;
  ASSERT_TRUE(CellAt(gEditor.currentType, gEditor.currentLayer, x, y, r, c))
      << "level " << gEditor.currentLevel << " type " << gEditor.currentType << " layer "
      << gEditor.currentLayer << " cell " << row << "," << column;
  ASSERT_EQ(r, row);
  ASSERT_EQ(c, column);
}

// Presses a button on one cell, drags along the row to another and lets go.
void PaintRow(bool showing, int row, int fromColumn, int toColumn) {
  int x = 0, y = 0;
  CellPoint(row, fromColumn, x, y);
  Pointer(EventMouseMove, x, y);
  Pointer(showing ? EventRightButtonDown : EventLeftButtonDown, x, y);
  Ticks(1);
  for (int column = fromColumn + 1; column <= toColumn; ++column) {
    CellPoint(row, column, x, y);
    Pointer(EventMouseMove, x, y);
    Ticks(1);
  }
  Pointer(showing ? EventRightButtonUp : EventLeftButtonUp, x, y);
  Ticks(2);
}

int ShownCells(int level) {
  int count = 0;
  const LevelCells& cells = gEditorMap.grid->level[level];
  for (int layer = 1; layer <= EditorMaxLayers; ++layer)
    for (int row = 1; row <= BoardRows; ++row)
      for (int column = 1; column <= BoardColumns; ++column)
        count += cells.cell[layer][row][column] != 0;
  return count;
}

TEST(EditorPlaythrough, MatchesTheGoldenRecord) {
  const std::string app = playthrough::MakeScratchAppDirectory("kestrand-playthrough");
  ASSERT_EQ(chdir(app.c_str()), 0);
  SeedRandom(20261209);
  ScriptDialogs(true);
  UseVirtualTime(true);
  StartCallJournal();
  SetEventHandler(HandleEditorEvent);

  Step("start");
  ASSERT_TRUE(StartEditor());
  ActivateWindow(EditorWindow);
  Pointer(EventMouseMove, 400, 300);
  Ticks(45);

  Step("new level and layers");
  Press(GadgetNewLevel);
  Ticks(3);
  ASSERT_TRUE(IsWindowOpen(NewLevelWindow));
  Press(GadgetTypePicture1 + 1);   // type 2
  Ticks(25);
  Press(GadgetNewLayer);
  Ticks(5);
  Key('N', ModAlt);   // a third layer
  Ticks(25);

  Step("painting");
  PaintRow(false, 4, 3, 9);
  PaintRow(false, 5, 3, 9);
  PaintRow(true, 4, 5, 6);
  Key('1', 0);
  Ticks(5);
  PaintRow(false, 9, 1, 4);
  Pointer(EventMouseMove, 400, 610);   // below the drawing area
  Ticks(25);

  Step("level and layer lists");
  Key('4', ModCtrl);   // a level of type 4
  Ticks(25);
  PaintRow(false, 2, 2, 3);
  Press(GadgetLevelList, 0);
  Ticks(25);
  Press(GadgetLayerList, 1);
  Ticks(25);
  Key('3', 0);
  Ticks(5);
  Key('9', 0);   // no such layer
  Ticks(25);

  Step("even check");
  Press(GadgetSaveMap);
  Ticks(25);
  for (int level = 1; level <= gEditorMap.levelCount; ++level) {
    if (ShownCells(level) % 2 == 0) continue;
    Press(GadgetLevelList, level - 1);
    Key('1', 0);
    PaintRow(false, 8, 10, 10);
  }
  ASSERT_EQ(ShownCells(1) % 2, 0);
  ASSERT_EQ(ShownCells(2) % 2, 0);

  Step("save");
  Press(GadgetSaveMap);
  Ticks(3);
  ASSERT_TRUE(IsWindowOpen(SaveWindow));
  SetGadgetText(GadgetAuthor, "Tester");
  SetGadgetText(GadgetIntroduction, "Two levels.\nSecond line.");
  QueueDialogAnswer(app + "/Mine");
  Press(GadgetSaveButton);
  Ticks(25);
  PostEvent({EventCloseWindow, SaveWindow, 0});
  Deliver();
  Ticks(3);

  Step("open");
  QueueDialogAnswer(app + "/Mine.xml");
  Press(GadgetOpenMap);
  Ticks(30);
  ASSERT_EQ(gEditorMap.levelCount, 2);
  {
    std::ofstream locked(app + "/Locked.xml", std::ios::binary);
    locked << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a>\r\n<b>A</b>\r\n<c></c>\r\n"
              "<d></d>\r\n<e>1</e>\r\n<f>pw</f>\r\n<o>1$";
    for (int row = 1; row <= BoardRows; ++row) {
      for (int column = 1; column <= BoardColumns; ++column)
        locked << (row <= 2 && column <= 2 ? "1," : "0,");
      locked << "|";
    }
    locked << "$</o>\r\n</a>";
  }
  QueueDialogAnswer(app + "/Locked.xml");
  QueueDialogAnswer("wrong");
  QueueDialogAnswer("yes");
  QueueDialogAnswer("pw");
  Press(GadgetOpenMap);
  Ticks(30);
  QueueDialogAnswer(app + "/Locked.xml");
  QueueDialogAnswer("wrong");
  QueueDialogAnswer("no");
  Press(GadgetOpenMap);   // refused: the map being edited stays
  Ticks(30);
  QueueDialogAnswer(app + "/Missing.xml");
  Press(GadgetOpenMap);
  Ticks(10);
  QueueDialogAnswer(app + "/Mine.xml");
  Press(GadgetOpenMap);
  Ticks(10);

  Step("close question");
  Press(GadgetLevelList, 0);
  PaintRow(false, 1, 1, 2);
  QueueDialogAnswer("");
  PostEvent({EventCloseWindow, EditorWindow, 0});
  Deliver();
  Ticks(3);
  ASSERT_FALSE(gEditor.quit);
  QueueDialogAnswer("no");
  PostEvent({EventCloseWindow, EditorWindow, 0});
  Deliver();
  ASSERT_TRUE(gEditor.quit);

  StopCallJournal();
  UseVirtualTime(false);
  playthrough::ExpectJournalMatchesGolden("editor.golden", app);
  ASSERT_EQ(chdir(PELMORA_APP_DIR), 0);
  playthrough::fs::remove_all(app);
}

}  // namespace
