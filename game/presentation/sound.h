// The six sounds and the background music.
#pragma once

#include <string>

// Sound numbers (aliases "vorle" + n).
enum GameSound {
  SoundIntro = 0,      // Sound\Vorle.mid, once as the intro begins
  SoundSelect = 1,     // Sound\Dian.mid
  SoundRemove = 2,     // Sound\Xiaochu.mid
  SoundStart = 3,      // Sound\Kaishi.mid
  SoundReward = 4,     // Sound\Jiangli.mid
  SoundBomb = 5,       // Sound\Baozha.mid
  MusicAlias = 8,      // the current music track
};

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
