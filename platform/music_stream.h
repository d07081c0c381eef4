// The stream format of the music rendered ahead: interleaved 16-bit stereo at the media sample
// rate, kept within a fixed signal-to-noise ratio of the samples it was made from, in a few
// kilobytes a second, and decoded at a small fraction of what synthesizing it costs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every block of a stream keeps at least this ratio of signal to coding noise, in decibels: a
// decibel above the 30 that the shipped tracks promise. (A block that is nearly silent keeps
// what the finest step gives, a fraction of the 16-bit rounding.)
constexpr double MusicStreamSignalToNoise = 31;

// The samples (interleaved stereo) as a stream. The same samples always give the same bytes.
std::string EncodeMusicStream(const std::vector<int16_t>& samples);

// A stream being decoded. Opening it checks only its header; a damaged body decodes to noise or
// silence and ends, never past the bytes it has.
struct MusicStream;

// nullptr when the bytes are not a stream of this format.
MusicStream* OpenMusicStream(std::vector<unsigned char> bytes);
void CloseMusicStream(MusicStream* stream);
// Back to the first frame.
void RewindMusicStream(MusicStream* stream);
// Decodes the next frames into samples (interleaved stereo); past the end, silence. Returns the
// frames decoded.
int ReadMusicStream(MusicStream* stream, int16_t* samples, int frames);
// Every frame has been decoded.
bool IsMusicStreamEnded(const MusicStream* stream);
