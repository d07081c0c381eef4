// The settings kept in Config.ini: read once at start-up, each change written at once.
#pragma once

#include <string>

struct Settings {
  int backgroundType = 0;          // 0 built-in pictures, 1 own picture folder, 2 plain colour
  int backgroundColour = 0;        // plain background colour as 0xBBGGRR
  std::string pictureDirectory;    // folder of the player's own background pictures
  int musicSourceType = 0;         // 0 built-in music, 1 own music folder
  std::string musicDirectory;      // folder of the player's own music
  int effectsOn = 0;               // 1 when sound effects play
  int musicOn = 0;                 // 1 when background music plays
  int volume = 0;                  // 0..1000, for music and effects alike
  int windowScale = 100;           // percent of its size the game window is shown at
  int fullScreen = 0;              // 1 when the game window fills the screen
  std::string language = "auto";   // one of LanguageSettings: the desktop's, Chinese, English
};
extern Settings gSettings;

// The sizes the game window is offered at, in percent; the smallest is its own size.
constexpr int WindowScales[] = {100, 125, 150, 175, 200};
constexpr int OwnWindowScale = WindowScales[0];

constexpr const char* WindowSection = "Window";
constexpr const char* ScaleKey = "Scale";
constexpr const char* FullScreenKey = "FullScreen";
constexpr const char* LanguageKey = "Language";

// The languages the player can choose, in the order the settings window offers them: the
// desktop's, the original Chinese, English.
constexpr const char* LanguageSettings[] = {"auto", "zh", "en"};

// Loads gSettings from the game's Config.ini (its name in any letter case).
void ReadSettings();
// Writes one key of Config.ini; false when the file cannot be written.
bool SaveSetting(const char* section, const char* key, const std::string& value);
// A switch: sets the value to 1 or 0 and writes "1" or "0" for it.
void SaveSwitch(const char* section, const char* key, int& value, bool on);
