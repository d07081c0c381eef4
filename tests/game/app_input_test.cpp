// The hit test, the click handler, the modes, the level selection and the shortcuts.
#include "game/app/input.h"

#include <cstdio>

#include "game/presentation/sprites.h"
#include "game/rules/items.h"
#include "game/rules/level_flow.h"
#include "platform/profile.h"
#include "tests/game/app_support.h"

namespace {

class InputTest : public AppTest {
 protected:
  struct Hit {
    int x, y, button;
  };
  static void ExpectHits(std::initializer_list<Hit> hits) {
    for (const Hit& h : hits) EXPECT_EQ(HitTest(h.x, h.y), h.button) << h.x << "," << h.y;
  }
  static int SelectSounds() {
    int n = 0;
    for (const std::string& call : MediaCallLog()) n += call.rfind("play 1", 0) == 0;
    return n;
  }
};

TEST_F(InputTest, HitRectanglesHaveStrictEdges) {
  gApp.inPlay = true;
  ExpectHits({{339, 590, 1}, {340, 590, 0}, {341, 590, 2}, {300, 560, 0}, {300, 620, 0},
              {619, 590, 5}, {620, 590, 0}, {60, 590, 0}, {180, 590, 0}});
  gPlay.freeMode = true;   // the level buttons exist only in free mode
  ExpectHits({{60, 590, 6}, {180, 590, 7}, {127, 590, 0}});
  gApp.inPlay = false;
  ExpectHits({{300, 150, 0}, {300, 151, 1}, {460, 200, 0}, {600, 299, 2}, {760, 450, 7}});
  gApp.screenState = ScreenLevelSelect;
  ExpectHits({{100, 100, 1}, {800, 100, 2}, {100, 400, 3}, {800, 400, 4}, {460, 100, 0},
              {100, 280, 0}, {90, 600, 5}, {330, 600, 6}, {480, 600, 7}, {600, 600, 8}});
}

TEST_F(InputTest, ClickPicksTheHighestTileUnderThePoint) {
  PlayEmptyLevel(1);
  gLevel.board.cell[2][1][1] = 4;
  gLevel.board.cell[3][1][1] = 4;
  // Layer 3 of type 1 is drawn at (42 - 18 + 30, 54 - 18 + 10) = (54, 46).
  HandleClick(60, 50);
  EXPECT_EQ(gApp.pickedLayer, 3);
  EXPECT_EQ(gApp.pickedRow * 100 + gApp.pickedColumn, 101);
  EXPECT_EQ(gLevel.first.layer, 3);
}

TEST_F(InputTest, WhilePausedOnlyThePauseButtonActs) {
  PlayEmptyLevel(1);
  gLevel.board.cell[2][1][1] = 4;
  gLevel.startCount = 1;
  gPlay.paused = true;
  HandleClick(60, 60);
  EXPECT_EQ(gLevel.first.layer, -1);
  for (int x : {300, 370, 440, 580}) HandleClick(x, 590);
  EXPECT_EQ(gItems.hints + gItems.shuffles, 2 * StartItemCount);
  EXPECT_TRUE(gApp.inPlay);
  EXPECT_TRUE(ShownDialogs().empty());
  HandleClick(510, 590);
  EXPECT_FALSE(gPlay.paused);
}

// A click inside each button of the bar reaches that button, in free mode on level 2 of 3.
TEST_F(InputTest, ClicksReachEachButtonOfTheBar) {
  struct Case {
    const char* name;
    int x, y;
    bool (*done)();
  };
  const Case cases[] = {
      {"hint", 305, 575, [] { return gItems.hints == StartItemCount - 1 && gItems.hintShown; }},
      {"bomb", 375, 605, [] { return gItems.bombs == StartItemCount - 1; }},
      {"shuffle", 445, 590, [] { return gItems.shuffles == StartItemCount - 1; }},
      {"pause", 515, 590, [] { return gPlay.paused; }},
      {"home", 585, 590, [] { return !gApp.inPlay && gPlay.currentLevel == 1; }},
      {"previous level", 70, 580, [] { return gPlay.currentLevel == 1 && gScore.score == 0; }},
      {"next level", 200, 600, [] { return gPlay.currentLevel == 3 && gScore.score == 0; }},
  };
  gMap.levelCount = 3;
  for (int level = 1; level <= 3; ++level) {
    gMap.arrangementType[level] = 1;
    for (int column : {2, 6}) gMap.store->level[level].cell[2][2][column] = level;
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gItems = ItemState{};
    gPlay = PlayState{};
    gPlay.freeMode = true;
    StartLevel(2);
    gScore.score = 50;
    gLevel.first = {2, 2, 2, gLevel.board.cell[2][2][2], 0, 0};   // what the bomb blows up
    HandleClick(c.x, c.y);
    EXPECT_TRUE(c.done());
    EXPECT_TRUE(ShownDialogs().empty());
  }
}

// The settings button opens its window, and the click then goes on to the page below it.
TEST_F(InputTest, TheSettingsButtonActsThenTheClickGoesOn) {
  gApp.screenState = ScreenHelp;
  HandleClick(880, 20);
  EXPECT_TRUE(IsWindowOpen(SettingsWindow));
  EXPECT_EQ(gApp.screenState, ScreenMainMenu) << "the help page took the click as well";
  CloseSettingsWindow();
}

// Marks the map store so that a reload of the map shows as the mark's disappearance.
void MarkMapStore() { gMap.store->level[1].cell[12][12][22] = 99; }
bool MapWasReloaded() { return gMap.store->level[1].cell[12][12][22] != 99; }
// The home button of the panel: play runs in screen state 0, so the menu follows.
void BackToMenu() {
  gApp.screenState = ScreenMainMenu;
  ResetGame();
}

TEST_F(InputTest, DefaultMapIsReadAgainOnlyWhenTheModeChanges) {
  HandleClick(300, 200);   // 闯关模式
  EXPECT_TRUE(gApp.mapLoaded && gApp.progressMap);
  EXPECT_GT(gMap.levelCount, 0);
  EXPECT_EQ(gApp.screenState, ScreenLevelIntro);
  BackToMenu();
  MarkMapStore();
  HandleClick(300, 200);
  EXPECT_FALSE(MapWasReloaded());
  BackToMenu();
  HandleClick(600, 200);   // 自由模式
  EXPECT_TRUE(MapWasReloaded());
  EXPECT_FALSE(gApp.progressMap);
  EXPECT_EQ(gApp.screenState, ScreenLevelSelect);
  EXPECT_EQ(gView.pageOffset, 0);
}

TEST_F(InputTest, OpenedMapKeepsTheProgressFlag) {
  HandleClick(300, 450);   // 打开地图, cancelled
  EXPECT_FALSE(gApp.mapLoaded);
  EXPECT_EQ(gApp.screenState, ScreenMainMenu);
  QueueDialogAnswer(std::string(PELMORA_APP_DIR) + "/Maps/Duzuz.xml");
  HandleClick(300, 450);
  EXPECT_TRUE(gApp.mapLoaded);
  EXPECT_FALSE(gApp.progressMap || gPlay.freeMode);
  EXPECT_EQ(gApp.screenState, ScreenLevelIntro);
  BackToMenu();
  MarkMapStore();
  HandleClick(300, 200);   // progress mode reads the default map again: the flag was 0
  EXPECT_TRUE(MapWasReloaded());
}

TEST_F(InputTest, PageButtonsMoveByFourWithinTheMap) {
  gApp.screenState = ScreenLevelSelect;
  gPlay.freeMode = true;
  gMap.levelCount = 6;
  // 上一页 on the first page, 下一页, 下一页 again (4 is not below 6 - 4), 首页.
  const int clicks[][3] = {{330, 0, 0}, {600, 4, 1}, {600, 4, 1}, {480, 0, 2}};
  for (const auto& c : clicks) {
    HandleClick(c[0], 600);
    EXPECT_EQ(gView.pageOffset, c[1]) << c[0];
    EXPECT_EQ(SelectSounds(), c[2]) << c[0];
  }
  gView.pageOffset = 4;
  HandleClick(800, 400);   // level 8 of 6 does nothing
  EXPECT_EQ(gApp.screenState, ScreenLevelSelect);
  EXPECT_FALSE(gApp.inPlay);
}

TEST_F(InputTest, ShortcutsKeepToTheirLimits) {
  gItems.hints = 99;
  gItems.bombs = 98;
  gItems.shuffles = 0;
  HandleShortcut(ShortcutMoreHints);
  HandleShortcut(ShortcutMoreBombs);
  HandleShortcut(ShortcutMoreBombs);
  HandleShortcut(ShortcutMoreShuffles);
  EXPECT_EQ(std::vector<int>({gItems.hints, gItems.bombs, gItems.shuffles}),
            std::vector<int>({99, 99, 1}));
  gMap.levelCount = 0;
  gPlay.currentLevel = 1;
  HandleShortcut(ShortcutPreviousLevel);
  HandleShortcut(ShortcutNextLevel);
  EXPECT_EQ(gPlay.currentLevel, 1) << "level shortcuts stay inside the map";
  PlayEmptyLevel(1);
  HandleShortcut(ShortcutBomb);
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"请先选择需要炸掉的麻将"});
}

// On a window shown bigger a click or a hover acts on what is drawn under the pointer; on the
// bars of full screen it is outside. F11 switches full screen and keeps the choice.
TEST_F(InputTest, OnAWindowShownBiggerInputActsWhereThePictureShowsIt) {
  const auto event = [](EventKind kind, int shownX, int shownY) {
    MovePointerShown(GameWindow, shownX, shownY);
    HandleGameEvent({kind, GameWindow, 0, WindowMouseX(GameWindow), WindowMouseY(GameWindow)});
  };
  ASSERT_TRUE(SetWindowScale(GameWindow, 150));
  PlayEmptyLevel(1);
  gLevel.board.cell[2][1][1] = 4;
  gLevel.board.cell[2][1][5] = 5;
  event(EventLeftButtonDown, 127, 124);   // inside the tile of row 1, column 1
  EXPECT_EQ(std::make_pair(gApp.lastClickX, gApp.lastClickY), std::make_pair(84, 82));
  EXPECT_EQ(gLevel.first.layer * 100 + gLevel.first.column, 201);
  event(EventMouseMove, 407, 885);        // just inside the hint button's left edge
  EXPECT_EQ(gView.hoveredButton, ButtonHint);
  event(EventMouseMove, 406, 885);        // on it, x = 270
  EXPECT_EQ(gView.hoveredButton, 0);
  event(EventLeftButtonDown, 1321, 37);   // the settings button
  EXPECT_TRUE(IsWindowOpen(SettingsWindow));
  CloseSettingsWindow();

  const std::string savedConfig = gFiles.configPath;
  gFiles.configPath = testing::TempDir() + "input_test_Config.ini";
  std::remove(gFiles.configPath.c_str());
  gApp.inPlay = false;
  HandleShortcut(ShortcutFullScreen);
  EXPECT_TRUE(IsWindowFullScreen(GameWindow));
  EXPECT_EQ(ReadIni("Window", "FullScreen", gFiles.configPath), "1");
  // 1920 x 1080: the picture is 1607 x 1080 between bars 156 pixels wide.
  event(EventMouseMove, 622, 403);
  EXPECT_EQ(gView.hoveredButton, MenuProgressMode);
  event(EventMouseMove, 100, 403);
  EXPECT_EQ(std::make_pair(WindowMouseX(GameWindow), gView.hoveredButton), std::make_pair(-1, 0));
  HandleShortcut(ShortcutFullScreen);
  EXPECT_FALSE(IsWindowFullScreen(GameWindow));
  EXPECT_EQ(ReadIni("Window", "FullScreen", gFiles.configPath), "0");
  EXPECT_EQ(ShownWindowWidth(GameWindow), 1395);
  std::remove(gFiles.configPath.c_str());
  gFiles.configPath = savedConfig;
  SetWindowScale(GameWindow, 100);
}

TEST_F(InputTest, CursorCountSettlesAtOneOutsideAndMinusOneOverTheDrawingArea) {
  // The offscreen game window is not the active window, so the system cursor is shown.
  while (SystemCursorCount() > -3) HideSystemCursor();
  for (int i = 0; i < 10; ++i) DrawPointer();
  EXPECT_EQ(SystemCursorCount(), 1);
  ActivateWindow(GameWindow);
  MovePointer(GameWindow, 300, 300);
  if (!IsWindowActive(GameWindow)) GTEST_SKIP() << "this platform cannot activate the window";
  while (SystemCursorCount() < 3) ShowSystemCursor();
  StartDrawLog();
  for (int i = 0; i < 10; ++i) DrawPointer();
  EXPECT_EQ(SystemCursorCount(), -1);
  EXPECT_EQ(CountSprite(SpritePointer), 10);
  // The top two rows of the client area belong to the system cursor.
  MovePointer(GameWindow, 300, 1);
  DrawPointer();
  EXPECT_EQ(SystemCursorCount(), 0);
  MovePointer(GameWindow, -5, -5);
}

}  // namespace
