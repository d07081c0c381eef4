// Pentatonic modes and the composer's generator.
#include "tools/assetgen/music_theory.h"

#include <initializer_list>

namespace {

// Semitones of each mode's five degrees above its tonic.
constexpr int kModeOffsets[5][kDegreesPerOctave] = {
    {0, 2, 4, 7, 9},    // gong
    {0, 2, 5, 7, 10},   // shang
    {0, 3, 5, 8, 10},   // jue
    {0, 2, 5, 7, 9},    // zhi
    {0, 3, 5, 7, 10}};  // yu

constexpr int kSemitonesPerOctave = 12;
constexpr int kFifth = 7;
constexpr int kFourth = 5;

}  // namespace

int DegreeOffset(PentatonicMode mode, int degree) {
  int octave = degree >= 0 ? degree / kDegreesPerOctave : -((-degree + 4) / kDegreesPerOctave);
  int step = degree - octave * kDegreesPerOctave;
  return octave * kSemitonesPerOctave + kModeOffsets[static_cast<int>(mode)][step];
}

int DegreeKey(PentatonicMode mode, int tonicKey, int degree) {
  return tonicKey + DegreeOffset(mode, degree);
}

bool ModeHasPitchClass(PentatonicMode mode, int semitonesAboveTonic) {
  int pitchClass = ((semitonesAboveTonic % kSemitonesPerOctave) + kSemitonesPerOctave) %
                   kSemitonesPerOctave;
  for (int offset : kModeOffsets[static_cast<int>(mode)]) {
    if (offset == pitchClass) return true;
  }
  return false;
}

int RestingDegree(PentatonicMode mode) {
  for (int interval : {kFifth, kFourth}) {
    for (int degree = 0; degree < kDegreesPerOctave; ++degree) {
      if (kModeOffsets[static_cast<int>(mode)][degree] == interval) return degree;
    }
  }
  return 2;
}

ComposerRandom SeedComposer(uint32_t seed) {
  ComposerRandom random{seed * 2654435761u + 0x9E3779B9u};
  if (random.state == 0) random.state = 1;
  for (int warm = 0; warm < 8; ++warm) DrawNumber(random, 2);
  return random;
}

int DrawNumber(ComposerRandom& random, int count) {
  uint32_t x = random.state;
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  random.state = x;
  return count <= 1 ? 0 : static_cast<int>(x % static_cast<uint32_t>(count));
}

bool DrawChance(ComposerRandom& random, int percent) { return DrawNumber(random, 100) < percent; }
