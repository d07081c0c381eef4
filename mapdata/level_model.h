// The level models of both programs: the game's map store, the editor's grid and level table,
// and the loading progress of the game's loading page.
//
// Sections: game model | game loading | loading progress | editor model
//
// Limits of the model (a map file may ask for more than fits):
// - At most 300 levels: further `o` elements are ignored in both programs.
// - The game stores layer field k of a level at layer index k + 1, so it keeps layer fields
//   1..11 (indices 2..12, of which the game plays 2..10); further layer fields are ignored and
//   count for nothing, not even for the face range K.
// - The editor keeps layer fields 1..9 (its layers 1..9); further layer fields are ignored.
#pragma once

#include <string_view>

#include "mapdata/grid.h"

// ---- Game model ----------------------------------------------------------------------------

constexpr int FaceCount = 42;         // face codes 1..42, the faces of the tile-face sheet

struct GameMap {
  CellGrid* store;                    // the map store: face codes 1..42, 0 empty; CreateMapStore
  int arrangementType[LevelSlots];    // type 1..4 of each level as read
  int levelCount;                     // `o` elements placed (0..300); during a load: read so far
  int declaredLevelCount;             // the number in the `e` element, for the loading page only
  int faceCounter;                    // last face given; lives for the whole run
  WrittenLevels written;              // levels of the store that PlaceLevel wrote
};
extern GameMap gMap;

// Allocates the map store once (all 0). Safe to call again.
void CreateMapStore();

// Fills the next level of the map store from a level text: faces in pairs cycling through 1..K
// (K = tiles / 2 - 6, at most 42), continuing from the face counter. Cells whose text is exactly
// "0" stay empty. False (nothing changed) when 300 levels are already placed.
bool PlaceLevel(std::string_view text);

// ---- Game loading --------------------------------------------------------------------------

// Before a map is read into the store: level count and declared count 0, every level and type
// cleared.
void ClearMapStore();

// ---- Loading progress ----------------------------------------------------------------------

// The loading page's percentage of gMap.levelCount out of gMap.declaredLevelCount, rounded to
// the nearest whole number; 0 when the declared count is 0 or below (nothing to divide by).
int LoadingPercent();
// Width of the loading bar for a full width (680 on the page), same rounding and same rule for
// a declared count of 0; past the full width while extra levels are read, never more than
// widestWidth (the room left up to the window's right edge).
int LoadingBarWidth(int fullWidth, int widestWidth);

// ---- Editor model --------------------------------------------------------------------------

struct EditorMap {
  CellGrid* grid;                     // 0 hidden, else the cell's layer number 1..9
  int layerCount[LevelSlots];         // layers of each level, 0 for a level that does not exist
  int arrangementType[LevelSlots];    // type of each level, 0 for a level that does not exist
  int levelCount;                     // levels of the map (0..300)
  WrittenLevels written;              // levels of the grid that were filled, made or painted
};
extern EditorMap gEditorMap;

// Allocates the editor grid of gEditorMap once (all 0). Safe to call again.
void CreateEditorGrid();

// Sets every cell, every level's layer count and type, and the level count to 0.
void ClearEditorMap(EditorMap& map);

// Fills level `level` (1..300) from a level text by the editor's rules: the type from field 1,
// one layer per further field (at most 9), a cell hidden (0) when its number value is 0, else
// its layer number. Does not change the level count. False (nothing changed) for a level outside
// 1..300 or a map without its grid.
bool FillEditorLevel(EditorMap& map, int level, std::string_view text);
