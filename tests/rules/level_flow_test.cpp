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
  gPlay.freeMode = false;
  gFakeApp.inPlay = false;
  gFakeApp.screenState = ScreenLoading;
  StartLevel(1);
  ASSERT_EQ(ShownTexts().size(), 1u);
  EXPECT_EQ(gFakeApp.titles[0], "提示");
  EXPECT_EQ(gFakeApp.texts[0], "当前地图有错误");
  EXPECT_EQ(gFakeApp.screenState, ScreenMainMenu);
  EXPECT_TRUE(gPlay.freeMode);
  EXPECT_FALSE(gFakeApp.mapLoaded);
  EXPECT_FALSE(gFakeApp.clockRunning);
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
  EXPECT_EQ(gLevel.totalText + gLevel.remainingText + gPlay.levelText, "661");
  EXPECT_EQ(gLevel.arrangementType, 3);
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

TEST_F(LevelFlowTest, ProgressModeShowsTheIntroductionFreeModePlaysAtOnce) {
  gMap.levelCount = 1;
  MapLevel(1, 1, 4);
  for (bool free : {false, true}) {
    SCOPED_TRACE(free);
    gFakeApp.calls.clear();
    gPlay.freeMode = free;
    gFakeApp.inPlay = false;
    gFakeApp.hoveredButton = 3;
    gItems.bombRunning = true;
    gItems.bombX = 100;
    StartLevel(1);
    EXPECT_FALSE(gItems.bombRunning) << "a running bomb stops";
    EXPECT_EQ(gItems.bombX, 0);
    EXPECT_TRUE(gFakeApp.clockRunning);
    EXPECT_EQ(gFakeApp.inPlay, free);
    EXPECT_EQ(gFakeApp.screenState, free ? ScreenMainMenu : ScreenLevelIntro);
    EXPECT_EQ((Asked("effect 3") || Asked("sound 3")), free);
    if (!free) ClickLevelIntro();
    EXPECT_TRUE(gFakeApp.inPlay);
    EXPECT_EQ(gFakeApp.screenState, ScreenMainMenu);
    EXPECT_EQ(gFakeApp.hoveredButton, 0);
    EXPECT_TRUE((Asked("effect 3") || Asked("sound 3")));
  }
  PressPauseButton();
  EXPECT_TRUE(gPlay.paused);
  EXPECT_FALSE(gFakeApp.clockRunning);
  PressPauseButton();
  EXPECT_FALSE(gPlay.paused);
  EXPECT_TRUE(gFakeApp.clockRunning);
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
  EXPECT_TRUE(gFakeApp.inPlay);
}

TEST_F(LevelFlowTest, RunOfEmptyLevelsOrOneAboveTheCountEndsOnTheResultScreen) {
  gMap.levelCount = MaxLevels;
  StartLevel(1);
  EXPECT_EQ(gFakeApp.screenState, ScreenResult);
  EXPECT_FALSE(gFakeApp.inPlay);
  EXPECT_EQ(gPlay.currentLevel, MaxLevels);
  EXPECT_EQ(gItems.hints, StartItemCount + MaxLevels);
  EXPECT_FALSE(gFakeApp.clockRunning);
  ResetGame();
  gMap.levelCount = 2;
  MapLevel(1, 1, 4);
  MapLevel(2, 1, 4);
  StartLevel(5);
  EXPECT_EQ(gFakeApp.screenState, ScreenResult) << "no loop past the count";
  EXPECT_EQ(gItems.hints, StartItemCount + 1);
}

// ---- Level end -------------------------------------------------------------------------------

TEST_F(LevelFlowTest, ProgressModeGoesOnToTheNextIntroductionThenTheResult) {
  gPlay.freeMode = false;
  gMap.levelCount = 2;
  MapLevel(1, 1, 4);
  MapLevel(2, 4, 8);
  StartLevel(1);
  ClickLevelIntro();
  LevelCleared();
  EXPECT_EQ(gPlay.currentLevel, 2);
  EXPECT_EQ(gPlay.levelText, "2");
  EXPECT_FALSE(gFakeApp.inPlay);
  EXPECT_EQ(gFakeApp.screenState, ScreenLevelIntro);
  EXPECT_EQ(gLevel.totalText, "8");
  ClickLevelIntro();
  LevelCleared();
  EXPECT_EQ(gFakeApp.screenState, ScreenResult);
  EXPECT_FALSE(gFakeApp.inPlay);
  EXPECT_EQ(gItems.hints, StartItemCount + 2) << "a bonus hint for each cleared level";
  EXPECT_FALSE(gFakeApp.clockRunning);
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
  gFakeApp.screenState = ScreenLevelIntro;   // any page but the main menu
  ResetGame();
  EXPECT_FALSE(gFakeApp.inPlay);
  EXPECT_EQ(gFakeApp.screenState, ScreenLevelIntro) << "the page is not ResetGame's to change";
  EXPECT_EQ(std::vector<int>({gPlay.currentLevel, gItems.hints, gItems.shuffles, gItems.bombs,
                              gScore.score, gScore.elapsedTenths}),
            std::vector<int>({1, StartItemCount, StartItemCount, StartItemCount, 0, 0}));
  EXPECT_EQ(gScore.scoreText, "0");
  EXPECT_EQ(gScore.speed, 40) << "the speed value runs on";
  EXPECT_FALSE(gFakeApp.clockRunning);
}

// ---- Buttons ---------------------------------------------------------------------------------

TEST_F(LevelFlowTest, LevelButtonsClearTheScoreAndStopAtTheEnds) {
  gMap.levelCount = 2;
  MapLevel(1, 1, 4);
  MapLevel(2, 1, 6);
  StartLevel(1);
  gItems.hints = 4;
  // At either end a button only clears the score; the items carry over.
  void (*const buttons[4])() = {PressPreviousLevelButton, PressNextLevelButton,
                                PressNextLevelButton, PressPreviousLevelButton};
  const int levels[4] = {1, 2, 2, 1};
  for (int i = 0; i < 4; ++i) {
    SetScore(500);
    buttons[i]();
    EXPECT_EQ(gPlay.currentLevel, levels[i]) << i;
    EXPECT_EQ(gScore.scoreText, "0") << i;
    EXPECT_EQ(gLevel.startCount, 4 + 2 * (levels[i] - 1)) << i;
    EXPECT_EQ(gItems.hints, 4) << i;
  }
}
