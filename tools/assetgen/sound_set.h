// The sounds and music of the resource set, as General MIDI files.
#pragma once

#include <string>

// Writes the six sounds and the eight music tracks into soundDirectory (which ends in '/').
// False when a file cannot be written.
bool WriteSoundSet(const std::string& soundDirectory);
