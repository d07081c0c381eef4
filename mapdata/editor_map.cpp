// The editor's grid and level table, and filling a level from a level text.
#include "mapdata/level_model.h"
#include "mapdata/level_text.h"

EditorMap gEditorMap = {nullptr, {}, {}, 0, {}};

void CreateEditorGrid() {
  if (!gEditorMap.grid) gEditorMap.grid = NewGrid();
}

void ClearEditorMap(EditorMap& map) {
  if (map.grid) ClearWrittenLevels(*map.grid, map.written);
  for (int& count : map.layerCount) count = 0;
  for (int& type : map.arrangementType) type = 0;
  map.levelCount = 0;
}

bool FillEditorLevel(EditorMap& map, int level, std::string_view text) {
  if (level < 1 || level > MaxLevels || !map.grid) return false;
  static LevelText split;   // 35 KB of views, kept off the stack
  SplitLevelText(text, split);
  int layers = split.keptLayers < EditorMaxLayers ? split.keptLayers : EditorMaxLayers;
  map.arrangementType[level] = NumberValue(split.typeField);
  map.layerCount[level] = layers;
  LevelCells& cells = map.grid->level[level];
  MarkLevelWritten(map.written, level);
  for (int k = 0; k < layers; ++k) {
    int layer = k + 1;
    for (int r = 0; r < BoardRows; ++r) {
      for (int c = 0; c < BoardColumns; ++c) {
        cells.cell[layer][r + 1][c + 1] = NumberValue(split.cell[k][r][c]) == 0 ? 0 : layer;
      }
    }
  }
  return true;
}
