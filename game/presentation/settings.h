// The settings window (window 1), which changes the settings of Config.ini, and the game
// window's size and full screen that they set.
#pragma once

#include "game/presentation/config_file.h"

// Shows the game window as the settings say: at the saved scale, or at the largest below it
// that fits the screen, and full screen when saved so. Writes nothing.
void ApplyWindowSettings();
// Speaks the language the settings ask for, texts and pictures alike, from the catalogues of the
// application directory (start-up, before the first window and picture). Writes nothing.
void ApplyLanguageSetting();
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
