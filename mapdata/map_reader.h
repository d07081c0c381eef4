// Reading a map file, shared by both programs: bytes in, a typed map out, nothing shown.
//
// The bytes are parsed whole; a failure reads nothing. Then the tree is walked depth first in
// document order from the root element. Element names count without regard to ASCII letter
// case, at any depth, in any order and as often as they occur; other elements are passed over
// but their children are walked. Any other node (comment, processing instruction,
// character-data section) is a stray node and its children are not walked. Nodes before or after
// the root are not visited.
//
// MapFile holds the file twice over. `entries` lists the map's elements and the stray nodes in
// walk order, so that a program which acts between them (a pump before each level, the password
// question at `f`, a message for each stray node) keeps their exact order and can stop part way.
// The other fields sum up the whole file for a reader that needs no order. Level texts are kept
// once, in `levels`; a level entry names its index there.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "mapdata/map_writer.h"

// What the programs show for a map that does not read cleanly (titled MessageTitle).
constexpr const char* MapFileMissingMessage = "发生严重错误，系统找不到有效的地图文件。";
constexpr const char* MapFileInvalidMessage = "无法读取地图文件，可能不是一个有效的地图文件。";

// The file dialogs of both programs that choose a map.
constexpr const char* MapFileFilter = "地图文件 (*.xml)|*.xml";
constexpr const char* OpenMapTitle = "选择地图文件";

enum MapReadResult {
  MapReadWhole,       // parsed, with a root element: the entries are read (stray nodes may be)
  MapNotWellFormed,   // not a well-formed document or beyond a reader limit: nothing read
  MapWithoutRoot,     // no element at all: nothing read
};

enum MapPart {
  MapPartAuthor,         // <b>: text
  MapPartContact,        // <c>: text
  MapPartIntroduction,   // <d>: text
  MapPartLevelCount,     // <e>: number, the number value of its text
  MapPartPassword,       // <f>: text
  MapPartLevel,          // <o>: number, its index in MapFile::levels
  MapPartStrayNode,      // a comment, processing instruction or character-data section
};

struct MapEntry {
  MapPart part;
  std::string text;   // the element's own text for the information parts, else empty
  int number;         // see MapPart; 0 where it says nothing
};

struct MapFile {
  MapReadResult result = MapNotWellFormed;
  std::vector<MapEntry> entries;     // in walk order
  MapInfo info;                      // the last of each information element
  int declaredLevelCount = 0;        // the last level count element; 0 without one
  std::vector<std::string> levels;   // every level text in walk order, beyond 300 too
  int strayNodes = 0;                // stray node entries
};

MapFile ReadMap(const unsigned char* data, size_t size);

// The message a program shows for a result other than MapReadWhole.
const char* MapReadMessage(MapReadResult result);
