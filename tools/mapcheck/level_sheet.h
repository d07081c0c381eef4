// The contact sheet of a map: every level drawn by the game's own frame drawing, a deal made for
// a fixed seed, scaled down in a grid with each level's number and verdict.
#pragma once

#include <string>

#include "tools/mapcheck/map_check.h"

constexpr int SheetColumns = 6;
constexpr int SheetLevelWidth = 310;    // a third of the 930 x 625 window
constexpr int SheetLevelHeight = 208;
constexpr int SheetGap = 10;            // around and between the levels
constexpr int SheetLabelHeight = 24;    // the line above each level
constexpr unsigned SheetSeed = 1;       // the random source's seed before every level's start

// Where the picture of the level at `index` (0 for the first) lies on the sheet.
void SheetLevelOrigin(int index, int& x, int& y);
// The sheet's size for `levels` levels.
int SheetWidth();
int SheetHeight(int levels);

// Brings the game up on Qt's offscreen platform in the current directory, which must be an
// application directory. Call before the map is checked: the start clears the map store. The
// empty text on success, else what failed.
std::string StartSheetDrawing();

// Draws every level of the checked map, which is still in the game's map store, and writes the
// sheet as a PNG file. The empty text on success, else what failed.
std::string DrawLevelSheet(const MapCheck& map, const std::string& pngPath);
