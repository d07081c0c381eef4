// The themes of the interface pictures, each writing its files under the Images directory
// (imagesDirectory ends in '/'; the subfolders exist). False when a file cannot be written.
#pragma once

#include <string>

#include "tools/assetgen/picture_words.h"

// Game backgrounds bg1..bg9 (JPEG) and the editor's backgrounds, bottom bar, help panel,
// loading frame and bar.
bool WriteBackdropPictures(const std::string& imagesDirectory);
// Panel buttons, menu buttons, settings button, level buttons, with words in the language.
bool WriteButtonPictures(const std::string& imagesDirectory, ArtLanguage language);
// Captions, the pause badge and the title banners, with words in the language; with the
// originals also the digit sets and the clock's colon.
bool WriteCaptionPictures(const std::string& imagesDirectory, ArtLanguage language);
// Stars, particles, explosion frames, tile shadow, pointer and the two ornaments.
bool WriteEffectPictures(const std::string& imagesDirectory);
