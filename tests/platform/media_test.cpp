// The media layer: the recording backend that game tests rely on, the real mixer on SDL's silent
// dummy device, and the music rendered ahead against the live synthesizer.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "platform/media.h"
#include "platform/music_stream.h"
#include "support/picture_test_support.h"
#include "support/tiny_midi.h"

namespace {

using namespace tiny_media;
using Clock = std::chrono::steady_clock;

class MediaFiles : public testing::Test {
 protected:
  void TearDown() override {
    RecordMediaCalls(false);
    ShutdownMedia();
  }
  std::string Path(const std::string& name) const { return directory_.PathOf(name); }
  // The drum channel keeps the end short: the player reports the end once the sound has died.
  std::string Midi(const std::string& name, int milliseconds, int channel = DrumChannel) const {
    WriteBytes(Path(name), OneNoteMidi(milliseconds, channel));
    return Path(name);
  }

  TestPictureDirectory directory_;
};

// Polls the alias until it reports the mode or the time runs out.
bool WaitForMode(int alias, const std::string& mode, int milliseconds) {
  const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (Clock::now() < end) {
    if (MediaMode(alias) == mode) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return MediaMode(alias) == mode;
}

long MillisecondsSince(Clock::time_point start) {
  return long(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Renders the MIDI file ahead as the build does. False when it cannot be synthesized.
bool RenderAhead(const std::string& midi) {
  const std::vector<int16_t> samples = SynthesizeMusic(midi, INT_MAX);
  if (samples.empty()) return false;
  const std::string stream = RenderedMusicPath(midi);
  std::filesystem::create_directories(std::filesystem::path(stream).parent_path());
  WriteText(stream, EncodeMusicStream(samples));
  return true;
}

// How far a copy of a signal is from it, in decibels; -1000 when the lengths differ.
double SignalToNoise(const std::vector<int16_t>& original, const std::vector<int16_t>& copy) {
  if (copy.size() != original.size()) return -1000;
  double signal = 0, noise = 0;
  for (size_t i = 0; i < original.size(); ++i) {
    signal += double(original[i]) * original[i];
    noise += (double(copy[i]) - original[i]) * (double(copy[i]) - original[i]);
  }
  return 10 * std::log10(signal / std::max(noise, 1.0));
}

int LargestDifference(const std::vector<int16_t>& a, const std::vector<int16_t>& b) {
  if (a.size() != b.size()) return INT_MAX;
  int largest = 0;
  for (size_t i = 0; i < a.size(); ++i) largest = std::max(largest, std::abs(a[i] - b[i]));
  return largest;
}

constexpr double LeastSignalToNoise = 30;   // decibels, for the lossy rendered streams
// The synthesizer dithers its output, and the music's synthesizer may have played before.
constexpr int DitherStep = 1;

}  // namespace

// ---- Recording backend ------------------------------------------------------------------------

using RecordedMedia = MediaFiles;

TEST_F(RecordedMedia, LogsEveryCallAndFollowsOpenPlayEndAndClose) {
  RecordMediaCalls(true);
  const std::string song = Midi("song.mid", 100);
  EXPECT_EQ(MediaMode(8), "");
  ASSERT_TRUE(OpenMedia(8, song));
  EXPECT_EQ(MediaMode(8), "stopped");
  PlayMedia(8);
  SetMediaVolume(8, 500);
  EXPECT_EQ(MediaMode(8), "playing");
  FinishRecordedMedia(8);
  EXPECT_EQ(MediaMode(8), "stopped");
  ASSERT_TRUE(OpenMedia(3, Midi("effect.mid", 100)));
  PlayMedia(3);
  CloseMedia(8);
  EXPECT_EQ(MediaMode(8), "");
  EXPECT_EQ(MediaMode(3), "playing") << "aliases are independent";
  const std::vector<std::string> expected = {
      "mode 8", "open 8 " + song, "mode 8", "play 8", "volume 8 500", "mode 8", "mode 8",
      "open 3 " + Path("effect.mid"), "play 3", "close 8", "mode 8", "mode 3"};
  EXPECT_EQ(MediaCallLog(), expected);
  EXPECT_FALSE(IsMediaAudioRunning());
}

TEST_F(RecordedMedia, RecognisesTheStreamFormatsByContent) {
  RecordMediaCalls(true);
  WriteBytes(Path("a.wav"), ToneWav(50));
  const std::pair<const char*, std::string> files[] = {
      {"b.ogg", "OggS"}, {"c.flac", "fLaC"}, {"d.mp3", "ID3"}, {"e.mp3", "\xFF\xFB\x90\x64"},
      {"f.wav", std::string("RIFF\x10\0\0\0AVI LIST", 16)}, {"g.mid", "MTh"},
      {"notes.txt", "not music at all"}};
  for (const auto& [name, start] : files) WriteText(Path(name), start + std::string(20, '\0'));
  for (const char* name : {"a.wav", "b.ogg", "c.flac", "d.mp3", "e.mp3"})
    EXPECT_TRUE(OpenMedia(8, Path(name))) << name;
  // A file that is no media closes what the alias held.
  PlayMedia(8);
  for (const char* name : {"f.wav", "g.mid", "notes.txt", "missing.mid"}) {
    EXPECT_FALSE(OpenMedia(8, Path(name))) << name;
    EXPECT_EQ(MediaMode(8), "") << name;
  }
}

// ---- The real mixer on the dummy device -------------------------------------------------------

using MixerMedia = MediaFiles;

// The same for a track rendered ahead: its stream ends where the synthesizer's player would.
TEST_F(MixerMedia, MusicPlaysThenStopsAndReplayRestartsFromTheStart) {
  for (const bool rendered : {false, true}) {
    SCOPED_TRACE(rendered ? "rendered ahead" : "synthesized");
    const std::string song = Midi(rendered ? "rendered.mid" : "song.mid", 400);
    if (rendered && !RenderAhead(song)) GTEST_SKIP() << "no SoundFont to render with";
    ASSERT_TRUE(OpenMedia(8, song));
    ASSERT_TRUE(IsMediaAudioRunning());
    EXPECT_EQ(IsMediaMusicRendered(), rendered);
    EXPECT_EQ(MediaMode(8), "stopped");
    const auto start = Clock::now();
    PlayMedia(8);
    EXPECT_EQ(MediaMode(8), "playing");
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    const auto restart = Clock::now();
    PlayMedia(8);
    ASSERT_TRUE(WaitForMode(8, "stopped", 5000));
    // The silent device keeps real time: the note lasts its 400 ms from the replay.
    EXPECT_GE(MillisecondsSince(restart), 300);
    EXPECT_GE(MillisecondsSince(start), 550);
    PlayMedia(8);
    EXPECT_EQ(MediaMode(8), "playing");
    CloseMedia(8);
    EXPECT_EQ(MediaMode(8), "");
    EXPECT_FALSE(IsMediaMusicRendered());
  }
}

TEST_F(MixerMedia, EffectIsRenderedToAudibleSamples) {
  ASSERT_TRUE(OpenMedia(3, Midi("effect.mid", 300, PianoChannel)));
  const std::vector<int16_t> samples = MediaSamples(3);
  // Stereo at 44100 Hz: the note alone is 300 ms long, the release tail comes on top.
  EXPECT_GE(samples.size(), 2u * 44100u * 300u / 1000u);
  EXPECT_EQ(samples.size() % 2, 0u);
  int loudest = 0;
  for (int16_t sample : samples) loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
  EXPECT_GT(loudest, 1000);
  EXPECT_TRUE(MediaSamples(4).empty());
}

// Effects are rendered beside the UI thread: a play asked for before the samples are there
// starts as soon as they are.
TEST_F(MixerMedia, AnEffectPlayedBeforeItIsRenderedStartsWhenItIs) {
  ASSERT_TRUE(OpenMedia(4, Midi("long.mid", 3000)));
  PlayMedia(4);
  EXPECT_EQ(MediaMode(4), "playing");
  ASSERT_FALSE(MediaSamples(4).empty());   // waits for the renderer
  EXPECT_EQ(MediaMode(4), "playing") << "the channel plays the samples that just came";
  CloseMedia(4);
}

TEST_F(MixerMedia, EffectsPlayOnTheirOwnChannelsBesideWaveMusic) {
  ASSERT_TRUE(OpenMedia(1, Midi("click.mid", 300)));
  ASSERT_TRUE(OpenMedia(2, Midi("pair.mid", 300)));
  // Wave music goes through the mixer's own decoder.
  WriteBytes(Path("tone.wav"), ToneWav(1500));
  ASSERT_TRUE(OpenMedia(8, Path("tone.wav")));
  PlayMedia(8);
  SetMediaVolume(8, 250);
  PlayMedia(1);
  SetMediaVolume(1, 1500);
  PlayMedia(2);
  SetMediaVolume(2, 0);
  EXPECT_EQ(MediaMode(1), "playing");
  EXPECT_EQ(MediaMode(2), "playing");
  CloseMedia(1);
  EXPECT_EQ(MediaMode(1), "");
  EXPECT_TRUE(WaitForMode(2, "stopped", 5000));
  EXPECT_EQ(MediaMode(8), "playing");
  // A file that is no media closes what the alias held; aliases holding nothing are harmless.
  EXPECT_FALSE(OpenMedia(8, Path("nothing-here.mid")));
  EXPECT_EQ(MediaMode(8), "");
  PlayMedia(5);
  SetMediaVolume(5, 300);
  CloseMedia(5);
  EXPECT_EQ(MediaMode(5), "");
}

// ---- The music stream format ------------------------------------------------------------------

// Interleaved stereo test signals.
std::vector<int16_t> StereoSignal(int frames, const std::function<std::pair<int, int>(int)>& at) {
  std::vector<int16_t> samples;
  for (int i = 0; i < frames; ++i) {
    const auto [left, right] = at(i);
    samples.push_back(static_cast<int16_t>(left));
    samples.push_back(static_cast<int16_t>(right));
  }
  return samples;
}

std::vector<int16_t> DecodeWhole(const std::string& bytes, int pieceFrames) {
  MusicStream* stream = OpenMusicStream(std::vector<unsigned char>(bytes.begin(), bytes.end()));
  if (stream == nullptr) return {};
  std::vector<int16_t> samples, piece(static_cast<size_t>(pieceFrames) * MediaChannels);
  while (!IsMusicStreamEnded(stream)) {
    const int frames = ReadMusicStream(stream, piece.data(), pieceFrames);
    samples.insert(samples.end(), piece.begin(), piece.begin() + frames * MediaChannels);
  }
  CloseMusicStream(stream);
  return samples;
}

// Any length, silence, full scale and noise: the same length back, within the ratio, whatever
// the pieces it is read in.
TEST(MusicStream, KeepsEverySignalWithinItsRatio) {
  auto tone = [](double hertz, int amplitude) {
    return [=](int i) {
      const int value = int(amplitude * std::sin(2 * M_PI * hertz * i / MediaSampleRate));
      return std::pair(value, value / 2);
    };
  };
  unsigned noise = 12345;
  auto white = [&noise](int) {
    noise = noise * 1103515245 + 12345;
    return std::pair(int(noise >> 16 & 0x7FFF) - 16384, int(noise >> 8 & 0x7FFF) - 16384);
  };
  const struct {
    const char* name;
    std::vector<int16_t> samples;
  } signals[] = {
      {"nothing", {}},
      {"one frame", StereoSignal(1, [](int) { return std::pair(12000, -5000); })},
      {"silence", StereoSignal(3000, [](int) { return std::pair(0, 0); })},
      {"a tone, not whole blocks", StereoSignal(5 * 1024 + 17, tone(440, 12000))},
      {"full-scale square", StereoSignal(4000, [](int i) {
         return std::pair(i / 50 % 2 ? 32767 : -32768, i / 70 % 2 ? -32768 : 32767);
       })},
      {"white noise", StereoSignal(4000, white)},
  };
  for (const auto& signal : signals) {
    SCOPED_TRACE(signal.name);
    const std::string bytes = EncodeMusicStream(signal.samples);
    EXPECT_EQ(EncodeMusicStream(signal.samples), bytes) << "the build repeats exactly";
    const std::vector<int16_t> decoded = DecodeWhole(bytes, 1024);
    ASSERT_EQ(decoded.size(), signal.samples.size());
    EXPECT_EQ(DecodeWhole(bytes, 7), decoded);
    if (std::all_of(decoded.begin(), decoded.end(), [](int16_t v) { return v == 0; })) {
      EXPECT_EQ(decoded, signal.samples);
    } else {
      // Rounding to 16 bits costs a little of the ratio.
      EXPECT_GE(SignalToNoise(signal.samples, decoded), MusicStreamSignalToNoise - 0.2);
    }
  }
}

// Only the format's own bytes open; a stream cut short or overwritten decodes to its end without
// reading past its bytes, and rewinding starts it over.
TEST(MusicStream, DamagedStreamsEndAndRewindStartsOver) {
  const std::vector<int16_t> samples = StereoSignal(20000, [](int i) {
    return std::pair(int(9000 * std::sin(i * 0.05)), int(7000 * std::cos(i * 0.031)));
  });
  const std::string bytes = EncodeMusicStream(samples);
  for (const std::string& foreign : {std::string(), std::string("PMUS"), "OggS" + bytes.substr(4),
                                     bytes.substr(0, 4) + '\x7F' + bytes.substr(5)})
    EXPECT_EQ(OpenMusicStream(std::vector<unsigned char>(foreign.begin(), foreign.end())), nullptr);

  std::string overwritten = bytes;
  for (size_t i = 40; i < overwritten.size(); i += 97) overwritten[i] = char(overwritten[i] ^ 0x5A);
  for (const std::string& damaged : {bytes.substr(0, bytes.size() / 2), overwritten}) {
    const std::vector<int16_t> decoded = DecodeWhole(damaged, 1000);
    EXPECT_LE(decoded.size(), samples.size());
  }

  MusicStream* stream = OpenMusicStream(std::vector<unsigned char>(bytes.begin(), bytes.end()));
  ASSERT_NE(stream, nullptr);
  std::vector<int16_t> first(3000 * MediaChannels), again(first.size());
  EXPECT_EQ(ReadMusicStream(stream, first.data(), 3000), 3000);
  RewindMusicStream(stream);
  EXPECT_EQ(ReadMusicStream(stream, again.data(), 3000), 3000);
  EXPECT_EQ(again, first);
  EXPECT_FALSE(IsMusicStreamEnded(stream));
  CloseMusicStream(stream);
}

// ---- Music rendered ahead ---------------------------------------------------------------------

// Only the very track a stream was rendered from plays it; an edited track, or a damaged stream,
// is synthesized live.
TEST_F(MixerMedia, OnlyTheTrackAStreamWasRenderedFromPlaysIt) {
  const std::string song = Midi("song.mid", 400, PianoChannel);
  if (!RenderAhead(song)) GTEST_SKIP() << "no SoundFont to render with";
  const std::vector<int16_t> live = SynthesizeMusic(song, INT_MAX);
  ASSERT_TRUE(OpenMedia(8, song));
  EXPECT_TRUE(IsMediaMusicRendered());
  const std::vector<int16_t> played = MediaMusicSamples(INT_MAX);
  EXPECT_EQ(played.size(), live.size()) << "the stream ends where the synthesizer's player does";
  EXPECT_GE(SignalToNoise(live, played), LeastSignalToNoise);

  constexpr int Stretch = MediaSampleRate / 2;
  const std::string stream = RenderedMusicPath(song);
  WriteBytes(song, OneNoteMidi(500, PianoChannel));
  ASSERT_TRUE(OpenMedia(8, song));
  EXPECT_FALSE(IsMediaMusicRendered()) << "an edited track";
  EXPECT_LE(LargestDifference(MediaMusicSamples(Stretch), SynthesizeMusic(song, Stretch)),
            DitherStep);

  WriteBytes(song, OneNoteMidi(400, PianoChannel));
  ASSERT_EQ(RenderedMusicPath(song), stream);
  WriteText(stream, "not a music stream at all");
  ASSERT_TRUE(OpenMedia(8, song));
  EXPECT_FALSE(IsMediaMusicRendered()) << "a damaged stream";
  PlayMedia(8);
  EXPECT_EQ(MediaMode(8), "playing");
}

// The shipped tracks play the streams the build rendered from them, and on each track's first
// seconds these agree with the live synthesizer within the signal-to-noise ratio of a lossy
// stream.
TEST_F(MixerMedia, ShippedTracksPlayStreamsThatSoundAsTheSynthesizer) {
  constexpr int Stretch = 3 * MediaSampleRate;
  constexpr int TrackCount = 8;
  for (int n = 1; n <= TrackCount; ++n) {
    const std::string track = PELMORA_APP_DIR "/Sound/Yinyue" + std::to_string(n) + ".mid";
    const std::vector<int16_t> live = SynthesizeMusic(track, Stretch);
    if (live.empty()) GTEST_SKIP() << "no SoundFont: the build rendered nothing";
    ASSERT_TRUE(OpenMedia(8, track));
    EXPECT_TRUE(IsMediaMusicRendered()) << track;
    const double ratio = SignalToNoise(live, MediaMusicSamples(Stretch));
    EXPECT_GE(ratio, LeastSignalToNoise) << track;
    RecordProperty("Yinyue" + std::to_string(n) + "_snr_db", std::to_string(ratio));
  }
}