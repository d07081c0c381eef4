// Helpers for map tests: a scratch directory, files in it, level texts built from the format
// rules, and a map read from a text with its entries in words.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "mapdata/map_reader.h"

// A fresh directory per test, removed afterwards.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "mapdata-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A row text: 20 cells, "1," for the shown columns (1-based), "0," for the rest, then "|".
inline std::string RowText(std::vector<int> shownColumns = {}) {
  std::string row;
  for (int c = 1; c <= 20; ++c)
    row += std::count(shownColumns.begin(), shownColumns.end(), c) ? "1," : "0,";
  return row + "|";
}

// A layer text whose first `tiles` cells in reading order are shown, then "$".
inline std::string LayerWithTiles(int tiles) {
  std::string layer;
  for (int r = 0; r < 9; ++r) {
    std::vector<int> shown;
    for (int c = 1; c <= 20; ++c) if (r * 20 + c <= tiles) shown.push_back(c);
    layer += RowText(shown);
  }
  return layer + "$";
}

inline std::string EmptyLayer() { return LayerWithTiles(0); }

// A file as the editor lays it out, around the given level texts.
inline std::string MapFileText(const std::vector<std::string>& levels, int declared) {
  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a>\r\n<b></b>\r\n<c></c>\r\n"
                     "<d></d>\r\n<e>" + std::to_string(declared) + "</e>\r\n<f></f>\r\n";
  for (const std::string& level : levels) text += "<o>" + level + "</o>\r\n";
  return text + "</a>";
}

inline MapFile ReadText(const std::string& xml) {
  return ReadMap(reinterpret_cast<const unsigned char*>(xml.data()), xml.size());
}

// The entries of a map read, one word each: "b:text" for the information parts, "e:number",
// "o:level text", "stray".
inline std::vector<std::string> EntryWords(const MapFile& map) {
  std::vector<std::string> words;
  for (const MapEntry& entry : map.entries) {
    switch (entry.part) {
      case MapPartAuthor: words.push_back("b:" + entry.text); break;
      case MapPartContact: words.push_back("c:" + entry.text); break;
      case MapPartIntroduction: words.push_back("d:" + entry.text); break;
      case MapPartLevelCount: words.push_back("e:" + std::to_string(entry.number)); break;
      case MapPartPassword: words.push_back("f:" + entry.text); break;
      case MapPartLevel: words.push_back("o:" + map.levels.at(static_cast<size_t>(entry.number))); break;
      case MapPartStrayNode: words.push_back("stray"); break;
    }
  }
  return words;
}
