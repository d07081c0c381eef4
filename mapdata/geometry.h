// Board geometry shared by the game and the editor: where a cell is drawn, which cell lies
// under a point, and how far each layer reaches.
//
// Layer indices are as stored: in the game the bottom layer of a map level is 2, in the editor 1.
// Arrangement types: 1 straight above, 2 half a tile right, 3 half a tile down, 4 both.
#pragma once

#include "mapdata/grid.h"

constexpr int CellPitchX = 42;   // horizontal distance between neighbouring cells
constexpr int CellPitchY = 54;   // vertical distance between neighbouring cells
constexpr int FaceWidth = 48;    // a face picture overlaps its right neighbour by 6 pixels
constexpr int FaceHeight = 60;   // and its lower neighbour by 6 pixels

// Top-left corner of the face picture of a cell in the game. False for a type other than 1..4
// (such a level is never drawn); x and y are then left unchanged.
bool GameTilePosition(int type, int layer, int row, int column, int& x, int& y);

// Top-left corner of the face picture of a cell in the editor. False for a type other than 1..4.
bool EditorTilePosition(int type, int layer, int row, int column, int& x, int& y);

// The part of a layer the editor fills and lets the user edit, counted from row 1 and column 1.
// Layer 1 is the whole 9 x 20 grid; each higher layer loses a column per sideways step (types 2
// and 4) and a row per downward step (types 3 and 4). A type other than 1..4, a layer below 1 or
// an extent that shrinks below nothing gives 0.
void LayerExtent(int type, int layer, int& rows, int& columns);

// The editor's cell of the given layer under the point (x, y), by integer division truncating
// toward zero; only cells inside the layer extent are candidates. False when none is hit or the
// type is not 1..4.
bool CellAt(int type, int layer, int x, int y, int& row, int& column);

// The game's board pick: the tile of a live-board level under the point. Layers 1..10 are scanned
// upwards, rows and columns in rising order; a match ends the scan of its row and every match
// overwrites the previous one, so the highest matching tile wins. False (outputs unchanged) when
// no tile matches or the type is not 1..4.
bool PickBoardCell(const LevelCells& board, int type, int x, int y, int& layer, int& row,
                   int& column);
