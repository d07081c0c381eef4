// The six sounds and the background music with its once-a-second check and fade-in.
#include "game/presentation/sound.h"

#include <string>
#include <vector>

#include "game/presentation/resources.h"
#include "game/presentation/settings.h"
#include "platform/files.h"
#include "platform/media.h"
#include "platform/random.h"

namespace {

constexpr int FadeStep = 25;
constexpr int DefaultTrackCount = 8;
// The music directory is listed only this far, subdirectories and dot entries included.
constexpr int MusicListingLimit = 101;
// Only the first characters of a mode answer are compared.
constexpr size_t ModeLength = 7;

const char* const GameSoundFiles[] = {
    "\\Sound\\Vorle.mid",   "\\Sound\\Dian.mid",    "\\Sound\\Xiaochu.mid",
    "\\Sound\\Kaishi.mid",  "\\Sound\\Jiangli.mid", "\\Sound\\Baozha.mid",
};

struct MusicState {
  int fadeLevel = 0;   // volume the music has faded in to since its track started
};

MusicState gMusic;

std::string DefaultTrack() {
  const int number = Random(DefaultTrackCount - 1) + 1;
  return ResolvePath(gFiles.appDirectory + "Sound\\yinyue" + std::to_string(number) + ".mid");
}

// A random file of the music directory, or a default track when it holds none. Only regular
// files count: "." and "..", subdirectories, devices and FIFOs are skipped (opening a FIFO would
// never return).
std::string ChooseTrack() {
  if (gSettings.musicSourceType == 0) return DefaultTrack();
  std::vector<std::string> names;
  for (const DirectoryEntry& entry :
       ListDirectory(gSettings.musicDirectory, "*.*", MusicListingLimit)) {
    if (entry.isFile) names.push_back(entry.name);
  }
  if (names.empty()) return DefaultTrack();
  const int pick = Random(static_cast<int>(names.size()) - 1);
  return ResolvePath(PathInDirectory(gSettings.musicDirectory, names[pick]));
}

}  // namespace

void OpenGameSounds() {
  for (int n = SoundIntro; n <= SoundBomb; ++n) {
    OpenSound(n, ResolvePath(gFiles.appDirectory + GameSoundFiles[n]));
  }
}

int OpenSound(int n, const std::string& path) {
  CloseMedia(n);
  return OpenMedia(n, path) ? 1 : 0;
}

void CloseSound(int n) { CloseMedia(n); }

void PlaySound(int n) {
  PlayMedia(n);
  SetMediaVolume(n, gSettings.volume);
}

void PlayEffect(int n) {
  if (gSettings.effectsOn == 1) PlaySound(n);
}

void MusicCheck() {
  if (gSettings.musicOn != 1) return;
  gMusic.fadeLevel += FadeStep;
  const std::string mode = MediaMode(MusicAlias).substr(0, ModeLength);
  if (mode == "stopped" || mode.empty()) {
    OpenSound(MusicAlias, ChooseTrack());
    PlaySound(MusicAlias);
    SetMediaVolume(MusicAlias, 0);
    gMusic.fadeLevel = 0;
  }
  if (gMusic.fadeLevel < gSettings.volume) SetMediaVolume(MusicAlias, gMusic.fadeLevel);
}
