// Small media files written by tests: a one-note MIDI file and a tone as WAV.
#pragma once

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace tiny_media {

inline void PutBigEndian(std::vector<unsigned char>& out, uint32_t value, int bytes) {
  for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) out.push_back((value >> shift) & 0xFF);
}

inline void PutLittleEndian(std::vector<unsigned char>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back((value >> (8 * i)) & 0xFF);
}

// MIDI variable-length quantity.
inline void PutDelta(std::vector<unsigned char>& out, uint32_t value) {
  unsigned char groups[5];
  int count = 0;
  do {
    groups[count++] = value & 0x7F;
    value >>= 7;
  } while (value != 0);
  while (count > 1) out.push_back(groups[--count] | 0x80);
  out.push_back(groups[0]);
}

constexpr int PianoChannel = 0;
constexpr int DrumChannel = 9;

// A Standard MIDI File holding one note of the given length (120 beats a minute): middle C on the
// piano, or a closed hi-hat on the drum channel (which dies away at once).
inline std::vector<unsigned char> OneNoteMidi(int milliseconds, int channel = PianoChannel) {
  const unsigned char key = channel == DrumChannel ? 42 : 60;
  constexpr uint32_t TicksPerBeat = 480, MicrosecondsPerBeat = 500000;
  const uint32_t noteTicks = static_cast<uint32_t>(milliseconds) * TicksPerBeat * 1000 /
                             MicrosecondsPerBeat;
  std::vector<unsigned char> track;
  PutDelta(track, 0);
  track.insert(track.end(), {0xFF, 0x51, 0x03});
  PutBigEndian(track, MicrosecondsPerBeat, 3);
  PutDelta(track, 0);
  track.insert(track.end(), {static_cast<unsigned char>(0xC0 | channel), 0x00});
  PutDelta(track, 0);
  track.insert(track.end(), {static_cast<unsigned char>(0x90 | channel), key, 100});
  PutDelta(track, noteTicks);
  track.insert(track.end(), {static_cast<unsigned char>(0x80 | channel), key, 64});
  PutDelta(track, 0);
  track.insert(track.end(), {0xFF, 0x2F, 0x00});

  std::vector<unsigned char> file = {'M', 'T', 'h', 'd'};
  PutBigEndian(file, 6, 4);
  PutBigEndian(file, 0, 2);   // format 0
  PutBigEndian(file, 1, 2);   // one track
  PutBigEndian(file, TicksPerBeat, 2);
  file.insert(file.end(), {'M', 'T', 'r', 'k'});
  PutBigEndian(file, static_cast<uint32_t>(track.size()), 4);
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

// A mono 16-bit 22050 Hz sine tone as a RIFF WAVE file.
inline std::vector<unsigned char> ToneWav(int milliseconds) {
  constexpr uint32_t Rate = 22050;
  const uint32_t frames = Rate * static_cast<uint32_t>(milliseconds) / 1000;
  std::vector<unsigned char> file = {'R', 'I', 'F', 'F'};
  PutLittleEndian(file, 36 + frames * 2, 4);
  file.insert(file.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutLittleEndian(file, 16, 4);
  PutLittleEndian(file, 1, 2);          // PCM
  PutLittleEndian(file, 1, 2);          // mono
  PutLittleEndian(file, Rate, 4);
  PutLittleEndian(file, Rate * 2, 4);   // bytes a second
  PutLittleEndian(file, 2, 2);          // bytes a frame
  PutLittleEndian(file, 16, 2);         // bits a sample
  file.insert(file.end(), {'d', 'a', 't', 'a'});
  PutLittleEndian(file, frames * 2, 4);
  for (uint32_t i = 0; i < frames; ++i) {
    const double wave = std::sin(2.0 * 3.14159265358979 * 440.0 * i / Rate);
    PutLittleEndian(file, static_cast<uint16_t>(static_cast<int16_t>(wave * 8000)), 2);
  }
  return file;
}

inline void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

}  // namespace tiny_media
