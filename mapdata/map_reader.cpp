// Reading a map file: parse, root element, depth-first walk into typed entries.
#include "mapdata/map_reader.h"

#include "mapdata/level_text.h"
#include "mapdata/xml_tree.h"

namespace {

// The part an element name stands for; false for an element the map does not use.
bool PartOfElement(const std::string& name, MapPart& part) {
  if (name.size() != 1) return false;
  switch (name[0]) {
    case 'b': case 'B': part = MapPartAuthor; return true;
    case 'c': case 'C': part = MapPartContact; return true;
    case 'd': case 'D': part = MapPartIntroduction; return true;
    case 'e': case 'E': part = MapPartLevelCount; return true;
    case 'f': case 'F': part = MapPartPassword; return true;
    case 'o': case 'O': part = MapPartLevel; return true;
    default: return false;
  }
}

// Adds an element's entry and sets the field that sums it up. The text is moved out of the
// tree, which is thrown away after the walk.
void AddElement(MapPart part, std::string& text, MapFile& map) {
  MapEntry entry{part, {}, 0};
  switch (part) {
    case MapPartAuthor: map.info.author = text; break;
    case MapPartContact: map.info.contact = text; break;
    case MapPartIntroduction: map.info.introduction = text; break;
    case MapPartPassword: map.info.password = text; break;
    case MapPartLevelCount:
      entry.number = NumberValue(text);
      map.declaredLevelCount = entry.number;
      break;
    case MapPartLevel:
      entry.number = static_cast<int>(map.levels.size());
      map.levels.push_back(std::move(text));
      break;
    case MapPartStrayNode: break;
  }
  if (part != MapPartLevel && part != MapPartLevelCount) entry.text = std::move(text);
  map.entries.push_back(std::move(entry));
}

void WalkNode(XmlNode& node, MapFile& map) {
  if (node.kind != XmlElement) {
    map.entries.push_back(MapEntry{MapPartStrayNode, {}, 0});
    ++map.strayNodes;
    return;
  }
  MapPart part;
  if (PartOfElement(node.name, part)) AddElement(part, node.text, map);
  for (XmlNode& child : node.children) WalkNode(child, map);
}

}  // namespace

MapFile ReadMap(const unsigned char* data, size_t size) {
  MapFile map;
  XmlDocument document;
  if (!ParseXml(data, size, document)) {
    map.result = MapNotWellFormed;
    return map;
  }
  if (document.root < 0) {
    map.result = MapWithoutRoot;
    return map;
  }
  map.result = MapReadWhole;
  WalkNode(document.top[static_cast<size_t>(document.root)], map);
  return map;
}

const char* MapReadMessage(MapReadResult result) {
  switch (result) {
    case MapReadWhole: return "";
    case MapNotWellFormed: return MapFileMissingMessage;
    case MapWithoutRoot: return MapFileInvalidMessage;
  }
  return "";
}
