// State of the game rules. Plain structs, one instance each, grouped by lifetime:
//   gPlay    - level flow of the game in progress: current level, pause, mode
//   gLevel   - the level in play: live board, selections, tile counts (rebuilt by StartLevel)
//   gItems   - item counts, hint sparkle, bomb animation (live for the run)
//   gScore   - score, speed value, streak, clock, reward thresholds, banner (live for the run)
//   gEffects - removal effects of the last pair (reused by every removal)
//   gResult  - the count-up of the result screen (never reset)
#pragma once

#include <string>

#include "mapdata/grid.h"

constexpr int StartItemCount = 10;   // hints, shuffles and bombs of a new game

// A selected tile: its cell, its face and the mouse point of the click that chose it.
struct Selection {
  int layer = -1;      // -1 when nothing is selected
  int row = -1;
  int column = -1;
  int face = 0;        // face code 1..42
  int x = 0, y = 0;    // click point in window pixels
  bool operator==(const Selection&) const = default;
};

struct PlayState {
  int currentLevel = 1;            // 1-based level of the map in play
  std::string levelText = "1";     // decimal current level, for the panel
  bool paused = false;             // board hidden, clock stopped, only the pause button works
  bool freeMode = false;           // 0 progress mode (闯关模式), 1 free mode (自由模式)
  bool operator==(const PlayState&) const = default;
};

// A star or particle of an effect's current frame: where it is drawn and how opaque.
struct EffectDot {
  int x = 0, y = 0;
  int opacity = 255;
  bool operator==(const EffectDot&) const = default;
};
constexpr int HintStarsPerTile = 11;
constexpr int ParticlesPerTile = 80;
constexpr int ResultStarCount = 101;

struct LevelState {
  LevelCells board = {};           // live board of the level in play; the margin stays 0
  int arrangementType = 0;         // the level's type 1..4, copied from the map at the start
  int startCount = 0;              // tiles when the level started (after the odd one is dropped)
  int removedCount = 0;            // tiles removed so far: a pair counts 2, a bomb 1
  std::string totalText = "000";   // decimal start count, for the panel
  std::string remainingText = "000";   // decimal start count - removed count
  Selection first;                 // the selected tile
  Selection second;                // the tile clicked while a first one is selected
  bool operator==(const LevelState&) const = default;
};

struct ItemState {
  int hints = StartItemCount;
  int shuffles = StartItemCount;
  int bombs = StartItemCount;
  int hintX[2] = {0, 0};           // tile positions of the pair the last FindHint found
  int hintY[2] = {0, 0};
  bool hintShown = false;          // hint sparkle drawn until the next click
  int hintFrame = 0;               // sparkle frames since the pair was found
  EffectDot hintStars[2 * HintStarsPerTile];   // this frame's stars around the two tiles
  int bombX = 0, bombY = 0;        // tile position of the bombed cell
  bool bombRunning = false;        // explosion animation in progress
  int bombPicture = 1;             // explosion frame 1..16; runs on across bombs
  int bombFrame = 0;               // frames drawn by all bombs; its parity paces the pictures
  bool operator==(const ItemState&) const = default;
};

struct ScoreState {
  int score = 0;
  std::string scoreText = "00";    // decimal score, for the panel
  int speed = 99;                  // points per tile of the next pair; drains to 10
  int streak = 0;                  // quick removals in a row
  int elapsedTenths = 0;           // play time of the game in tenths of a second
  std::string minutesText;         // last two digits of the minutes, for the panel
  std::string secondsText;         // two digits of the seconds
  int shuffleThreshold = 8000;     // score above which the next shuffle is awarded; never reset
  int bombThreshold = 15000;       // score above which the next bomb is awarded; never reset
  bool bannerShown = false;        // reward banner scrolling across the top
  int bannerX = 0;                 // left edge of the banner text
  bool bannerStreak = false;       // the three lines of the banner
  bool bannerShuffle = false;
  bool bannerBomb = false;
  bool operator==(const ScoreState&) const = default;
};

// One of the two tiles flying off the board after a removal.
struct FlyingTile {
  int face = 0;
  int x = 0, y = 0;
  bool operator==(const FlyingTile&) const = default;
};

struct EffectState {
  FlyingTile flying[2];            // the two removed tiles, starting at their click points
  int drift = 0;                   // vertical pattern 0..4 of the flying tiles
  bool flyingRunning = false;      // flying tiles and score pop-up in progress
  int removalX[2] = {0, 0};        // tile positions of the two removed cells
  int removalY[2] = {0, 0};
  int popupTens = 0, popupUnits = 0;   // digits of the speed value the pair scored
  int popupOpacity = 0;
  int popupY[2] = {0, 0};          // rising pop-up above each removed tile
  int sway = 0;                    // sideways offset of the pop-up; runs on across removals
  int swayFrame = 0;
  bool particlesRunning = false;   // particle burst in progress
  int particleFrame = 0;           // its parity paces the steps; runs on across removals
  int particleStep = 1;            // 1..16, the burst ends when it wraps
  EffectDot particles[2 * ParticlesPerTile];   // this frame's particles around the two tiles
  bool operator==(const EffectState&) const = default;
};

struct ResultState {
  int countUp = 0;                 // frames the result screen has been drawn in this run
  EffectDot stars[ResultStarCount];   // this frame's stars, x counted from the title's left
  bool operator==(const ResultState&) const = default;
};

extern PlayState gPlay;
extern LevelState gLevel;
extern ItemState gItems;
extern ScoreState gScore;
extern EffectState gEffects;
extern ResultState gResult;
