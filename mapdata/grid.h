// The cell grid shared by both programs: [level][layer][row][column] of signed 32-bit cells.
//
// Map data lies in levels 1..300, rows 1..9 (row 1 at the top) and columns 1..20 (column 1 at
// the left). Index 0 and the indices above the used ranges are a margin kept at 0, so that a
// neighbour test at the edge reads an empty cell.
#pragma once

#include <cstdint>

constexpr int MaxLevels = 300;        // levels 1..300
constexpr int LevelSlots = 301;       // level indices 0..300
constexpr int LayerSlots = 13;        // layer indices 0..12
constexpr int RowSlots = 13;          // row indices 0..12
constexpr int ColumnSlots = 23;       // column indices 0..22
constexpr int BoardRows = 9;          // rows 1..9 carry data
constexpr int BoardColumns = 20;      // columns 1..20 carry data
constexpr int GameTopLayer = 10;      // the game scans layers 1..10
constexpr int EditorMaxLayers = 9;    // the editor's layers 1..9
constexpr int MaxLayerFields = 12;    // layer fields of a level text that fit the grid

// One level: [layer][row][column].
struct LevelCells {
  int32_t cell[LayerSlots][RowSlots][ColumnSlots];
  bool operator==(const LevelCells&) const = default;
};

// Every level of a map. About 4.6 MB: allocate it once, never on the stack.
struct CellGrid {
  LevelCells level[LevelSlots];
};

// A grid with every cell 0. Its memory is taken from the system only where cells are written,
// so a map of a few levels holds a few of its 4.6 MB. Free it with FreeGrid.
CellGrid* NewGrid();
void FreeGrid(CellGrid* grid);
// Sets every cell of every level to 0, writing only to the levels that hold something. It reads
// the whole grid: for a grid written behind its model's back.
void ClearGrid(CellGrid& grid);
void ClearLevelCells(LevelCells& cells);

// The levels of a grid written since it was last cleared. Whoever writes a level marks it, so
// that clearing reads and writes what was written, not 4.6 MB.
struct WrittenLevels {
  bool level[LevelSlots];
};

void MarkLevelWritten(WrittenLevels& written, int level);
// ClearGrid for the marked levels only; no level is marked afterwards.
void ClearWrittenLevels(CellGrid& grid, WrittenLevels& written);
