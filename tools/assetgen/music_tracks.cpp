// The eight music tracks: each a different mode, tonic, tempo, metre, form and ensemble.
#include <algorithm>

#include "tools/assetgen/music_arrangement.h"
#include "tools/assetgen/music_pieces.h"

namespace {

const TrackPlan kTrackPlans[kMusicTrackCount] = {
    {"Qingfeng", 1101, 84, 4, PentatonicMode::Gong, 74, "AaBA", kProgramPanFlute, kProgramKoto,
     -1, kProgramHarp, Texture::Arpeggio, kProgramCello, BassStyle::RootFifth, kProgramStrings,
     false, false, 84},
    {"Yueye", 2203, 72, 3, PentatonicMode::Yu, 69, "AaBbA", kProgramViolin, kProgramFlute, 0,
     kProgramKoto, Texture::Arpeggio, kProgramContrabass, BassStyle::Held, kProgramStrings, true,
     false, 80},
    {"Shanquan", 3307, 100, 4, PentatonicMode::Zhi, 76, "AaBA", kProgramDulcimer, kProgramFlute,
     -1, kProgramPizzicato, Texture::Offbeat, kProgramAcousticBass, BassStyle::Walking,
     kProgramNone, false, true, 110},
    {"Yuanshan", 4409, 66, 4, PentatonicMode::Shang, 69, "ABa", kProgramShakuhachi,
     kProgramCello, -1, kProgramKoto, Texture::Flowing, kProgramContrabass, BassStyle::Held,
     kProgramStrings, true, false, 87},
    {"Chunxiao", 5501, 92, 4, PentatonicMode::Jue, 72, "ABaA", kProgramFlute, kProgramMarimba,
     -1, kProgramNylonGuitar, Texture::Arpeggio, kProgramAcousticBass, BassStyle::RootFifth,
     kProgramNone, false, true, 94},
    {"Jiangnan", 6607, 110, 4, PentatonicMode::Gong, 70, "AaBbA", kProgramKoto,
     kProgramPanFlute, 0, kProgramDulcimer, Texture::Flowing, kProgramPizzicato,
     BassStyle::Walking, kProgramNone, false, true, 113},
    {"Hehua", 7703, 76, 3, PentatonicMode::Yu, 74, "AaBA", kProgramFlute, kProgramViolin, -1,
     kProgramHarp, Texture::Arpeggio, kProgramCello, BassStyle::Held, kProgramStrings, false,
     false, 81},
    {"Tage", 8807, 96, 4, PentatonicMode::Zhi, 70, "ABaBA", kProgramShamisen, kProgramPanFlute, 0,
     kProgramMarimba, Texture::Offbeat, kProgramAcousticBass, BassStyle::Walking, kProgramNone,
     false, true, 118},
};

}  // namespace

MidiSong ComposeMusicTrack(int number) {
  return ArrangeTrack(kTrackPlans[std::clamp(number, 1, kMusicTrackCount) - 1]);
}
