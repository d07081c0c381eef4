// The game's loading of a map file: the loading page, a pump before each level, the messages.
#pragma once

#include <string>

// Called when a load begins, after the store is cleared and before the file is read; the game
// sets it at start-up to switch its screen state to the loading page.
using LoadingBeginsHook = void (*)();

struct MapLoadSettings {
  LoadingBeginsHook loadingBegins;   // nullptr: nothing to switch
  int pacingMs;                      // PumpOnce(pacingMs) before each level; 0: no pump at all
};
extern MapLoadSettings gMapLoad;

constexpr int DefaultLoadPacingMs = 30;

// Reads a map file (a program file name, see ResolvePath) into the map store: the store
// cleared, the loading hook, then the file. A file that cannot be read or does not read as a map
// shows its message and leaves the level count 0. Then, in file order: `e` sets the declared
// level count, each `o` up to 300 is placed after one pump of the pacing, each stray node
// shows a message.
void LoadMapFile(const std::string& path);
