// Standard MIDI File encoding. Sections: event collection, encoding, writing.
#include "tools/assetgen/midi_writer.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kRankNoteOff = 0;
constexpr int kRankControl = 1;
constexpr int kRankNoteOn = 2;
constexpr uint32_t kLargestQuantity = 0x0FFFFFFF;
constexpr int kMicrosecondsPerMinute = 60000000;

int Clamp(int value, int low, int high) { return std::max(low, std::min(high, value)); }

void PushEvent(MidiTrack& track, uint32_t tick, int rank, std::vector<uint8_t> bytes) {
  uint32_t sequence = static_cast<uint32_t>(track.events.size());
  track.events.push_back(MidiEvent{tick, rank, sequence, std::move(bytes)});
}

uint8_t ChannelStatus(int kind, int channel) {
  return static_cast<uint8_t>(kind | Clamp(channel, 0, 15));
}

void AppendBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) out.push_back((value >> shift) & 0xFF);
}

void AppendChunkTag(std::vector<uint8_t>& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}

std::vector<uint8_t> EncodeTrack(const MidiTrack& track, uint32_t lastTick) {
  std::vector<const MidiEvent*> order;
  for (const MidiEvent& event : track.events) order.push_back(&event);
  std::sort(order.begin(), order.end(), [](const MidiEvent* a, const MidiEvent* b) {
    if (a->tick != b->tick) return a->tick < b->tick;
    if (a->rank != b->rank) return a->rank < b->rank;
    return a->sequence < b->sequence;
  });
  std::vector<uint8_t> body;
  uint32_t now = 0;
  for (const MidiEvent* event : order) {
    std::vector<uint8_t> delta = EncodeVariableLength(event->tick - now);
    body.insert(body.end(), delta.begin(), delta.end());
    body.insert(body.end(), event->bytes.begin(), event->bytes.end());
    now = event->tick;
  }
  std::vector<uint8_t> delta = EncodeVariableLength(std::max(lastTick, now) - now);
  body.insert(body.end(), delta.begin(), delta.end());
  body.insert(body.end(), {0xFF, 0x2F, 0x00});
  return body;
}

}  // namespace

// ---- Event collection ----

MidiTrack& AddTrack(MidiSong& song) {
  song.tracks.emplace_back();
  return song.tracks.back();
}

void AddTrackName(MidiTrack& track, const std::string& name) {
  std::vector<uint8_t> bytes = {0xFF, 0x03};
  std::vector<uint8_t> length = EncodeVariableLength(static_cast<uint32_t>(name.size()));
  bytes.insert(bytes.end(), length.begin(), length.end());
  bytes.insert(bytes.end(), name.begin(), name.end());
  PushEvent(track, 0, kRankControl, std::move(bytes));
}

void AddTempo(MidiTrack& track, uint32_t tick, double beatsPerMinute) {
  uint32_t micros = static_cast<uint32_t>(kMicrosecondsPerMinute / beatsPerMinute + 0.5);
  std::vector<uint8_t> bytes = {0xFF, 0x51, 0x03};
  AppendBigEndian(bytes, micros, 3);
  PushEvent(track, tick, kRankControl, std::move(bytes));
}

void AddTimeSignature(MidiTrack& track, uint32_t tick, int beatsPerBar, int beatUnit) {
  uint8_t power = 0;
  while ((1 << power) < beatUnit) ++power;
  constexpr uint8_t kClocksPerClick = 24;
  constexpr uint8_t kThirtySecondsPerQuarter = 8;
  PushEvent(track, tick, kRankControl,
            {0xFF, 0x58, 0x04, static_cast<uint8_t>(beatsPerBar), power, kClocksPerClick,
             kThirtySecondsPerQuarter});
}

void AddProgram(MidiTrack& track, uint32_t tick, int channel, int program) {
  PushEvent(track, tick, kRankControl,
            {ChannelStatus(0xC0, channel), static_cast<uint8_t>(Clamp(program, 0, 127))});
}

void AddController(MidiTrack& track, uint32_t tick, int channel, int controller, int value) {
  PushEvent(track, tick, kRankControl,
            {ChannelStatus(0xB0, channel), static_cast<uint8_t>(Clamp(controller, 0, 127)),
             static_cast<uint8_t>(Clamp(value, 0, 127))});
}

void AddPitchBend(MidiTrack& track, uint32_t tick, int channel, int value) {
  int raw = Clamp(value, -8192, 8191) + 8192;
  PushEvent(track, tick, kRankControl,
            {ChannelStatus(0xE0, channel), static_cast<uint8_t>(raw & 0x7F),
             static_cast<uint8_t>(raw >> 7)});
}

void AddNote(MidiTrack& track, uint32_t tick, uint32_t length, int channel, int key, int velocity) {
  uint8_t on = ChannelStatus(0x90, channel);
  uint8_t k = static_cast<uint8_t>(Clamp(key, 0, 127));
  uint32_t end = tick + std::max<uint32_t>(length, 1);
  // AddNote pushes each note as an on/off pair, which lets one key's notes be kept apart.
  for (size_t index = 0; index + 1 < track.events.size(); ++index) {
    MidiEvent& start = track.events[index];
    if (start.rank != kRankNoteOn || start.bytes[0] != on || start.bytes[1] != k) continue;
    MidiEvent& stop = track.events[index + 1];
    if (start.tick == tick) {
      stop.tick = std::max(stop.tick, end);
      return;
    }
    if (start.tick < tick && stop.tick > tick) stop.tick = tick;
    if (start.tick > tick && start.tick < end) end = start.tick;
  }
  PushEvent(track, tick, kRankNoteOn, {on, k, static_cast<uint8_t>(Clamp(velocity, 1, 127))});
  PushEvent(track, end, kRankNoteOff, {ChannelStatus(0x80, channel), k, 0});
}

// ---- Encoding ----

std::vector<uint8_t> EncodeVariableLength(uint32_t value) {
  value = std::min(value, kLargestQuantity);
  std::vector<uint8_t> bytes = {static_cast<uint8_t>(value & 0x7F)};
  for (value >>= 7; value > 0; value >>= 7) {
    bytes.insert(bytes.begin(), static_cast<uint8_t>(0x80 | (value & 0x7F)));
  }
  return bytes;
}

uint32_t SongLastTick(const MidiSong& song) {
  uint32_t last = song.endTick;
  for (const MidiTrack& track : song.tracks) {
    for (const MidiEvent& event : track.events) last = std::max(last, event.tick);
  }
  return last;
}

std::vector<uint8_t> EncodeMidiFile(const MidiSong& song) {
  std::vector<uint8_t> out;
  AppendChunkTag(out, "MThd");
  AppendBigEndian(out, 6, 4);
  AppendBigEndian(out, song.tracks.size() == 1 ? 0 : 1, 2);
  AppendBigEndian(out, static_cast<uint32_t>(song.tracks.size()), 2);
  AppendBigEndian(out, kTicksPerQuarter, 2);
  uint32_t lastTick = SongLastTick(song);
  for (const MidiTrack& track : song.tracks) {
    std::vector<uint8_t> body = EncodeTrack(track, lastTick);
    AppendChunkTag(out, "MTrk");
    AppendBigEndian(out, static_cast<uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
  }
  return out;
}

// ---- Writing ----

bool WriteMidiFile(const std::string& path, const MidiSong& song) {
  std::vector<uint8_t> bytes = EncodeMidiFile(song);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}
