// Shared set-up of the editor tests: the editor brought up once in the generated application
// directory with its timers stopped (tests call the ticks themselves), and every test starting
// from an empty map with scripted dialogs. Map files go to a scratch directory per test.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "editor/main_loop.h"
#include "mapdata/level_model.h"
#include "platform/dialog.h"
#include "platform/gadget.h"
#include "platform/window.h"
#include "tests/support/program_once.h"
#include "tests/support/shown_texts.h"

class EditorTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!EnterProgramOnce()) return;
    ASSERT_TRUE(StartEditor());
    StopTimer(EditorWindow, FrameTimer);
    StopTimer(EditorWindow, StatusTimer);
    SetEventHandler(HandleEditorEvent);
  }

  void SetUp() override {
    ScriptDialogs(true);
    SetEventHandler(HandleEditorEvent);
    while (PollEvent().kind != EventNone) {
    }
    if (IsWindowOpen(NewLevelWindow)) CloseWindow(NewLevelWindow);
    if (IsWindowOpen(SaveWindow)) CloseWindow(SaveWindow);
    ClearEditorMap(gEditorMap);
    std::string directory = gEditor.workingDirectory;
    gEditor = EditorState{};
    gEditor.workingDirectory = directory;
    ClearGadgetItems(GadgetLevelList);
    ClearGadgetItems(GadgetLayerList);
    std::string pattern = (std::filesystem::temp_directory_path() / "editor-XXXXXX").string();
    scratch_ = mkdtemp(pattern.data()) ? pattern : std::string();
    ASSERT_FALSE(scratch_.empty());
  }

  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(scratch_, ignored);
  }

  std::string File(const std::string& name) const { return scratch_ + "/" + name; }

  static void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
  }

  static std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // The current level's cell.
  static int Cell(int layer, int row, int column) {
    return gEditorMap.grid->level[gEditor.currentLevel].cell[layer][row][column];
  }

  // Shown cells of one layer of the current level.
  static int CountLayer(int layer) {
    int count = 0;
    for (int r = 1; r <= 9; ++r)
      for (int c = 1; c <= 20; ++c) count += Cell(layer, r, c) > 0 ? 1 : 0;
    return count;
  }

  static std::vector<std::string> Items(int gadget) {
    std::vector<std::string> items;
    for (int i = 0; i < CountGadgetItems(gadget); ++i) items.push_back(GadgetItemText(gadget, i));
    return items;
  }


  std::string scratch_;
};

// A layer text of the map format: the shown cells given as (row, column) pairs, 1-based.
inline std::string LayerText(const std::vector<std::pair<int, int>>& shown) {
  std::string layer;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 20; ++c) {
      bool on = false;
      for (auto [sr, sc] : shown) on = on || (sr == r && sc == c);
      layer += on ? "1," : "0,";
    }
    layer += "|";
  }
  return layer + "$";
}

// A map file with the given information elements and level texts.
inline std::string MapText(const std::vector<std::string>& levels, const std::string& password = "",
                           const std::string& author = "", int declared = -1) {
  std::string file = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a>\r\n<b>" + author +
                     "</b>\r\n<c></c>\r\n<d></d>\r\n<e>" +
                     std::to_string(declared < 0 ? static_cast<int>(levels.size()) : declared) +
                     "</e>\r\n<f>" + password + "</f>\r\n";
  for (const std::string& level : levels) file += "<o>" + level + "</o>\r\n";
  return file + "</a>";
}
