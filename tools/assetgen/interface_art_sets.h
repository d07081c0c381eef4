// The themes of the interface pictures, each writing its files under the Images directory
// (imagesDirectory ends in '/'; the subfolders exist). False when a file cannot be written.
#pragma once

#include <string>

// Game backgrounds bg1..bg9 (JPEG) and the editor's backgrounds, bottom bar, help panel,
// loading frame and bar.
bool WriteBackdropPictures(const std::string& imagesDirectory);
// Panel buttons, item-count digits, menu buttons, settings button, level buttons.
bool WriteButtonPictures(const std::string& imagesDirectory);
// Captions, digit sets, the pause badge and the title banners.
bool WriteCaptionPictures(const std::string& imagesDirectory);
// Stars, particles, explosion frames, tile shadow, pointer and the two ornaments.
bool WriteEffectPictures(const std::string& imagesDirectory);
