// Free tiles and pairs.
//
// Sections: free-tile tests | selection | pair removal
#include "game/rules/tiles.h"

#include "game/rules/game_numbers.h"
#include "game/rules/items.h"
#include "game/rules/level_flow.h"
#include "game/rules/removal_effects.h"
#include "game/rules/rules_services.h"
#include "game/rules/rules_state.h"
#include "game/rules/scoring.h"
#include "mapdata/geometry.h"
#include "platform/random.h"

constexpr int DriftPatterns = 4;   // drift patterns 0..4

// ---- Free-tile tests -------------------------------------------------------------------------

bool IsSideOpen(int layer, int row, int column) {
  const auto& cell = gLevel.board.cell[layer][row];
  return cell[column + 1] == 0 || cell[column - 1] == 0;
}

// The margin of the grid (index 0, layer 11, row 10, column 21) is always 0, so the cells named
// here never leave the grid.
bool IsTileFree(int layer, int row, int column) {
  const auto& above = gLevel.board.cell[layer + 1];
  switch (gLevel.arrangementType) {
    case 1:
      if (above[row][column] != 0) return false;
      break;
    case 2:
      if (above[row][column] != 0 || above[row][column - 1] != 0) return false;
      break;
    case 3:
      if (above[row][column] != 0 || above[row - 1][column] != 0) return false;
      break;
    case 4:
      if (above[row][column] != 0 || above[row - 1][column] != 0 ||
          above[row][column - 1] != 0 || above[row - 1][column - 1] != 0) {
        return false;
      }
      break;
    default:   // a type outside 1..4 names no cell above; such a level is never drawn
      break;
  }
  return IsSideOpen(layer, row, column);
}

// ---- Selection -------------------------------------------------------------------------------

void ClearSelections() {
  gLevel.first = Selection{};
  gLevel.second = Selection{};
}

void SelectTile(int layer, int row, int column, int x, int y) {
  LevelState& lv = gLevel;
  const int face = lv.board.cell[layer][row][column];
  if (lv.first.layer == -1) {
    if (!IsTileFree(layer, row, column)) return;
    gRulesServices.playEffect(SoundSelect);
    lv.first = Selection{layer, row, column, face, x, y};
    return;
  }
  // The face and point of a second click are kept even when its tile is not free.
  lv.second.face = face;
  lv.second.x = x;
  lv.second.y = y;
  if (!IsTileFree(layer, row, column)) return;
  gRulesServices.playEffect(SoundSelect);
  lv.second.layer = layer;
  lv.second.row = row;
  lv.second.column = column;
  ResolvePair();
}

// ---- Pair removal ----------------------------------------------------------------------------

void UpdateRemainingText() {
  gLevel.remainingText = std::to_string(gLevel.startCount - gLevel.removedCount);
}

// Empties both cells and runs every step that follows a removal, in their fixed order.
static void RemovePair() {
  LevelState& lv = gLevel;
  EffectState& fx = gEffects;
  const Selection selected[2] = {lv.first, lv.second};

  gRulesServices.playEffect(SoundRemove);
  fx.particlesRunning = false;
  fx.drift = Random(DriftPatterns);
  for (int k = 0; k < 2; ++k) {
    fx.flying[k] = FlyingTile{selected[k].face, selected[k].x, selected[k].y};
    GameTilePosition(lv.arrangementType, selected[k].layer, selected[k].row, selected[k].column,
                     fx.removalX[k], fx.removalY[k]);
  }
  for (const Selection& s : selected) lv.board.cell[s.layer][s.row][s.column] = 0;
  fx.popupTens = gScore.speed / 10;
  fx.popupUnits = gScore.speed % 10;
  fx.popupOpacity = 255;
  fx.popupY[0] = fx.removalY[0];
  fx.popupY[1] = fx.removalY[1];
  lv.removedCount += 2;
  ScorePair();
  UpdateRemainingText();
  StartRemovalEffects();
  AwardItems();
  // The level may end here: the next level is already built before the selections go.
  if (lv.startCount - lv.removedCount == 0) LevelCleared();
  ClearSelections();
}

void ResolvePair() {
  LevelState& lv = gLevel;
  const int firstFace = lv.board.cell[lv.first.layer][lv.first.row][lv.first.column];
  const int secondFace = lv.board.cell[lv.second.layer][lv.second.row][lv.second.column];
  const bool sameCell = lv.first.layer == lv.second.layer && lv.first.row == lv.second.row &&
                        lv.first.column == lv.second.column;
  if (firstFace != secondFace) {
    lv.first = lv.second;
    lv.second = Selection{};
  } else if (sameCell) {
    ClearSelections();
  } else {
    RemovePair();
  }
  CheckDeadEnd();
}
