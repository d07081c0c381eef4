// Free tiles, selections and pair removal.
#include "game/rules/tiles.h"

#include "game/rules/level_flow.h"
#include "game/rules/removal_effects.h"
#include "mapdata/geometry.h"
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
  for (int column = 1; column <= BoardColumns; ++column) PutTile(2, 9, column, 3);
  for (int column = 1; column <= BoardColumns; ++column)
    EXPECT_EQ(IsTileFree(2, 9, column), column == 1 || column == BoardColumns) << column;
}

TEST_F(FreeTileTest, EachTypeIsCoveredOnlyByItsOwnCellsOfTheLayerAbove) {
  // A tile of layer 2; cells of layer 3 that leave it free; cells that each cover it alone. The
  // margins (row 0, column 0) are empty, so the first row and column have fewer covers.
  struct Case {
    int type, row, column;
    std::vector<std::pair<int, int>> free, cover;
  };
  const Case cases[] = {
      {1, 5, 5, {{4, 4}, {4, 6}, {6, 4}, {6, 6}}, {{5, 5}}},
      {2, 5, 5, {{5, 6}, {4, 5}}, {{5, 4}, {5, 5}}},
      {2, 3, 1, {}, {{3, 1}}},
      {3, 5, 5, {{6, 5}, {5, 4}}, {{4, 5}, {5, 5}}},
      {3, 1, 8, {}, {{1, 8}}},
      {4, 5, 5, {{6, 6}, {6, 5}, {5, 6}}, {{5, 5}, {4, 5}, {5, 4}, {4, 4}}},
      {4, 1, 1, {{2, 2}}, {{1, 1}}},
  };
  for (const Case& c : cases) {
    for (const auto& [row, column] : c.cover) {
      SCOPED_TRACE(testing::Message() << "type " << c.type << " tile " << c.row << "," << c.column
                                      << " cover " << row << "," << column);
      EmptyBoard(c.type);
      PutTile(2, c.row, c.column, 1);
      for (const auto& [r, col] : c.free) PutTile(3, r, col, 1);
      EXPECT_TRUE(IsTileFree(2, c.row, c.column));
      PutTile(3, row, column, 1);
      EXPECT_FALSE(IsTileFree(2, c.row, c.column));
    }
  }
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

TEST_F(SelectionTest, OnlyAFreeTileIsSelected) {
  SelectTile(2, 7, 3, 100, 100);
  EXPECT_EQ(gLevel.first.layer, -1);
  EXPECT_FALSE((Asked("effect 1") || Asked("sound 1"))) << "no sound for a tile that is not free";
  SelectTile(2, 1, 1, 61, 70);
  const Selection& f = gLevel.first;
  EXPECT_EQ(std::vector<int>({f.layer, f.row, f.column, f.face, f.x, f.y}),
            std::vector<int>({2, 1, 1, 7, 61, 70}));
  EXPECT_TRUE((Asked("effect 1") || Asked("sound 1")));
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
  gScore.speed = 57;
  gScore.score = 7950;             // the pair's 114 points pass the first shuffle threshold
  SelectTile(2, 5, 1, 63, 290);    // C, B's face
  EXPECT_EQ(gLevel.board.cell[2][3][1] + gLevel.board.cell[2][5][1], 0);
  EXPECT_EQ(gLevel.board.cell[2][1][1], 7) << "A stays";
  EXPECT_EQ(gLevel.first.layer + gLevel.second.layer, -2);
  const EffectState& e = gEffects;
  EXPECT_EQ(std::vector<int>({e.flying[0].face, e.flying[0].x, e.flying[0].y, e.flying[1].x}),
            std::vector<int>({9, 62, 180, 63})) << "the flying tiles start at the click points";
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  GameTilePosition(1, 2, 3, 1, x1, y1);
  GameTilePosition(1, 2, 5, 1, x2, y2);
  EXPECT_EQ(std::vector<int>({e.removalX[0], e.removalY[0], e.removalX[1], e.removalY[1]}),
            std::vector<int>({x1, y1, x2, y2}));
  EXPECT_EQ(std::vector<int>({e.popupY[0], e.popupY[1], e.popupTens, e.popupUnits, e.popupOpacity}),
            std::vector<int>({y1, y2, 5, 7, 255}));
  EXPECT_TRUE(e.flyingRunning && e.particlesRunning);
  EXPECT_EQ(gScore.score, 7950 + 114);
  EXPECT_EQ(gItems.shuffles, StartItemCount + 1) << "the removal awards its items";
  EXPECT_TRUE(gScore.bannerShuffle);
  EXPECT_EQ(gScore.speed, 99);
  EXPECT_EQ(gLevel.removedCount, 2);
  EXPECT_EQ(gLevel.remainingText, "6");
  EXPECT_TRUE((Asked("effect 2") || Asked("sound 2")));
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
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"游戏结束，请再接再厉争取通关。"});
  EXPECT_FALSE(gFakeApp.inPlay);
  EXPECT_EQ(gItems.hints, StartItemCount) << "the game was reset";
}

// ---- Pair removal ----------------------------------------------------------------------------

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
  EXPECT_TRUE(gFakeApp.inPlay);
}

TEST_F(LastPairTest, HintBonusOfTheLastLevelCountsBeforeTheDeadEndCheck) {
  StartTwoLevelMap();
  StartLevel(2);
  gItems.hints = gItems.shuffles = gItems.bombs = 0;
  SelectTile(2, 4, 4, 200, 220);
  SelectTile(2, 4, 8, 370, 220);
  EXPECT_EQ(gFakeApp.screenState, ScreenResult);
  EXPECT_FALSE(gFakeApp.inPlay);
  EXPECT_EQ(gItems.hints, 1);
  EXPECT_TRUE(ShownTexts().empty()) << "an empty board with a hint left is no game over";
  EXPECT_FALSE(gFakeApp.clockRunning);
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
  }
};

TEST_F(RemovalEffectsTest, FlyingTilesEndWhenBothAreOffScreenAndThePopupHasRisen) {
  StartRemovalEffects();
  // The pop-up reaches y < 0 after 151 frames, later than either tile leaves the screen.
  int frames = 0;
  for (; gEffects.flyingRunning && frames < 1000; ++frames) StepFlyingTiles();
  EXPECT_EQ(frames, 151);
  EXPECT_LE(gEffects.flying[0].x, -40);
  EXPECT_GT(gEffects.flying[1].x, 930);
}

TEST_F(RemovalEffectsTest, ParticleBurstLastsSixteenStepsOfTwoFrames) {
  StartRemovalEffects();
  ASSERT_TRUE(StepParticleBurst());
  for (int i = 0; i < 2 * ParticlesPerTile; ++i) {
    const EffectDot& p = gEffects.particles[i];
    const int x = i < ParticlesPerTile ? 250 : 350, y = i < ParticlesPerTile ? 150 : 200;
    EXPECT_TRUE(std::abs(p.x - x) <= 21 && std::abs(p.y - y) <= 27) << i;
  }
  int frames = 1;
  for (; gEffects.particlesRunning && frames < 100; ++frames) StepParticleBurst();
  EXPECT_EQ(frames, 32) << "from frame counter 0 the sixteenth step falls on frame 32";
  EXPECT_EQ(gEffects.particleStep, 1);
  gEffects.particleFrame = 1;   // a counter left odd by an earlier burst
  gEffects.particlesRunning = true;
  for (frames = 0; gEffects.particlesRunning && frames < 100; ++frames) StepParticleBurst();
  EXPECT_EQ(frames, 31);
}
