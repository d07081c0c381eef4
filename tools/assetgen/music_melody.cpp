// Melody composition. Sections: rhythm patterns, contours, bars, sections, ornaments.
#include "tools/assetgen/music_melody.h"

#include <algorithm>
#include <cstdlib>

namespace {

// ---- Rhythm patterns (eighths per note, one bar each) ----

using Pattern = std::vector<int>;

const std::vector<Pattern> kMotifRhythms4 = {{2, 1, 1, 2, 2}, {3, 1, 2, 2}, {1, 1, 2, 2, 2},
                                             {2, 2, 1, 1, 2}, {3, 1, 1, 1, 2}, {2, 1, 1, 4},
                                             {1, 1, 1, 1, 2, 2}, {4, 1, 1, 2}};
const std::vector<Pattern> kFreeRhythms4 = {{2, 2, 2, 2}, {2, 1, 1, 2, 2}, {6, 1, 1},
                                            {1, 1, 2, 1, 1, 2}, {3, 1, 2, 2}, {2, 2, 4}};
const std::vector<Pattern> kCadenceRhythms4 = {{2, 2, 4}, {3, 1, 4}, {2, 6}, {1, 1, 2, 4}};
const std::vector<Pattern> kMotifRhythms3 = {{2, 1, 1, 2}, {3, 1, 2}, {1, 1, 2, 2}, {2, 2, 1, 1},
                                             {4, 1, 1}};
const std::vector<Pattern> kFreeRhythms3 = {{2, 2, 2}, {4, 2}, {3, 1, 1, 1}, {1, 1, 1, 1, 2}};
const std::vector<Pattern> kCadenceRhythms3 = {{2, 4}, {6}, {1, 1, 4}};

const Pattern& PickPattern(ComposerRandom& random, const std::vector<Pattern>& patterns) {
  return patterns[DrawNumber(random, static_cast<int>(patterns.size()))];
}

const std::vector<Pattern>& MotifRhythms(int beatsPerBar) {
  return beatsPerBar == 3 ? kMotifRhythms3 : kMotifRhythms4;
}
const std::vector<Pattern>& FreeRhythms(int beatsPerBar) {
  return beatsPerBar == 3 ? kFreeRhythms3 : kFreeRhythms4;
}
const std::vector<Pattern>& CadenceRhythms(int beatsPerBar) {
  return beatsPerBar == 3 ? kCadenceRhythms3 : kCadenceRhythms4;
}

// ---- Contours ----

// Mostly steps, some skips, a rare leap.
int DrawStepSize(ComposerRandom& random) {
  int roll = DrawNumber(random, 20);
  return roll < 14 ? 1 : roll < 19 ? 2 : 3;
}

int Sign(int value) { return (value > 0) - (value < 0); }

// Degrees for count notes moving from `from` and landing on target, approached by step. The
// walk is free while the target stays within reach of skips, and pulled towards it after.
std::vector<int> ContourTowards(ComposerRandom& random, int from, int target, int count,
                                int low, int high) {
  constexpr int kLargestPull = 2;
  std::vector<int> degrees;
  int current = from;
  for (int index = 0; index < count; ++index) {
    int remaining = count - index;
    int next;
    if (remaining == 1) {
      next = target;
    } else if (remaining == 2) {
      int above = target + 1;
      int below = target - 1;
      next = DrawChance(random, 65) ? above : below;
      int other = next == above ? below : above;
      if (std::abs(next - current) > std::abs(other - current)) next = other;
    } else {
      int step = DrawStepSize(random) * (DrawChance(random, 50) ? 1 : -1);
      if (DrawChance(random, 8)) step = 0;
      next = std::clamp(current + step, low, high);
      int reach = kLargestPull * (remaining - 2) + 1;
      if (std::abs(next - target) > reach) {
        next = current + Sign(target - current) * std::min(kLargestPull, std::abs(target - current));
      }
    }
    if (next == current && index > 0 && remaining > 2 && DrawChance(random, 70)) {
      next = std::clamp(current + (DrawChance(random, 50) ? 1 : -1), low, high);
    }
    degrees.push_back(next);
    current = next;
  }
  return degrees;
}

// ---- Bars ----

struct BarWriter {
  std::vector<MelodyNote>& notes;  // the section being written
  uint32_t barLength;              // ticks per bar
  int velocity;                    // section base loudness
};

// Dynamics: phrases swell towards their third bar, bar downbeats lean, quick notes are lighter.
int NoteVelocity(const BarWriter& writer, int bar, uint32_t offsetInBar, int eighths) {
  static constexpr int kPhraseArch[kBarsPerPhrase] = {0, 3, 7, -3};
  constexpr int kDownbeatAccent = 6;
  constexpr int kQuickNoteEase = 5;
  int velocity = writer.velocity + kPhraseArch[bar % kBarsPerPhrase];
  if (offsetInBar == 0) velocity += kDownbeatAccent;
  if (eighths == 1) velocity -= kQuickNoteEase;
  return std::clamp(velocity, 1, 127);
}

void WriteBar(BarWriter& writer, int bar, const Pattern& rhythm, const std::vector<int>& degrees) {
  uint32_t offset = 0;
  for (size_t index = 0; index < rhythm.size(); ++index) {
    uint32_t length = static_cast<uint32_t>(rhythm[index]) * kEighth;
    writer.notes.push_back(MelodyNote{bar * writer.barLength + offset, length, degrees[index],
                                      NoteVelocity(writer, bar, offset, rhythm[index])});
    offset += length;
  }
}

std::vector<int> MotifDegrees(const Motif& motif, int start, int low, int high) {
  std::vector<int> degrees;
  int current = start;
  for (int step : motif.steps) {
    current = std::clamp(current + step, low, high);
    degrees.push_back(current);
  }
  return degrees;
}

}  // namespace

// ---- Motifs ----

Motif ComposeMotif(ComposerRandom& random, int beatsPerBar) {
  Motif motif;
  motif.rhythm = PickPattern(random, MotifRhythms(beatsPerBar));
  // Rising, falling, arch or valley: a motif with a shape is one a listener remembers.
  int shape = DrawNumber(random, 4);
  int count = static_cast<int>(motif.rhythm.size());
  motif.steps.push_back(0);
  for (int index = 1; index < count; ++index) {
    bool firstHalf = index <= count / 2;
    int direction = shape == 0 ? 1 : shape == 1 ? -1 : shape == 2 ? (firstHalf ? 1 : -1)
                                                                  : (firstHalf ? -1 : 1);
    if (DrawChance(random, 15)) direction = -direction;
    motif.steps.push_back(direction * DrawStepSize(random));
  }
  return motif;
}

Motif InvertMotif(const Motif& motif, ComposerRandom& random, int beatsPerBar) {
  Motif inverted;
  inverted.rhythm = PickPattern(random, MotifRhythms(beatsPerBar));
  while (inverted.rhythm == motif.rhythm && MotifRhythms(beatsPerBar).size() > 1) {
    inverted.rhythm = PickPattern(random, MotifRhythms(beatsPerBar));
  }
  for (size_t index = 0; index < inverted.rhythm.size(); ++index) {
    int step = index < motif.steps.size() ? -motif.steps[index] : -DrawStepSize(random);
    inverted.steps.push_back(index == 0 ? 0 : step);
  }
  return inverted;
}

// ---- Sections ----

std::vector<MelodyNote> ComposeSection(ComposerRandom& random, const Motif& motif,
                                       int beatsPerBar, const SectionShape& shape) {
  std::vector<MelodyNote> notes;
  BarWriter writer{notes, static_cast<uint32_t>(beatsPerBar) * 2 * kEighth, shape.velocity};
  int low = shape.lowDegree;
  int high = shape.highDegree;

  std::vector<int> opening = MotifDegrees(motif, shape.startDegree, low, high);
  int shift = DrawChance(random, 50) ? 1 : -1;
  if (DrawChance(random, 25)) shift *= 2;
  std::vector<int> sequence = MotifDegrees(motif, shape.startDegree + shift, low, high);

  for (int phrase = 0; phrase < 2; ++phrase) {
    int firstBar = phrase * kBarsPerPhrase;
    WriteBar(writer, firstBar, motif.rhythm, opening);
    WriteBar(writer, firstBar + 1, motif.rhythm, sequence);
    // The free bar climbs to the phrase's peak; the second phrase reaches higher.
    const Pattern& free = PickPattern(random, FreeRhythms(beatsPerBar));
    int peak = std::min(high, std::max(opening.front(), sequence.back()) + 2 + phrase);
    std::vector<int> freeDegrees =
        ContourTowards(random, sequence.back(), peak, static_cast<int>(free.size()), low, high);
    WriteBar(writer, firstBar + 2, free, freeDegrees);
    const Pattern& cadence = PickPattern(random, CadenceRhythms(beatsPerBar));
    int target = phrase == 0 ? shape.halfCadence : shape.finalCadence;
    WriteBar(writer, firstBar + 3, cadence,
             ContourTowards(random, freeDegrees.back(), target, static_cast<int>(cadence.size()),
                            low, high));
  }
  return notes;
}

// ---- Ornaments ----

std::vector<MelodyNote> OrnamentSection(ComposerRandom& random,
                                        const std::vector<MelodyNote>& notes) {
  constexpr uint32_t kGraceLength = kEighth / 2;
  constexpr uint32_t kLongNote = 2 * kEighth;
  constexpr int kGraceEase = 12;
  std::vector<MelodyNote> result;
  for (size_t index = 0; index < notes.size(); ++index) {
    MelodyNote note = notes[index];
    bool last = index + 1 == notes.size();
    int leap = last ? 0 : notes[index + 1].degree - note.degree;
    if (!last && note.length >= kLongNote && std::abs(leap) >= 2 && DrawChance(random, 60)) {
      // Fill the leap: the second half of the note becomes a passing note.
      MelodyNote passing = note;
      note.length /= 2;
      passing.start += note.length;
      passing.length -= note.length;
      passing.degree = note.degree + Sign(leap);
      passing.velocity = std::max(1, note.velocity - kGraceEase / 2);
      result.push_back(note);
      result.push_back(passing);
    } else if (note.length >= kLongNote && DrawChance(random, 30)) {
      // A quick upper-neighbour grace that falls onto the note.
      MelodyNote grace = note;
      grace.length = kGraceLength;
      grace.degree = note.degree + 1;
      grace.velocity = std::max(1, note.velocity - kGraceEase);
      note.start += kGraceLength;
      note.length -= kGraceLength;
      result.push_back(grace);
      result.push_back(note);
    } else if (!last && note.length == kEighth && notes[index + 1].length == kEighth &&
               notes[index + 1].start == note.start + kEighth && note.start % kLongNote == 0 &&
               DrawChance(random, 25)) {
      // A dotted pair instead of two even eighths.
      MelodyNote next = notes[index + 1];
      note.length = kEighth + kEighth / 2;
      next.start = note.start + note.length;
      next.length = kEighth / 2;
      result.push_back(note);
      result.push_back(next);
      ++index;
    } else {
      result.push_back(note);
    }
  }
  return result;
}
