// Shared set-up of the application tests: the game brought up once in the generated application
// directory (fonts, sprites, window and screen), then every test starts from the main menu with
// scripted dialogs, recorded media and no pacing while maps load.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/app/app_state.h"
#include "game/app/main_loop.h"
#include "game/app/map_loading.h"
#include "game/presentation/frame_cache.h"
#include "game/presentation/fonts.h"
#include "game/presentation/frame_view.h"
#include "game/presentation/layout.h"
#include "game/presentation/resources.h"
#include "game/presentation/settings.h"
#include "game/presentation/view_state.h"
#include "game/rules/rules_state.h"
#include "mapdata/level_model.h"
#include "platform/dialog.h"
#include "platform/media.h"
#include "platform/picture.h"
#include "platform/random.h"
#include "platform/window.h"
#include "tests/support/program_once.h"
#include "tests/support/shown_texts.h"

class AppTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!EnterProgramOnce()) return;
    RecordMediaCalls(true);
    ASSERT_TRUE(StartGame());
    ASSERT_TRUE(OpenGameScreen());
    StopTimer(GameWindow, FrameTimer);
  }

  void SetUp() override {
    ScriptDialogs(true);
    RecordMediaCalls(true);
    SeedRandom(7);
    gMapLoad.pacingMs = 0;
    SetFrameCacheEnabled(false);   // tests follow every picture drawn
    gApp.screenState = ScreenMainMenu;
    gApp.inPlay = false;
    gPlay.freeMode = false;
    gApp.mapLoaded = false;
    gApp.progressMap = false;
    gView.hoveredButton = 0;
    gView.pageOffset = 0;
    gPlay = PlayState{};
    gLevel = LevelState{};
    gItems = ItemState{};
    gScore = ScoreState{};
    gEffects = EffectState{};
    gSettings.backgroundType = 2;   // a plain colour: no picture loads, no random draws
    gSettings.effectsOn = 1;
    gSettings.musicOn = 0;
  }

  void TearDown() override {
    StopDrawLog();
    StopTimer(GameWindow, FrameTimer);
    StopTimer(GameWindow, LevelClockTimer);
  }

  // The sprite draws of the log, in order.
  static std::vector<DrawRecord> DrawnSprites() {
    std::vector<DrawRecord> sprites;
    for (const DrawRecord& r : DrawLog())
      if (r.kind == DrawnSprite) sprites.push_back(r);
    return sprites;
  }

  static std::vector<DrawRecord> DrawnTexts() {
    std::vector<DrawRecord> texts;
    for (const DrawRecord& r : DrawLog())
      if (r.kind == DrawnText) texts.push_back(r);
    return texts;
  }

  static int CountSprite(int sprite) {
    int n = 0;
    for (const DrawRecord& r : DrawLog()) n += r.kind == DrawnSprite && r.number == sprite;
    return n;
  }

  // A level of the live board in play, of the given type, with nothing on it yet.
  static void PlayEmptyLevel(int type) {
    gLevel.board = LevelCells{};
    gLevel.arrangementType = type;
    gApp.inPlay = true;
  }
};
