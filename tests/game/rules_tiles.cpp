// Free tiles, selections and pair removal.
#include "game/rules/tiles.h"

#include "game/presentation/sprites.h"
#include "game/rules/level_flow.h"
#include "game/rules/removal_effects.h"
#include "mapdata/geometry.h"
#include "platform/picture.h"
#include "rules_support.h"

// ---- Free-tile tests -------------------------------------------------------------------------

class FreeTileTest : public RulesTest {};

TEST_F(FreeTileTest, SideTestNeedsOneEmptyNeighbour) {
  EmptyBoard(1);
  PutTile(2, 5, 5, 1);
  EXPECT_TRUE(IsSideOpen(2, 5, 5));
  PutTile(2, 5, 6, 1);
  EXPECT_TRUE(IsSideOpen(2, 5, 5)) << "the left side is still empty";
  PutTile(2, 5, 4, 1);
  EXPECT_FALSE(IsSideOpen(2, 5, 5));
  EXPECT_FALSE(IsTileFree(2, 5, 5)) << "neighbours on both sides block whatever lies above";
  gLevel.board.cell[2][5][4] = -1;
  EXPECT_FALSE(IsSideOpen(2, 5, 5)) << "only exact 0 is empty";
}

TEST_F(FreeTileTest, GridEdgesAreAlwaysOpenSideways) {
  EmptyBoard(1);
  for (int column = 1; column <= BoardColumns; ++column) PutTile(2, 9, column, 3);
  EXPECT_TRUE(IsTileFree(2, 9, 1));
  EXPECT_TRUE(IsTileFree(2, 9, BoardColumns));
  for (int column = 2; column < BoardColumns; ++column) EXPECT_FALSE(IsTileFree(2, 9, column));
}

TEST_F(FreeTileTest, StraightStackIsCoveredOnlyByItsOwnCell) {
  EmptyBoard(1);
  PutTile(2, 5, 5, 1);
  PutTile(3, 4, 4, 1);
  PutTile(3, 4, 6, 1);
  PutTile(3, 6, 4, 1);
  PutTile(3, 6, 6, 1);
  EXPECT_TRUE(IsTileFree(2, 5, 5)) << "diagonal cells above do not cover";
  PutTile(3, 5, 5, 1);
  EXPECT_FALSE(IsTileFree(2, 5, 5));
}

TEST_F(FreeTileTest, RightShiftIsCoveredFromItsColumnAndTheOneBefore) {
  EmptyBoard(2);
  PutTile(2, 5, 5, 1);
  PutTile(3, 5, 6, 1);
  PutTile(3, 4, 5, 1);
  EXPECT_TRUE(IsTileFree(2, 5, 5));
  PutTile(3, 5, 4, 1);
  EXPECT_FALSE(IsTileFree(2, 5, 5));
  // Column 1 can only be covered from column 1: column 0 is the empty margin.
  PutTile(2, 3, 1, 1);
  EXPECT_TRUE(IsTileFree(2, 3, 1));
  PutTile(3, 3, 1, 1);
  EXPECT_FALSE(IsTileFree(2, 3, 1));
}

TEST_F(FreeTileTest, DownShiftIsCoveredFromItsRowAndTheOneAbove) {
  EmptyBoard(3);
  PutTile(2, 5, 5, 1);
  PutTile(3, 6, 5, 1);
  PutTile(3, 5, 4, 1);
  EXPECT_TRUE(IsTileFree(2, 5, 5));
  PutTile(3, 4, 5, 1);
  EXPECT_FALSE(IsTileFree(2, 5, 5));
  PutTile(2, 1, 8, 1);
  EXPECT_TRUE(IsTileFree(2, 1, 8)) << "row 0 above row 1 is the empty margin";
  PutTile(3, 1, 8, 1);
  EXPECT_FALSE(IsTileFree(2, 1, 8));
}

TEST_F(FreeTileTest, DiagonalShiftIsCoveredByAnyOfFourCells) {
  const int cover[4][2] = {{5, 5}, {4, 5}, {5, 4}, {4, 4}};
  for (const auto& above : cover) {
    EmptyBoard(4);
    PutTile(2, 5, 5, 1);
    PutTile(3, 6, 6, 1);
    PutTile(3, 6, 5, 1);
    PutTile(3, 5, 6, 1);
    EXPECT_TRUE(IsTileFree(2, 5, 5));
    PutTile(3, above[0], above[1], 1);
    EXPECT_FALSE(IsTileFree(2, 5, 5)) << "row " << above[0] << " column " << above[1];
  }
  EmptyBoard(4);
  PutTile(2, 1, 1, 1);
  PutTile(3, 2, 2, 1);
  EXPECT_TRUE(IsTileFree(2, 1, 1)) << "the corner can only be covered from its own cell";
}

TEST_F(FreeTileTest, TopLayerIsNeverCovered) {
  for (int type = 1; type <= 4; ++type) {
    EmptyBoard(type);
    PutTile(GameTopLayer, 1, 1, 1);
    PutTile(GameTopLayer, 9, 20, 1);
    EXPECT_TRUE(IsTileFree(GameTopLayer, 1, 1)) << "type " << type;
    EXPECT_TRUE(IsTileFree(GameTopLayer, 9, 20)) << "type " << type;
  }
}

// ---- Selection -------------------------------------------------------------------------------

class SelectionTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    EmptyBoard(1);
    PutTile(2, 1, 1, 7);    // A
    PutTile(2, 3, 1, 9);    // B
    PutTile(2, 5, 1, 9);    // C
    PutTile(2, 7, 1, 7);    // A's partner, so that a move is left after B and C
    PutTile(2, 7, 2, 4);    // a pair that is never free
    PutTile(2, 7, 3, 8);
    PutTile(2, 7, 4, 4);
    PutTile(3, 7, 3, 8);
  }
};

TEST_F(SelectionTest, FirstClickOnAFreeTileSelectsIt) {
  SelectTile(2, 1, 1, 61, 70);
  EXPECT_EQ(gLevel.first.layer, 2);
  EXPECT_EQ(gLevel.first.row, 1);
  EXPECT_EQ(gLevel.first.column, 1);
  EXPECT_EQ(gLevel.first.face, 7);
  EXPECT_EQ(gLevel.first.x, 61);
  EXPECT_EQ(gLevel.first.y, 70);
  EXPECT_TRUE(MediaLogHas("play 1"));
}

TEST_F(SelectionTest, ClickOnATileThatIsNotFreeDoesNothing) {
  SelectTile(2, 7, 3, 100, 100);
  EXPECT_EQ(gLevel.first.layer, -1);
  EXPECT_FALSE(MediaLogHas("play 1")) << "no sound for a tile that is not free";
  SelectTile(2, 1, 1, 61, 70);
  SelectTile(2, 7, 3, 100, 100);
  EXPECT_EQ(gLevel.first.row, 1) << "the first selection stays";
  EXPECT_EQ(gLevel.board.cell[2][1][1], 7);
}

TEST_F(SelectionTest, MismatchThenMatchRemovesTheLastTwo) {
  SelectTile(2, 1, 1, 61, 70);     // A
  SelectTile(2, 3, 1, 62, 180);    // B, another face
  EXPECT_EQ(gLevel.first.row, 3) << "B became the selection";
  EXPECT_EQ(gLevel.first.x, 62);
  EXPECT_EQ(gLevel.second.layer, -1);
  EXPECT_EQ(TilesOnBoard(), 8);
  SelectTile(2, 5, 1, 63, 290);    // C, B's face
  EXPECT_EQ(gLevel.board.cell[2][3][1], 0);
  EXPECT_EQ(gLevel.board.cell[2][5][1], 0);
  EXPECT_EQ(gLevel.board.cell[2][1][1], 7) << "A stays";
  EXPECT_EQ(gLevel.first.layer, -1);
  EXPECT_EQ(gLevel.second.layer, -1);
  EXPECT_EQ(gEffects.flying[0].face, 9);
  EXPECT_EQ(gEffects.flying[0].x, 62) << "the first flying tile starts at B's click point";
  EXPECT_EQ(gEffects.flying[0].y, 180);
  EXPECT_EQ(gEffects.flying[1].x, 63);
}

TEST_F(SelectionTest, SameTileTwiceClearsTheSelectionAndStillChecksForADeadEnd) {
  // Nothing but a stacked pair and two odd faces: no move; without items the game ends.
  EmptyBoard(1);
  PutTile(2, 5, 5, 1);
  PutTile(3, 5, 5, 1);
  PutTile(2, 1, 1, 2);
  PutTile(2, 1, 3, 3);
  gItems.hints = gItems.shuffles = gItems.bombs = 0;
  SelectTile(2, 1, 1, 50, 60);
  SelectTile(2, 1, 1, 50, 60);
  EXPECT_EQ(gLevel.first.layer, -1);
  EXPECT_EQ(gLevel.board.cell[2][1][1], 2) << "the tile is not removed";
  ASSERT_EQ(ShownDialogs().size(), 1u);
  EXPECT_EQ(ShownDialogs()[0].text, "游戏结束，请再接再厉争取通关。");
  EXPECT_EQ(ShownDialogs()[0].title, "");
  EXPECT_FALSE(gApp.inPlay);
  EXPECT_EQ(gItems.hints, StartItemCount) << "the game was reset";
}

// ---- Pair removal ----------------------------------------------------------------------------

TEST_F(SelectionTest, RemovalRecordsEffectsAndScoresTheSpeedValue) {
  gScore.speed = 57;
  gScore.streak = 0;
  SelectTile(2, 3, 1, 62, 180);
  SelectTile(2, 5, 1, 63, 290);
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  GameTilePosition(1, 2, 3, 1, x1, y1);
  GameTilePosition(1, 2, 5, 1, x2, y2);
  EXPECT_EQ(gEffects.removalX[0], x1);
  EXPECT_EQ(gEffects.removalY[0], y1);
  EXPECT_EQ(gEffects.removalX[1], x2);
  EXPECT_EQ(gEffects.removalY[1], y2);
  EXPECT_EQ(gEffects.popupY[0], y1);
  EXPECT_EQ(gEffects.popupY[1], y2);
  EXPECT_EQ(gEffects.popupTens, 5);
  EXPECT_EQ(gEffects.popupUnits, 7);
  EXPECT_EQ(gEffects.popupOpacity, 255);
  EXPECT_TRUE(gEffects.flyingRunning);
  EXPECT_TRUE(gEffects.particlesRunning);
  EXPECT_EQ(gScore.score, 114);
  EXPECT_EQ(gScore.speed, 99);
  EXPECT_EQ(gLevel.removedCount, 2);
  EXPECT_EQ(gLevel.remainingText, "6");
  EXPECT_TRUE(MediaLogHas("play 2"));
}

TEST_F(SelectionTest, SoundsFollowTheEffectsSwitch) {
  gSettings.effectsOn = 0;
  SelectTile(2, 3, 1, 62, 180);
  SelectTile(2, 5, 1, 63, 290);
  EXPECT_EQ(gLevel.removedCount, 2);
  EXPECT_FALSE(MediaLogHas("play 1"));
  EXPECT_FALSE(MediaLogHas("play 2"));
}

class LastPairTest : public RulesTest {
 protected:
  // A map of two levels of two tiles each, level 1 in play.
  void StartTwoLevelMap() {
    for (int level = 1; level <= 2; ++level) {
      gMap.arrangementType[level] = 1;
      PutMapTile(level, 2, 4, 4, 5);
      PutMapTile(level, 2, 4, 8, 5);
    }
    gMap.levelCount = 2;
    StartLevel(1);
  }
};

TEST_F(LastPairTest, LastPairOfALevelStartsTheNextOne) {
  StartTwoLevelMap();
  SelectTile(2, 4, 4, 200, 220);
  SelectTile(2, 4, 8, 370, 220);
  EXPECT_EQ(gPlay.currentLevel, 2);
  EXPECT_EQ(gItems.hints, StartItemCount + 1) << "the hint bonus of a cleared level";
  EXPECT_EQ(TilesOnBoard(), 2) << "level 2 is on the board";
  EXPECT_EQ(gLevel.first.layer, -1);
  EXPECT_EQ(gLevel.second.layer, -1);
  EXPECT_TRUE(gApp.inPlay);
}

TEST_F(LastPairTest, HintBonusOfTheLastLevelCountsBeforeTheDeadEndCheck) {
  StartTwoLevelMap();
  StartLevel(2);
  gItems.hints = gItems.shuffles = gItems.bombs = 0;
  SelectTile(2, 4, 4, 200, 220);
  SelectTile(2, 4, 8, 370, 220);
  EXPECT_EQ(gApp.screenState, ScreenResult);
  EXPECT_FALSE(gApp.inPlay);
  EXPECT_EQ(gItems.hints, 1);
  EXPECT_TRUE(ShownDialogs().empty()) << "an empty board with a hint left is no game over";
  EXPECT_FALSE(IsTimerRunning(GameWindow, LevelClockTimer));
}

// ---- Removal effects -------------------------------------------------------------------------

class RemovalEffectsTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    gEffects.flying[0] = FlyingTile{12, 400, 300};
    gEffects.flying[1] = FlyingTile{12, 500, 300};
    gEffects.removalX[0] = 250;
    gEffects.removalY[0] = 150;
    gEffects.removalX[1] = 350;
    gEffects.removalY[1] = 200;
    gEffects.popupY[0] = 150;
    gEffects.popupY[1] = 200;
    gEffects.popupOpacity = 255;
    gEffects.popupTens = 4;
    gEffects.popupUnits = 2;
  }
};

TEST_F(RemovalEffectsTest, FlyingTilesEndWhenBothAreOffScreenAndThePopupHasRisen) {
  StartRemovalEffects();
  // The pop-up reaches y < 0 after 151 frames, later than either tile leaves the screen.
  int frames = 0;
  while (gEffects.flyingRunning && frames < 1000) {
    DrawFlyingTiles();
    ++frames;
  }
  EXPECT_EQ(frames, 151);
  EXPECT_LE(gEffects.flying[0].x, -40);
  EXPECT_GT(gEffects.flying[1].x, 930);
}

TEST_F(RemovalEffectsTest, DriftPatternsMoveTheTilesVertically) {
  const int expected[5][2] = {{0, 0}, {-5, 5}, {5, -5}, {5, 5}, {-5, -5}};
  for (int drift = 0; drift <= 4; ++drift) {
    gEffects.flying[0] = FlyingTile{12, 400, 300};
    gEffects.flying[1] = FlyingTile{12, 500, 300};
    gEffects.drift = drift;
    gEffects.flyingRunning = true;
    DrawFlyingTiles();
    EXPECT_EQ(gEffects.flying[0].x, 395);
    EXPECT_EQ(gEffects.flying[1].x, 505);
    EXPECT_EQ(gEffects.flying[0].y, 300 + expected[drift][0]) << "pattern " << drift;
    EXPECT_EQ(gEffects.flying[1].y, 300 + expected[drift][1]) << "pattern " << drift;
  }
}

TEST_F(RemovalEffectsTest, PopupFollowsTheSwayAndFadesOut) {
  gEffects.sway = 10;
  gEffects.swayFrame = 25;   // the next frame turns the sway back
  StartRemovalEffects();
  StartDrawLog();
  DrawFlyingTiles();
  StopDrawLog();
  EXPECT_EQ(gEffects.sway, 9);
  const auto& log = DrawLog();
  ASSERT_EQ(log.size(), 8u);
  EXPECT_EQ(log[0].number, SpriteFaceHighlighted0 + 12);
  EXPECT_EQ(log[2].number, SpritePopupSign);
  EXPECT_EQ(log[2].x, 250 + 9 - 30);
  EXPECT_EQ(log[2].y, 149);
  EXPECT_EQ(log[2].opacity, 253);
  EXPECT_EQ(log[3].number, SpritePopupDigit0 + 4);
  EXPECT_EQ(log[3].x, 259);
  EXPECT_EQ(log[4].number, SpritePopupDigit0 + 2);
  EXPECT_EQ(log[4].x, 289);
  EXPECT_EQ(log[7].x, 350 + 9 + 30);
  EXPECT_EQ(log[7].y, 199);

  for (int frame = 0; frame < 126; ++frame) DrawFlyingTiles();
  StartDrawLog();
  DrawFlyingTiles();   // the opacity reaches 255 - 2 * 128 < 0
  StopDrawLog();
  EXPECT_EQ(DrawLog().size(), 2u) << "only the tiles once the pop-up has faded";
}

TEST_F(RemovalEffectsTest, SwayCycleRunsOnAcrossRemovals) {
  StartRemovalEffects();
  for (int frame = 0; frame < 51; ++frame) DrawFlyingTiles();
  EXPECT_EQ(gEffects.swayFrame, 0) << "the counter returns to 0 once it passes 50";
  EXPECT_EQ(gEffects.sway, 25 - 26);
}

TEST_F(RemovalEffectsTest, ParticleBurstLastsSixteenStepsOfTwoFrames) {
  StartRemovalEffects();
  StartDrawLog();
  DrawParticleBurst();
  StopDrawLog();
  ASSERT_EQ(DrawLog().size(), 160u);
  for (const DrawRecord& r : DrawLog()) {
    EXPECT_EQ(r.number, SpriteParticle);
    const bool nearFirst = r.x >= 250 - 21 && r.x <= 250 + 21 && r.y >= 150 - 27 &&
                           r.y <= 150 + 27;
    const bool nearSecond = r.x >= 350 - 21 && r.x <= 350 + 21 && r.y >= 200 - 27 &&
                            r.y <= 200 + 27;
    EXPECT_TRUE(nearFirst || nearSecond);
  }
  int frames = 1;
  while (gEffects.particlesRunning && frames < 100) {
    DrawParticleBurst();
    ++frames;
  }
  EXPECT_EQ(frames, 32) << "from frame counter 0 the sixteenth step falls on frame 32";
  EXPECT_EQ(gEffects.particleStep, 1);
  gEffects.particleFrame = 1;   // a counter left odd by an earlier burst
  gEffects.particlesRunning = true;
  frames = 0;
  while (gEffects.particlesRunning && frames < 100) {
    DrawParticleBurst();
    ++frames;
  }
  EXPECT_EQ(frames, 31);
}
