#include "mapdata/grid.h"

#include <cstring>

void ClearGrid(CellGrid& grid) { std::memset(&grid, 0, sizeof grid); }

void ClearLevelCells(LevelCells& cells) { std::memset(&cells, 0, sizeof cells); }
