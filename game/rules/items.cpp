// The hint, shuffle and bomb items.
//
// Sections: pair search | shuffle | dead end and game over | item buttons | bomb |
//           developer counts | hint sparkle | bomb animation
#include "game/rules/items.h"

#include "game/rules/frame_steps.h"
#include "game/rules/game_numbers.h"
#include "game/rules/level_flow.h"
#include "game/rules/rules_services.h"
#include "game/rules/rules_state.h"
#include "game/rules/tiles.h"
#include "mapdata/geometry.h"
#include "mapdata/level_model.h"
#include "platform/random.h"

constexpr int MaxShuffleAttempts = 500;   // re-shuffles per occasion before giving up
constexpr int MaxDeveloperItemCount = 99;

// ---- Pair search -----------------------------------------------------------------------------
//
// The pair is defined by a quadratic scan: tile A runs over layers 10 down to 1, rows 1..9,
// columns 1..20; for the first free A, B runs the same order and the first free tile of A's face
// other than A ends the search. That A is necessarily the first free tile of its face (an earlier
// free tile of the face would have found A as its partner), and B the second. So one pass over
// the board in scan order finds the same pair: among the faces with two free tiles, the one whose
// first free tile comes earliest, with its first two free tiles. The pass stops once no face
// whose first free tile lies before the best candidate's is still waiting for its second.

struct BoardCell {
  int layer, row, column;
};

// Cells of the pair that the scan defines; false when there is none. Face codes outside 1..42
// (which no map gives) are not faces and never pair.
static bool SearchPair(BoardCell& a, BoardCell& b) {
  const auto& cells = gLevel.board.cell;
  int seen[FaceCount + 1] = {};            // free tiles of each face met so far, counted to 2
  int order[FaceCount + 1];                // scan rank of each face's first free tile
  BoardCell firstOf[FaceCount + 1];
  BoardCell secondOf[FaceCount + 1];
  int best = 0;                            // face of the best pair so far, 0 for none
  int rank = 0;
  // Every type 1..4 is covered by its own cell above: most tiles of a full board fail here
  // without the call.
  const bool typed = gLevel.arrangementType >= 1 && gLevel.arrangementType <= 4;
  for (int layer = GameTopLayer; layer >= 1; --layer) {
    for (int row = 1; row <= BoardRows; ++row) {
      for (int column = 1; column <= BoardColumns; ++column) {
        const int face = cells[layer][row][column];
        if (face <= 0 || face > FaceCount || seen[face] == 2) continue;
        if (typed && cells[layer + 1][row][column] != 0) continue;
        if (!IsTileFree(layer, row, column)) continue;
        if (seen[face] == 0) {
          seen[face] = 1;
          order[face] = rank++;
          firstOf[face] = BoardCell{layer, row, column};
          continue;
        }
        seen[face] = 2;
        secondOf[face] = BoardCell{layer, row, column};
        if (best != 0 && order[face] > order[best]) continue;
        best = face;
        bool waiting = false;
        for (int f = 1; f <= FaceCount && !waiting; ++f) {
          waiting = seen[f] == 1 && order[f] < order[best];
        }
        if (!waiting) {
          a = firstOf[best];
          b = secondOf[best];
          return true;
        }
      }
    }
  }
  if (best == 0) return false;
  a = firstOf[best];
  b = secondOf[best];
  return true;
}

bool FindHint() {
  BoardCell a, b;
  if (!SearchPair(a, b)) return false;
  ItemState& it = gItems;
  const int type = gLevel.arrangementType;
  GameTilePosition(type, a.layer, a.row, a.column, it.hintX[0], it.hintY[0]);
  GameTilePosition(type, b.layer, b.row, b.column, it.hintX[1], it.hintY[1]);
  it.hintFrame = 0;
  it.hintShown = true;
  return true;
}

bool AnyMoveExists() {
  BoardCell a, b;
  return SearchPair(a, b);
}

// ---- Shuffle ---------------------------------------------------------------------------------

void ShuffleBoard() {
  gLevel.first = Selection{};
  auto& cells = gLevel.board.cell;
  for (int layer = 1; layer <= GameTopLayer; ++layer) {
    for (int row = 1; row <= BoardRows; ++row) {
      for (int column = 1; column <= BoardColumns; ++column) {
        int& current = cells[layer][row][column];
        if (current <= 0) continue;
        const int face = current;
        int* drawn;
        do {
          const int drawnLayer = Random(GameTopLayer);
          const int drawnRow = Random(BoardRows);
          const int drawnColumn = Random(BoardColumns);
          drawn = &cells[drawnLayer][drawnRow][drawnColumn];
        } while (*drawn <= 0);
        current = *drawn;
        *drawn = face;
      }
    }
  }
}

// Shuffles until the search finds a pair, at most MaxShuffleAttempts times; false when none.
static bool ShuffleUntilMove(bool (*search)()) {
  for (int attempt = 0; attempt < MaxShuffleAttempts; ++attempt) {
    ShuffleBoard();
    if (search()) return true;
  }
  return false;
}

// ---- Dead end and game over ------------------------------------------------------------------

// No count above 0: the bomb shortcut can drive the bomb count below 0, and a board stuck with
// such a count must still end.
static bool NoItemsLeft() {
  return gItems.hints <= 0 && gItems.shuffles <= 0 && gItems.bombs <= 0;
}

// The item buttons end the game only when every count is exactly 0; a count below 0 leaves
// them with their used-up message or a shuffled board.
static bool AllCountsZero() {
  return gItems.hints == 0 && gItems.shuffles == 0 && gItems.bombs == 0;
}

static void EndGame() {
  gRulesServices.showMessage(NoTitle, "游戏结束，请再接再厉争取通关。");
  ResetGame();
}

// A pressed item that is used up: game over when nothing at all helps any more, else its message.
static void RefuseItem(const char* message) {
  if (AllCountsZero() && !AnyMoveExists()) {
    EndGame();
  } else {
    gRulesServices.showMessage(NoTitle, message);
  }
}

void CheckDeadEnd() {
  if (AnyMoveExists()) return;
  if (NoItemsLeft()) {
    EndGame();
    return;
  }
  ShuffleUntilMove(AnyMoveExists);
}

// ---- Item buttons ----------------------------------------------------------------------------

void PressHintButton() {
  gLevel.first = Selection{};
  if (gItems.hints <= 0) {
    RefuseItem("提示道具已用完");
    return;
  }
  gItems.hints -= 1;
  if (FindHint()) return;
  if (!ShuffleUntilMove(FindHint) && AllCountsZero()) EndGame();
}

void PressShuffleButton() {
  gLevel.first = Selection{};
  if (gItems.shuffles <= 0) {
    RefuseItem("打乱道具已用完");
    return;
  }
  gItems.shuffles -= 1;
  if (!ShuffleUntilMove(AnyMoveExists) && AllCountsZero()) EndGame();
}

void PressBombButton() {
  if (gItems.bombs <= 0) {
    RefuseItem("炸弹道具已用完");
  } else if (gItems.bombRunning) {
    gRulesServices.showMessage(NoTitle, "上一轮炸弹正在进行中...请等待!");
  } else if (gLevel.first.layer == -1) {
    gRulesServices.showMessage(NoTitle, "请先选择需要炸掉的麻将");
  } else {
    UseBomb();
  }
}

// ---- Bomb ------------------------------------------------------------------------------------

void UseBomb() {
  LevelState& lv = gLevel;
  const Selection target = lv.first;
  GameTilePosition(lv.arrangementType, target.layer, target.row, target.column, gItems.bombX,
                   gItems.bombY);
  gItems.bombRunning = true;
  gRulesServices.playEffect(SoundBomb);
  lv.board.cell[target.layer][target.row][target.column] = 0;
  lv.removedCount += 1;
  UpdateRemainingText();
  if (lv.startCount - lv.removedCount == 0) LevelCleared();
  lv.first = Selection{};
  gItems.bombs -= 1;
}

void StopBombAnimation() {
  gItems.bombRunning = false;
  gItems.bombX = 0;
  gItems.bombY = 0;
}

// ---- Developer counts ------------------------------------------------------------------------

static void RaiseCount(int& count) {
  if (count < MaxDeveloperItemCount) count += 1;
}

void RaiseHintCount() { RaiseCount(gItems.hints); }
void RaiseBombCount() { RaiseCount(gItems.bombs); }
void RaiseShuffleCount() { RaiseCount(gItems.shuffles); }

// ---- Hint sparkle ----------------------------------------------------------------------------

constexpr int SparkleRestEvery = 5;     // frames whose counter is a multiple of this draw nothing
constexpr int MaxOpacity = 255;

void SwitchHintSparkleOff() { gItems.hintShown = false; }

bool StepHintSparkle() {
  ItemState& it = gItems;
  if (!it.hintShown) return false;
  it.hintFrame += 1;
  if (it.hintFrame % SparkleRestEvery == 0) return false;
  EffectDot* star = it.hintStars;
  for (int k = 0; k < 2; ++k) {
    for (int i = 0; i < HintStarsPerTile; ++i, ++star) {
      star->x = it.hintX[k] + Random(CellPitchX) - CellPitchX / 2;
      star->y = it.hintY[k] + Random(CellPitchY) - CellPitchY / 2;
      star->opacity = Random(MaxOpacity);
    }
  }
  return true;
}

// ---- Bomb animation --------------------------------------------------------------------------

// The frame that ends the explosion is still drawn, with its first picture.
bool StepBombAnimation() {
  ItemState& it = gItems;
  if (!it.bombRunning) return false;
  if (AdvanceEveryOtherFrame(it.bombFrame, it.bombPicture, ExplosionFrames))
    it.bombRunning = false;
  return true;
}
