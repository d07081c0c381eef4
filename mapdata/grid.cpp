#include "mapdata/grid.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

// calloc takes large blocks fresh from the system, which gives them zeroed and holds no page of
// them until one is written.
CellGrid* NewGrid() { return static_cast<CellGrid*>(std::calloc(1, sizeof(CellGrid))); }

void FreeGrid(CellGrid* grid) { std::free(grid); }

namespace {

// Reading a page never written takes no memory; writing zeros to it would.
void ClearLevelIfHeld(LevelCells& cells) {
  const int32_t* first = &cells.cell[0][0][0];
  const int32_t* end = first + sizeof(LevelCells) / sizeof(int32_t);
  if (std::any_of(first, end, [](int32_t cell) { return cell != 0; })) ClearLevelCells(cells);
}

}  // namespace

void ClearGrid(CellGrid& grid) {
  for (LevelCells& cells : grid.level) ClearLevelIfHeld(cells);
}

void ClearLevelCells(LevelCells& cells) { std::memset(&cells, 0, sizeof cells); }

void MarkLevelWritten(WrittenLevels& written, int level) {
  if (level >= 0 && level < LevelSlots) written.level[level] = true;
}

void ClearWrittenLevels(CellGrid& grid, WrittenLevels& written) {
  for (int level = 0; level < LevelSlots; ++level) {
    if (!written.level[level]) continue;
    ClearLevelIfHeld(grid.level[level]);
    written.level[level] = false;
  }
}
