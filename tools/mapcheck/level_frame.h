// Where a level of the game's map store lands in the 930 x 625 picture: the box of its drawn
// tiles and how it sits in the play area between the title banner and the bottom panel.
#pragma once

#include "mapdata/grid.h"

// The play area: below the title banner (260, 10, 410 x 67 drawn), above the bottom panel at
// y 550 with two pixels to spare, across the whole window. The settings button (835, 5,
// 95 x 41) lies above the banner's lower edge, so a level below that edge is clear of it too.
constexpr int PlayAreaLeft = 0;
constexpr int PlayAreaTop = 78;
constexpr int PlayAreaRight = 930;
constexpr int PlayAreaBottom = 548;
constexpr int MaxCentreOffset = 45;   // pixels between the level's centre and the area's

// Pixels covered by the face pictures of a level; right and bottom are exclusive.
struct TileBox {
  bool empty = true;   // no tile is drawn (no tile, or a type that is never drawn)
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The box of every tile of the level (layers 1..10) at its game tile position.
TileBox MeasureLevel(const LevelCells& cells, int type);

// True when the box lies within the play area (an empty box does).
bool InsidePlayArea(const TileBox& box);

// How far the box's centre lies right of (dx) and below (dy) the play area's centre, and the
// distance between the two; all 0 for an empty box.
double CentreOffset(const TileBox& box, double& dx, double& dy);
