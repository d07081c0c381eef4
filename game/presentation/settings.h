// The user settings kept in Config.ini, and the settings window (window 1) that edits them.
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
};
extern Settings gSettings;

// Loads gSettings from Config.ini at gApp.configPath (its name in any letter case).
void ReadSettings();
// Shows the game window as the settings say: at the saved scale, or at the largest below it
// that fits the screen, and full screen when saved so. Writes nothing.
void ApplyWindowSettings();
// Full screen on or off (its check box and F11): applies it and writes it to Config.ini.
void SwitchFullScreen(bool on);

// Opens window 1 with its gadgets, shows the system cursor and fills the gadgets in.
void OpenSettingsWindow();
// Sets every gadget of window 1 from gSettings.
void RefreshSettingsWindow();
// Acts on a user change of a gadget of window 1: applies it and writes it to Config.ini.
void HandleSettingsGadget(int gadget);
// The close box of window 1: hides the system cursor again and closes the window.
void CloseSettingsWindow();
