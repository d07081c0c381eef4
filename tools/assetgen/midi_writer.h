// A small Standard MIDI File writer: events are collected per track at absolute ticks and
// encoded as a format 1 file (format 0 when there is only one track).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int kTicksPerQuarter = 480;
constexpr int kPercussionChannel = 9;  // channel 10 as musicians count

// Controller numbers used by our pieces.
constexpr int kControllerVolume = 7;
constexpr int kControllerPan = 10;
constexpr int kControllerExpression = 11;
constexpr int kControllerReverb = 91;
constexpr int kControllerChorus = 93;

struct MidiEvent {
  uint32_t tick;               // absolute time in ticks
  int rank;                    // order within one tick: note offs, then controls, then note ons
  uint32_t sequence;           // insertion order, keeps sorting stable
  std::vector<uint8_t> bytes;  // status byte and data, or FF type length data for a meta event
};

struct MidiTrack {
  std::vector<MidiEvent> events;  // in insertion order; sorted when encoded
};

struct MidiSong {
  std::vector<MidiTrack> tracks;  // track 0 carries tempo and time signature
  uint32_t endTick = 0;           // every track ends here at the earliest (room for the release)
};

MidiTrack& AddTrack(MidiSong& song);
void AddTrackName(MidiTrack& track, const std::string& name);
void AddTempo(MidiTrack& track, uint32_t tick, double beatsPerMinute);
void AddTimeSignature(MidiTrack& track, uint32_t tick, int beatsPerBar, int beatUnit);
void AddProgram(MidiTrack& track, uint32_t tick, int channel, int program);
void AddController(MidiTrack& track, uint32_t tick, int channel, int controller, int value);
// value from -8192 to 8191, 0 the centre.
void AddPitchBend(MidiTrack& track, uint32_t tick, int channel, int value);
// A note on at tick and its note off length ticks later; keys and velocities are clamped.
// Notes of one key on one channel never overlap: a later strike cuts the earlier note short,
// and a second strike at the same tick only lengthens the first.
void AddNote(MidiTrack& track, uint32_t tick, uint32_t length, int channel, int key, int velocity);

// Variable-length quantity: seven bits a byte, most significant first. Values above
// 0x0FFFFFFF are clamped to it, the largest a file may hold.
std::vector<uint8_t> EncodeVariableLength(uint32_t value);

// The last tick of the song: its end tick or the latest event, whichever is later.
uint32_t SongLastTick(const MidiSong& song);

std::vector<uint8_t> EncodeMidiFile(const MidiSong& song);
bool WriteMidiFile(const std::string& path, const MidiSong& song);
