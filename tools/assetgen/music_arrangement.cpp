// Track arrangement. Sections: parts and channels, harmony, melody and second voice, bass,
// accompaniment and pad, percussion, coda and tempo, the whole track.
#include "tools/assetgen/music_arrangement.h"

#include <algorithm>
#include <vector>

#include "tools/assetgen/music_melody.h"

namespace {

// ---- Parts and channels ----

enum Part { kPartMelody, kPartCounter, kPartAccompaniment, kPartBass, kPartPad, kPartPercussion,
            kPartCount };

constexpr int kPartChannel[kPartCount] = {0, 1, 2, 3, 4, kPercussionChannel};
constexpr int kPartPan[kPartCount] = {64, 44, 84, 60, 72, 64};
constexpr int kPartVolume[kPartCount] = {112, 92, 96, 104, 82, 96};
constexpr int kPartReverb[kPartCount] = {64, 56, 48, 30, 72, 40};
constexpr int kFullExpression = 127;

constexpr uint32_t kBeat = kTicksPerQuarter;
constexpr int kOctave = 12;
constexpr int kFifth = 7;
constexpr int kBassRegister = 36;           // bass roots from C2 upwards
constexpr int kAccompanimentRegister = 55;  // chord figures from G3 upwards

// Loudness of the supporting parts relative to the lead.
constexpr int kCounterEase = 22;
constexpr int kAccompanimentEase = 28;
constexpr int kBassEase = 10;
constexpr int kPadEase = 36;
constexpr int kPercussionEase = 32;

struct Arrangement {
  const TrackPlan& plan;     // what the track should be like
  MidiSong song;             // the file being filled
  int track[kPartCount];     // track index of each part, -1 when the plan leaves it out
  uint32_t barLength;        // ticks per bar
};

MidiTrack* PartTrack(Arrangement& arrangement, Part part) {
  int index = arrangement.track[part];
  return index < 0 ? nullptr : &arrangement.song.tracks[index];
}

void OpenPart(Arrangement& arrangement, Part part, int program, const char* name) {
  arrangement.track[part] = static_cast<int>(arrangement.song.tracks.size());
  MidiTrack& track = AddTrack(arrangement.song);
  AddTrackName(track, name);
  int channel = kPartChannel[part];
  if (part != kPartPercussion) AddProgram(track, 0, channel, program);
  AddController(track, 0, channel, kControllerVolume, kPartVolume[part]);
  AddController(track, 0, channel, kControllerPan, kPartPan[part]);
  AddController(track, 0, channel, kControllerReverb, kPartReverb[part]);
  AddController(track, 0, channel, kControllerExpression, kFullExpression);
  AddPitchBend(track, 0, channel, 0);
}

void PlayNote(Arrangement& arrangement, Part part, uint32_t tick, uint32_t length, int key,
              int velocity) {
  if (MidiTrack* track = PartTrack(arrangement, part)) {
    AddNote(*track, tick, length, kPartChannel[part], key, velocity);
  }
}

// ---- Harmony ----

// The open interval a chord stands on: a fifth, or a fourth for the tonic of a mode that lacks
// the fifth above it.
int ChordSpan(PentatonicMode mode, int root) {
  constexpr int kFourth = 5;
  return ModeHasPitchClass(mode, root + kFifth) ? kFifth : kFourth;
}

// One root per bar, in semitones above the tonic. Roots carry an open fifth, so only scale
// tones whose fifth is also in the scale qualify, and the tonic.
int ChooseBarRoot(const TrackPlan& plan, const std::vector<MelodyNote>& notes, uint32_t barStart,
                  uint32_t barLength, bool tonicCadence, bool beforeCadence, bool openingBar,
                  int previousRoot) {
  if (tonicCadence) return 0;
  int bestRoot = 0;
  int bestScore = -1000000;
  for (int root = 0; root < kOctave; ++root) {
    if (!ModeHasPitchClass(plan.mode, root) ||
        (root != 0 && !ModeHasPitchClass(plan.mode, root + kFifth))) {
      continue;
    }
    int score = 0;
    for (const MelodyNote& note : notes) {
      if (note.start < barStart || note.start >= barStart + barLength) continue;
      int weight = static_cast<int>(note.length / kEighth) * (note.start == barStart ? 3 : 1);
      int interval = ((DegreeOffset(plan.mode, note.degree) - root) % kOctave + kOctave) % kOctave;
      if (interval == 0 || interval == ChordSpan(plan.mode, root)) score += 4 * weight;
      else if (interval == 3 || interval == 4 || interval == 9) score += 2 * weight;
    }
    if (root == previousRoot) score -= 3;
    if (beforeCadence && (root == kFifth || root == 5)) score += 6;
    constexpr int kHomeAtOpening = 8;
    if (root == 0) score += openingBar ? kHomeAtOpening : 1;
    if (score > bestScore) {
      bestScore = score;
      bestRoot = root;
    }
  }
  return bestRoot;
}

// Chord tones over a root: root, its fifth (or fourth), octave, a scale tone just above the
// octave for colour, and the fifth above that.
std::vector<int> ChordTones(const TrackPlan& plan, int root, int registerKey) {
  int base = registerKey + ((plan.tonicKey + root - registerKey) % kOctave + kOctave) % kOctave;
  int colour = 2;
  while (!ModeHasPitchClass(plan.mode, root + colour)) ++colour;
  int span = ChordSpan(plan.mode, root);
  return {base, base + span, base + kOctave, base + kOctave + colour, base + kOctave + span};
}

// ---- Melody and second voice ----

void PlaceMelody(Arrangement& arrangement, uint32_t sectionStart,
                 const std::vector<MelodyNote>& notes) {
  const TrackPlan& plan = arrangement.plan;
  MidiTrack* track = PartTrack(arrangement, kPartMelody);
  int channel = kPartChannel[kPartMelody];
  constexpr uint32_t kScoopMinimum = 3 * kEighth;
  constexpr int kScoopSteps[] = {-1400, -800, -300, 0};
  constexpr uint32_t kScoopStepTicks = 30;
  for (size_t index = 0; index < notes.size(); ++index) {
    const MelodyNote& note = notes[index];
    uint32_t tick = sectionStart + note.start;
    bool risingInto = index > 0 && notes[index - 1].degree < note.degree;
    if (plan.scoop && note.length >= kScoopMinimum && risingInto) {
      uint32_t at = tick;
      for (int bend : kScoopSteps) {
        AddPitchBend(*track, at, channel, bend);
        at += kScoopStepTicks;
      }
    }
    // Slightly detached so that repeated notes speak.
    uint32_t length = note.length - std::min<uint32_t>(note.length / 10, kEighth / 4);
    AddNote(*track, tick, length, channel, DegreeKey(plan.mode, plan.tonicKey, note.degree),
            note.velocity);
  }
}

// Heterophony: the second voice follows the lead's skeleton, one note per grid step, merged
// where the lead lingers on one degree.
void PlaceCounter(Arrangement& arrangement, uint32_t sectionStart,
                  const std::vector<MelodyNote>& notes, uint32_t grid, uint32_t sectionLength) {
  const TrackPlan& plan = arrangement.plan;
  std::vector<std::pair<uint32_t, const MelodyNote*>> skeleton;
  for (uint32_t at = 0; at < sectionLength; at += grid) {
    const MelodyNote* sounding = nullptr;
    for (const MelodyNote& note : notes) {
      if (note.start <= at) sounding = &note;
    }
    if (!sounding) continue;
    if (!skeleton.empty() && skeleton.back().second->degree == sounding->degree) continue;
    skeleton.push_back({at, sounding});
  }
  for (size_t index = 0; index < skeleton.size(); ++index) {
    uint32_t start = skeleton[index].first;
    uint32_t end = index + 1 < skeleton.size() ? skeleton[index + 1].first : sectionLength;
    const MelodyNote& note = *skeleton[index].second;
    int key = DegreeKey(plan.mode, plan.tonicKey, note.degree) + plan.counterOctave * kOctave;
    PlayNote(arrangement, kPartCounter, sectionStart + start, end - start - kEighth / 4, key,
             note.velocity - kCounterEase);
  }
}

// ---- Bass ----

void PlaceBassBar(Arrangement& arrangement, uint32_t barStart, int root, int velocity) {
  const TrackPlan& plan = arrangement.plan;
  std::vector<int> tones = ChordTones(plan, root, kBassRegister);
  uint32_t bar = arrangement.barLength;
  switch (plan.bassStyle) {
    case BassStyle::Held:
      PlayNote(arrangement, kPartBass, barStart, bar - kEighth / 4, tones[0], velocity);
      break;
    case BassStyle::RootFifth: {
      uint32_t split = plan.beatsPerBar == 3 ? 2 * kBeat : bar / 2;
      PlayNote(arrangement, kPartBass, barStart, split - kEighth / 4, tones[0], velocity);
      PlayNote(arrangement, kPartBass, barStart + split, bar - split - kEighth / 4, tones[1],
               velocity - 8);
      break;
    }
    case BassStyle::Walking: {
      static constexpr int kWalk[] = {0, 1, 2, 1};
      for (int beat = 0; beat < plan.beatsPerBar; ++beat) {
        PlayNote(arrangement, kPartBass, barStart + beat * kBeat, kBeat - kEighth / 2,
                 tones[kWalk[beat]], velocity - (beat == 0 ? 0 : 10));
      }
      break;
    }
  }
}

// ---- Accompaniment and pad ----

void PlaceAccompanimentBar(Arrangement& arrangement, uint32_t barStart, int root, int velocity) {
  const TrackPlan& plan = arrangement.plan;
  std::vector<int> tones = ChordTones(plan, root, kAccompanimentRegister);
  switch (plan.texture) {
    case Texture::Arpeggio: {
      static constexpr int kRoll4[] = {0, 1, 2, 3, 4, 3, 2, 1};
      static constexpr int kRoll3[] = {0, 1, 2, 3, 2, 1};
      const int* roll = plan.beatsPerBar == 3 ? kRoll3 : kRoll4;
      for (int step = 0; step < plan.beatsPerBar * 2; ++step) {
        PlayNote(arrangement, kPartAccompaniment, barStart + step * kEighth, kEighth * 2,
                 tones[roll[step]], velocity - (step % 2 == 0 ? 0 : 8));
      }
      break;
    }
    case Texture::Flowing: {
      static constexpr int kRun[] = {0, 1, 2, 1, 3, 2, 1, 2, 0, 1, 2, 3, 4, 3, 2, 1};
      constexpr uint32_t kSixteenth = kEighth / 2;
      for (int step = 0; step < plan.beatsPerBar * 4; ++step) {
        int accent = step % 4 == 0 ? 0 : 10;
        PlayNote(arrangement, kPartAccompaniment, barStart + step * kSixteenth, kSixteenth * 2,
                 tones[kRun[step % 16]], velocity - accent);
      }
      break;
    }
    case Texture::Offbeat: {
      constexpr uint32_t kPluck = kBeat / 2;
      for (int beat = 1; beat < plan.beatsPerBar; ++beat) {
        if (plan.beatsPerBar == 4 && beat == 2) continue;
        for (int tone = 1; tone <= 3; ++tone) {
          PlayNote(arrangement, kPartAccompaniment, barStart + beat * kBeat, kPluck, tones[tone],
                   velocity);
        }
      }
      break;
    }
  }
}

void PlacePadChord(Arrangement& arrangement, uint32_t start, uint32_t length, int root,
                   int velocity) {
  std::vector<int> tones = ChordTones(arrangement.plan, root, kAccompanimentRegister);
  for (int tone : {tones[0], tones[1], tones[3]}) {
    PlayNote(arrangement, kPartPad, start, length, tone, velocity);
  }
}

// ---- Percussion ----

void PlacePercussionBar(Arrangement& arrangement, uint32_t barStart, int barInSection,
                        bool contrast, int velocity) {
  int beats = arrangement.plan.beatsPerBar;
  if (barInSection == 0) {
    PlayNote(arrangement, kPartPercussion, barStart, kBeat, kDrumChineseCymbal, velocity - 8);
  }
  PlayNote(arrangement, kPartPercussion, barStart, kEighth, kDrumHighWoodBlock, velocity);
  for (int beat = 1; beat < beats; ++beat) {
    PlayNote(arrangement, kPartPercussion, barStart + beat * kBeat, kEighth, kDrumLowWoodBlock,
             velocity - 14);
  }
  PlayNote(arrangement, kPartPercussion, barStart + (beats * 2 - 1) * kEighth, kEighth,
           kDrumLowWoodBlock, velocity - 20);
  if (contrast) {
    PlayNote(arrangement, kPartPercussion, barStart, kBeat, kDrumLowTom, velocity - 4);
    if (barInSection % kBarsPerPhrase == kBarsPerPhrase - 1) {
      PlayNote(arrangement, kPartPercussion, barStart + (beats - 1) * kBeat, kEighth,
               kDrumHighFloorTom, velocity - 10);
    }
  }
}

// ---- Coda and tempo ----

// Slows the last bar of the piece and the coda to about four fifths of the tempo.
void PlaceRitardando(Arrangement& arrangement, uint32_t from, uint32_t to) {
  constexpr double kSlowest = 0.8;
  MidiTrack& conductor = arrangement.song.tracks[0];
  uint32_t steps = (to - from) / kBeat;
  for (uint32_t step = 1; step <= steps; ++step) {
    double factor = 1.0 - (1.0 - kSlowest) * step / steps;
    AddTempo(conductor, from + step * kBeat, arrangement.plan.beatsPerMinute * factor);
  }
}

// Two bars: the lead holds the tonic, the chord rolls up slowly and rings, everything fades.
void PlaceCoda(Arrangement& arrangement, uint32_t codaStart, int velocity) {
  const TrackPlan& plan = arrangement.plan;
  uint32_t bar = arrangement.barLength;
  std::vector<int> tones = ChordTones(plan, 0, kAccompanimentRegister);
  for (int beat = 0; beat < plan.beatsPerBar; ++beat) {
    PlayNote(arrangement, kPartAccompaniment, codaStart + beat * kBeat, bar - beat * kBeat,
             tones[beat], velocity - kAccompanimentEase - 2 * beat);
  }
  constexpr uint32_t kRollGap = kEighth / 6;
  for (int tone = 0; tone < 5; ++tone) {
    PlayNote(arrangement, kPartAccompaniment, codaStart + bar + tone * kRollGap,
             bar - tone * kRollGap, tones[tone], velocity - kAccompanimentEase - 6);
  }
  PlayNote(arrangement, kPartBass, codaStart, 2 * bar, ChordTones(plan, 0, kBassRegister)[0],
           velocity - kBassEase);
  PlacePadChord(arrangement, codaStart, 2 * bar, 0, velocity - kPadEase);
  PlayNote(arrangement, kPartCounter, codaStart, bar + bar / 2,
           plan.tonicKey + plan.counterOctave * kOctave, velocity - kCounterEase);
  PlayNote(arrangement, kPartPercussion, codaStart, 2 * bar, kDrumOpenTriangle,
           velocity - kPercussionEase);
  constexpr int kFadeSteps = 8;
  constexpr int kFadeFloor = 56;
  for (int part = 0; part < kPartCount; ++part) {
    MidiTrack* track = PartTrack(arrangement, static_cast<Part>(part));
    if (!track) continue;
    for (int step = 1; step <= kFadeSteps; ++step) {
      int level = kFullExpression - (kFullExpression - kFadeFloor) * step / kFadeSteps;
      AddController(*track, codaStart + bar + step * bar / kFadeSteps - bar / kFadeSteps,
                    kPartChannel[part], kControllerExpression, level);
    }
  }
}

// ---- The whole track ----

struct SectionPlan {
  char letter;                    // form letter
  std::vector<MelodyNote> notes;  // its melody
};

std::vector<SectionPlan> ComposeSections(const TrackPlan& plan, ComposerRandom& random) {
  Motif theme = ComposeMotif(random, plan.beatsPerBar);
  Motif contrast = InvertMotif(theme, random, plan.beatsPerBar);
  int resting = RestingDegree(plan.mode);
  static constexpr int kOpenings[] = {0, 2, 0};
  int opening = kOpenings[DrawNumber(random, 3)];
  if (opening == 2 && DrawChance(random, 50)) opening = resting;
  constexpr int kLiftB = 6;
  SectionShape themeShape{opening, resting, DrawChance(random, 60) ? 0 : kDegreesPerOctave, -2, 7,
                          plan.melodyVelocity};
  SectionShape contrastShape{opening + 3, resting + 1, resting, 0, 9,
                             plan.melodyVelocity + kLiftB};
  std::vector<MelodyNote> themeNotes = ComposeSection(random, theme, plan.beatsPerBar, themeShape);
  std::vector<MelodyNote> contrastNotes =
      ComposeSection(random, contrast, plan.beatsPerBar, contrastShape);

  std::vector<SectionPlan> sections;
  for (const char* letter = plan.form; *letter; ++letter) {
    switch (*letter) {
      case 'A': sections.push_back({'A', themeNotes}); break;
      case 'a': sections.push_back({'a', OrnamentSection(random, themeNotes)}); break;
      case 'B': sections.push_back({'B', contrastNotes}); break;
      default:
        sections.push_back({'b', OrnamentSection(random, ComposeSection(random, contrast,
                                                                        plan.beatsPerBar,
                                                                        contrastShape))});
        break;
    }
  }
  return sections;
}

}  // namespace

MidiSong ArrangeTrack(const TrackPlan& plan) {
  Arrangement arrangement{plan, {}, {-1, -1, -1, -1, -1, -1},
                          static_cast<uint32_t>(plan.beatsPerBar) * kBeat};
  MidiTrack& conductor = AddTrack(arrangement.song);
  AddTrackName(conductor, plan.name);
  AddTempo(conductor, 0, plan.beatsPerMinute);
  AddTimeSignature(conductor, 0, plan.beatsPerBar, 4);
  OpenPart(arrangement, kPartMelody, plan.melodyProgram, "melody");
  OpenPart(arrangement, kPartCounter, plan.counterProgram, "second voice");
  OpenPart(arrangement, kPartAccompaniment, plan.accompanimentProgram, "accompaniment");
  OpenPart(arrangement, kPartBass, plan.bassProgram, "bass");
  if (plan.padProgram != kProgramNone) OpenPart(arrangement, kPartPad, plan.padProgram, "pad");
  if (plan.percussion) OpenPart(arrangement, kPartPercussion, 0, "percussion");

  ComposerRandom random = SeedComposer(plan.seed);
  std::vector<SectionPlan> sections = ComposeSections(plan, random);
  uint32_t bar = arrangement.barLength;
  uint32_t sectionLength = kBarsPerSection * bar;
  int previousRoot = -1;
  for (size_t index = 0; index < sections.size(); ++index) {
    SectionPlan& section = sections[index];
    uint32_t sectionStart = static_cast<uint32_t>(index) * sectionLength;
    bool contrast = section.letter == 'B' || section.letter == 'b';
    bool last = index + 1 == sections.size();
    if (last) section.notes.back().length += bar + bar / 2;  // the lead rings into the coda
    PlaceMelody(arrangement, sectionStart, section.notes);
    if (index > 0) {
      uint32_t grid = contrast ? (plan.beatsPerBar == 3 ? bar : 2 * kBeat) : kBeat;
      PlaceCounter(arrangement, sectionStart, section.notes, grid, sectionLength);
    }
    int padRoot = -1;
    uint32_t padStart = 0;
    int sectionVelocity = plan.melodyVelocity + (contrast ? 4 : 0) - (index == 0 ? 6 : 0);
    for (int barIndex = 0; barIndex < kBarsPerSection; ++barIndex) {
      uint32_t barTick = static_cast<uint32_t>(barIndex) * bar;
      bool cadenceBar = barIndex % kBarsPerPhrase == kBarsPerPhrase - 1;
      bool tonicCadence = cadenceBar && section.notes.back().degree % kDegreesPerOctave == 0 &&
                          barIndex == kBarsPerSection - 1;
      int root = ChooseBarRoot(plan, section.notes, barTick, bar, tonicCadence,
                               barIndex == kBarsPerSection - 2, barIndex == 0 && !contrast,
                               previousRoot);
      previousRoot = root;
      uint32_t at = sectionStart + barTick;
      PlaceBassBar(arrangement, at, root, sectionVelocity - kBassEase);
      PlaceAccompanimentBar(arrangement, at, root, sectionVelocity - kAccompanimentEase);
      if (index > 0 && plan.percussion) {
        PlacePercussionBar(arrangement, at, barIndex, contrast,
                           sectionVelocity - kPercussionEase);
      }
      // Pad chords are tied across bars that share a root.
      if (root != padRoot) {
        if (padRoot >= 0) {
          PlacePadChord(arrangement, padStart, at - padStart, padRoot,
                        sectionVelocity - kPadEase);
        }
        padRoot = root;
        padStart = at;
      }
    }
    PlacePadChord(arrangement, padStart, sectionStart + sectionLength - padStart, padRoot,
                  sectionVelocity - kPadEase);
  }
  uint32_t codaStart = static_cast<uint32_t>(sections.size()) * sectionLength;
  PlaceRitardando(arrangement, codaStart - bar, codaStart + 2 * bar);
  PlaceCoda(arrangement, codaStart, plan.melodyVelocity);
  arrangement.song.endTick = codaStart + 2 * bar + kBeat;
  return arrangement.song;
}
