// The six sounds and the background music.
#pragma once

#include <string>

#include "game/rules/game_numbers.h"

// Opens the six sounds from the application directory (start-up).
void OpenGameSounds();
// Closes alias n first, then opens the file under it. 1 on success, else 0.
int OpenSound(int n, const std::string& path);
void CloseSound(int n);
// Plays alias n from its start, then sets the configured volume; ignores the effects switch.
void PlaySound(int n);
// PlaySound when the sound-effects switch is on.
void PlayEffect(int n);
// Starts the next music track when the current one has stopped, and fades the music in.
void MusicCheck();
