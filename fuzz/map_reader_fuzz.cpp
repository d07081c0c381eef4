// Fuzzes the map reader with both programs' element handling, and checks that whatever was read
// writes back into a file that reads again.
//
// Each input: the game loads it into the map store; an editor-style walk fills the editor's
// table (stopping at a non-empty password, as a refused password does); the information texts
// and levels read are written with the map writer and read back, which must succeed without a
// message and give the same texts.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "mapdata/level_model.h"
#include "mapdata/map_reader.h"
#include "mapdata/map_writer.h"
#include "platform/app.h"
#include "platform/dialog.h"

namespace {

struct EditorRead {
  MapInfo info;
};

WalkStep ReadEditorElement(void* user, const std::string& name, const std::string& text) {
  EditorRead& read = *static_cast<EditorRead*>(user);
  EditorMap& m = gEditorMap;
  if (name == "b") read.info.author = text;
  if (name == "c") read.info.contact = text;
  if (name == "d") read.info.introduction = text;
  if (name == "o" && m.levelCount < MaxLevels) FillEditorLevel(m, ++m.levelCount, text);
  if (name == "f") {
    read.info.password = text;
    if (!text.empty()) return WalkStop;
  }
  return WalkOn;
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

void Require(bool condition) {
  if (!condition) std::abort();
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
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  if (!InitPlatform()) std::abort();
  CreateMapStore();
  CreateEditorGrid();
  gMapLoad = {nullptr, 0};
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ScriptDialogs(true);
  LoadMapBytes(data, size);
  Require(gMap.levelCount >= 0 && gMap.levelCount <= MaxLevels);
  CheckGameMargins();

  ClearEditorMap(gEditorMap);
  EditorRead read;
  if (!ReadMapBytes(data, size, ReadEditorElement, &read)) return 0;
  Require(gEditorMap.levelCount <= MaxLevels);

  std::string written = BuildMapText(read.info, gEditorMap);
  ScriptDialogs(true);
  EditorRead again;
  ClearEditorMap(gEditorMap);
  Require(ReadMapBytes(reinterpret_cast<const unsigned char*>(written.data()), written.size(),
                       ReadEditorElement, &again));
  Require(ShownDialogs().empty());
  Require(again.info.author == ReadBackForm(read.info.author));
  Require(again.info.contact == ReadBackForm(read.info.contact));
  Require(again.info.introduction == ReadBackForm(read.info.introduction));
  Require(again.info.password == ReadBackForm(read.info.password));
  return 0;
}
