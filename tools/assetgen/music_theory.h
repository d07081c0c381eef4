// Building blocks of our pentatonic pieces: the five modes, a seeded composer's generator and
// the General MIDI numbers the pieces play.
#pragma once

#include <cstdint>

// The five modes, named after the note of the pentatonic scale they rest on.
enum class PentatonicMode { Gong, Shang, Jue, Zhi, Yu };

constexpr int kDegreesPerOctave = 5;

// Semitones above the tonic of a scale degree; degree 5 is the tonic an octave up, negative
// degrees lie below the tonic.
int DegreeOffset(PentatonicMode mode, int degree);
int DegreeKey(PentatonicMode mode, int tonicKey, int degree);
// The degree a fifth above the tonic, or the nearest stable substitute when the mode lacks it:
// where a first phrase comes to rest half-way.
int RestingDegree(PentatonicMode mode);
bool ModeHasPitchClass(PentatonicMode mode, int semitonesAboveTonic);

// Deterministic generator so that every build writes the same bytes.
struct ComposerRandom {
  uint32_t state;  // xorshift state, never zero
};

ComposerRandom SeedComposer(uint32_t seed);
// Uniform from 0 to count - 1.
int DrawNumber(ComposerRandom& random, int count);
// True with the given percentage.
bool DrawChance(ComposerRandom& random, int percent);

// General MIDI programs, counted from 0.
constexpr int kProgramGlockenspiel = 9;
constexpr int kProgramMarimba = 12;
constexpr int kProgramXylophone = 13;
constexpr int kProgramTubularBells = 14;
constexpr int kProgramDulcimer = 15;
constexpr int kProgramNylonGuitar = 24;
constexpr int kProgramAcousticBass = 32;
constexpr int kProgramViolin = 40;
constexpr int kProgramCello = 42;
constexpr int kProgramContrabass = 43;
constexpr int kProgramPizzicato = 45;
constexpr int kProgramHarp = 46;
constexpr int kProgramTimpani = 47;
constexpr int kProgramStrings = 48;
constexpr int kProgramTuba = 58;
constexpr int kProgramBrassSection = 61;
constexpr int kProgramFlute = 73;
constexpr int kProgramPanFlute = 75;
constexpr int kProgramShakuhachi = 77;
constexpr int kProgramShamisen = 106;
constexpr int kProgramKoto = 107;
constexpr int kProgramNone = -1;

// General MIDI percussion keys (channel 10).
constexpr int kDrumBass = 36;
constexpr int kDrumLowFloorTom = 41;
constexpr int kDrumHighFloorTom = 43;
constexpr int kDrumLowTom = 45;
constexpr int kDrumCrash = 49;
constexpr int kDrumChineseCymbal = 52;
constexpr int kDrumHighWoodBlock = 76;
constexpr int kDrumLowWoodBlock = 77;
constexpr int kDrumOpenTriangle = 81;
