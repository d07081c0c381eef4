// What a level of the game's map store holds, for the tests of placing and loading maps.
#pragma once

#include <cstdint>
#include <vector>

#include "mapdata/level_model.h"

// Faces of a level's tiles in reading order (layer, row, column), layers 0..12.
inline std::vector<int> StoredFaces(int level) {
  std::vector<int> faces;
  for (auto& layer : gMap.store->level[level].cell)
    for (auto& row : layer)
      for (int32_t cell : row)
        if (cell != 0) faces.push_back(cell);
  return faces;
}

inline int StoredTilesOnLayer(int level, int layer) {
  int tiles = 0;
  for (auto& row : gMap.store->level[level].cell[layer])
    for (int32_t cell : row) tiles += cell > 0;
  return tiles;
}
