// mapcheck FILE...: checks map files for the default map's frame and reports the odds of
// random play per level; --sheet draws every level of one map. Exit 0 when every file reads
// cleanly and every level passes, 1 when one does not, 2 for a usage error or a sheet that
// cannot be drawn.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/app.h"
#include "tools/mapcheck/level_sheet.h"
#include "tools/mapcheck/map_check.h"

namespace {

constexpr int MaxDeals = 100000;

int Usage() {
  std::fprintf(stderr,
               "usage: mapcheck [--json] [--deals N] FILE...\n"
               "       mapcheck [--deals N] --sheet SHEET.png FILE\n"
               "  per level: type, layers, tiles, the box of the drawn tiles in the 930 x 625\n"
               "  window, its offset from the play area's centre, and over N random deals\n"
               "  (default %d) the share cleared without a dead end, the dead ends per deal and\n"
               "  the share stuck without a move. Exit 1 when a file does not read cleanly or a\n"
               "  level has an odd tile count, leaves the play area (y %d..%d) or is more than\n"
               "  %d px off centre. --sheet also draws every level as the game draws it, dealt\n"
               "  for a fixed seed, into one PNG with each level's number and verdict; run it\n"
               "  in an application directory (no display needed).\n",
               DefaultDeals, PlayAreaTop, PlayAreaBottom, MaxCentreOffset);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool json = false;
  std::string sheet;
  int deals = DefaultDeals;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--json") {
      json = true;
    } else if (arg == "--deals" && i + 1 < argc) {
      char* end = nullptr;
      const long n = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || n < 1 || n > MaxDeals) return Usage();
      deals = static_cast<int>(n);
    } else if (arg == "--sheet" && i + 1 < argc) {
      sheet = argv[++i];
    } else if (arg.starts_with("-")) {
      return Usage();
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty() || (!sheet.empty() && files.size() != 1)) return Usage();
  if (!sheet.empty()) {
    const std::string failure = StartSheetDrawing();
    if (!failure.empty()) {
      ShutdownPlatform();
      std::fprintf(stderr, "mapcheck: %s\n", failure.c_str());
      return 2;
    }
  }

  std::vector<MapCheck> maps;
  bool passes = true;
  for (const std::string& file : files) {
    maps.push_back(CheckMapFile(file, deals));
    passes = MapPasses(maps.back()) && passes;
    if (!json) std::fputs(FormatText(maps.back()).c_str(), stdout);
  }
  if (json) std::fputs(FormatJson(maps).c_str(), stdout);
  if (!sheet.empty()) {
    const std::string failure = DrawLevelSheet(maps.front(), sheet);
    ShutdownPlatform();
    if (!failure.empty()) {
      std::fprintf(stderr, "mapcheck: %s\n", failure.c_str());
      return 2;
    }
  }
  return passes ? 0 : 1;
}
