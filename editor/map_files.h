// Saving and opening maps: the even check, the save window, the writer with its progress
// display, the reader and the edit password.
#pragma once

#include <string>

// The save-map button: the even check of every level, then the save window.
void SaveCommand();
// The save window filled with the map information.
void OpenSaveWindow();
// The save button of the save window: the opened file, or a name from the save dialog.
void PressSaveButton();
// Writes the map, with ".xml" appended unless the name ends in exactly that. True when written.
bool SaveToFile(const std::string& name);

// The open-map button: the open dialog, then OpenMap.
void OpenMapCommand();
// Reads a map file in place of the map being edited. A file that cannot be loaded or has no
// main element leaves the map being edited as it was.
void OpenMap(const std::string& path);
// Adds the next level from the text of an `o` element; ignored at 300 levels.
void ReadLevel(const std::string& text);
// Asks for the edit password until it is right or the user gives up. False when refused.
bool AskPassword();
