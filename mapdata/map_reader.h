// The reading walk of a map file, shared by both programs.
//
// The file is parsed whole; a failure shows one message box and reads nothing. Then the tree is
// walked depth first in document order from the root element: each element's lower-case name and
// text go to the program's handler, then its children are walked; any other node (comment,
// processing instruction, character-data section) shows a message box and its children are not
// walked. Nodes before or after the root are not visited.
#pragma once

#include <cstddef>
#include <string>

constexpr const char* MapMessageTitle = "提示";
constexpr const char* MapFileMissingMessage = "发生严重错误，系统找不到有效的地图文件。";
constexpr const char* MapFileInvalidMessage = "无法读取地图文件，可能不是一个有效的地图文件。";

// The file dialogs of both programs that choose a map.
constexpr const char* MapFileFilter = "地图文件 (*.xml)|*.xml";
constexpr const char* OpenMapTitle = "选择地图文件";

enum WalkStep {
  WalkOn,     // go on with the walk
  WalkStop,   // skip every later node for good (the editor's refused password)
};

// Called for every element visited with its name in lower case (ASCII letters) and its text.
using MapElementHandler = WalkStep (*)(void* user, const std::string& name,
                                       const std::string& text);

// Reads the file (a program file name, see ResolvePath) and walks it. False when the file could
// not be loaded or has no root element (the message was shown). Only a regular file of at most
// MaxXmlBytes loads: a device, a FIFO or a link to one is refused at once.
bool ReadMapTree(const std::string& path, MapElementHandler handler, void* user);

// The same for bytes already in memory.
bool ReadMapBytes(const unsigned char* data, size_t size, MapElementHandler handler, void* user);
