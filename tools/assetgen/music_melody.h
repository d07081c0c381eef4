// Melodies of the music tracks: a motif, developed into eight-bar sections of two phrases.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/assetgen/music_theory.h"

struct MelodyNote {
  uint32_t start;   // ticks from the start of its section
  uint32_t length;  // ticks
  int degree;       // scale degree, 0 the tonic
  int velocity;     // 1 to 127
};

struct Motif {
  std::vector<int> rhythm;  // note lengths in eighths, filling one bar
  std::vector<int> steps;   // degree change into each note; the first is 0
};

// Where a section starts and comes to rest, and the room it moves in.
struct SectionShape {
  int startDegree;   // first note
  int halfCadence;   // end of the first phrase
  int finalCadence;  // end of the section
  int lowDegree;     // lowest degree reached
  int highDegree;    // highest degree reached
  int velocity;      // base loudness of the section
};

constexpr int kBarsPerPhrase = 4;
constexpr int kBarsPerSection = 8;
constexpr uint32_t kEighth = 240;

Motif ComposeMotif(ComposerRandom& random, int beatsPerBar);
// The same rhythm with the contour turned upside down: the seed of a contrasting section.
Motif InvertMotif(const Motif& motif, ComposerRandom& random, int beatsPerBar);
// Two four-bar phrases: motif, its sequence, a free bar, a half cadence; then the opening
// again, a new free bar and the final cadence.
std::vector<MelodyNote> ComposeSection(ComposerRandom& random, const Motif& motif,
                                       int beatsPerBar, const SectionShape& shape);
// The returning theme: graces on long notes, passing notes across leaps, some dotted pairs.
std::vector<MelodyNote> OrnamentSection(ComposerRandom& random,
                                        const std::vector<MelodyNote>& notes);
