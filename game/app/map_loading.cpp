// The game's loading of a map file.
#include "game/app/map_loading.h"

#include <vector>

#include "mapdata/level_model.h"
#include "mapdata/map_reader.h"
#include "mapdata/message_titles.h"
#include "mapdata/xml_tree.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/translation.h"
#include "platform/window.h"

MapLoadSettings gMapLoad = {nullptr, DefaultLoadPacingMs};

void LoadMapFile(const std::string& path) {
  ClearMapStore();
  if (gMapLoad.loadingBegins) gMapLoad.loadingBegins();
  std::vector<unsigned char> bytes;
  if (!ReadFileBytes(path, bytes, MaxXmlBytes)) {
    ShowMessage(TranslateText(MessageTitle), TranslateText(MapFileMissingMessage));
    return;
  }
  const MapFile map = ReadMap(bytes.data(), bytes.size());
  if (map.result != MapReadWhole) {
    ShowMessage(TranslateText(MessageTitle), TranslateText(MapReadMessage(map.result)));
    return;
  }
  // The loading page follows the count and the levels as they come, so they are taken in order.
  for (const MapEntry& entry : map.entries) {
    if (entry.part == MapPartLevelCount) {
      gMap.declaredLevelCount = entry.number;
    } else if (entry.part == MapPartLevel && gMap.levelCount < MaxLevels) {
      if (gMapLoad.pacingMs > 0) PumpOnce(gMapLoad.pacingMs);
      PlaceLevel(map.levels[static_cast<size_t>(entry.number)]);
    } else if (entry.part == MapPartStrayNode) {
      ShowMessage(TranslateText(MessageTitle), TranslateText(MapFileInvalidMessage));
    }
  }
}
