// Shared set-up of the rules tests: every rules struct back to its start values, a fixed random
// sequence, an empty map store, and services that record what the rules asked for and keep the
// page, the board and the clock as the app would.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/rules/game_numbers.h"
#include "game/rules/rules_services.h"
#include "game/rules/rules_state.h"
#include "mapdata/level_model.h"
#include "platform/random.h"

// What the services keep of the app around the rules.
struct FakeApp {
  int screenState = ScreenMainMenu;
  bool inPlay = true;
  bool mapLoaded = true;
  bool clockRunning = false;
  int hoveredButton = 0;
  std::vector<std::string> calls;   // "sound 4", "effect 1", "background", "page 2", ...
  std::vector<std::string> titles;  // of the messages, in order
  std::vector<std::string> texts;
};

inline FakeApp gFakeApp;

inline void BindFakeServices() {
  gRulesServices = RulesServices{
      [](int sound) { gFakeApp.calls.push_back("sound " + std::to_string(sound)); },
      [](int sound) { gFakeApp.calls.push_back("effect " + std::to_string(sound)); },
      [](const std::string& title, const std::string& text) {
        gFakeApp.calls.push_back("message");
        gFakeApp.titles.push_back(title);
        gFakeApp.texts.push_back(text);
      },
      [] { gFakeApp.calls.push_back("background"); },
      [] {
        gFakeApp.calls.push_back("clock start");
        gFakeApp.clockRunning = true;
      },
      [] {
        gFakeApp.calls.push_back("clock stop");
        gFakeApp.clockRunning = false;
      },
      [] { gFakeApp.calls.push_back("frame timer"); },
      [](int page) {
        gFakeApp.calls.push_back("page " + std::to_string(page));
        gFakeApp.screenState = page;
        gFakeApp.inPlay = false;
      },
      [] {
        gFakeApp.calls.push_back("board");
        gFakeApp.screenState = ScreenMainMenu;
        gFakeApp.inPlay = true;
        gFakeApp.hoveredButton = 0;
      },
      [] {
        gFakeApp.calls.push_back("leave play");
        gFakeApp.inPlay = false;
      },
      [] {
        gFakeApp.calls.push_back("drop map");
        gFakeApp.screenState = ScreenMainMenu;
        gFakeApp.mapLoaded = false;
      },
  };
}

class RulesTest : public testing::Test {
 protected:
  void SetUp() override {
    gPlay = PlayState{};
    gPlay.freeMode = true;
    gLevel = LevelState{};
    gItems = ItemState{};
    gScore = ScoreState{};
    gEffects = EffectState{};
    gResult = ResultState{};
    gFakeApp = FakeApp{};
    BindFakeServices();
    SeedRandom(20240611);
    CreateMapStore();
    ClearGrid(*gMap.store);
    std::fill(std::begin(gMap.arrangementType), std::end(gMap.arrangementType), 0);
    gMap.levelCount = 0;
  }

  void TearDown() override { ResetRulesServices(); }

  // Puts a tile on the live board and counts it as one of the level's tiles.
  static void PutTile(int layer, int row, int column, int face) {
    gLevel.board.cell[layer][row][column] = face;
    gLevel.startCount += 1;
  }

  // A level in play of the given type with nothing on it.
  static void EmptyBoard(int type) {
    gLevel.board = LevelCells{};
    gLevel.arrangementType = type;
    gLevel.startCount = 0;
    gLevel.removedCount = 0;
  }

  // A tile of a map level in the store, at the game's layer index.
  static void PutMapTile(int level, int layer, int row, int column, int face) {
    gMap.store->level[level].cell[layer][row][column] = face;
  }

  static int TilesOnBoard() {
    int count = 0;
    for (int l = 0; l < LayerSlots; ++l)
      for (int r = 0; r < RowSlots; ++r)
        for (int c = 0; c < ColumnSlots; ++c) count += gLevel.board.cell[l][r][c] > 0;
    return count;
  }

  // The texts of the messages shown, in order.
  static const std::vector<std::string>& ShownTexts() { return gFakeApp.texts; }

  static bool Asked(const std::string& call) {
    const auto& calls = gFakeApp.calls;
    return std::find(calls.begin(), calls.end(), call) != calls.end();
  }
};
