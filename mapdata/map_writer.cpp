// The map writer: information lines, level lines and the whole map.
//
// Sections: character data | level text | whole map
#include "mapdata/map_writer.h"

// ---- Character data ------------------------------------------------------------------------

namespace {

constexpr const char* LineEnd = "\r\n";

// Length of the UTF-8 sequence starting at text[i] that XML can hold, 0 when the bytes there are
// not UTF-8 or encode a character XML excludes.
size_t XmlCharLength(const std::string& text, size_t i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  size_t length;
  unsigned int code;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0u) != 0x80u) return 0;
    code = (code << 6) | (byte(i + k) & 0x3Fu);
  }
  bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  bool excluded = code == 0xFFFE || code == 0xFFFF || code > 0x10FFFF;
  return overlong || surrogate || excluded ? 0 : length;
}

// The text as character data: entities for &, < and >, CR LF for every line break, nothing XML
// cannot hold.
std::string EscapeText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    char ch = text[i];
    if (ch == '\r' || ch == '\n') {
      out += LineEnd;
      i += (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      continue;
    }
    if (ch == '&') {
      out += "&amp;";
    } else if (ch == '<') {
      out += "&lt;";
    } else if (ch == '>') {
      out += "&gt;";
    } else if (ch == '\t' || static_cast<unsigned char>(ch) >= 0x20) {
      size_t length = XmlCharLength(text, i);
      if (length == 0) {
        ++i;
        continue;
      }
      out.append(text, i, length);
      i += length;
      continue;
    }
    ++i;
  }
  return out;
}

void AppendElementLine(std::string& out, const char* name, const std::string& content) {
  out += '<';
  out += name;
  out += '>';
  out += content;
  out += "</";
  out += name;
  out += '>';
  out += LineEnd;
}

}  // namespace

// ---- Level text ----------------------------------------------------------------------------

std::string BuildLevelText(const EditorMap& map, int level) {
  std::string text;
  if (level < 1 || level > MaxLevels) return text;
  int layers = map.layerCount[level];
  if (layers > EditorMaxLayers) layers = EditorMaxLayers;
  constexpr size_t LayerTextLength = BoardRows * (2 * BoardColumns + 1) + 1;
  constexpr size_t TypeFieldRoom = 12;   // the widest 32-bit number and its "$"
  text.reserve(TypeFieldRoom + LayerTextLength * static_cast<size_t>(layers > 0 ? layers : 0));
  text += std::to_string(map.arrangementType[level]);
  text += '$';
  for (int layer = 1; layer <= layers; ++layer) {
    for (int row = 1; row <= BoardRows; ++row) {
      for (int column = 1; column <= BoardColumns; ++column) {
        bool shown = map.grid && map.grid->level[level].cell[layer][row][column] > 0;
        text += shown ? "1," : "0,";
      }
      text += '|';
    }
    text += '$';
  }
  return text;
}

std::string BuildLevelLine(const EditorMap& map, int level) {
  std::string line;
  AppendElementLine(line, "o", BuildLevelText(map, level));
  return line;
}

// ---- Whole map -----------------------------------------------------------------------------

std::string BuildMapHead(const MapInfo& info, int levelCount) {
  std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
  head += LineEnd;
  head += "<a>";
  head += LineEnd;
  AppendElementLine(head, "b", EscapeText(info.author));
  AppendElementLine(head, "c", EscapeText(info.contact));
  AppendElementLine(head, "d", EscapeText(info.introduction));
  AppendElementLine(head, "e", std::to_string(levelCount));
  AppendElementLine(head, "f", EscapeText(info.password));
  return head;
}

std::string BuildMapText(const MapInfo& info, const EditorMap& map) {
  int levels = map.levelCount < MaxLevels ? map.levelCount : MaxLevels;
  std::string text = BuildMapHead(info, levels);
  for (int level = 1; level <= levels; ++level) text += BuildLevelLine(map, level);
  text += MapTail;
  return text;
}
