// The map writer: the exact bytes of a map file as the editor saves it.
//
// Layout: UTF-8 without byte-order mark, CR LF after every line but the last, the last line
// "</a>" without line end:
//   <?xml version="1.0" encoding="UTF-8"?>
//   <a>
//   <b>author</b> <c>contact</c> <d>introduction</d> <e>level count</e> <f>password</f>
//   <o>level text</o>            one line per level, levels 1..N
//   </a>
// The four information texts are written as character data: &, < and > become &amp;, &lt; and
// &gt;; every line break (CR LF, LF or CR alone) becomes CR LF, so an introduction of several
// lines continues its element over several lines (XML readers hand these back as LF); control
// characters XML cannot hold and bytes that are not UTF-8 are dropped.
#pragma once

#include <string>

#include "mapdata/level_model.h"

// The four information texts of a map.
struct MapInfo {
  std::string author;         // <b>
  std::string contact;        // <c>
  std::string introduction;   // <d>, may hold line breaks
  std::string password;       // <f>, the edit password as plain text
  bool operator==(const MapInfo&) const = default;
};

// Lines 1 to 7: declaration, root opening and the five information lines, each ending in CR LF.
std::string BuildMapHead(const MapInfo& info, int levelCount);

// Level text of one level of the editor's table: the type, "$", then per layer 1..layer count
// nine rows of twenty "1," (cell above 0) or "0," pieces, each row closed by "|", the layer
// closed by "$".
std::string BuildLevelText(const EditorMap& map, int level);

// One level line: "<o>" + level text + "</o>" + CR LF.
std::string BuildLevelLine(const EditorMap& map, int level);

// The closing line, without line end.
inline constexpr const char* MapTail = "</a>";

// The whole file for the map's levels 1..levelCount.
std::string BuildMapText(const MapInfo& info, const EditorMap& map);
