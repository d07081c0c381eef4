// The frame of a level: its tile box and its place in the play area.
#include "tools/mapcheck/level_frame.h"

#include <algorithm>
#include <cmath>

#include "mapdata/geometry.h"

TileBox MeasureLevel(const LevelCells& cells, int type) {
  TileBox box;
  for (int layer = 1; layer <= GameTopLayer; ++layer) {
    for (int row = 1; row <= BoardRows; ++row) {
      for (int column = 1; column <= BoardColumns; ++column) {
        int x, y;
        if (cells.cell[layer][row][column] <= 0) continue;
        if (!GameTilePosition(type, layer, row, column, x, y)) return TileBox{};
        if (box.empty) box = TileBox{false, x, y, x + FaceWidth, y + FaceHeight};
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + FaceWidth);
        box.bottom = std::max(box.bottom, y + FaceHeight);
      }
    }
  }
  return box;
}

bool InsidePlayArea(const TileBox& box) {
  return box.empty || (box.left >= PlayAreaLeft && box.top >= PlayAreaTop &&
                       box.right <= PlayAreaRight && box.bottom <= PlayAreaBottom);
}

double CentreOffset(const TileBox& box, double& dx, double& dy) {
  dx = 0;
  dy = 0;
  if (box.empty) return 0;
  dx = (box.left + box.right - PlayAreaLeft - PlayAreaRight) / 2.0;
  dy = (box.top + box.bottom - PlayAreaTop - PlayAreaBottom) / 2.0;
  return std::hypot(dx, dy);
}
