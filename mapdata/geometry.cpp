// Cell positions by arrangement type and layer, and the inverse mappings of both programs.
#include "mapdata/geometry.h"

namespace {

// A position or a test term: layerX * L + constX across, layerY * L + constY down.
struct LayerTerms {
  int layerX, constX;
  int layerY, constY;
};

constexpr int ArrangementTypes = 4;

// Tile positions, by arrangement type 1..4.
constexpr LayerTerms GameTileTerms[ArrangementTypes] = {
    {-6, 30, -6, 10}, {21, -30, -6, 10}, {-6, 40, 27, -70}, {21, -40, 27, -70}};
constexpr LayerTerms EditorTileTerms[ArrangementTypes] = {
    {-6, 30, -6, 21}, {21, -30, -6, 21}, {-6, 30, 27, -40}, {21, -21, 27, -40}};

// Terms added to a point before dividing by the pitch, by arrangement type 1..4. The vertical
// terms of types 3 and 4 are not the exact inverse of the positions: the hit rectangles sit a
// few pixels lower than the pictures.
constexpr LayerTerms EditorHitTerms[ArrangementTypes] = {
    {6, -30, 6, -21}, {-21, 30, 6, -21}, {6, -30, -26, 39}, {-21, 21, -26, 39}};
constexpr LayerTerms GameHitTerms[ArrangementTypes] = {
    {6, -30, 6, -10}, {-21, 30, 6, -10}, {6, -40, -26, 62}, {-21, 40, -26, 62}};

bool KnownType(int type) { return type >= 1 && type <= ArrangementTypes; }

void PlaceTile(const LayerTerms& t, int layer, int row, int column, int& x, int& y) {
  x = CellPitchX * column + t.layerX * layer + t.constX;
  y = CellPitchY * row + t.layerY * layer + t.constY;
}

// The row and column whose hit test the point passes on this layer (division truncates; wide
// arithmetic so that no point overflows).
void HitCell(const LayerTerms& t, int layer, int x, int y, int& row, int& column) {
  long long across = static_cast<long long>(x) + t.layerX * layer + t.constX;
  long long down = static_cast<long long>(y) + t.layerY * layer + t.constY;
  column = static_cast<int>(across / CellPitchX);
  row = static_cast<int>(down / CellPitchY);
}

}  // namespace

bool GameTilePosition(int type, int layer, int row, int column, int& x, int& y) {
  if (!KnownType(type)) return false;
  PlaceTile(GameTileTerms[type - 1], layer, row, column, x, y);
  return true;
}

bool EditorTilePosition(int type, int layer, int row, int column, int& x, int& y) {
  if (!KnownType(type)) return false;
  PlaceTile(EditorTileTerms[type - 1], layer, row, column, x, y);
  return true;
}

void LayerExtent(int type, int layer, int& rows, int& columns) {
  rows = 0;
  columns = 0;
  if (!KnownType(type) || layer < 1) return;
  int steps = layer - 1;
  bool sideways = type == 2 || type == 4;
  bool downwards = type == 3 || type == 4;
  rows = downwards ? BoardRows - steps : BoardRows;
  columns = sideways ? BoardColumns - steps : BoardColumns;
  if (rows <= 0 || columns <= 0) {
    rows = 0;
    columns = 0;
  }
}

bool CellAt(int type, int layer, int x, int y, int& row, int& column) {
  if (!KnownType(type)) return false;
  int rows, columns;
  LayerExtent(type, layer, rows, columns);
  int r, c;
  HitCell(EditorHitTerms[type - 1], layer, x, y, r, c);
  if (r < 1 || r > rows || c < 1 || c > columns) return false;
  row = r;
  column = c;
  return true;
}

bool PickBoardCell(const LevelCells& board, int type, int x, int y, int& layer, int& row,
                   int& column) {
  if (!KnownType(type)) return false;
  bool picked = false;
  for (int l = 1; l <= GameTopLayer; ++l) {
    int r, c;
    HitCell(GameHitTerms[type - 1], l, x, y, r, c);
    if (r < 1 || r > BoardRows || c < 1 || c > BoardColumns) continue;
    if (board.cell[l][r][c] <= 0) continue;
    layer = l;
    row = r;
    column = c;
    picked = true;
  }
  return picked;
}
