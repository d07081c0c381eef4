// The pair search, shuffles, the item buttons, the bomb and the item overlays.
#include "game/rules/items.h"

#include "game/presentation/sprites.h"
#include "game/rules/level_flow.h"
#include "game/rules/tiles.h"
#include "mapdata/geometry.h"
#include "platform/picture.h"
#include "rules_support.h"

namespace {

struct CellRef {
  int layer = 0, row = 0, column = 0;
};

// The pair search exactly as the rules word it: A over layers 10..1, rows, columns; for the
// first free A the first free B of the same face, not A, in the same order.
bool ReferencePair(CellRef& a, CellRef& b) {
  const auto& cells = gLevel.board.cell;
  for (int la = GameTopLayer; la >= 1; --la)
    for (int ra = 1; ra <= BoardRows; ++ra)
      for (int ca = 1; ca <= BoardColumns; ++ca) {
        if (cells[la][ra][ca] <= 0 || !IsTileFree(la, ra, ca)) continue;
        for (int lb = GameTopLayer; lb >= 1; --lb)
          for (int rb = 1; rb <= BoardRows; ++rb)
            for (int cb = 1; cb <= BoardColumns; ++cb) {
              if (cells[lb][rb][cb] != cells[la][ra][ca] || !IsTileFree(lb, rb, cb)) continue;
              if (lb == la && rb == ra && cb == ca) continue;
              a = CellRef{la, ra, ca};
              b = CellRef{lb, rb, cb};
              return true;
            }
      }
  return false;
}

// The shuffle exactly as the rules word it, on a copy of the board.
void ReferenceShuffle(LevelCells& board) {
  for (int l = 1; l <= GameTopLayer; ++l)
    for (int r = 1; r <= BoardRows; ++r)
      for (int c = 1; c <= BoardColumns; ++c) {
        if (board.cell[l][r][c] <= 0) continue;
        const int face = board.cell[l][r][c];
        int dl, dr, dc;
        do {
          dl = Random(10);
          dr = Random(9);
          dc = Random(20);
        } while (board.cell[dl][dr][dc] <= 0);
        board.cell[l][r][c] = board.cell[dl][dr][dc];
        board.cell[dl][dr][dc] = face;
      }
}

// Places of the tiles and their sorted faces.
void TileSummary(std::vector<int>& places, std::vector<int>& faces) {
  places.clear();
  faces.clear();
  for (int l = 0; l < LayerSlots; ++l)
    for (int r = 0; r < RowSlots; ++r)
      for (int c = 0; c < ColumnSlots; ++c)
        if (gLevel.board.cell[l][r][c] > 0) {
          places.push_back((l * RowSlots + r) * ColumnSlots + c);
          faces.push_back(gLevel.board.cell[l][r][c]);
        }
  std::sort(faces.begin(), faces.end());
}

bool SameBoard(const LevelCells& a, const LevelCells& b) {
  return std::equal(&a.cell[0][0][0], &a.cell[0][0][0] + sizeof(a.cell) / sizeof(int32_t),
                    &b.cell[0][0][0]);
}

}  // namespace

class ItemsTest : public RulesTest {
 protected:
  // A random board of the type: each cell of layers 2..top a tile with the given chance.
  void RandomBoard(int type, int topLayer, int percent, int faces) {
    EmptyBoard(type);
    for (int l = 2; l <= topLayer; ++l)
      for (int r = 1; r <= BoardRows; ++r)
        for (int c = 1; c <= BoardColumns; ++c)
          if (Random(99) < percent) PutTile(l, r, c, 1 + Random(faces - 1));
  }

  // Two tiles of face 1 stacked straight: the only tiles, no move.
  void StackedPair() {
    EmptyBoard(1);
    PutTile(2, 5, 5, 1);
    PutTile(3, 5, 5, 1);
  }

  // The only two free tiles match; the rest is blocked.
  void SingleFreePair() {
    EmptyBoard(1);
    for (int c = 1; c <= 5; ++c) PutTile(2, 2, c, c == 1 || c == 5 ? 6 : c + 10);
  }
};

// ---- Pair search -----------------------------------------------------------------------------

TEST_F(ItemsTest, SearchFindsExactlyTheReferencePair) {
  int found = 0;
  for (int round = 0; round < 400; ++round) {
    const int type = 1 + round % 4;
    const int density = round % 2 == 0 ? 1 + Random(10) : 20 + Random(80);
    RandomBoard(type, 2 + Random(8), density, 2 + Random(40));
    CellRef a, b;
    const bool expected = ReferencePair(a, b);
    ASSERT_EQ(AnyMoveExists(), expected) << "round " << round;
    gItems.hintShown = false;
    ASSERT_EQ(FindHint(), expected) << "round " << round;
    EXPECT_EQ(gItems.hintShown, expected);
    if (!expected) continue;
    ++found;
    int x = 0, y = 0;
    GameTilePosition(type, a.layer, a.row, a.column, x, y);
    EXPECT_EQ(gItems.hintX[0], x) << "round " << round;
    EXPECT_EQ(gItems.hintY[0], y) << "round " << round;
    GameTilePosition(type, b.layer, b.row, b.column, x, y);
    EXPECT_EQ(gItems.hintX[1], x) << "round " << round;
    EXPECT_EQ(gItems.hintY[1], y) << "round " << round;
  }
  EXPECT_GT(found, 100) << "the rounds must exercise found pairs";
  EXPECT_LT(found, 400) << "and boards without a move";
}

TEST_F(ItemsTest, StackedEqualFacesAreNoMove) {
  StackedPair();
  EXPECT_FALSE(AnyMoveExists());
  EXPECT_FALSE(FindHint());
  EXPECT_FALSE(gItems.hintShown);
}

TEST_F(ItemsTest, SearchDoesNotSelectAndFindHintResetsTheSparkle) {
  SingleFreePair();
  gItems.hintFrame = 7;
  ASSERT_TRUE(FindHint());
  EXPECT_EQ(gItems.hintFrame, 0);
  EXPECT_EQ(gLevel.first.layer, -1);
}

// ---- Shuffle ---------------------------------------------------------------------------------

TEST_F(ItemsTest, ShuffleKeepsPlacesAndFaces) {
  RandomBoard(4, 10, 60, 42);
  std::vector<int> placesBefore, facesBefore, placesAfter, facesAfter;
  TileSummary(placesBefore, facesBefore);
  const LevelCells before = gLevel.board;
  gLevel.first = Selection{2, 1, 1, 5, 10, 10};
  ShuffleBoard();
  TileSummary(placesAfter, facesAfter);
  EXPECT_EQ(placesAfter, placesBefore);
  EXPECT_EQ(facesAfter, facesBefore);
  EXPECT_FALSE(SameBoard(before, gLevel.board)) << "the faces moved";
  EXPECT_EQ(gLevel.first.layer, -1) << "a shuffle clears the first selection";
}

TEST_F(ItemsTest, ShuffleDrawsItsRandomCellsInTheRuleOrder) {
  RandomBoard(2, 7, 50, 30);
  LevelCells expected = gLevel.board;
  SeedRandom(99);
  ReferenceShuffle(expected);
  const int nextDraw = Random(1000000);
  SeedRandom(99);
  ShuffleBoard();
  EXPECT_TRUE(SameBoard(expected, gLevel.board));
  EXPECT_EQ(Random(1000000), nextDraw) << "the same number of draws";
}

// ---- Dead end --------------------------------------------------------------------------------

TEST_F(ItemsTest, DeadEndWithItemsReshufflesWithoutSpending) {
  StackedPair();
  CheckDeadEnd();
  EXPECT_TRUE(ShownDialogs().empty());
  EXPECT_EQ(gItems.hints + gItems.shuffles + gItems.bombs, 3 * StartItemCount);
  EXPECT_EQ(TilesOnBoard(), 2);
}

TEST_F(ItemsTest, DeadEndReshufflesUntilAMoveExists) {
  // Two faces in a straight row of four: A B A B has no move, A B B A has one.
  EmptyBoard(1);
  PutTile(2, 1, 1, 1);
  PutTile(2, 1, 2, 2);
  PutTile(2, 1, 3, 1);
  PutTile(2, 1, 4, 2);
  PutTile(2, 3, 1, 3);
  PutTile(2, 3, 2, 4);
  ASSERT_FALSE(AnyMoveExists());
  CheckDeadEnd();
  EXPECT_TRUE(AnyMoveExists());
}

TEST_F(ItemsTest, DeadEndWithoutItemsEndsTheGame) {
  StackedPair();
  gItems.hints = gItems.shuffles = gItems.bombs = 0;
  SetCurrentLevel(4);
  CheckDeadEnd();
  ASSERT_EQ(ShownDialogs().size(), 1u);
  EXPECT_EQ(ShownDialogs()[0].title, "");
  EXPECT_EQ(ShownDialogs()[0].text, "游戏结束，请再接再厉争取通关。");
  EXPECT_EQ(gPlay.currentLevel, 1);
  EXPECT_FALSE(gApp.inPlay);
  EXPECT_EQ(gItems.bombs, StartItemCount);
}

TEST_F(ItemsTest, OneItemLeftIsEnoughToAvoidGameOver) {
  for (int item = 0; item < 3; ++item) {
    EmptyBoard(1);
    PutTile(2, 1, 1, 1);
    PutTile(2, 1, 2, 2);
    PutTile(2, 1, 3, 1);
    PutTile(2, 1, 4, 2);
    gItems.hints = item == 0;
    gItems.shuffles = item == 1;
    gItems.bombs = item == 2;
    CheckDeadEnd();
    EXPECT_TRUE(ShownDialogs().empty()) << "item " << item;
    EXPECT_EQ(gItems.hints + gItems.shuffles + gItems.bombs, 1) << "nothing is spent";
  }
}

// ---- Hint button -----------------------------------------------------------------------------

TEST_F(ItemsTest, SingleFreePairFoundTwiceCostsTwoHints) {
  SingleFreePair();
  const LevelCells before = gLevel.board;
  PressHintButton();
  const int x0 = gItems.hintX[0], x1 = gItems.hintX[1];
  SwitchHintSparkleOff();
  PressHintButton();
  EXPECT_EQ(gItems.hints, StartItemCount - 2);
  EXPECT_TRUE(gItems.hintShown);
  EXPECT_EQ(gItems.hintX[0], x0);
  EXPECT_EQ(gItems.hintX[1], x1);
  EXPECT_NE(x0, x1);
  EXPECT_TRUE(SameBoard(before, gLevel.board)) << "no shuffle while a pair exists";
}

TEST_F(ItemsTest, HintWithoutPairSpendsOneAndReshuffles) {
  EmptyBoard(1);
  PutTile(2, 1, 1, 1);
  PutTile(2, 1, 2, 2);
  PutTile(2, 1, 3, 1);
  PutTile(2, 1, 4, 2);
  gLevel.first = Selection{2, 1, 1, 1, 5, 5};
  PressHintButton();
  EXPECT_EQ(gItems.hints, StartItemCount - 1);
  EXPECT_TRUE(gItems.hintShown) << "the reshuffle stops at the first pair found";
  EXPECT_TRUE(AnyMoveExists());
  EXPECT_EQ(gLevel.first.layer, -1);
}

TEST_F(ItemsTest, LastHintOnAStuckBoardWithoutOtherItemsEndsTheGame) {
  StackedPair();
  gItems.hints = 1;
  gItems.shuffles = gItems.bombs = 0;
  PressHintButton();
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"游戏结束，请再接再厉争取通关。"});
  EXPECT_EQ(gItems.hints, StartItemCount);
}

TEST_F(ItemsTest, UsedUpHintsSayHintsAreUsedUpUnlessTheGameIsLost) {
  SingleFreePair();
  gItems.hints = 0;
  PressHintButton();
  gItems.shuffles = gItems.bombs = 0;
  PressHintButton();   // a move is still there
  StackedPair();
  PressHintButton();   // nothing helps any more
  EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"提示道具已用完", "提示道具已用完",
                                                    "游戏结束，请再接再厉争取通关。"}));
}

// ---- Shuffle button --------------------------------------------------------------------------

TEST_F(ItemsTest, ShuffleButtonSpendsOneAndShufflesOnceEvenWithMoves) {
  RandomBoard(1, 4, 70, 8);
  ASSERT_TRUE(AnyMoveExists());
  LevelCells expected = gLevel.board;
  SeedRandom(7);
  ReferenceShuffle(expected);
  const LevelCells before = gLevel.board;
  gLevel.board = expected;
  ASSERT_TRUE(AnyMoveExists()) << "the seed must give a move after one shuffle";
  gLevel.board = before;
  SeedRandom(7);
  PressShuffleButton();
  EXPECT_EQ(gItems.shuffles, StartItemCount - 1);
  EXPECT_TRUE(SameBoard(expected, gLevel.board));
}

TEST_F(ItemsTest, UsedUpShufflesSayShufflesAreUsedUpUnlessTheGameIsLost) {
  SingleFreePair();
  gItems.shuffles = 0;
  PressShuffleButton();
  gItems.hints = gItems.bombs = 0;
  StackedPair();
  PressShuffleButton();
  EXPECT_EQ(ShownTexts(),
            (std::vector<std::string>{"打乱道具已用完", "游戏结束，请再接再厉争取通关。"}));
}

TEST_F(ItemsTest, LastShuffleOnAStuckBoardWithoutOtherItemsEndsTheGame) {
  StackedPair();
  gItems.shuffles = 1;
  gItems.hints = gItems.bombs = 0;
  PressShuffleButton();
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"游戏结束，请再接再厉争取通关。"});
}

// ---- Bomb ------------------------------------------------------------------------------------

TEST_F(ItemsTest, BombIsTheWayOutOfAStackedPair) {
  StackedPair();
  SelectTile(3, 5, 5, 240, 270);
  PressBombButton();
  EXPECT_EQ(gLevel.board.cell[3][5][5], 0);
  EXPECT_EQ(gLevel.board.cell[2][5][5], 1) << "the other tile of the face stays";
  EXPECT_EQ(gItems.bombs, StartItemCount - 1);
  EXPECT_EQ(gLevel.removedCount, 1);
  EXPECT_EQ(gLevel.remainingText, "1");
  EXPECT_EQ(gLevel.first.layer, -1);
  EXPECT_TRUE(gItems.bombRunning);
  int x = 0, y = 0;
  GameTilePosition(1, 3, 5, 5, x, y);
  EXPECT_EQ(gItems.bombX, x);
  EXPECT_EQ(gItems.bombY, y);
  EXPECT_TRUE(MediaLogHas("play 5"));
  EXPECT_EQ(gScore.score, 0) << "a bomb scores nothing";
  EXPECT_EQ(gScore.speed, 99);
}

TEST_F(ItemsTest, BombRefusals) {
  StackedPair();
  PressBombButton();
  EXPECT_EQ(gItems.bombs, StartItemCount) << "no selection, nothing spent";
  SelectTile(3, 5, 5, 240, 270);
  gItems.bombRunning = true;
  PressBombButton();
  EXPECT_EQ(gLevel.first.layer, 3) << "the bomb button keeps the selection";
  gItems.bombRunning = false;
  gItems.bombs = 0;
  PressBombButton();
  EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"请先选择需要炸掉的麻将",
                                                    "上一轮炸弹正在进行中...请等待!",
                                                    "炸弹道具已用完"}));
  for (const ShownDialog& d : ShownDialogs()) EXPECT_EQ(d.title, "");
  EXPECT_EQ(gLevel.board.cell[3][5][5], 1);
}

TEST_F(ItemsTest, BombButtonWithoutAnyItemOnAStuckBoardEndsTheGame) {
  StackedPair();
  gItems.hints = gItems.shuffles = gItems.bombs = 0;
  PressBombButton();
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"游戏结束，请再接再厉争取通关。"});
}

TEST_F(ItemsTest, BombOnTheLastTileClearsTheLevel) {
  gMap.levelCount = 1;
  gMap.arrangementType[1] = 1;
  PutMapTile(1, 2, 5, 5, 1);
  PutMapTile(1, 2, 5, 7, 1);
  StartLevel(1);
  SelectTile(2, 5, 5, 240, 270);
  PressBombButton();
  DrawBombAnimation();
  gItems.bombRunning = false;
  SelectTile(2, 5, 7, 330, 270);
  PressBombButton();
  EXPECT_EQ(gApp.screenState, ScreenResult);
  EXPECT_EQ(gItems.hints, StartItemCount + 1);
  EXPECT_EQ(gItems.bombs, StartItemCount - 2);
}

// ---- Developer counts ------------------------------------------------------------------------

TEST_F(ItemsTest, DeveloperCountsStopAt99) {
  gItems.hints = 98;
  gItems.bombs = 99;
  gItems.shuffles = 0;
  RaiseHintCount();
  RaiseHintCount();
  RaiseBombCount();
  RaiseShuffleCount();
  EXPECT_EQ(gItems.hints, 99);
  EXPECT_EQ(gItems.bombs, 99);
  EXPECT_EQ(gItems.shuffles, 1);
}

// ---- Overlays --------------------------------------------------------------------------------

TEST_F(ItemsTest, HintSparkleRestsEveryFifthFrame) {
  gItems.hintShown = true;
  gItems.hintX[0] = 100;
  gItems.hintY[0] = 200;
  gItems.hintX[1] = 500;
  gItems.hintY[1] = 300;
  for (int frame = 1; frame <= 10; ++frame) {
    StartDrawLog();
    DrawHintSparkle();
    StopDrawLog();
    if (frame % 5 == 0) {
      EXPECT_TRUE(DrawLog().empty()) << "frame " << frame;
      continue;
    }
    ASSERT_EQ(DrawLog().size(), 22u) << "frame " << frame;
    for (size_t i = 0; i < DrawLog().size(); ++i) {
      const DrawRecord& r = DrawLog()[i];
      const int cx = i < 11 ? 100 : 500, cy = i < 11 ? 200 : 300;
      EXPECT_EQ(r.number, SpriteStar);
      EXPECT_GE(r.x, cx - 21);
      EXPECT_LE(r.x, cx + 21);
      EXPECT_GE(r.y, cy - 27);
      EXPECT_LE(r.y, cy + 27);
      EXPECT_GE(r.opacity, 0);
      EXPECT_LE(r.opacity, 255);
    }
  }
  SwitchHintSparkleOff();
  StartDrawLog();
  DrawHintSparkle();
  StopDrawLog();
  EXPECT_TRUE(DrawLog().empty());
}

TEST_F(ItemsTest, BombAnimationShowsSixteenPicturesAndRunsItsCounterOn) {
  gItems.bombRunning = true;
  gItems.bombX = 300;
  gItems.bombY = 250;
  std::vector<int> pictures;
  StartDrawLog();
  while (gItems.bombRunning && pictures.size() < 100) {
    DrawBombAnimation();
    pictures.push_back(DrawLog().back().number - SpriteExplosion1 + 1);
  }
  StopDrawLog();
  ASSERT_EQ(pictures.size(), 32u);
  EXPECT_EQ(pictures[0], 1);
  EXPECT_EQ(pictures[1], 2);
  EXPECT_EQ(pictures[29], 16);
  EXPECT_EQ(pictures[31], 1) << "the last frame shows the picture after the wrap";
  EXPECT_EQ(DrawLog().back().x, 300);
  EXPECT_EQ(DrawLog().back().y, 250);
  gItems.bombRunning = true;
  gItems.bombFrame = 1;
  int frames = 0;
  while (gItems.bombRunning && frames < 100) {
    DrawBombAnimation();
    ++frames;
  }
  EXPECT_EQ(frames, 31) << "an odd counter left by an earlier bomb";
}
