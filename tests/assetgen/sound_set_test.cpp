// The sound set: file structure, timing, musical shape, determinism and how it renders.
// Sections: a small MIDI reader, the writer, the set's files, rendering through FluidSynth.
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/assetgen/midi_writer.h"
#include "tools/assetgen/sound_set.h"

namespace {

namespace fs = std::filesystem;

// ---- A small MIDI reader, independent of the writer ----

struct ReadNote {
  int channel, key;
  double start, end;  // seconds
};

struct ReadSong {
  bool valid = false;
  std::string problem;           // why it is not valid
  int format = -1, division = 0, trackCount = 0;
  double seconds = 0;            // time of the last end of track
  std::vector<ReadNote> notes;   // every note, in no particular order
  std::vector<double> tempos;    // beats per minute, in file order
  std::set<int> programs;        // program numbers used
};

uint32_t ReadBigEndian(const std::vector<uint8_t>& bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int index = 0; index < count; ++index) value = value << 8 | bytes[at + index];
  return value;
}

bool ReadQuantity(const std::vector<uint8_t>& bytes, size_t& at, size_t end, uint32_t& value) {
  value = 0;
  for (int count = 0; count < 4 && at < end; ++count) {
    uint8_t byte = bytes[at++];
    value = value << 7 | (byte & 0x7F);
    if (!(byte & 0x80)) return true;
  }
  return false;
}

struct RawEvent {
  uint32_t tick;
  std::vector<uint8_t> data;
};

ReadSong ReadMidi(const std::vector<uint8_t>& bytes) {
  ReadSong song;
  auto fail = [&](const std::string& why) {
    song.problem = why;
    return song;
  };
  if (bytes.size() < 14 || std::string(bytes.begin(), bytes.begin() + 4) != "MThd" ||
      ReadBigEndian(bytes, 4, 4) != 6) {
    return fail("header");
  }
  song.format = static_cast<int>(ReadBigEndian(bytes, 8, 2));
  int declaredTracks = static_cast<int>(ReadBigEndian(bytes, 10, 2));
  song.division = static_cast<int>(ReadBigEndian(bytes, 12, 2));
  if (song.division <= 0 || (song.division & 0x8000)) return fail("division");
  std::vector<RawEvent> events;
  size_t at = 14;
  uint32_t lastTick = 0;
  for (; at < bytes.size(); ++song.trackCount) {
    if (at + 8 > bytes.size() || std::string(bytes.begin() + at, bytes.begin() + at + 4) != "MTrk") {
      return fail("chunk tag");
    }
    size_t end = at + 8 + ReadBigEndian(bytes, at + 4, 4);
    if (end > bytes.size()) return fail("chunk length beyond the file");
    at += 8;
    uint32_t tick = 0, delta, length;
    uint8_t running = 0;
    bool ended = false;
    while (at < end) {
      if (ended) return fail("events after end of track");
      if (!ReadQuantity(bytes, at, end, delta) || at >= end) return fail("delta time");
      tick += delta;
      RawEvent event{tick, {}};
      if (bytes[at] == 0xFF) {
        uint8_t type = at + 1 < end ? bytes[at + 1] : 0;
        at += 2;
        if (!ReadQuantity(bytes, at, end, length) || at + length > end) return fail("meta");
        event.data = {0xFF, type};
        event.data.insert(event.data.end(), bytes.begin() + at, bytes.begin() + at + length);
        at += length;
        ended = type == 0x2F;
        if (ended) lastTick = std::max(lastTick, tick);
      } else {
        if (bytes[at] & 0x80) running = bytes[at++];
        else if (!running) return fail("data byte without status");
        int kind = running & 0xF0;
        int dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        if (kind == 0xF0 || at + dataBytes > end) return fail("channel event");
        event.data = {running};
        for (int index = 0; index < dataBytes; ++index) {
          if (bytes[at] & 0x80) return fail("data byte above 127");
          event.data.push_back(bytes[at++]);
        }
      }
      events.push_back(event);
    }
    if (!ended) return fail("track without end");
  }
  if (song.trackCount != declaredTracks) return fail("track count");

  // Tempo map, then times in seconds.
  std::stable_sort(events.begin(), events.end(),
                   [](const RawEvent& a, const RawEvent& b) { return a.tick < b.tick; });
  std::vector<std::pair<uint32_t, double>> tempoMap = {{0, 500000.0}};
  for (const RawEvent& event : events) {
    if (event.data.size() == 5 && event.data[0] == 0xFF && event.data[1] == 0x51) {
      double micros = event.data[2] << 16 | event.data[3] << 8 | event.data[4];
      if (event.tick == 0) tempoMap[0].second = micros;
      else tempoMap.push_back({event.tick, micros});
      song.tempos.push_back(60000000.0 / micros);
    }
  }
  auto seconds = [&](uint32_t tick) {
    double total = 0;
    for (size_t index = 0; index < tempoMap.size() && tempoMap[index].first < tick; ++index) {
      uint32_t to = index + 1 < tempoMap.size() ? std::min(tick, tempoMap[index + 1].first) : tick;
      total += (to - tempoMap[index].first) * tempoMap[index].second / 1e6 / song.division;
    }
    return total;
  };
  std::map<std::pair<int, int>, std::vector<double>> sounding;
  for (const RawEvent& event : events) {
    if (event.data[0] == 0xFF) continue;
    int kind = event.data[0] & 0xF0, channel = event.data[0] & 0x0F;
    if (kind == 0xC0) song.programs.insert(event.data[1]);
    bool on = kind == 0x90 && event.data[2] > 0;
    bool off = kind == 0x80 || (kind == 0x90 && event.data[2] == 0);
    auto& starts = sounding[{channel, event.data[1]}];
    if (on && !starts.empty()) return fail("a key struck again while it sounds");
    if (on) starts.push_back(seconds(event.tick));
    if (off && starts.empty()) return fail("note off without note on");
    if (off) {
      song.notes.push_back({channel, event.data[1], starts.front(), seconds(event.tick)});
      starts.clear();
    }
  }
  for (const auto& entry : sounding) if (!entry.second.empty()) return fail("note left sounding");
  song.seconds = seconds(lastTick);
  song.valid = true;
  return song;
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

fs::path MakeTempDirectory() {
  std::string pattern = (fs::temp_directory_path() / "soundsetXXXXXX").string();
  return fs::path(mkdtemp(pattern.data()));
}

struct Expected {
  const char* file;  // name in the sound directory
  double shortest;   // seconds
  double longest;    // seconds
};

// Release tails are written into the files, so these are the lengths a player reports.
const Expected kEffects[] = {{"Vorle.mid", 3.0, 4.0},   {"Dian.mid", 0.05, 0.3},
                             {"Xiaochu.mid", 0.3, 0.8}, {"Kaishi.mid", 1.0, 2.0},
                             {"Jiangli.mid", 1.0, 1.5}, {"Baozha.mid", 0.7, 1.3}};
constexpr int kTrackCount = 8;
constexpr double kShortestTrack = 60;
constexpr double kLongestTrack = 120;

std::string TrackFile(int number) { return "Yinyue" + std::to_string(number) + ".mid"; }

// ---- The writer ----

TEST(MidiWriter, VariableLengthQuantityAtItsEdges) {
  using Bytes = std::vector<uint8_t>;
  EXPECT_EQ(EncodeVariableLength(0), Bytes({0x00}));
  EXPECT_EQ(EncodeVariableLength(127), Bytes({0x7F}));
  EXPECT_EQ(EncodeVariableLength(128), Bytes({0x81, 0x00}));
  EXPECT_EQ(EncodeVariableLength(16383), Bytes({0xFF, 0x7F}));
  EXPECT_EQ(EncodeVariableLength(16384), Bytes({0x81, 0x80, 0x00}));
  EXPECT_EQ(EncodeVariableLength(0x0FFFFFFF), Bytes({0xFF, 0xFF, 0xFF, 0x7F}));
  EXPECT_EQ(EncodeVariableLength(0xFFFFFFFF), Bytes({0xFF, 0xFF, 0xFF, 0x7F}));
}

TEST(MidiWriter, OverlappingStrikesOfOneKeyAreKeptApart) {
  MidiSong song;
  MidiTrack& track = AddTrack(song);
  AddNote(track, 4800, 480, 0, 64, 90);  // added first, starts later: released first
  AddNote(track, 4320, 480, 0, 64, 90);
  AddNote(track, 0, 960, 0, 60, 90);
  AddNote(track, 480, 960, 0, 60, 90);   // cuts the first note at 480
  AddNote(track, 1920, 480, 0, 60, 90);
  AddNote(track, 1680, 960, 0, 60, 90);  // ends where the note added before it starts
  AddNote(track, 0, 240, 1, 60, 90);     // another channel is left alone
  AddNote(track, 3000, 100, 0, 62, 90);
  AddNote(track, 3000, 300, 0, 62, 90);  // same tick: one note, the longer one
  ReadSong read = ReadMidi(EncodeMidiFile(song));
  ASSERT_TRUE(read.valid) << read.problem;
  std::map<std::pair<int, double>, double> ends;
  for (const ReadNote& note : read.notes) ends[{note.key * 16 + note.channel, note.start}] = note.end;
  ASSERT_EQ(read.notes.size(), 8u);
  EXPECT_DOUBLE_EQ((ends[{64 * 16, 4.5}]), 5.0);
  EXPECT_DOUBLE_EQ((ends[{64 * 16, 5.0}]), 5.5);
  EXPECT_DOUBLE_EQ((ends[{60 * 16, 0.0}]), 0.5);
  EXPECT_DOUBLE_EQ((ends[{60 * 16, 0.5}]), 1.5);
  EXPECT_DOUBLE_EQ((ends[{60 * 16, 1.75}]), 2.0);
  EXPECT_DOUBLE_EQ((ends[{60 * 16, 2.0}]), 2.5);
  EXPECT_DOUBLE_EQ((ends[{60 * 16 + 1, 0.0}]), 0.25);
  EXPECT_DOUBLE_EQ((ends[{62 * 16, 3000 / 960.0}]), 3300 / 960.0);
}

TEST(MidiWriter, FormatTracksEndAndTempo) {
  MidiSong single;
  AddNote(AddTrack(single), 0, 10, 0, 60, 90);
  ReadSong one = ReadMidi(EncodeMidiFile(single));
  ASSERT_TRUE(one.valid) << one.problem;
  EXPECT_EQ(one.format, 0);
  EXPECT_EQ(one.division, kTicksPerQuarter);

  MidiSong song;
  MidiTrack& conductor = AddTrack(song);
  AddTempo(conductor, 0, 120);
  AddTempo(conductor, 960, 60);
  AddNote(AddTrack(song), 0, 960, 1, 200, 300);  // key and velocity out of range are clamped
  song.endTick = 1440;
  ReadSong two = ReadMidi(EncodeMidiFile(song));
  ASSERT_TRUE(two.valid) << two.problem;
  EXPECT_EQ(two.format, 1);
  EXPECT_EQ(two.trackCount, 2);
  EXPECT_DOUBLE_EQ(two.seconds, 1.0 + 1.0);  // two beats at 120, one at 60
  ASSERT_EQ(two.notes.size(), 1u);
  EXPECT_EQ(two.notes[0].key, 127);
}

TEST(MidiWriter, ControllersAndPitchBendStayInDataRange) {
  MidiSong song;
  MidiTrack& track = AddTrack(song);
  AddController(track, 0, 0, kControllerVolume, 500);
  AddPitchBend(track, 0, 0, -9000);
  AddPitchBend(track, 10, 0, 9000);
  AddProgram(track, 20, kPercussionChannel, -3);
  std::vector<uint8_t> bytes = EncodeMidiFile(song);
  ReadSong read = ReadMidi(bytes);
  ASSERT_TRUE(read.valid) << read.problem;  // the reader rejects data bytes above 127
  EXPECT_EQ(read.programs, std::set<int>({0}));
}

// ---- The set's files ----

class SoundSet : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    directory_ = new fs::path(MakeTempDirectory());
    written_ = WriteSoundSet(directory_->string() + "/");
  }
  static void TearDownTestSuite() {
    fs::remove_all(*directory_);
    delete directory_;
  }
  static ReadSong Read(const std::string& file) { return ReadMidi(ReadBytes(*directory_ / file)); }

  static fs::path* directory_;
  static bool written_;
};

fs::path* SoundSet::directory_ = nullptr;
bool SoundSet::written_ = false;

TEST_F(SoundSet, EveryFileIsValidAndLastsItsIntendedTime) {
  ASSERT_TRUE(written_);
  std::vector<Expected> files(std::begin(kEffects), std::end(kEffects));
  std::vector<std::string> tracks;
  for (int number = 1; number <= kTrackCount; ++number) tracks.push_back(TrackFile(number));
  for (const std::string& track : tracks) files.push_back({track.c_str(), kShortestTrack, kLongestTrack});
  for (const Expected& file : files) {
    ReadSong song = Read(file.file);
    ASSERT_TRUE(song.valid) << file.file << ": " << song.problem;
    EXPECT_EQ(song.division, kTicksPerQuarter);
    EXPECT_GE(song.seconds, file.shortest) << file.file;
    EXPECT_LE(song.seconds, file.longest) << file.file;
    EXPECT_FALSE(song.notes.empty()) << file.file;
    for (const ReadNote& note : song.notes) EXPECT_LE(note.end, song.seconds) << file.file;
  }
}

TEST_F(SoundSet, ExplosionUsesPercussionAndLowBrass) {
  ReadSong song = Read("Baozha.mid");
  ASSERT_TRUE(song.valid) << song.problem;
  constexpr int kFirstBrass = 56, kLastBrass = 63, kLowKey = 52;
  bool drums = false, low = false;
  for (const ReadNote& note : song.notes) {
    drums = drums || note.channel == kPercussionChannel;
    low = low || (note.channel != kPercussionChannel && note.key < kLowKey);
  }
  EXPECT_TRUE(drums);
  EXPECT_TRUE(low);
  EXPECT_TRUE(std::any_of(song.programs.begin(), song.programs.end(),
                          [](int program) { return program >= kFirstBrass && program <= kLastBrass; }));
}

// Pitch classes of the pitched notes, as a sorted list.
std::vector<int> PitchClasses(const ReadSong& song) {
  std::set<int> classes;
  for (const ReadNote& note : song.notes) {
    if (note.channel != kPercussionChannel) classes.insert(note.key % 12);
  }
  return {classes.begin(), classes.end()};
}

const ReadNote* LastNoteOf(const ReadSong& song, int channel) {
  const ReadNote* last = nullptr;
  for (const ReadNote& note : song.notes) {
    if (note.channel == channel && (!last || note.start > last->start)) last = &note;
  }
  return last;
}

TEST_F(SoundSet, TracksArePentatonicAndEndOnTheirTonic) {
  ASSERT_TRUE(written_);
  constexpr int kLead = 0, kBass = 3;
  for (int number = 1; number <= kTrackCount; ++number) {
    ReadSong song = Read(TrackFile(number));
    EXPECT_EQ(PitchClasses(song).size(), 5u) << number;
    const ReadNote* lead = LastNoteOf(song, kLead);
    const ReadNote* bass = LastNoteOf(song, kBass);
    ASSERT_TRUE(lead && bass) << number;
    EXPECT_EQ(lead->key % 12, bass->key % 12) << number;
    // The last notes ring out before the file ends: no abrupt cut when the next track starts.
    EXPECT_LT(lead->end, song.seconds) << number;
    ASSERT_FALSE(song.tempos.empty());
    constexpr double kRounding = 0.5;  // tempos are stored as whole microseconds per beat
    EXPECT_GE(song.tempos.front(), 66 - kRounding) << number;
    EXPECT_LE(song.tempos.front(), 110 + kRounding) << number;
  }
}

// The lead's opening as intervals, so a transposed copy would still count as the same tune.
std::vector<int> OpeningIntervals(const ReadSong& song) {
  std::vector<ReadNote> lead;
  for (const ReadNote& note : song.notes) if (note.channel == 0) lead.push_back(note);
  std::sort(lead.begin(), lead.end(),
            [](const ReadNote& a, const ReadNote& b) { return a.start < b.start; });
  constexpr size_t kOpeningNotes = 12;
  std::vector<int> intervals;
  for (size_t index = 1; index < std::min(lead.size(), kOpeningNotes); ++index) {
    intervals.push_back(lead[index].key - lead[index - 1].key);
  }
  return intervals;
}

TEST_F(SoundSet, TracksDifferInTuneTempoAndEnsemble) {
  std::set<std::vector<int>> openings;
  std::set<double> tempos;
  std::set<std::set<int>> ensembles;
  std::set<std::vector<int>> scales;
  for (int number = 1; number <= kTrackCount; ++number) {
    ReadSong song = Read(TrackFile(number));
    ASSERT_TRUE(song.valid) << number << ": " << song.problem;
    openings.insert(OpeningIntervals(song));
    tempos.insert(song.tempos.front());
    ensembles.insert(song.programs);
    scales.insert(PitchClasses(song));
  }
  EXPECT_EQ(openings.size(), static_cast<size_t>(kTrackCount));
  EXPECT_EQ(tempos.size(), static_cast<size_t>(kTrackCount));
  EXPECT_EQ(ensembles.size(), static_cast<size_t>(kTrackCount));
  EXPECT_GE(scales.size(), 6u);
}

TEST(SoundSetFailure, MissingDirectoryIsReported) {
  fs::path gone = MakeTempDirectory();
  fs::remove_all(gone);
  EXPECT_FALSE(WriteSoundSet(gone.string() + "/"));
}

// ---- Rendering through FluidSynth ----

constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr int kRenderRate = 8000;  // low, to keep eight long tracks quick
constexpr double kGain = 0.2;      // the synthesizer's default, as the game plays it
constexpr int kBlock = 64;
constexpr double kRenderTail = 15;  // seconds rendered past a file's end at most

// What a listener would notice of one rendered file.
struct Hearing {
  double loudest = 0;     // RMS of the loudest fifth of a second
  double quietest = 0;    // RMS of the quietest ten-second stretch of the music
  double audibleEnd = 0;  // seconds until the sound falls for good below a twentieth of its peak
  int peak = 0;           // largest sample
};

double Rms(const std::vector<int16_t>& samples, size_t from, size_t count) {
  double sum = 0;
  for (size_t index = from; index < from + count && index < samples.size(); ++index) {
    sum += static_cast<double>(samples[index]) * samples[index];
  }
  return count ? std::sqrt(sum / count) : 0;
}

Hearing Listen(const std::vector<int16_t>& samples, double fileSeconds) {
  Hearing hearing;
  constexpr size_t kWindow = kRenderRate / 5;
  constexpr size_t kShortWindow = kRenderRate / 50;
  constexpr size_t kStretch = 10 * kRenderRate;
  constexpr double kFallen = 0.05;
  for (size_t from = 0; from + kWindow <= samples.size(); from += kWindow / 2) {
    hearing.loudest = std::max(hearing.loudest, Rms(samples, from, kWindow));
  }
  std::vector<double> levels;
  for (size_t from = 0; from + kShortWindow <= samples.size(); from += kShortWindow) {
    levels.push_back(Rms(samples, from, kShortWindow));
  }
  double top = levels.empty() ? 0 : *std::max_element(levels.begin(), levels.end());
  for (size_t index = 0; index < levels.size(); ++index) {
    if (levels[index] > top * kFallen) {
      hearing.audibleEnd = static_cast<double>((index + 1) * kShortWindow) / kRenderRate;
    }
  }
  size_t played = static_cast<size_t>(fileSeconds * kRenderRate);
  hearing.quietest = played >= kStretch ? 1e9 : 0;
  for (size_t from = 0; from + kStretch <= played; from += kStretch) {
    hearing.quietest = std::min(hearing.quietest, Rms(samples, from, kStretch));
  }
  for (int16_t sample : samples) hearing.peak = std::max(hearing.peak, std::abs(int{sample}));
  return hearing;
}

class SoundSetRendering : public SoundSet {
 protected:
  static void SetUpTestSuite() {
    SoundSet::SetUpTestSuite();
    settings_ = new_fluid_settings();
    fluid_settings_setnum(settings_, "synth.sample-rate", kRenderRate);
    fluid_settings_setnum(settings_, "synth.gain", kGain);
    fluid_settings_setstr(settings_, "player.timing-source", "sample");
    fluid_settings_setint(settings_, "synth.lock-memory", 0);
    synth_ = new_fluid_synth(settings_);
    fontLoaded_ = fluid_synth_sfload(synth_, kSoundFont, 1) != FLUID_FAILED;
  }
  static void TearDownTestSuite() {
    delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
    SoundSet::TearDownTestSuite();
  }

  // Plays the file until the player is done, which this synthesizer reports only once the
  // last voices have died away.
  static Hearing Hear(const std::string& file) {
    double fileSeconds = Read(file).seconds;
    fluid_synth_system_reset(synth_);
    fluid_player_t* player = new_fluid_player(synth_);
    std::string path = (*directory_ / file).string();
    fluid_player_add(player, path.c_str());
    fluid_player_play(player);
    std::vector<int16_t> samples;
    int16_t left[kBlock], right[kBlock];
    size_t longest = static_cast<size_t>((fileSeconds + kRenderTail) * kRenderRate);
    while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING && samples.size() < longest) {
      fluid_synth_write_s16(synth_, kBlock, left, 0, 1, right, 0, 1);
      samples.insert(samples.end(), left, left + kBlock);
    }
    delete_fluid_player(player);
    return Listen(samples, fileSeconds);
  }

  static fluid_settings_t* settings_;
  static fluid_synth_t* synth_;
  static bool fontLoaded_;
};

fluid_settings_t* SoundSetRendering::settings_ = nullptr;
fluid_synth_t* SoundSetRendering::synth_ = nullptr;
bool SoundSetRendering::fontLoaded_ = false;

constexpr double kAudible = 300;  // RMS of a clearly audible 16-bit signal
constexpr int kClipping = 32000;  // peaks at or above this are too hot
constexpr double kRelease = 0.3;  // seconds a struck sound may ring past its file's end

TEST_F(SoundSetRendering, EffectsSoundForTheirIntendedTimeWithoutClipping) {
  ASSERT_TRUE(fontLoaded_);
  for (const Expected& effect : kEffects) {
    const Hearing hearing = Hear(effect.file);
    EXPECT_GT(hearing.loudest, kAudible) << effect.file;
    EXPECT_GE(hearing.audibleEnd, effect.shortest * 0.5) << effect.file;
    EXPECT_LE(hearing.audibleEnd, effect.longest + kRelease) << effect.file;
    EXPECT_LT(hearing.peak, kClipping) << effect.file;
  }
}

TEST_F(SoundSetRendering, TracksPlayThroughWithoutGapsOrClipping) {
  ASSERT_TRUE(fontLoaded_);
  for (int number = 1; number <= kTrackCount; ++number) {
    const Hearing hearing = Hear(TrackFile(number));
    EXPECT_GT(hearing.quietest, kAudible) << number;
    EXPECT_GE(hearing.audibleEnd, kShortestTrack) << number;
    EXPECT_LE(hearing.audibleEnd, kLongestTrack + kRelease) << number;
    EXPECT_LT(hearing.peak, kClipping) << number;
  }
}

}  // namespace
