// Arranging a music track: melody, heterophonic second voice, harmony, bass, accompaniment,
// pad, percussion and a closing coda, from a plan of its character.
#pragma once

#include <cstdint>

#include "tools/assetgen/midi_writer.h"
#include "tools/assetgen/music_theory.h"

enum class Texture {
  Arpeggio,  // rolling eighths over the chord
  Flowing,   // running sixteenths, zither style
  Offbeat    // light chords between the bass notes
};

enum class BassStyle {
  Held,       // the root through the bar
  RootFifth,  // root, then the fifth half-way
  Walking     // root, fifth, octave, fifth on the beats
};

struct TrackPlan {
  const char* name;           // track name stored in the file
  uint32_t seed;              // fixes every choice of the composer
  double beatsPerMinute;      // opening tempo
  int beatsPerBar;            // 3 or 4 quarter beats
  PentatonicMode mode;        // scale of the whole track
  int tonicKey;               // the melody's tonic
  const char* form;           // sections: A theme, a its ornamented return, B contrast, b varied
  int melodyProgram;          // lead voice
  int counterProgram;         // second voice shadowing the lead
  int counterOctave;          // its octave against the lead: -1 below, 0 in unison
  int accompanimentProgram;   // chord figure
  Texture texture;            // what the chord figure does
  int bassProgram;            // bass voice
  BassStyle bassStyle;        // what the bass does
  int padProgram;             // sustained chords, or kProgramNone
  bool scoop;                 // slides up into long notes (bowed and blown leads)
  bool percussion;            // wood blocks and cymbals from the second section on
  int melodyVelocity;         // loudness of the lead
};

MidiSong ArrangeTrack(const TrackPlan& plan);
