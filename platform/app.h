// Platform start and end. Every other platform call needs InitPlatform first.
#pragma once

// Creates the application object (Qt, fonts, translations). False when no display can be
// opened at all. Safe to call more than once.
bool InitPlatform();

// Closes every media alias and stops audio, then releases windows, sprites, images, fonts and
// the screens.
void ShutdownPlatform();
