// Checking a map: reading it as the game does, measuring every level, and the two reports.
//
// Sections: checking | text report | JSON report
#include "tools/mapcheck/map_check.h"

#include <cstdio>

#include "game/app/map_loading.h"
#include "mapdata/level_model.h"
#include "platform/dialog.h"

// ---- Checking --------------------------------------------------------------------------------

namespace {

constexpr int FirstGameLayer = 2;   // layer field 1 lies at game layer index 2

}  // namespace

std::vector<std::string> LevelProblems(const LevelCheck& c) {
  std::vector<std::string> problems;
  if (c.tiles % 2 != 0) problems.push_back("odd tile count");
  if (c.tiles > 0 && c.box.empty) problems.push_back("type " + std::to_string(c.type) + " is never drawn");
  if (c.box.empty) return problems;
  if (c.box.top < PlayAreaTop) problems.push_back("under the title banner");
  if (c.box.bottom > PlayAreaBottom) problems.push_back("over the bottom panel");
  if (c.box.left < PlayAreaLeft || c.box.right > PlayAreaRight) problems.push_back("past the window's side");
  if (c.offset > MaxCentreOffset) problems.push_back("off centre");
  return problems;
}

LevelCheck CheckLevel(int level, int deals) {
  LevelCheck c;
  const LevelCells& cells = gMap.store->level[level];
  c.level = level;
  c.type = gMap.arrangementType[level];
  for (int layer = 1; layer <= GameTopLayer; ++layer)
    for (int row = 1; row <= BoardRows; ++row)
      for (int column = 1; column <= BoardColumns; ++column)
        if (cells.cell[layer][row][column] > 0) {
          c.tiles += 1;
          c.layers = layer - FirstGameLayer + 1;
        }
  c.box = MeasureLevel(cells, c.type);
  c.offset = CentreOffset(c.box, c.dx, c.dy);
  c.odds = EstimateDealOdds(level, deals, static_cast<uint32_t>(level));
  return c;
}

MapCheck CheckMapFile(const std::string& path, int deals) {
  MapCheck map;
  map.file = path;
  map.deals = deals;
  ScriptDialogs(true);
  gMapLoad = MapLoadSettings{nullptr, 0};
  gMap.faceCounter = 0;
  LoadMapFile(path);
  for (const ShownDialog& shown : ShownDialogs()) map.messages.push_back(shown.text);
  ScriptDialogs(false);
  for (int level = 1; level <= gMap.levelCount; ++level) map.levels.push_back(CheckLevel(level, deals));
  return map;
}

std::string LevelVerdict(const LevelCheck& check) {
  std::string verdict;
  for (const std::string& problem : LevelProblems(check))
    verdict += (verdict.empty() ? "" : ", ") + problem;
  return verdict.empty() ? PassingVerdict : verdict;
}

bool MapPasses(const MapCheck& map) {
  if (!map.messages.empty()) return false;
  for (const LevelCheck& c : map.levels)
    if (!LevelProblems(c).empty()) return false;
  return true;
}

// ---- Text report -----------------------------------------------------------------------------

namespace {

double Share(int part, int whole) { return whole > 0 ? static_cast<double>(part) / whole : 0; }

std::string Printed(const char* format, auto... values) {
  char line[256];
  std::snprintf(line, sizeof line, format, values...);
  return line;
}

}  // namespace

std::string FormatText(const MapCheck& map) {
  std::string text = Printed("%s: %d levels, %d deals each\n", map.file.c_str(),
                             static_cast<int>(map.levels.size()), map.deals);
  for (const std::string& message : map.messages) text += "  reader: " + message + "\n";
  text += "level type layers tiles  left  top right bottom     dx     dy cleared dead-ends  stuck  verdict\n";
  for (const LevelCheck& c : map.levels) {
    const std::string verdict = LevelVerdict(c);
    const TileBox& b = c.box;
    text += Printed("%5d %4d %6d %5d ", c.level, c.type, c.layers, c.tiles);
    text += b.empty ? std::string("     -    -     -      -      -      - ")
                    : Printed("%5d %4d %5d %6d %+6.1f %+6.1f ", b.left, b.top, b.right, b.bottom,
                              c.dx, c.dy);
    text += Printed("%6.1f%% %9.2f %5.1f%%  %s\n", 100 * Share(c.odds.cleared, c.odds.deals),
                    Share(c.odds.deadEnds, c.odds.deals), 100 * Share(c.odds.stuck, c.odds.deals),
                    verdict.c_str());
  }
  return text;
}

// ---- JSON report -----------------------------------------------------------------------------

namespace {

std::string JsonString(const std::string& text) {
  std::string quoted = "\"";
  for (unsigned char ch : text) {
    if (ch == '"' || ch == '\\') {
      quoted += '\\';
      quoted += static_cast<char>(ch);
    } else if (ch < 0x20) {
      quoted += Printed("\\u%04x", ch);
    } else {
      quoted += static_cast<char>(ch);
    }
  }
  return quoted + "\"";
}

std::string JsonStrings(const std::vector<std::string>& texts) {
  std::string list;
  for (const std::string& t : texts) list += (list.empty() ? "" : ",") + JsonString(t);
  return "[" + list + "]";
}

std::string JsonLevel(const LevelCheck& c) {
  const TileBox& b = c.box;
  const DealOdds& o = c.odds;
  std::string box = b.empty ? std::string("null")
                            : Printed("{\"left\":%d,\"top\":%d,\"right\":%d,\"bottom\":%d}",
                                      b.left, b.top, b.right, b.bottom);
  return Printed("{\"level\":%d,\"type\":%d,\"layers\":%d,\"tiles\":%d,\"box\":", c.level,
                 c.type, c.layers, c.tiles) +
         box +
         Printed(",\"insidePlayArea\":%s,\"dx\":%.1f,\"dy\":%.1f,\"offCentre\":%.1f,",
                 InsidePlayArea(b) ? "true" : "false", c.dx, c.dy, c.offset) +
         Printed("\"deals\":%d,\"cleared\":%.4f,\"deadEndsPerDeal\":%.4f,\"stuck\":%.4f,",
                 o.deals, Share(o.cleared, o.deals), Share(o.deadEnds, o.deals),
                 Share(o.stuck, o.deals)) +
         "\"problems\":" + JsonStrings(LevelProblems(c)) + "}";
}

}  // namespace

std::string FormatJson(const std::vector<MapCheck>& maps) {
  std::string json = "[";
  for (const MapCheck& map : maps) {
    if (json.size() > 1) json += ",\n";
    json += "{\"file\":" + JsonString(map.file) + ",\"passes\":" +
            (MapPasses(map) ? "true" : "false") + ",\"messages\":" + JsonStrings(map.messages) +
            ",\"levels\":[";
    for (size_t i = 0; i < map.levels.size(); ++i)
      json += (i ? ",\n  " : "\n  ") + JsonLevel(map.levels[i]);
    json += "]}";
  }
  return json + "]\n";
}
