// The hit test, the click handler, the modes, the level selection and the shortcuts.
#include <fstream>

#include "game/app/input.h"
#include "game/presentation/sprites.h"
#include "game/rules/items.h"
#include "game/rules/level_flow.h"
#include "tests/game/app_support.h"

namespace {

class HitTestTest : public AppTest {};

TEST_F(HitTestTest, EdgesOfTheRectanglesHitNothing) {
  gApp.inPlay = true;
  EXPECT_EQ(HitTest(339, 590), 1);
  EXPECT_EQ(HitTest(340, 590), 0);
  EXPECT_EQ(HitTest(341, 590), 2);
  EXPECT_EQ(HitTest(300, 560), 0);
  EXPECT_EQ(HitTest(300, 620), 0);
  EXPECT_EQ(HitTest(619, 590), 5);
  EXPECT_EQ(HitTest(620, 590), 0);
  gApp.inPlay = false;
  EXPECT_EQ(HitTest(300, 150), 0);
  EXPECT_EQ(HitTest(300, 151), 1);
  EXPECT_EQ(HitTest(460, 200), 0);
  EXPECT_EQ(HitTest(600, 299), 2);
  EXPECT_EQ(HitTest(760, 450), 7);
}

TEST_F(HitTestTest, LevelButtonsExistOnlyInFreeMode) {
  gApp.inPlay = true;
  gApp.freeMode = false;
  EXPECT_EQ(HitTest(60, 590), 0);
  EXPECT_EQ(HitTest(180, 590), 0);
  gApp.freeMode = true;
  EXPECT_EQ(HitTest(60, 590), 6);
  EXPECT_EQ(HitTest(180, 590), 7);
  EXPECT_EQ(HitTest(127, 590), 0);
  EXPECT_EQ(gApp.hoveredButton, 0);
}

TEST_F(HitTestTest, SelectionPageQuartersAndPageButtons) {
  gApp.screenState = ScreenLevelSelect;
  EXPECT_EQ(HitTest(100, 100), 1);
  EXPECT_EQ(HitTest(800, 100), 2);
  EXPECT_EQ(HitTest(100, 400), 3);
  EXPECT_EQ(HitTest(800, 400), 4);
  EXPECT_EQ(HitTest(460, 100), 0);
  EXPECT_EQ(HitTest(100, 280), 0);
  EXPECT_EQ(HitTest(90, 600), 5);
  EXPECT_EQ(HitTest(330, 600), 6);
  EXPECT_EQ(HitTest(480, 600), 7);
  EXPECT_EQ(HitTest(600, 600), 8);
  gApp.screenState = ScreenHelp;
  EXPECT_EQ(HitTest(100, 100), 0);
}

class ClickTest : public AppTest {};

TEST_F(ClickTest, ClickPicksTheHighestTileUnderThePoint) {
  PlayEmptyLevel(1);
  gLevel.board.cell[2][1][1] = 4;
  gLevel.board.cell[3][1][1] = 4;
  // Layer 3 of type 1 is drawn at (42 - 18 + 30, 54 - 18 + 10) = (54, 46).
  HandleClick(60, 50);
  EXPECT_EQ(gApp.pickedLayer, 3);
  EXPECT_EQ(gApp.pickedRow, 1);
  EXPECT_EQ(gApp.pickedColumn, 1);
  EXPECT_EQ(gLevel.first.layer, 3);
}

TEST_F(ClickTest, WhilePausedOnlyThePauseButtonActs) {
  PlayEmptyLevel(1);
  gLevel.board.cell[2][1][1] = 4;
  gLevel.startCount = 1;
  gPlay.paused = true;
  HandleClick(60, 60);
  EXPECT_EQ(gLevel.first.layer, -1);
  for (int x : {300, 370, 440, 580}) HandleClick(x, 590);
  EXPECT_EQ(gItems.hints, StartItemCount);
  EXPECT_EQ(gItems.shuffles, StartItemCount);
  EXPECT_TRUE(gApp.inPlay);
  EXPECT_TRUE(ShownDialogs().empty());
  HandleClick(510, 590);
  EXPECT_FALSE(gPlay.paused);
}

TEST_F(ClickTest, SettingsButtonActsOnEveryPageAndTheClickGoesOn) {
  gApp.screenState = ScreenHelp;
  HandleClick(900, 20);
  EXPECT_TRUE(IsWindowOpen(SettingsWindow));
  EXPECT_EQ(gApp.screenState, ScreenMainMenu);
  CloseSettingsWindow();
  EXPECT_FALSE(IsWindowOpen(SettingsWindow));
}

class ModeTest : public AppTest {};

// Marks the map store so that a reload of the map shows as the mark's disappearance.
void MarkMapStore() { gMap.store->level[1].cell[12][12][22] = 99; }
bool MapWasReloaded() { return gMap.store->level[1].cell[12][12][22] != 99; }
// The home button of the panel: play runs in screen state 0, so the menu follows.
void BackToMenu() {
  gApp.screenState = ScreenMainMenu;
  ResetGame();
}

TEST_F(ModeTest, DefaultMapIsReadAgainOnlyWhenTheModeChanges) {
  HandleClick(300, 200);   // 闯关模式
  EXPECT_TRUE(gApp.mapLoaded);
  EXPECT_TRUE(gApp.progressMap);
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
  EXPECT_EQ(gApp.pageOffset, 0);
}

TEST_F(ModeTest, OpenedMapKeepsTheProgressFlag) {
  std::string path = std::string(PELMORA_APP_DIR) + "/Maps/Duzuz.xml";
  QueueDialogAnswer(path);
  HandleClick(300, 450);   // 打开地图
  EXPECT_TRUE(gApp.mapLoaded);
  EXPECT_FALSE(gApp.progressMap);
  EXPECT_FALSE(gApp.freeMode);
  EXPECT_EQ(gApp.screenState, ScreenLevelIntro);
  BackToMenu();
  MarkMapStore();
  HandleClick(300, 200);   // progress mode reads the default map again: the flag was 0
  EXPECT_TRUE(MapWasReloaded());
}

TEST_F(ModeTest, CancelledOpenDialogChangesNothing) {
  gItems.hints = 3;
  HandleClick(300, 450);
  EXPECT_EQ(gItems.hints, 3);
  EXPECT_FALSE(gApp.mapLoaded);
  EXPECT_EQ(gApp.screenState, ScreenMainMenu);
}

TEST_F(ModeTest, HelpAndBackAgain) {
  HandleClick(600, 450);
  EXPECT_EQ(gApp.screenState, ScreenHelp);
  HandleClick(10, 10);
  EXPECT_EQ(gApp.screenState, ScreenMainMenu);
}

class LevelSelectTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    gApp.screenState = ScreenLevelSelect;
    gApp.freeMode = true;
    gMap.levelCount = 6;
  }
  static int SelectSounds() {
    int n = 0;
    for (const std::string& call : MediaCallLog()) n += call.rfind("play 1", 0) == 0;
    return n;
  }
};

TEST_F(LevelSelectTest, PageButtonsMoveByFourWithinTheMap) {
  HandleClick(330, 600);   // 上一页 on the first page
  EXPECT_EQ(gApp.pageOffset, 0);
  EXPECT_EQ(SelectSounds(), 0);
  HandleClick(600, 600);   // 下一页
  EXPECT_EQ(gApp.pageOffset, 4);
  EXPECT_EQ(SelectSounds(), 1);
  HandleClick(600, 600);   // 4 is not below 6 - 4
  EXPECT_EQ(gApp.pageOffset, 4);
  EXPECT_EQ(SelectSounds(), 1);
  HandleClick(480, 600);   // 首  页
  EXPECT_EQ(gApp.pageOffset, 0);
  EXPECT_EQ(SelectSounds(), 2);
}

TEST_F(LevelSelectTest, ThumbnailBeyondTheLastLevelDoesNothing) {
  gApp.pageOffset = 4;
  HandleClick(800, 400);   // level 8 of 6
  EXPECT_EQ(gApp.screenState, ScreenLevelSelect);
  EXPECT_FALSE(gApp.inPlay);
}

TEST_F(LevelSelectTest, MainMenuButtonResetsTheGame) {
  gItems.hints = 2;
  gScore.score = 500;
  StartTimer(GameWindow, LevelClockTimer, LevelClockPeriodMs, []() {});
  HandleClick(90, 600);
  EXPECT_EQ(gApp.screenState, ScreenMainMenu);
  EXPECT_EQ(gItems.hints, StartItemCount);
  EXPECT_EQ(gScore.score, 0);
  EXPECT_FALSE(IsTimerRunning(GameWindow, LevelClockTimer));
}

class ShortcutTest : public AppTest {};

TEST_F(ShortcutTest, ItemShortcutsStopAt99) {
  gItems.hints = 99;
  gItems.bombs = 98;
  gItems.shuffles = 0;
  HandleShortcut(ShortcutMoreHints);
  HandleShortcut(ShortcutMoreBombs);
  HandleShortcut(ShortcutMoreShuffles);
  EXPECT_EQ(gItems.hints, 99);
  EXPECT_EQ(gItems.bombs, 99);
  EXPECT_EQ(gItems.shuffles, 1);
}

TEST_F(ShortcutTest, BombShortcutNeedsASelection) {
  PlayEmptyLevel(1);
  HandleShortcut(ShortcutBomb);
  ASSERT_EQ(ShownDialogs().size(), 1u);
  EXPECT_EQ(ShownDialogs()[0].title, "");
  EXPECT_EQ(ShownDialogs()[0].text, "请先选择需要炸掉的麻将");
}

TEST_F(ShortcutTest, LevelShortcutsStayInsideTheMapAndKeepTheScore) {
  gMap.levelCount = 0;
  gPlay.currentLevel = 1;
  HandleShortcut(ShortcutPreviousLevel);
  HandleShortcut(ShortcutNextLevel);
  EXPECT_TRUE(ShownDialogs().empty());
  EXPECT_EQ(gPlay.currentLevel, 1);
}

TEST_F(ShortcutTest, CreditShortcutOpensTheCreditWindow) {
  HandleShortcut(ShortcutCredit);
  EXPECT_TRUE(IsWindowOpen(CreditWindow));
  HandleGameEvent({EventCloseWindow, CreditWindow, 0});
  EXPECT_FALSE(IsWindowOpen(CreditWindow));
}

class PointerTest : public AppTest {};

TEST_F(PointerTest, CursorCountSettlesAtOneOutsideTheDrawingArea) {
  // The offscreen game window is not the active window, so the system cursor is shown.
  while (SystemCursorCount() > -3) HideSystemCursor();
  for (int i = 0; i < 10; ++i) DrawPointer();
  EXPECT_EQ(SystemCursorCount(), 1);
  DrawPointer();
  EXPECT_EQ(SystemCursorCount(), 1);
}

TEST_F(PointerTest, CursorCountSettlesAtMinusOneOverTheDrawingArea) {
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
