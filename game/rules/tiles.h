// Free tiles and pairs: the cover and side tests, the two-click selection, pair removal.
#pragma once

// True when the cell to the right, or else the one to the left, on the same layer and row is 0.
bool IsSideOpen(int layer, int row, int column);
// True when the cells of the layer above that the arrangement type names are all 0 and the tile
// is side-open.
bool IsTileFree(int layer, int row, int column);
// A left click on a tile of the board while in play and not paused; (x, y) is the click point.
void SelectTile(int layer, int row, int column, int x, int y);
// Settles the two selections: mismatch, same tile again, or removal with all that follows.
void ResolvePair();
// Forgets the first and second selection.
void ClearSelections();
// Rewrites the remaining text from the tile counts.
void UpdateRemainingText();
