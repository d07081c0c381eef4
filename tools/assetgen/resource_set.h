// The resource set beside the programs: pictures, sounds, the default map and Config.ini.
#pragma once

#include <string>

// Writes every resource file into the application directory (ending in '/'); an existing
// Config.ini is left alone, since it holds the player's settings. False when a file cannot be
// written.
bool WriteResourceSet(const std::string& appDirectory);

// Writes the default Config.ini when the application directory has none. False when it is
// missing and cannot be written.
bool WriteDefaultConfig(const std::string& appDirectory);

// Writes the pristine files that a player's folder starts from, Config.ini and Maps/Duzuz.xml,
// into directory (ending in '/'), replacing what is there. False when one cannot be written.
bool WritePlayerDefaults(const std::string& directory);
