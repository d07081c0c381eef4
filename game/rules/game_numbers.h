// Numbers of the game that every part of it uses, from the rules up: the screen's size, the
// pages, the windows and the sounds. Sprite, font and timer numbers belong to the parts that use
// them.
#pragma once

#include "mapdata/message_titles.h"

constexpr int ScreenWidthPx = 930;
constexpr int ScreenHeightPx = 625;

// Screen states: the page shown while no level is played.
enum ScreenState {
  ScreenMainMenu = 0,
  ScreenLevelIntro = 1,
  ScreenResult = 2,
  ScreenLoading = 3,
  ScreenLevelSelect = 4,
  ScreenHelp = 5,
  ScreenIntro = 10,
};

// Window numbers of the game.
constexpr int GameWindow = 0;
constexpr int SettingsWindow = 1;
constexpr int CreditWindow = 100;

// Sound numbers (aliases "vorle" + n).
enum GameSound {
  SoundIntro = 0,      // Sound\Vorle.mid, once as the intro begins
  SoundSelect = 1,     // Sound\Dian.mid
  SoundRemove = 2,     // Sound\Xiaochu.mid
  SoundStart = 3,      // Sound\Kaishi.mid
  SoundReward = 4,     // Sound\Jiangli.mid
  SoundBomb = 5,       // Sound\Baozha.mid
  MusicAlias = 8,      // the current music track
};

// Frames of the bomb's explosion.
constexpr int ExplosionFrames = 16;
