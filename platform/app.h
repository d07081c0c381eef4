// Platform start and end. Every other platform call needs InitPlatform first.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Creates the application object (Qt, fonts, translations). False when no display can be
// opened at all. Safe to call more than once.
bool InitPlatform();

// Closes every media alias and stops audio, then releases windows, sprites, images, fonts and
// the screens.
void ShutdownPlatform();

// One encoded picture file (PNG, JPEG or BMP) lying in memory.
struct EncodedPicture {
  const unsigned char* data;
  size_t size;
};

// Tells the desktop which program this is: the name of its desktop entry (without ".desktop")
// and its icon, one picture per size; every window of the program shows the icon. Pictures
// that cannot be decoded are left out. Call before the first window opens.
void SetProgramIdentity(const std::string& desktopEntry, const std::vector<EncodedPicture>& icon);
