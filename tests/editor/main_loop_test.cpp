// The main window: its controls and status bar, the frame tick with the loading bar and the
// pointer, and quitting with the unsaved-changes question.
#include <climits>
#include <string>
#include <utility>

#include "carried/carried_pictures.h"
#include "editor/drawing.h"
#include "editor/editing.h"
#include "editor/map_files.h"
#include "editor_support.h"
#include "platform/colour.h"
#include "platform/journal.h"
#include "platform/picture.h"

using MainLoop = EditorTest;

namespace {

bool SpriteDrawn(int sprite, int x, int y) {
  for (const DrawRecord& r : DrawLog()) {
    if (r.kind == DrawnSprite && r.number == sprite && r.x == x && r.y == y) return true;
  }
  return false;
}

// Pixels in which two sprites differ; -1 when their sizes do.
int DifferingPixels(int a, int b) {
  if (SpriteWidth(a) != SpriteWidth(b) || SpriteHeight(a) != SpriteHeight(b)) return -1;
  int differing = 0;
  for (int y = 0; y < SpriteHeight(a); ++y)
    for (int x = 0; x < SpriteWidth(a); ++x)
      differing += SpritePixel(a, x, y) != SpritePixel(b, x, y);
  return differing;
}

}  // namespace

TEST_F(MainLoop, TheMainWindowHoldsItsControlsInARow) {
  EXPECT_EQ(WindowTitle(EditorWindow), "Vorle麻将连连看地图编辑器");
  struct Expected {
    int gadget, x, y, width, height;
    const char* text;
  };
  const Expected controls[] = {
      {GadgetNewLevel, 3, 575, 80, 24, "新建立一关"}, {GadgetLevelList, 88, 577, 100, 20, nullptr},
      {GadgetNewLayer, 193, 575, 80, 24, "新建立一层"}, {GadgetLayerList, 278, 577, 100, 20, nullptr},
      {GadgetOpenMap, 383, 575, 75, 24, "打开地图"},   {GadgetSaveMap, 463, 575, 75, 24, "保存地图"},
      {GadgetInstructions, 543, 583, 320, 16,
       "说明:点鼠标左键清除麻将，右键显示麻将，也可按住拖动。"},
  };
  for (const Expected& c : controls) {
    EXPECT_EQ(GadgetX(c.gadget), c.x) << c.gadget;
    EXPECT_EQ(GadgetY(c.gadget), c.y) << c.gadget;
    EXPECT_EQ(GadgetWidth(c.gadget), c.width) << c.gadget;
    EXPECT_EQ(GadgetHeight(c.gadget), c.height) << c.gadget;
    if (c.text) {
      EXPECT_EQ(GadgetText(c.gadget), c.text);
    }
  }
  EXPECT_EQ(StatusBarFieldText(MainStatusBar, 0), "状态提示：");
  EXPECT_EQ(StatusBarFieldText(MainStatusBar, 4), "小提示：显示的麻将牌必须是双数才能保存。");
  EXPECT_EQ(ScreenWidth(), 930);
  EXPECT_EQ(ScreenHeight(), 570);
}

// Every caption shows whole in the language the editor speaks; ctest runs this once more with
// the desktop in English. The status fields are measured at one-digit counts, where the
// original Chinese fits them; the lists at their longest items.
TEST_F(MainLoop, EveryCaptionFitsItsBox) {
  for (int gadget : {GadgetNewLevel, GadgetNewLayer, GadgetOpenMap, GadgetSaveMap,
                     GadgetInstructions})
    EXPECT_LE(GadgetNeededWidth(gadget), GadgetWidth(gadget)) << GadgetText(gadget);
  for (int level = 1; level <= 9; ++level) NewLevel(1);
  for (int layer = 2; layer <= EditorMaxLayers; ++layer) NewLayer();
  DrawLevel();
  StatusTick();
  for (int field = 0; field <= 4; ++field)
    EXPECT_LE(StatusBarFieldNeededWidth(MainStatusBar, field),
              StatusBarFieldWidth(MainStatusBar, field))
        << StatusBarFieldText(MainStatusBar, field);
  OpenSaveWindow();
  ASSERT_TRUE(IsWindowOpen(SaveWindow));
  for (int gadget = GadgetSaveCaption1; gadget < GadgetSaveCaption1 + 4; ++gadget)
    EXPECT_LE(GadgetNeededWidth(gadget), GadgetWidth(gadget)) << GadgetText(gadget);
  EXPECT_LE(GadgetNeededWidth(GadgetSaveButton), GadgetWidth(GadgetSaveButton));
  EXPECT_LE(StatusBarFieldNeededWidth(SaveStatusBar, 0), StatusBarFieldWidth(SaveStatusBar, 0))
      << StatusBarFieldText(SaveStatusBar, 0);
  CloseWindow(SaveWindow);
  while (gEditorMap.levelCount < MaxLevels) NewLevel(1);
  for (int list : {GadgetLevelList, GadgetLayerList})
    EXPECT_LE(GadgetNeededWidth(list), GadgetWidth(list))
        << GadgetItemText(list, CountGadgetItems(list) - 1);
}

// With the English pictures chosen the title and the four type pictures come from Images/en,
// the carried type picture replaced by its file there; with none chosen, the originals again.
TEST_F(MainLoop, InEnglishTheTitleAndTypePicturesAreTheEnglishOnes) {
  constexpr int Copy = 990, CopyImage = 90;
  constexpr int TypeWidth = 238, TypeHeight = 138;
  const std::string app = gEditor.workingDirectory;
  // Each type panel against the same panel cut from the image.
  const auto expectTypePanels = [&] {
    for (int t = 0; t < 4; ++t) {
      ASSERT_TRUE(CopySpriteFromImage(Copy, CopyImage, t * TypeWidth, 0, TypeWidth, TypeHeight));
      EXPECT_EQ(DifferingPixels(SpriteTypePicture1 + t, Copy), 0) << t;
    }
  };

  SetPictureLanguage("en");
  DecodeCarriedPictures();
  PrepareSprites();
  SetPictureLanguage("");
  ASSERT_TRUE(LoadSprite(Copy, app + "Images/en/Xianshi/39.93-17", SpriteAlpha));
  EXPECT_EQ(DifferingPixels(SpriteTitle, Copy), 0);
  ASSERT_TRUE(LoadImageFile(CopyImage, app + "Images/en/type_picture.png"));
  expectTypePanels();

  DecodeCarriedPictures();
  PrepareSprites();
  ASSERT_TRUE(LoadSprite(Copy, app + "Images/Xianshi/39.93-17", SpriteAlpha));
  EXPECT_EQ(DifferingPixels(SpriteTitle, Copy), 0);
  ASSERT_TRUE(CatchImage(CopyImage, gTypePicture.data, gTypePicture.size));
  expectTypePanels();
  FreeSprite(Copy);
  FreeImage(CopyImage);
}

TEST_F(MainLoop, TheStatusTickDescribesAnEmptyMap) {
  DrawLevel();
  StatusTick();
  EXPECT_EQ(StatusBarFieldText(MainStatusBar, 1), "当前地图共有0关，正在编辑第0关。");
  EXPECT_EQ(StatusBarFieldText(MainStatusBar, 2), "当前关卡共有0层，正在编辑第0层。");
  EXPECT_EQ(StatusBarFieldText(MainStatusBar, 3), "当前关卡显示了0张麻将牌");
}

TEST_F(MainLoop, TheFrameDrawsBackgroundTitleLevelAndPointerInOrder) {
  NewLevel(1);
  ActivateWindow(EditorWindow);
  MovePointer(EditorWindow, 400, 300);
  StartDrawLog();
  FrameTick();
  StopDrawLog();
  const auto& log = DrawLog();
  ASSERT_GE(log.size(), 3u + 180u);
  EXPECT_EQ(log[0].number, SpriteBackground);
  EXPECT_EQ(log[1].number, SpriteTitle);
  EXPECT_EQ(log[1].x, 260);
  EXPECT_EQ(log[1].y, 150);
  EXPECT_EQ(log.back().number, SpritePointer);
  EXPECT_EQ(log.back().x, 400);
  EXPECT_EQ(log.back().y, 300);
  EXPECT_TRUE(SpriteDrawn(SpriteFaceBase + 1, 42 - 6 + 30, 54 - 6 + 21));
  EXPECT_EQ(SystemCursorCount(), -1);
  FrameTick();
  EXPECT_EQ(SystemCursorCount(), -1) << "repeated frames do not pile up";
}

TEST_F(MainLoop, OverTheControlsTheSystemCursorIsShown) {
  ActivateWindow(EditorWindow);
  MovePointer(EditorWindow, 400, 570);
  StartDrawLog();
  FrameTick();
  FrameTick();
  StopDrawLog();
  for (const DrawRecord& r : DrawLog()) EXPECT_NE(r.number, SpritePointer);
  EXPECT_EQ(SystemCursorCount(), 1);
  MovePointer(EditorWindow, 400, 569);
  StartDrawLog();
  FrameTick();
  StopDrawLog();
  EXPECT_TRUE(SpriteDrawn(SpritePointer, 400, 569));
}

// At rest with a full level open the drawing area sleeps: the status fields, controls of their
// own, do not wake it; painting does.
TEST_F(MainLoop, AtRestTheFrameTimerSleepsThroughTheStatusTicks) {
  NewLevel(4);
  for (int layer = 2; layer <= 9; ++layer) NewLayer();
  UseVirtualTime(true);
  ActivateWindow(EditorWindow);
  MovePointer(EditorWindow, 465, 300);
  StartTimer(EditorWindow, StatusTimer, StatusPeriodMs, StatusTick);
  StartTimer(EditorWindow, FrameTimer, FramePeriodMs, FrameTick);
  AdvanceVirtualTime(FramePeriodMs * 3);
  EXPECT_TRUE(IsTimerAsleep(EditorWindow, FrameTimer));
  AdvanceVirtualTime(StatusPeriodMs * 3);
  EXPECT_TRUE(IsTimerAsleep(EditorWindow, FrameTimer)) << "three status ticks went by";
  EXPECT_EQ(StatusBarFieldText(MainStatusBar, 2), "当前关卡共有9层，正在编辑第9层。");
  ChooseLayer(1);
  AdvanceVirtualTime(FramePeriodMs * 3);
  ASSERT_TRUE(IsTimerAsleep(EditorWindow, FrameTimer));
  PostEvent({EventLeftButtonDown, EditorWindow, 0, 66, 75});
  HandleEditorEvent(PollEvent());
  EXPECT_EQ(Cell(1, 1, 1), 0);
  EXPECT_FALSE(IsTimerAsleep(EditorWindow, FrameTimer)) << "painting wakes it";
  AdvanceVirtualTime(FramePeriodMs);
  EXPECT_FALSE(IsTimerAsleep(EditorWindow, FrameTimer)) << "a cell was cleared";
  StopTimer(EditorWindow, FrameTimer);
  StopTimer(EditorWindow, StatusTimer);
  UseVirtualTime(false);
}

TEST_F(MainLoop, TheLoadingBarShowsLevelsReadOutOfDeclared) {
  NewLevel(1);
  gEditor.loading = true;
  gEditor.declaredLevelCount = 3;
  StartDrawLog();
  FrameTick();
  StopDrawLog();
  std::vector<DrawRecord> boxes;
  std::string text;
  for (const DrawRecord& r : DrawLog()) {
    if (r.kind == DrawnBox) boxes.push_back(r);
    if (r.kind == DrawnText) text = r.text;
  }
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].colour, Rgb(150, 150, 150));
  EXPECT_EQ(boxes[1].colour, Rgb(255, 255, 255));
  EXPECT_EQ(boxes[2].colour, Rgb(255, 255, 0));
  EXPECT_EQ(boxes[0].width, 500);
  EXPECT_EQ(boxes[2].x, 222);
  EXPECT_EQ(text, "1/3");

  // Whatever the file declares: nothing to divide by, more levels than declared, or a count
  // whose arithmetic would overflow 32 bits.
  const std::pair<int, int> fills[] = {{3, 165}, {0, 0}, {-5, 0}, {1, 496}, {2, 248},
                                       {INT_MAX, 0}, {INT_MAX - 1, 0}, {600, 1}};
  for (const auto& [declared, width] : fills) {
    gEditor.declaredLevelCount = declared;
    StartDrawLog();
    FrameTick();
    StopDrawLog();
    int fill = -1;
    for (const DrawRecord& r : DrawLog())
      if (r.kind == DrawnBox && r.colour == Rgb(255, 255, 0)) fill = r.width;
    EXPECT_EQ(fill, width) << declared;
  }
}

// ---- Events of the main window -----------------------------------------------------------------

// Presses, moves and releases of the main window paint at the pointer: the left button clears,
// the right button shows, a move paints only while a button is held.
TEST_F(MainLoop, MouseEventsOfTheMainWindowPaint) {
  NewLevel(1);
  auto at = [](int x, int y, EventKind kind) {
    MovePointer(EditorWindow, x, y);
    HandleEditorEvent(Event{kind, EditorWindow, 0, x, y});
  };
  at(66, 75, EventLeftButtonDown);
  EXPECT_EQ(Cell(1, 1, 1), 0);
  at(108, 75, EventMouseMove);
  EXPECT_EQ(Cell(1, 1, 2), 0) << "dragging clears";
  at(150, 75, EventLeftButtonUp);
  at(150, 75, EventMouseMove);
  EXPECT_EQ(Cell(1, 1, 3), 1) << "released: no more painting";
  at(66, 75, EventRightButtonDown);
  EXPECT_EQ(Cell(1, 1, 1), 1);
  at(108, 75, EventMouseMove);
  EXPECT_EQ(Cell(1, 1, 2), 1) << "dragging shows";
  at(108, 75, EventRightButtonUp);
  EXPECT_FALSE(gEditor.dragging);
  EXPECT_EQ(gEditor.saved, 0);
  HandleEditorEvent(Event{EventLeftButtonDown, NewLevelWindow, 0});
  EXPECT_EQ(Cell(1, 1, 2), 1) << "only the main window paints";
}

// Each control of the row along the bottom reaches its own command.
TEST_F(MainLoop, TheControlRowButtonsReachTheirCommands) {
  auto press = [](int gadget, int state = 0) {
    SimulateGadgetChange(gadget, state);
    for (Event e = PollEvent(); e.kind != EventNone; e = PollEvent()) HandleEditorEvent(e);
  };
  press(GadgetNewLevel);
  EXPECT_TRUE(IsWindowOpen(NewLevelWindow));
  press(GadgetTypePicture1 + 2);
  EXPECT_FALSE(IsWindowOpen(NewLevelWindow));
  EXPECT_EQ(gEditor.currentType, 3);
  NewLevel(1);
  press(GadgetNewLayer);
  EXPECT_EQ(gEditor.currentLayerCount, 2);
  press(GadgetLayerList, 0);
  EXPECT_EQ(gEditor.currentLayer, 1);
  press(GadgetLevelList, 0);
  EXPECT_EQ(gEditor.currentLevel, 1);
  EXPECT_EQ(gEditor.currentType, 3);
  press(GadgetSaveMap);
  EXPECT_TRUE(IsWindowOpen(SaveWindow)) << "two even levels: the save window opens";
  press(GadgetOpenMap);
  ASSERT_EQ(ShownDialogs().size(), 1u);
  EXPECT_EQ(ShownDialogs()[0].kind, DialogOpenFile);
  EXPECT_EQ(ShownDialogs()[0].title, "选择地图文件");
  EXPECT_EQ(ShownDialogs()[0].text, "地图文件 (*.xml)|*.xml");
  EXPECT_EQ(ShownDialogs()[0].start, gEditor.workingDirectory);
}

// ---- Quitting ---------------------------------------------------------------------------------

TEST_F(MainLoop, ANeverPaintedMapClosesWithoutAQuestion) {
  NewLevel(1);
  NewLayer();
  HandleEditorEvent(Event{EventCloseWindow, EditorWindow, 0});
  EXPECT_TRUE(gEditor.quit);
  EXPECT_TRUE(ShownDialogs().empty());
}

TEST_F(MainLoop, UnsavedPaintingAsksAndYesOpensTheSaveCheck) {
  NewLevel(1);
  PressLeftButton(66, 75);
  PressLeftButton(108, 75);
  ReleaseButton();
  QueueDialogAnswer("yes");
  HandleEditorEvent(Event{EventCloseWindow, EditorWindow, 0});
  ASSERT_EQ(ShownDialogs().size(), 1u);
  EXPECT_EQ(ShownDialogs()[0].kind, DialogYesNo);
  EXPECT_EQ(ShownDialogs()[0].title, "提示");
  EXPECT_EQ(ShownDialogs()[0].text, "地图还没保存是否需要保存？");
  EXPECT_FALSE(gEditor.quit);
  EXPECT_TRUE(IsWindowOpen(SaveWindow));

  HandleEditorEvent(Event{EventCloseWindow, SaveWindow, 0});
  EXPECT_FALSE(IsWindowOpen(SaveWindow));
  // Esc or the question's close box: back to editing, the painting kept.
  QueueDialogAnswer("");
  HandleEditorEvent(Event{EventCloseWindow, EditorWindow, 0});
  EXPECT_FALSE(gEditor.quit);
  EXPECT_FALSE(IsWindowOpen(SaveWindow));
  EXPECT_EQ(gEditor.saved, 0);
  EXPECT_EQ(Cell(1, 1, 1), 0);
  QueueDialogAnswer("no");
  HandleEditorEvent(Event{EventCloseWindow, EditorWindow, 0});
  EXPECT_TRUE(gEditor.quit);
  EXPECT_EQ(ShownDialogs().size(), 3u);
}
