// The media layer: the recording backend that game tests rely on, and the real mixer on SDL's
// silent dummy device.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/media.h"
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

TEST_F(MixerMedia, MusicPlaysThenStopsAndReplayRestartsFromTheStart) {
  ASSERT_TRUE(OpenMedia(8, Midi("song.mid", 400)));
  ASSERT_TRUE(IsMediaAudioRunning());
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
