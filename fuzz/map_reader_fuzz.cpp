// Fuzzes the map reader with both programs' use of what it reads, and checks that whatever was
// read writes back into a file that reads again.
//
// Each input: the game's store takes its levels as the game's loader places them; an
// editor-style read fills the editor's table (stopping at a non-empty password, as a refused
// password does); the information texts and levels read are written with the map writer and read
// back, which must read whole without a stray node and give the same texts.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "mapdata/level_model.h"
#include "mapdata/map_reader.h"
#include "mapdata/map_writer.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// The game's loader without its pumps and messages: the count and levels in file order.
void StoreMap(const MapFile& map) {
  ClearMapStore();
  if (map.result != MapReadWhole) return;
  for (const MapEntry& entry : map.entries) {
    if (entry.part == MapPartLevelCount) gMap.declaredLevelCount = entry.number;
    if (entry.part == MapPartLevel && gMap.levelCount < MaxLevels) {
      Require(PlaceLevel(map.levels[static_cast<size_t>(entry.number)]));
    }
  }
}

// The editor's open without its questions: the information and levels up to a password.
MapInfo ReadAsEditor(const MapFile& map) {
  MapInfo info;
  EditorMap& m = gEditorMap;
  ClearEditorMap(m);
  for (const MapEntry& entry : map.entries) {
    if (entry.part == MapPartAuthor) info.author = entry.text;
    if (entry.part == MapPartContact) info.contact = entry.text;
    if (entry.part == MapPartIntroduction) info.introduction = entry.text;
    if (entry.part == MapPartLevel && m.levelCount < MaxLevels) {
      FillEditorLevel(m, ++m.levelCount, map.levels[static_cast<size_t>(entry.number)]);
    }
    if (entry.part == MapPartPassword) {
      info.password = entry.text;
      if (!entry.text.empty()) break;
    }
  }
  return info;
}

// Line breaks as an XML reader hands them back.
std::string ReadBackForm(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// Cells outside the game's layers 2..12, rows 1..9 and columns 1..20 stay 0.
void CheckGameMargins() {
  for (int level = 0; level <= gMap.levelCount; ++level) {
    const LevelCells& cells = gMap.store->level[level];
    for (int l = 0; l < LayerSlots; ++l) {
      for (int r = 0; r < RowSlots; ++r) {
        for (int c = 0; c < ColumnSlots; ++c) {
          bool inside = level >= 1 && l >= 2 && r >= 1 && r <= BoardRows && c >= 1 &&
                        c <= BoardColumns;
          int32_t cell = cells.cell[l][r][c];
          Require(inside ? cell >= 0 && cell <= 42 : cell == 0);
        }
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  CreateMapStore();
  CreateEditorGrid();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const MapFile map = ReadMap(data, size);
  StoreMap(map);
  Require(gMap.levelCount >= 0 && gMap.levelCount <= MaxLevels);
  CheckGameMargins();
  if (map.result != MapReadWhole) return 0;

  const MapInfo info = ReadAsEditor(map);
  Require(gEditorMap.levelCount <= MaxLevels);

  std::string written = BuildMapText(info, gEditorMap);
  const MapFile back =
      ReadMap(reinterpret_cast<const unsigned char*>(written.data()), written.size());
  Require(back.result == MapReadWhole && back.strayNodes == 0);
  const MapInfo again = ReadAsEditor(back);
  Require(again.author == ReadBackForm(info.author));
  Require(again.contact == ReadBackForm(info.contact));
  Require(again.introduction == ReadBackForm(info.introduction));
  Require(again.password == ReadBackForm(info.password));
  return 0;
}
