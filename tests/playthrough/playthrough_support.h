// Shared pieces of the recorded play-throughs: a scratch application directory, the journal
// written out with the scratch paths made neutral, and the comparison with the golden file.
//
// A play-through drives a whole program in-process with a fixed random seed and virtual time,
// and compares the journal of everything the program did towards the outside (frames, sounds,
// dialogs, timers, Config.ini, programs and pages) with a golden file beside this header.
// PELMORA_WRITE_GOLDEN=1 writes the golden file instead; that is only right when a change of
// behaviour is meant.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/journal.h"
#include "platform/picture.h"
#include "tests/support/cjk_text.h"
#include "platform/window.h"

namespace playthrough {

namespace fs = std::filesystem;

// A scratch application directory linking the built one's resources, with a Config.ini of its
// own, so that the play-through's settings never touch the build's.
inline std::string MakeScratchAppDirectory(const std::string& name) {
  const fs::path dir = fs::temp_directory_path() / (name + "-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path built = PELMORA_APP_DIR;
  for (const char* entry : {"Images", "Sound", "Maps", "i18n"})
    fs::create_directory_symlink(built / entry, dir / entry);
  fs::copy_file(built / "Config.ini", dir / "Config.ini");
  return dir.string();
}

constexpr int TickMs = 10;

// A run brings its program up from nothing, which a process does once: the first run asking
// gets it, a later one in the same process is skipped (ctest runs each in a process of its own).
inline bool TakeFreshProcess() {
  static bool taken = false;
  const bool fresh = !taken;
  taken = true;
  return fresh;
}

// A mark in the journal where a part of the script begins.
inline void Step(const std::string& name) { JournalCall("step " + name); }

// Hands every queued event to the program, as its event loop would.
inline void DeliverEvents(EventHandler handler) {
  for (Event e = PollEvent(); e.kind != EventNone; e = PollEvent()) handler(e);
}

inline void AdvanceTicks(EventHandler handler, int ticks) {
  AdvanceVirtualTime(ticks * TickMs);
  DeliverEvents(handler);
}

// Shortcuts reach only the active window; a closed child window leaves none active.
inline void PressKey(EventHandler handler, int window, int key, int modifiers) {
  ActivateWindow(window);
  SimulateKeyPress(window, key, modifiers);
  DeliverEvents(handler);
}

// A journal line with the scratch directory written as "<app>" and the source tree as
// "<source>", so that the record is the same in every checkout.
inline std::string Neutral(std::string line, const std::string& scratch) {
  const std::pair<std::string, const char*> places[] = {{scratch, "<app>"},
                                                        {PELMORA_SOURCE_DIR, "<source>"}};
  for (const auto& [place, name] : places)
    for (size_t at = line.find(place); at != std::string::npos; at = line.find(place, at))
      line.replace(at, place.size(), name);
  return line;
}

// Compares the journal with the golden file and reports the first difference; the whole record
// is written beside the test program for a diff.
inline void ExpectJournalMatchesGolden(const std::string& goldenName, const std::string& scratch) {
  std::vector<std::string> lines;
  for (const std::string& line : CallJournal()) lines.push_back(Neutral(line, scratch));
  const fs::path golden = fs::path(PELMORA_SOURCE_DIR) / "tests/playthrough" / goldenName;
  const char* write = std::getenv("PELMORA_WRITE_GOLDEN");
  if (write != nullptr && std::string(write) == "1") {
    std::ofstream out(golden, std::ios::binary);
    for (const std::string& line : lines) out << line << '\n';
    return;
  }
  const fs::path actualPath = fs::path(PELMORA_APP_DIR).parent_path() / "tests" /
                             (goldenName + ".actual");
  std::ofstream actual(actualPath, std::ios::binary);
  for (const std::string& line : lines) actual << line << '\n';

  std::ifstream in(golden, std::ios::binary);
  ASSERT_TRUE(in.good()) << "no golden file " << golden;
  std::vector<std::string> expected;
  for (std::string line; std::getline(in, line);) expected.push_back(line);
  const size_t common = std::min(lines.size(), expected.size());
  for (size_t i = 0; i < common; ++i) {
    ASSERT_EQ(lines[i], expected[i]) << "first difference at line " << i + 1 << " of "
                                     << goldenName << "; the record is in " << actualPath;
  }
  EXPECT_EQ(lines.size(), expected.size()) << "the record and " << goldenName
                                           << " differ in length";
}

// The Chinese texts drawn so far, one of each; the draw log starts anew each time, so that it
// never holds more than one stretch of driving.
inline std::vector<std::string> gChineseDrawn;

inline void CollectChineseDrawn() {
  for (const DrawRecord& record : DrawLog())
    if (record.kind == DrawnText && HasCjk(record.text) &&
        std::find(gChineseDrawn.begin(), gChineseDrawn.end(), record.text) == gChineseDrawn.end())
      gChineseDrawn.push_back(record.text);
  StartDrawLog();
}

}  // namespace playthrough
