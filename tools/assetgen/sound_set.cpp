// Writes the sound files of the resource set.
#include "tools/assetgen/sound_set.h"

#include <string>

#include "tools/assetgen/midi_writer.h"
#include "tools/assetgen/music_pieces.h"

bool WriteSoundSet(const std::string& soundDirectory) {
  struct Effect {
    const char* file;         // name inside the sound directory
    MidiSong (*compose)();    // its composition
  };
  const Effect effects[] = {{"Vorle.mid", ComposeVorle},   {"Dian.mid", ComposeDian},
                            {"Xiaochu.mid", ComposeXiaochu}, {"Kaishi.mid", ComposeKaishi},
                            {"Jiangli.mid", ComposeJiangli}, {"Baozha.mid", ComposeBaozha}};
  for (const Effect& effect : effects) {
    if (!WriteMidiFile(soundDirectory + effect.file, effect.compose())) return false;
  }
  for (int number = 1; number <= kMusicTrackCount; ++number) {
    std::string file = soundDirectory + "Yinyue" + std::to_string(number) + ".mid";
    if (!WriteMidiFile(file, ComposeMusicTrack(number))) return false;
  }
  return true;
}
