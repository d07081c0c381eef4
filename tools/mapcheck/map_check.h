// The check of a map file for level designers: per level its type, layers, tiles, frame in the
// picture and the odds of random play, with the verdict; as a text table or as JSON.
#pragma once

#include <string>
#include <vector>

#include "tools/mapcheck/deal_odds.h"
#include "tools/mapcheck/level_frame.h"

struct LevelCheck {
  int level = 0;
  int type = 0;          // arrangement type as read
  int layers = 0;        // layer fields up to the highest that holds a tile
  int tiles = 0;         // tiles of the layers the game plays
  TileBox box;           // drawn tiles in window pixels
  double dx = 0, dy = 0; // box centre right of and below the play area's centre
  double offset = 0;     // distance between the two centres
  DealOdds odds;
};

struct MapCheck {
  std::string file;
  int deals = 0;                       // random deals played per level
  std::vector<std::string> messages;   // what the game's reader would show in message boxes
  std::vector<LevelCheck> levels;
};

// What is wrong with a level, in words; empty when it is fit for the default map's frame.
std::vector<std::string> LevelProblems(const LevelCheck& check);

// The verdict of a level: PassingVerdict, or its problems joined by commas.
constexpr const char* PassingVerdict = "ok";
std::string LevelVerdict(const LevelCheck& check);

// Checks level `level` of the game's map store, playing `deals` deals.
LevelCheck CheckLevel(int level, int deals);

// Reads a map file with the game's reader (its message boxes collected, not shown) and checks
// every level. The face counter starts from 0, as for the first map the game loads.
MapCheck CheckMapFile(const std::string& path, int deals);

// True when the file read without a message and every level is free of problems.
bool MapPasses(const MapCheck& map);

// One header line per map, then one line per level.
std::string FormatText(const MapCheck& map);
// All maps as one JSON array.
std::string FormatJson(const std::vector<MapCheck>& maps);
