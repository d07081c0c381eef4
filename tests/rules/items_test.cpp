// The pair search, shuffles, the item buttons, the bomb and the item overlays.
#include "game/rules/items.h"

#include "game/rules/level_flow.h"
#include "game/rules/tiles.h"
#include "mapdata/geometry.h"
#include "rules_support.h"

namespace {

const std::string GameOver = "游戏结束，请再接再厉争取通关。";

// The pair search exactly as the rules word it: A over layers 10..1, rows, columns; for the
// first free A the first free B of the same face, not A, in the same order. Gives the cells'
// positions on screen.
bool ReferencePair(int type, int ax[2], int ay[2]) {
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
              GameTilePosition(type, la, ra, ca, ax[0], ay[0]);
              GameTilePosition(type, lb, rb, cb, ax[1], ay[1]);
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

  // A B A B in a straight row: no move, but a reshuffle can make one.
  void AlternatingRow() {
    EmptyBoard(1);
    for (int c = 1; c <= 4; ++c) PutTile(2, 1, c, 1 + (c + 1) % 2);
  }

  // The only two free tiles match; the rest is blocked.
  void SingleFreePair() {
    EmptyBoard(1);
    for (int c = 1; c <= 5; ++c) PutTile(2, 2, c, c == 1 || c == 5 ? 6 : c + 10);
  }

  static void SetItems(int hints, int shuffles, int bombs) {
    gItems.hints = hints;
    gItems.shuffles = shuffles;
    gItems.bombs = bombs;
  }
};

// ---- Pair search -----------------------------------------------------------------------------

TEST_F(ItemsTest, SearchFindsExactlyTheReferencePair) {
  int found = 0;
  for (int round = 0; round < 400; ++round) {
    SCOPED_TRACE(round);
    const int type = 1 + round % 4;
    const int density = round % 2 == 0 ? 1 + Random(10) : 20 + Random(80);
    RandomBoard(type, 2 + Random(8), density, 2 + Random(40));
    int x[2], y[2];
    const bool expected = ReferencePair(type, x, y);
    ASSERT_EQ(AnyMoveExists(), expected);
    gItems.hintShown = false;
    gItems.hintFrame = 7;
    ASSERT_EQ(FindHint(), expected);
    EXPECT_EQ(gItems.hintShown, expected);
    EXPECT_EQ(gLevel.first.layer, -1) << "the search selects nothing";
    if (!expected) continue;
    ++found;
    EXPECT_EQ(gItems.hintFrame, 0) << "a found hint restarts the sparkle";
    EXPECT_EQ(std::vector<int>(gItems.hintX, gItems.hintX + 2), std::vector<int>(x, x + 2));
    EXPECT_EQ(std::vector<int>(gItems.hintY, gItems.hintY + 2), std::vector<int>(y, y + 2));
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

// ---- Shuffle ---------------------------------------------------------------------------------

TEST_F(ItemsTest, ShuffleKeepsPlacesAndFacesInTheRuleOrderOfDraws) {
  RandomBoard(4, 10, 60, 42);
  const LevelCells before = gLevel.board;
  LevelCells expected = gLevel.board;
  SeedRandom(99);
  ReferenceShuffle(expected);
  const int nextDraw = Random(1000000);
  SeedRandom(99);
  gLevel.first = Selection{2, 1, 1, 5, 10, 10};
  ShuffleBoard();
  EXPECT_TRUE(SameBoard(expected, gLevel.board));
  EXPECT_EQ(Random(1000000), nextDraw) << "the same number of draws";
  EXPECT_FALSE(SameBoard(before, gLevel.board)) << "the faces moved";
  EXPECT_EQ(gLevel.first.layer, -1) << "a shuffle clears the first selection";
  auto cells = [](const LevelCells& board) {
    const int32_t* first = &board.cell[0][0][0];
    return std::vector<int>(first, first + sizeof(board.cell) / sizeof(int32_t));
  };
  std::vector<int> facesBefore = cells(before), facesAfter = cells(gLevel.board);
  for (size_t i = 0; i < facesBefore.size(); ++i) EXPECT_EQ(facesBefore[i] > 0, facesAfter[i] > 0);
  std::sort(facesBefore.begin(), facesBefore.end());
  std::sort(facesAfter.begin(), facesAfter.end());
  EXPECT_EQ(facesAfter, facesBefore) << "the same multiset of faces";
}

// ---- Dead end --------------------------------------------------------------------------------

TEST_F(ItemsTest, OneItemLeftIsEnoughToAvoidGameOver) {
  for (int item = 0; item < 3; ++item) {
    AlternatingRow();
    SetItems(item == 0, item == 1, item == 2);
    PutTile(2, 3, 1, 3);
    PutTile(2, 3, 2, 4);
    ASSERT_FALSE(AnyMoveExists());
    CheckDeadEnd();
    EXPECT_TRUE(AnyMoveExists()) << "reshuffled until a move exists";
    EXPECT_TRUE(ShownTexts().empty()) << "item " << item;
    EXPECT_EQ(gItems.hints + gItems.shuffles + gItems.bombs, 1) << "nothing is spent";
  }
}

// ---- Item buttons ----------------------------------------------------------------------------

TEST_F(ItemsTest, SingleFreePairFoundTwiceCostsTwoHints) {
  SingleFreePair();
  const LevelCells before = gLevel.board;
  PressHintButton();
  const int x0 = gItems.hintX[0], x1 = gItems.hintX[1];
  SwitchHintSparkleOff();
  PressHintButton();
  EXPECT_EQ(gItems.hints, StartItemCount - 2);
  EXPECT_TRUE(gItems.hintShown);
  EXPECT_EQ(std::make_pair(gItems.hintX[0], gItems.hintX[1]), std::make_pair(x0, x1));
  EXPECT_NE(x0, x1);
  EXPECT_TRUE(SameBoard(before, gLevel.board)) << "no shuffle while a pair exists";
}

TEST_F(ItemsTest, HintWithoutPairSpendsOneAndReshuffles) {
  AlternatingRow();
  gLevel.first = Selection{2, 1, 1, 1, 5, 5};
  PressHintButton();
  EXPECT_EQ(gItems.hints, StartItemCount - 1);
  EXPECT_TRUE(gItems.hintShown) << "the reshuffle stops at the first pair found";
  EXPECT_TRUE(AnyMoveExists());
  EXPECT_EQ(gLevel.first.layer, -1);
}

TEST_F(ItemsTest, ButtonsOnAStuckBoardEndTheGameOnlyWhenNothingIsLeft) {
  // The last hint or shuffle is spent, the bomb has none, or the check after a removal finds
  // nothing: each ends in game over and a reset to level 1. A count below 0, left by the bomb
  // shortcut, is nothing to the check after a removal, but the buttons end the game only when
  // all three counts are 0: else they say the item is used up, or leave the board shuffled.
  struct Case {
    void (*press)();
    int hints, shuffles, bombs;
    const char* text;   // the one message shown
    bool over;
  };
  const Case cases[] = {{PressHintButton, 1, 0, 0, GameOver.c_str(), true},
                        {PressShuffleButton, 0, 1, 0, GameOver.c_str(), true},
                        {PressBombButton, 0, 0, 0, GameOver.c_str(), true},
                        {CheckDeadEnd, 0, 0, 0, GameOver.c_str(), true},
                        {CheckDeadEnd, 0, 0, -1, GameOver.c_str(), true},
                        {PressHintButton, 0, 0, -1, "提示道具已用完", false},
                        {PressShuffleButton, -1, 0, 0, "打乱道具已用完", false},
                        {PressBombButton, 0, -1, -1, "炸弹道具已用完", false},
                        {PressHintButton, 1, 0, -1, nullptr, false},
                        {PressShuffleButton, 0, 1, -1, nullptr, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.hints << " " << c.shuffles << " " << c.bombs);
    gFakeApp.texts.clear();
    gFakeApp.titles.clear();
    StackedPair();
    SetItems(c.hints, c.shuffles, c.bombs);
    SetCurrentLevel(4);
    gFakeApp.inPlay = true;
    c.press();
    EXPECT_EQ(ShownTexts(), c.text ? std::vector<std::string>{c.text} : std::vector<std::string>{});
    if (c.text) {
      EXPECT_EQ(gFakeApp.titles[0], "");
    }
    EXPECT_EQ(gPlay.currentLevel, c.over ? 1 : 4);
    EXPECT_EQ(gFakeApp.inPlay, !c.over);
    if (c.over) {
      EXPECT_EQ(gItems.hints + gItems.bombs, 2 * StartItemCount) << "counts back to the start";
    }
  }
}

TEST_F(ItemsTest, UsedUpItemsSaySoUnlessTheGameIsLost) {
  SingleFreePair();
  SetItems(0, 0, StartItemCount);
  PressHintButton();
  PressShuffleButton();
  gItems.bombs = 0;
  PressHintButton();   // a move is still there
  StackedPair();
  PressHintButton();   // nothing helps any more
  EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"提示道具已用完", "打乱道具已用完",
                                                    "提示道具已用完", GameOver}));
}

// On a board no shuffle can help, each loop gives up after exactly 500 shuffles: the random
// draws and the board match 500 reference shuffles.
TEST_F(ItemsTest, ReshufflesStopAfter500Attempts) {
  void (*const callers[])() = {PressHintButton, PressShuffleButton, CheckDeadEnd};
  for (auto caller : callers) {
    StackedPair();
    SetItems(5, 5, 5);
    LevelCells expected = gLevel.board;
    SeedRandom(31);
    for (int attempt = 0; attempt < 500; ++attempt) ReferenceShuffle(expected);
    const int nextDraw = Random(1000000);
    SeedRandom(31);
    caller();
    EXPECT_EQ(Random(1000000), nextDraw) << "500 shuffles, no more, no fewer";
    EXPECT_TRUE(SameBoard(expected, gLevel.board));
    EXPECT_TRUE(ShownTexts().empty()) << "with items left the game goes on";
  }
  EXPECT_EQ(gItems.hints + gItems.shuffles, 10) << "the dead-end check spends nothing";
}

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

// ---- Bomb ------------------------------------------------------------------------------------

// The last bomb leaves a board without a move and no item: only a dead-end check would end the
// game, and a bomb runs none.
TEST_F(ItemsTest, BombIsTheWayOutOfAStackedPair) {
  StackedPair();
  SetItems(0, 0, 1);
  gScore.speed = 42;
  gScore.streak = 2;
  SelectTile(3, 5, 5, 240, 270);
  PressBombButton();
  EXPECT_EQ(gLevel.board.cell[3][5][5], 0);
  EXPECT_EQ(gLevel.board.cell[2][5][5], 1) << "the other tile of the face stays";
  EXPECT_EQ(gItems.bombs, 0);
  EXPECT_TRUE(ShownTexts().empty()) << "no dead-end check, so no game over";
  EXPECT_TRUE(gFakeApp.inPlay);
  EXPECT_EQ(gScore.speed, 42) << "the speed value is left alone";
  EXPECT_EQ(gScore.streak, 2) << "and so is the streak";
  EXPECT_EQ(gLevel.removedCount, 1);
  EXPECT_EQ(gLevel.remainingText, "1");
  EXPECT_EQ(gLevel.first.layer, -1);
  EXPECT_TRUE(gItems.bombRunning);
  int x = 0, y = 0;
  GameTilePosition(1, 3, 5, 5, x, y);
  EXPECT_EQ(std::make_pair(gItems.bombX, gItems.bombY), std::make_pair(x, y));
  EXPECT_TRUE((Asked("effect 5") || Asked("sound 5")));
  EXPECT_EQ(gScore.score, 0) << "a bomb scores nothing";
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
  for (const std::string& title : gFakeApp.titles) EXPECT_EQ(title, "");
  EXPECT_EQ(gLevel.board.cell[3][5][5], 1);
}

TEST_F(ItemsTest, BombOnTheLastTileClearsTheLevel) {
  gMap.levelCount = 1;
  gMap.arrangementType[1] = 1;
  PutMapTile(1, 2, 5, 5, 1);
  PutMapTile(1, 2, 5, 7, 1);
  StartLevel(1);
  SelectTile(2, 5, 5, 240, 270);
  PressBombButton();
  gItems.bombRunning = false;
  SelectTile(2, 5, 7, 330, 270);
  PressBombButton();
  EXPECT_EQ(gFakeApp.screenState, ScreenResult);
  EXPECT_EQ(gItems.hints, StartItemCount + 1);
  EXPECT_EQ(gItems.bombs, StartItemCount - 2);
}

// ---- Overlays --------------------------------------------------------------------------------

TEST_F(ItemsTest, BombAnimationShowsSixteenPicturesAndRunsItsCounterOn) {
  gItems.bombRunning = true;
  gItems.bombX = 300;
  gItems.bombY = 250;
  std::vector<int> pictures;
  while (gItems.bombRunning && pictures.size() < 100) {
    ASSERT_TRUE(StepBombAnimation());
    pictures.push_back(gItems.bombPicture);
  }
  EXPECT_FALSE(StepBombAnimation()) << "nothing to draw once it ended";
  ASSERT_EQ(pictures.size(), 32u);
  EXPECT_EQ(pictures[0], 1);
  EXPECT_EQ(pictures[1], 2);
  EXPECT_EQ(pictures[29], 16);
  EXPECT_EQ(pictures[31], 1) << "the last frame shows the picture after the wrap";
  EXPECT_EQ(std::make_pair(gItems.bombX, gItems.bombY), std::make_pair(300, 250));
  gItems.bombRunning = true;
  gItems.bombFrame = 1;
  int frames = 0;
  for (; gItems.bombRunning && frames < 100; ++frames) StepBombAnimation();
  EXPECT_EQ(frames, 31) << "an odd counter left by an earlier bomb";
}
