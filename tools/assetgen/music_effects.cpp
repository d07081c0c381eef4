// The six short sounds. Sections: shared set-up, each sound in turn.
#include "tools/assetgen/music_pieces.h"
#include "tools/assetgen/music_theory.h"

namespace {

// ---- Shared set-up ----

// At this tempo one tick is about a millisecond, which keeps the short sounds easy to time.
constexpr double kEffectTempo = 125;
constexpr uint32_t kTicksPerSecond = 1000;
constexpr int kEffectReverb = 40;

// Keys of the D gong scale the jingles run through.
constexpr int kD5 = 74, kE5 = 76, kFs5 = 78, kA5 = 81, kB5 = 83;
constexpr int kD6 = 86, kE6 = 88, kFs6 = 90, kA6 = 93, kB6 = 95, kD7 = 98;
constexpr int kD4 = 62, kA4 = 69, kD3 = 50, kA3 = 57, kD2 = 38;

uint32_t Milliseconds(uint32_t ms) { return ms * kTicksPerSecond / 1000; }

MidiSong StartEffect(const char* name) {
  MidiSong song;
  MidiTrack& track = AddTrack(song);
  AddTrackName(track, name);
  AddTempo(track, 0, kEffectTempo);
  return song;
}

// Channel set-up in the song's one track.
void SetVoice(MidiSong& song, int channel, int program, int volume) {
  MidiTrack& track = song.tracks[0];
  if (channel != kPercussionChannel) AddProgram(track, 0, channel, program);
  AddController(track, 0, channel, kControllerVolume, volume);
  AddController(track, 0, channel, kControllerExpression, 127);
  AddController(track, 0, channel, kControllerReverb, kEffectReverb);
  AddPitchBend(track, 0, channel, 0);
}

void Note(MidiSong& song, uint32_t atMs, uint32_t lengthMs, int channel, int key, int velocity) {
  AddNote(song.tracks[0], Milliseconds(atMs), Milliseconds(lengthMs), channel, key, velocity);
}

void EndAt(MidiSong& song, uint32_t ms) { song.endTick = Milliseconds(ms); }

}  // namespace

// ---- Vorle: a gong, a harp sweeping up and the flute's five-note call ----

MidiSong ComposeVorle() {
  MidiSong song = StartEffect("Vorle");
  constexpr int kFlute = 0, kHarp = 1, kStrings = 2, kBell = 3;
  SetVoice(song, kFlute, kProgramFlute, 110);
  SetVoice(song, kHarp, kProgramHarp, 96);
  SetVoice(song, kStrings, kProgramStrings, 84);
  SetVoice(song, kBell, kProgramTubularBells, 80);
  SetVoice(song, kPercussionChannel, 0, 90);
  Note(song, 0, 1800, kPercussionChannel, kDrumChineseCymbal, 62);
  Note(song, 0, 1600, kBell, kD4, 70);
  const int sweep[] = {kD4, kA4, kD5, kE5, kFs5, kA5};
  for (int index = 0; index < 6; ++index) {
    Note(song, 40 + index * 90, 2400 - index * 90, kHarp, sweep[index], 72 + index * 2);
  }
  for (int key : {kD4, kA4, kE5}) Note(song, 200, 3000, kStrings, key, 52);
  struct { uint32_t at, length; int key, velocity; } call[] = {
      {560, 300, kA5, 92}, {860, 300, kB5, 90}, {1160, 560, kD6, 100},
      {1720, 280, kE6, 96}, {2000, 140, kD6, 86}, {2140, 140, kB5, 84}, {2280, 1000, kD6, 98}};
  for (const auto& note : call) Note(song, note.at, note.length, kFlute, note.key, note.velocity);
  EndAt(song, 3550);
  return song;
}

// ---- Dian: a high wood block with a marimba tick ----

MidiSong ComposeDian() {
  MidiSong song = StartEffect("Dian");
  constexpr int kMarimba = 0, kXylophone = 1;
  SetVoice(song, kMarimba, kProgramMarimba, 127);
  SetVoice(song, kXylophone, kProgramXylophone, 110);
  SetVoice(song, kPercussionChannel, 0, 120);
  Note(song, 0, 90, kPercussionChannel, kDrumHighWoodBlock, 120);
  Note(song, 0, 140, kMarimba, kA6, 127);
  Note(song, 0, 140, kMarimba, kA5, 110);
  Note(song, 0, 100, kXylophone, kA6, 100);
  EndAt(song, 230);
  return song;
}

// ---- Xiaochu: glockenspiel in two octaves over xylophone, a rising fourth ----

MidiSong ComposeXiaochu() {
  MidiSong song = StartEffect("Xiaochu");
  constexpr int kGlockenspiel = 0, kXylophone = 1, kLowGlockenspiel = 2;
  SetVoice(song, kGlockenspiel, kProgramGlockenspiel, 127);
  SetVoice(song, kXylophone, kProgramXylophone, 120);
  SetVoice(song, kLowGlockenspiel, kProgramGlockenspiel, 110);
  Note(song, 0, 200, kGlockenspiel, kE6, 120);
  Note(song, 0, 130, kXylophone, kE6, 110);
  Note(song, 0, 200, kLowGlockenspiel, kE5, 104);
  Note(song, 130, 330, kGlockenspiel, kA6, 127);
  Note(song, 130, 200, kXylophone, kA6, 116);
  Note(song, 130, 330, kLowGlockenspiel, kA5, 110);
  EndAt(song, 520);
  return song;
}

// ---- Kaishi: a gong struck, then a zither run up the scale ----

MidiSong ComposeKaishi() {
  MidiSong song = StartEffect("Kaishi");
  constexpr int kKoto = 0, kDulcimer = 1, kBell = 2, kTimpani = 3;
  SetVoice(song, kKoto, kProgramKoto, 112);
  SetVoice(song, kDulcimer, kProgramDulcimer, 90);
  SetVoice(song, kBell, kProgramTubularBells, 92);
  SetVoice(song, kTimpani, kProgramTimpani, 100);
  SetVoice(song, kPercussionChannel, 0, 100);
  Note(song, 0, 1400, kPercussionChannel, kDrumChineseCymbal, 100);
  Note(song, 0, 400, kPercussionChannel, kDrumLowFloorTom, 96);
  Note(song, 0, 1400, kBell, kD4, 96);
  Note(song, 0, 900, kTimpani, kD2, 104);
  const int run[] = {kD5, kE5, kFs5, kA5, kB5, kD6, kE6, kFs6, kA6};
  constexpr uint32_t kRunStart = 260, kRunStep = 70;
  for (int index = 0; index < 9; ++index) {
    uint32_t at = kRunStart + index * kRunStep;
    bool top = index == 8;
    Note(song, at, top ? 800 : 260, kKoto, run[index], 86 + index * 3);
    if (index % 2 == 0) Note(song, at, top ? 800 : 200, kDulcimer, run[index] - 12, 70 + index * 2);
  }
  Note(song, kRunStart + 8 * kRunStep, 800, kKoto, kD6, 96);
  EndAt(song, 1750);
  return song;
}

// ---- Jiangli: a rising five-note sparkle landing on a bright chord ----

MidiSong ComposeJiangli() {
  MidiSong song = StartEffect("Jiangli");
  constexpr int kGlockenspiel = 0, kMarimba = 1, kHarp = 2;
  SetVoice(song, kGlockenspiel, kProgramGlockenspiel, 104);
  SetVoice(song, kMarimba, kProgramMarimba, 104);
  SetVoice(song, kHarp, kProgramHarp, 100);
  SetVoice(song, kPercussionChannel, 0, 92);
  const int rise[] = {kD6, kE6, kFs6, kA6, kB6};
  constexpr uint32_t kStep = 85;
  for (int index = 0; index < 5; ++index) {
    Note(song, index * kStep, 160, kGlockenspiel, rise[index], 90 + index * 3);
    Note(song, index * kStep, 160, kMarimba, rise[index] - 12, 84 + index * 3);
  }
  constexpr uint32_t kArrival = 5 * kStep + 30;
  Note(song, kArrival, 700, kGlockenspiel, kD7, 110);
  Note(song, kArrival, 700, kMarimba, kD6, 100);
  for (int key : {kD4, kA4, kD5, kFs5, kA5}) Note(song, kArrival, 800, kHarp, key, 92);
  Note(song, kArrival, 700, kPercussionChannel, kDrumOpenTriangle, 90);
  EndAt(song, 1350);
  return song;
}

// ---- Baozha: drums and a crash over a low brass chord that sags ----

MidiSong ComposeBaozha() {
  MidiSong song = StartEffect("Baozha");
  constexpr int kBrass = 0, kTuba = 1, kTimpani = 2;
  SetVoice(song, kBrass, kProgramBrassSection, 104);
  SetVoice(song, kTuba, kProgramTuba, 112);
  SetVoice(song, kTimpani, kProgramTimpani, 110);
  SetVoice(song, kPercussionChannel, 0, 110);
  Note(song, 0, 300, kPercussionChannel, kDrumBass, 127);
  Note(song, 0, 300, kPercussionChannel, kDrumLowFloorTom, 120);
  Note(song, 0, 900, kPercussionChannel, kDrumCrash, 112);
  Note(song, 30, 900, kPercussionChannel, kDrumChineseCymbal, 100);
  Note(song, 90, 200, kPercussionChannel, kDrumHighFloorTom, 104);
  Note(song, 170, 200, kPercussionChannel, kDrumLowFloorTom, 110);
  Note(song, 260, 300, kPercussionChannel, kDrumBass, 104);
  for (uint32_t at = 0; at < 600; at += 60) {
    Note(song, at, 80, kTimpani, kD2, 112 - static_cast<int>(at) / 20);
  }
  for (int key : {kD3, kA3, kD4}) Note(song, 0, 720, kBrass, key, 108);
  Note(song, 0, 760, kTuba, kD2, 118);
  // The brass sags by a semitone as the blast dies away.
  constexpr int kSagSteps = 8;
  for (int step = 1; step <= kSagSteps; ++step) {
    uint32_t at = Milliseconds(200 + step * 60);
    AddPitchBend(song.tracks[0], at, kBrass, -4096 * step / kSagSteps);
    AddPitchBend(song.tracks[0], at, kTuba, -4096 * step / kSagSteps);
  }
  EndAt(song, 1050);
  return song;
}
