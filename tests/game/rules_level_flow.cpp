// Level start and end, game reset, pause and the level buttons.
#include "game/rules/level_flow.h"

#include "game/rules/items.h"
#include "game/rules/scoring.h"
#include "rules_support.h"

class LevelFlowTest : public RulesTest {
 protected:
  // A map level of the given type with the tiles in a row of layer 2, faces in pairs.
  static void MapLevel(int level, int type, int tiles) {
    gMap.arrangementType[level] = type;
    for (int i = 0; i < tiles; ++i) PutMapTile(level, 2, 1 + i / 20, 1 + i % 20, 1 + i / 2);
  }
};

// ---- Level start -----------------------------------------------------------------------------

TEST_F(LevelFlowTest, MapWithoutLevelsIsRefused) {
  gApp.freeMode = false;
  gApp.inPlay = false;
  gApp.screenState = ScreenLoading;
  StartLevel(1);
  ASSERT_EQ(ShownDialogs().size(), 1u);
  EXPECT_EQ(ShownDialogs()[0].title, "提示");
  EXPECT_EQ(ShownDialogs()[0].text, "当前地图有错误");
  EXPECT_EQ(gApp.screenState, ScreenMainMenu);
  EXPECT_TRUE(gApp.freeMode);
  EXPECT_FALSE(gApp.mapLoaded);
  EXPECT_FALSE(IsTimerRunning(GameWindow, LevelClockTimer));
}

TEST_F(LevelFlowTest, OddLevelDropsTheLastTileInCopyOrder) {
  gMap.levelCount = 1;
  gMap.arrangementType[1] = 3;
  PutMapTile(1, 2, 9, 20, 4);
  PutMapTile(1, 3, 2, 5, 4);
  PutMapTile(1, 3, 2, 7, 5);
  PutMapTile(1, 3, 4, 1, 5);
  PutMapTile(1, 3, 4, 9, 6);
  PutMapTile(1, 2, 1, 1, 6);
  PutMapTile(1, 3, 4, 10, 7);   // highest layer, then highest row, then highest column
  StartLevel(1);
  EXPECT_EQ(gLevel.startCount, 6);
  EXPECT_EQ(gLevel.removedCount, 0);
  EXPECT_EQ(gLevel.board.cell[3][4][10], 0);
  EXPECT_GT(gLevel.board.cell[2][9][20], 0) << "the highest row of a lower layer stays";
  EXPECT_EQ(TilesOnBoard(), 6);
  EXPECT_EQ(gLevel.totalText, "6");
  EXPECT_EQ(gLevel.remainingText, "6");
  EXPECT_EQ(gLevel.arrangementType, 3);
  EXPECT_EQ(gPlay.levelText, "1");
}

TEST_F(LevelFlowTest, SameLevelTwiceKeepsThePlacesButNotTheFaces) {
  gMap.levelCount = 1;
  MapLevel(1, 1, 60);
  StartLevel(1);
  const LevelCells first = gLevel.board;
  StartLevel(1);
  int samePlaces = 0, sameFaces = 0;
  for (int i = 0; i < 60; ++i) {
    const int row = 1 + i / 20, column = 1 + i % 20;
    samePlaces += (first.cell[2][row][column] > 0) == (gLevel.board.cell[2][row][column] > 0);
    sameFaces += first.cell[2][row][column] == gLevel.board.cell[2][row][column];
  }
  EXPECT_EQ(samePlaces, 60);
  EXPECT_EQ(TilesOnBoard(), 60);
  EXPECT_LT(sameFaces, 60);
}

TEST_F(LevelFlowTest, StartShufflesUntilAMoveExists) {
  gMap.levelCount = 1;
  MapLevel(1, 1, 40);
  for (int round = 0; round < 20; ++round) {
    StartLevel(1);
    EXPECT_TRUE(AnyMoveExists()) << "round " << round;
  }
}

TEST_F(LevelFlowTest, ProgressModeShowsTheIntroductionWithTheClockRunning) {
  gApp.freeMode = false;
  gMap.levelCount = 1;
  MapLevel(1, 1, 4);
  StartLevel(1);
  EXPECT_FALSE(gApp.inPlay);
  EXPECT_EQ(gApp.screenState, ScreenLevelIntro);
  EXPECT_TRUE(IsTimerRunning(GameWindow, LevelClockTimer));
  EXPECT_FALSE(MediaLogHas("play 3"));
  gApp.hoveredButton = 3;
  ClickLevelIntro();
  EXPECT_TRUE(gApp.inPlay);
  EXPECT_EQ(gApp.screenState, ScreenMainMenu);
  EXPECT_EQ(gApp.hoveredButton, 0);
  EXPECT_TRUE(MediaLogHas("play 3"));
}

TEST_F(LevelFlowTest, FreeModePlaysAtOnce) {
  gApp.inPlay = false;
  gApp.screenState = ScreenLevelSelect;
  gApp.hoveredButton = 2;
  gMap.levelCount = 1;
  MapLevel(1, 1, 4);
  StartLevel(1);
  EXPECT_TRUE(gApp.inPlay);
  EXPECT_EQ(gApp.screenState, ScreenMainMenu);
  EXPECT_EQ(gApp.hoveredButton, 0);
  EXPECT_TRUE(MediaLogHas("play 3"));
  EXPECT_TRUE(IsTimerRunning(GameWindow, FrameTimer));
  EXPECT_TRUE(IsTimerRunning(GameWindow, LevelClockTimer));
}

TEST_F(LevelFlowTest, StartStopsARunningBomb) {
  gMap.levelCount = 1;
  MapLevel(1, 1, 4);
  gItems.bombRunning = true;
  gItems.bombX = 100;
  gItems.bombY = 80;
  StartLevel(1);
  EXPECT_FALSE(gItems.bombRunning);
  EXPECT_EQ(gItems.bombX, 0);
  EXPECT_EQ(gItems.bombY, 0);
}

// ---- Empty levels ----------------------------------------------------------------------------

TEST_F(LevelFlowTest, EmptyLevelCountsAsClearedAtOnce) {
  gMap.levelCount = 3;
  MapLevel(1, 1, 4);
  MapLevel(3, 2, 6);
  StartLevel(2);
  EXPECT_EQ(gPlay.currentLevel, 3);
  EXPECT_EQ(gItems.hints, StartItemCount + 1);
  EXPECT_EQ(gLevel.startCount, 6);
  EXPECT_TRUE(gApp.inPlay);
}

TEST_F(LevelFlowTest, RunOfEmptyLevelsEndsOnTheResultScreen) {
  gMap.levelCount = MaxLevels;
  StartLevel(1);
  EXPECT_EQ(gApp.screenState, ScreenResult);
  EXPECT_FALSE(gApp.inPlay);
  EXPECT_EQ(gPlay.currentLevel, MaxLevels);
  EXPECT_EQ(gItems.hints, StartItemCount + MaxLevels);
  EXPECT_FALSE(IsTimerRunning(GameWindow, LevelClockTimer));
}

TEST_F(LevelFlowTest, LevelAboveTheCountEndsTheGameInsteadOfLooping) {
  gMap.levelCount = 2;
  MapLevel(1, 1, 4);
  MapLevel(2, 1, 4);
  StartLevel(5);
  EXPECT_EQ(gApp.screenState, ScreenResult);
  EXPECT_EQ(gItems.hints, StartItemCount + 1);
}

// ---- Level end -------------------------------------------------------------------------------

TEST_F(LevelFlowTest, ProgressModeGoesOnToTheNextIntroduction) {
  gApp.freeMode = false;
  gMap.levelCount = 2;
  MapLevel(1, 1, 4);
  MapLevel(2, 4, 8);
  StartLevel(1);
  ClickLevelIntro();
  LevelCleared();
  EXPECT_EQ(gPlay.currentLevel, 2);
  EXPECT_EQ(gPlay.levelText, "2");
  EXPECT_FALSE(gApp.inPlay);
  EXPECT_EQ(gApp.screenState, ScreenLevelIntro);
  EXPECT_EQ(gLevel.totalText, "8");
}

TEST_F(LevelFlowTest, LastLevelShowsTheResultWithTheBonusHint) {
  gMap.levelCount = 3;
  for (int level = 1; level <= 3; ++level) MapLevel(level, 1, 4);
  StartLevel(3);
  LevelCleared();
  EXPECT_EQ(gApp.screenState, ScreenResult);
  EXPECT_FALSE(gApp.inPlay);
  EXPECT_EQ(gItems.hints, StartItemCount + 1);
  EXPECT_FALSE(IsTimerRunning(GameWindow, LevelClockTimer));
}

// ---- Game reset ------------------------------------------------------------------------------

TEST_F(LevelFlowTest, ResetGameStartsANewGameWithoutChangingThePage) {
  gMap.levelCount = 2;
  MapLevel(2, 1, 4);
  StartLevel(2);
  gItems.hints = 3;
  gItems.shuffles = 0;
  gItems.bombs = 42;
  SetScore(1234);
  gScore.elapsedTenths = 999;
  gScore.speed = 40;
  ResetGame();
  EXPECT_FALSE(gApp.inPlay);
  EXPECT_EQ(gApp.screenState, ScreenMainMenu);
  EXPECT_EQ(gPlay.currentLevel, 1);
  EXPECT_EQ(gItems.hints, StartItemCount);
  EXPECT_EQ(gItems.shuffles, StartItemCount);
  EXPECT_EQ(gItems.bombs, StartItemCount);
  EXPECT_EQ(gScore.score, 0);
  EXPECT_EQ(gScore.scoreText, "0");
  EXPECT_EQ(gScore.elapsedTenths, 0);
  EXPECT_EQ(gScore.speed, 40) << "the speed value runs on";
  EXPECT_FALSE(IsTimerRunning(GameWindow, LevelClockTimer));
}

// ---- Buttons ---------------------------------------------------------------------------------

TEST_F(LevelFlowTest, PauseStopsAndResumesTheClock) {
  gMap.levelCount = 1;
  MapLevel(1, 1, 4);
  StartLevel(1);
  PressPauseButton();
  EXPECT_TRUE(gPlay.paused);
  EXPECT_FALSE(IsTimerRunning(GameWindow, LevelClockTimer));
  PressPauseButton();
  EXPECT_FALSE(gPlay.paused);
  EXPECT_TRUE(IsTimerRunning(GameWindow, LevelClockTimer));
}

TEST_F(LevelFlowTest, LevelButtonsClearTheScoreAndStopAtTheEnds) {
  gMap.levelCount = 2;
  MapLevel(1, 1, 4);
  MapLevel(2, 1, 6);
  StartLevel(1);
  SetScore(500);
  PressPreviousLevelButton();
  EXPECT_EQ(gScore.scoreText, "0");
  EXPECT_EQ(gPlay.currentLevel, 1);
  SetScore(500);
  PressNextLevelButton();
  EXPECT_EQ(gPlay.currentLevel, 2);
  EXPECT_EQ(gScore.score, 0);
  EXPECT_EQ(gLevel.startCount, 6);
  SetScore(700);
  PressNextLevelButton();
  EXPECT_EQ(gPlay.currentLevel, 2) << "the last level only clears the score";
  EXPECT_EQ(gScore.score, 0);
  gItems.hints = 4;
  PressPreviousLevelButton();
  EXPECT_EQ(gPlay.currentLevel, 1);
  EXPECT_EQ(gItems.hints, 4) << "the items carry over";
}
