// The default map "Maps/Duzuz.xml": the designed levels written in the editor's file format.
#pragma once

#include <string>

#include "mapdata/level_model.h"

constexpr const char* DefaultMapName = "Duzuz.xml";

// Fills an editor map (its grid already allocated) with the designed levels, and false when a
// design breaks a rule of the default map: 36..144 tiles, an even count, every shown cell
// inside the layer extent of its type.
bool FillDesignedLevels(EditorMap& map);

// The complete file text of the default map; empty when a design breaks a rule.
std::string BuildDefaultMapText();

// Writes the default map into mapsDirectory (ending in '/'). False when a design breaks a rule
// or the file cannot be written.
bool WriteDefaultMap(const std::string& mapsDirectory);
