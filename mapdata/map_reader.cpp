// The reading walk of a map file: load, root element, depth-first walk with messages.
#include "mapdata/map_reader.h"

#include <vector>

#include "mapdata/xml_tree.h"
#include "platform/dialog.h"
#include "platform/files.h"

namespace {

std::string LowerAscii(const std::string& name) {
  std::string lower = name;
  for (char& ch : lower) {
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  }
  return lower;
}

// Walks a node and its descendants; false once the handler asked to stop.
bool WalkNode(const XmlNode& node, MapElementHandler handler, void* user) {
  if (node.kind != XmlElement) {
    ShowMessage(MapMessageTitle, MapFileInvalidMessage);
    return true;
  }
  if (handler(user, LowerAscii(node.name), node.text) == WalkStop) return false;
  for (const XmlNode& child : node.children) {
    if (!WalkNode(child, handler, user)) return false;
  }
  return true;
}

}  // namespace

bool ReadMapBytes(const unsigned char* data, size_t size, MapElementHandler handler, void* user) {
  XmlDocument document;
  if (!ParseXml(data, size, document)) {
    ShowMessage(MapMessageTitle, MapFileMissingMessage);
    return false;
  }
  if (document.root < 0) {
    ShowMessage(MapMessageTitle, MapFileInvalidMessage);
    return false;
  }
  WalkNode(document.top[static_cast<size_t>(document.root)], handler, user);
  return true;
}

bool ReadMapTree(const std::string& path, MapElementHandler handler, void* user) {
  std::vector<unsigned char> bytes;
  if (!ReadFileBytes(path, bytes, MaxXmlBytes)) {
    ShowMessage(MapMessageTitle, MapFileMissingMessage);
    return false;
  }
  return ReadMapBytes(bytes.data(), bytes.size(), handler, user);
}
