// Shared set-up of the rules tests: every rules struct back to its start values, scripted
// dialogs, recorded media, a fixed random sequence and an empty map store.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/app/app_state.h"
#include "game/presentation/settings.h"
#include "game/rules/rules_state.h"
#include "mapdata/level_model.h"
#include "platform/dialog.h"
#include "platform/media.h"
#include "platform/random.h"
#include "platform/window.h"

class RulesTest : public testing::Test {
 protected:
  void SetUp() override {
    gPlay = PlayState{};
    gLevel = LevelState{};
    gItems = ItemState{};
    gScore = ScoreState{};
    gEffects = EffectState{};
    gResult = ResultState{};
    gApp.screenState = ScreenMainMenu;
    gApp.inPlay = true;
    gApp.freeMode = true;
    gApp.mapLoaded = true;
    gApp.hoveredButton = 0;
    gSettings.backgroundType = 2;   // plain colour: no picture files, no random draws
    gSettings.effectsOn = 1;
    ScriptDialogs(true);
    RecordMediaCalls(true);
    SeedRandom(20240611);
    CreateMapStore();
    ClearGrid(*gMap.store);
    std::fill(std::begin(gMap.arrangementType), std::end(gMap.arrangementType), 0);
    gMap.levelCount = 0;
  }

  void TearDown() override {
    StopTimer(GameWindow, LevelClockTimer);
    StopTimer(GameWindow, FrameTimer);
    ScriptDialogs(false);
    RecordMediaCalls(false);
  }

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

  static std::vector<std::string> ShownTexts() {
    std::vector<std::string> texts;
    for (const ShownDialog& d : ShownDialogs()) texts.push_back(d.text);
    return texts;
  }

  static bool MediaLogHas(const std::string& command) {
    const auto& log = MediaCallLog();
    return std::find(log.begin(), log.end(), command) != log.end();
  }
};
