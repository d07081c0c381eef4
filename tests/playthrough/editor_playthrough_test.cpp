// The recorded play-through of the editor: new levels and layers, painting with both buttons,
// the level and layer lists, the even check, saving with its paced progress, opening (with an
// edit password) and the close question, all compared with editor.golden. The same play-through
// in English shows no Chinese but the map's own texts.
#include <algorithm>
#include <fstream>
#include <string>

#include "editor/editor_state.h"
#include "editor/main_loop.h"
#include "mapdata/geometry.h"
#include "mapdata/level_model.h"
#include "platform/dialog.h"
#include "platform/gadget.h"
#include "platform/picture.h"
#include "platform/profile.h"
#include "platform/random.h"
#include "platform/window.h"
#include "tests/playthrough/playthrough_support.h"
#include "tests/support/cjk_text.h"

namespace {


using playthrough::Step;

// Run after every delivery of events and every stretch of time, while set.
void (*gAfterDriving)() = nullptr;

void Deliver() {
  playthrough::DeliverEvents(HandleEditorEvent);
  if (gAfterDriving) gAfterDriving();
}
void Ticks(int count) {
  playthrough::AdvanceTicks(HandleEditorEvent, count);
  if (gAfterDriving) gAfterDriving();
}

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

// Everything up to start-up, in the scratch directory: a fixed seed, scripted dialogs, virtual
// time and the journal.
void PrepareRun(const std::string& app) {
  ASSERT_EQ(chdir(app.c_str()), 0);
  SeedRandom(20261209);
  ScriptDialogs(true);
  UseVirtualTime(true);
  StartCallJournal();
  SetEventHandler(HandleEditorEvent);
}

// The play-through from start-up to quitting; beforeClosing, when given, runs with the map the
// play-through saved open again, before the close question.
void PlayThrough(const std::string& app, void (*beforeClosing)(const std::string& app)) {
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

  if (beforeClosing) {
    ASSERT_NO_FATAL_FAILURE(beforeClosing(app));
  }

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
}

TEST(EditorPlaythrough, MatchesTheGoldenRecord) {
  if (!playthrough::TakeFreshProcess()) GTEST_SKIP() << "needs a process of its own";
  const std::string app = playthrough::MakeScratchAppDirectory("kestrand-playthrough");
  ASSERT_NO_FATAL_FAILURE(PrepareRun(app));
  ASSERT_NO_FATAL_FAILURE(PlayThrough(app, nullptr));
  StopCallJournal();
  UseVirtualTime(false);
  playthrough::ExpectJournalMatchesGolden("editor.golden", app);
  ASSERT_EQ(chdir(PELMORA_APP_DIR), 0);
  playthrough::fs::remove_all(app);
}

// ---- In English -------------------------------------------------------------------------------

constexpr const char* ChineseAuthor = "李四";
constexpr const char* ChineseIntroduction = "第一张地图";

// What the play-through leaves out: a map whose author wrote Chinese, shown as written in the
// save window, and the layer limit.
void PlayWhatIsLeftOut(const std::string& app) {
  Step("a map in Chinese");
  {
    std::ofstream map(app + "/Chinese.xml", std::ios::binary);
    map << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a>\r\n<b>" << ChineseAuthor
        << "</b>\r\n<c></c>\r\n<d>" << ChineseIntroduction << "</d>\r\n<e>1</e>\r\n<f></f>\r\n<o>1$";
    for (int row = 1; row <= BoardRows; ++row) {
      for (int column = 1; column <= BoardColumns; ++column)
        map << (row == 1 && column <= 2 ? "1," : "0,");
      map << "|";
    }
    map << "$</o>\r\n</a>";
  }
  QueueDialogAnswer(app + "/Chinese.xml");
  Press(GadgetOpenMap);
  Ticks(10);
  Press(GadgetSaveMap);
  Ticks(3);
  ASSERT_TRUE(IsWindowOpen(SaveWindow));
  EXPECT_EQ(WindowTitle(SaveWindow), "Save map");
  EXPECT_EQ(GadgetText(GadgetAuthor), ChineseAuthor);
  EXPECT_EQ(GadgetText(GadgetIntroduction), ChineseIntroduction);
  PostEvent({EventCloseWindow, SaveWindow, 0});
  Deliver();
  Step("layer limit");
  for (int layer = 1; layer <= EditorMaxLayers; ++layer) Press(GadgetNewLayer);
  Ticks(3);
  EXPECT_EQ(ShownDialogs().back().text, "A level can have at most 9 layers.");
  Step("the saved map again");
  QueueDialogAnswer(app + "/Mine.xml");
  Press(GadgetOpenMap);
  Ticks(10);
}

// With English chosen in the game's Config.ini beside it, no text drawn, in a window title, a
// control, the status bars or a dialog is Chinese, except the fields of the map's information.
TEST(EditorPlaythrough, InEnglishShowsNoChinese) {
  if (!playthrough::TakeFreshProcess()) GTEST_SKIP() << "needs a process of its own";
  const std::string app = playthrough::MakeScratchAppDirectory("kestrand-playthrough-en");
  ASSERT_TRUE(WriteIni("Window", "Language", "en", app + "/Config.ini"));
  ASSERT_NO_FATAL_FAILURE(PrepareRun(app));
  StartDrawLog();
  gAfterDriving = playthrough::CollectChineseDrawn;
  ASSERT_NO_FATAL_FAILURE(PlayThrough(app, PlayWhatIsLeftOut));
  EXPECT_EQ(WindowTitle(EditorWindow), "Vorle Mahjong Connect Map Editor");
  gAfterDriving = nullptr;
  playthrough::CollectChineseDrawn();
  StopDrawLog();
  StopCallJournal();
  UseVirtualTime(false);

  const std::string mapFields[] = {"gadget 25 text [", "gadget 26 text [", "gadget 27 text [",
                                   "gadget 28 text ["};
  int mapContent = 0;
  for (const std::string& line : CallJournal()) {
    bool ofTheMap = false;
    for (const std::string& field : mapFields) ofTheMap = ofTheMap || line.starts_with(field);
    if (ofTheMap && HasCjk(line)) {
      ++mapContent;
      continue;
    }
    EXPECT_FALSE(HasCjk(line)) << playthrough::Neutral(line, app);
  }
  EXPECT_EQ(mapContent, 2) << "the author and the introduction, as written";
  EXPECT_EQ(playthrough::gChineseDrawn, std::vector<std::string>{}) << "Chinese texts drawn";
  ASSERT_EQ(chdir(PELMORA_APP_DIR), 0);
  playthrough::fs::remove_all(app);
}

}  // namespace
