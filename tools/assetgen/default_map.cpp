// The default map: the height maps of the designed levels turned into editor levels and
// written with the editor's map writer, so the file is exactly what the editor would save.
#include "tools/assetgen/default_map.h"

#include <algorithm>
#include <memory>

#include "mapdata/geometry.h"
#include "mapdata/map_writer.h"
#include "tools/assetgen/file_output.h"
#include "tools/assetgen/level_designs.h"

namespace {

constexpr int MinimumTiles = 36;
constexpr int MaximumTiles = 144;

const MapInfo DefaultMapInfo = {
    "Vorle 工作室",
    "pelmora@example.org",
    "欢迎来到麻将连连看！\n本地图共有三十六关，由浅入深：从单层的梅花与蝴蝶开始，"
    "逐步加入多层的灯笼、宝塔、桥梁与山峰，最后是九层的金字塔。\n每次点击两张相同且可以移动的麻将牌即可消除，祝你玩得开心！",
    "",
};

int HeightAt(const LevelDesign& design, int row, int column) {
  const char cell = design.rows[row - 1][column - 1];
  return cell >= '1' && cell <= '9' ? cell - '0' : 0;
}

// Puts one design into level `level`; false when it breaks a rule of the default map.
bool FillDesign(EditorMap& map, int level, const LevelDesign& design) {
  int layers = 0;
  int tiles = 0;
  for (int row = 1; row <= DesignRows; ++row) {
    for (int column = 1; column <= DesignColumns; ++column) {
      const int height = HeightAt(design, row, column);
      for (int layer = 1; layer <= height; ++layer) {
        int extentRows = 0;
        int extentColumns = 0;
        LayerExtent(design.type, layer, extentRows, extentColumns);
        if (row > extentRows || column > extentColumns) {
          return false;
        }
        map.grid->level[level].cell[layer][row][column] = layer;
      }
      layers = std::max(layers, height);
      tiles += height;
    }
  }
  map.layerCount[level] = layers;
  map.arrangementType[level] = design.type;
  return tiles % 2 == 0 && tiles >= MinimumTiles && tiles <= MaximumTiles;
}

}  // namespace

bool FillDesignedLevels(EditorMap& map) {
  ClearEditorMap(map);
  bool valid = true;
  for (int i = 0; i < gLevelDesignCount; ++i) {
    valid = FillDesign(map, i + 1, gLevelDesigns[i]) && valid;
  }
  map.levelCount = gLevelDesignCount;
  return valid;
}

std::string BuildDefaultMapText() {
  auto grid = std::make_unique<CellGrid>();
  EditorMap map{};
  map.grid = grid.get();
  if (!FillDesignedLevels(map)) {
    return std::string();
  }
  return BuildMapText(DefaultMapInfo, map);
}

bool WriteDefaultMap(const std::string& mapsDirectory) {
  const std::string text = BuildDefaultMapText();
  return !text.empty() &&
         WriteWholeFile(mapsDirectory + DefaultMapName, QByteArray::fromStdString(text));
}
