// The media layer: the recording backend that game tests rely on, and the real mixer on SDL's
// silent dummy device.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/media.h"
#include "support/tiny_midi.h"

namespace {

namespace fs = std::filesystem;
using namespace tiny_media;

class MediaFiles : public testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() /
                 ("media_test_" + std::to_string(::getpid()) + "_" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(directory_);
    fs::create_directories(directory_);
  }
  void TearDown() override {
    RecordMediaCalls(false);
    ShutdownMedia();
    fs::remove_all(directory_);
  }
  std::string Path(const std::string& name) const { return (directory_ / name).string(); }
  // The drum channel keeps the end short: the player reports the end once the sound has died.
  std::string Midi(const std::string& name, int milliseconds, int channel = DrumChannel) const {
    WriteBytes(Path(name), OneNoteMidi(milliseconds, channel));
    return Path(name);
  }

  fs::path directory_;
};

// Polls the alias until it reports the mode or the time runs out.
bool WaitForMode(int alias, const std::string& mode, int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    if (MediaMode(alias) == mode) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return MediaMode(alias) == mode;
}

// ---- Recording backend ------------------------------------------------------------------------

using RecordedMedia = MediaFiles;

TEST_F(RecordedMedia, LogsEveryCallAsCommandText) {
  RecordMediaCalls(true);
  const std::string song = Midi("song.mid", 100);
  EXPECT_TRUE(OpenMedia(8, song));
  PlayMedia(8);
  SetMediaVolume(8, 500);
  EXPECT_EQ(MediaMode(8), "playing");
  CloseMedia(8);
  const std::vector<std::string> expected = {"open 8 " + song, "play 8", "volume 8 500",
                                             "mode 8", "close 8"};
  EXPECT_EQ(MediaCallLog(), expected);
  EXPECT_FALSE(IsMediaAudioRunning());
}

TEST_F(RecordedMedia, ModeFollowsOpenPlayEndAndClose) {
  RecordMediaCalls(true);
  EXPECT_EQ(MediaMode(8), "");
  ASSERT_TRUE(OpenMedia(8, Midi("song.mid", 100)));
  EXPECT_EQ(MediaMode(8), "stopped");
  PlayMedia(8);
  EXPECT_EQ(MediaMode(8), "playing");
  FinishRecordedMedia(8);
  EXPECT_EQ(MediaMode(8), "stopped");
  PlayMedia(8);
  EXPECT_EQ(MediaMode(8), "playing");
  CloseMedia(8);
  EXPECT_EQ(MediaMode(8), "");
}

TEST_F(RecordedMedia, FileThatIsNoMediaLeavesTheAliasClosed) {
  RecordMediaCalls(true);
  ASSERT_TRUE(OpenMedia(8, Midi("song.mid", 100)));
  PlayMedia(8);
  WriteText(Path("notes.txt"), "not music at all");
  EXPECT_FALSE(OpenMedia(8, Path("notes.txt")));
  EXPECT_EQ(MediaMode(8), "");
  EXPECT_FALSE(OpenMedia(8, Path("missing.mid")));
  EXPECT_EQ(MediaMode(8), "");
}

TEST_F(RecordedMedia, RecognisesTheStreamFormatsByContent) {
  RecordMediaCalls(true);
  WriteBytes(Path("a.wav"), ToneWav(50));
  WriteText(Path("b.ogg"), std::string("OggS") + std::string(20, '\0'));
  WriteText(Path("c.flac"), "fLaC" + std::string(20, '\0'));
  WriteText(Path("d.mp3"), "ID3" + std::string(20, '\0'));
  WriteText(Path("e.mp3"), std::string("\xFF\xFB\x90\x64") + std::string(20, '\0'));
  WriteText(Path("f.wav"), "RIFF\x10\0\0\0AVI LIST");
  WriteText(Path("g.mid"), "MTh");
  for (const char* name : {"a.wav", "b.ogg", "c.flac", "d.mp3", "e.mp3"}) {
    EXPECT_TRUE(OpenMedia(8, Path(name))) << name;
  }
  EXPECT_FALSE(OpenMedia(8, Path("f.wav")));
  EXPECT_FALSE(OpenMedia(8, Path("g.mid")));
}

TEST_F(RecordedMedia, AliasesAreIndependent) {
  RecordMediaCalls(true);
  ASSERT_TRUE(OpenMedia(3, Midi("effect.mid", 100)));
  ASSERT_TRUE(OpenMedia(8, Midi("song.mid", 100)));
  PlayMedia(3);
  CloseMedia(8);
  EXPECT_EQ(MediaMode(3), "playing");
  EXPECT_EQ(MediaMode(8), "");
}

// ---- The real mixer on the dummy device -------------------------------------------------------

using MixerMedia = MediaFiles;

TEST_F(MixerMedia, MusicPlaysThenStopsWhenItsTrackHasEnded) {
  ASSERT_TRUE(OpenMedia(8, Midi("song.mid", 400)));
  ASSERT_TRUE(IsMediaAudioRunning());
  EXPECT_EQ(MediaMode(8), "stopped");
  const auto start = std::chrono::steady_clock::now();
  PlayMedia(8);
  EXPECT_EQ(MediaMode(8), "playing");
  ASSERT_TRUE(WaitForMode(8, "stopped", 5000));
  // The silent device keeps real time: the note lasts its 400 ms.
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  EXPECT_GE(elapsed.count(), 300);
  // A replay restarts the track.
  PlayMedia(8);
  EXPECT_EQ(MediaMode(8), "playing");
  CloseMedia(8);
  EXPECT_EQ(MediaMode(8), "");
}

TEST_F(MixerMedia, ReplayWhilePlayingRestartsFromTheStart) {
  ASSERT_TRUE(OpenMedia(8, Midi("song.mid", 600)));
  PlayMedia(8);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  const auto restart = std::chrono::steady_clock::now();
  PlayMedia(8);
  ASSERT_TRUE(WaitForMode(8, "stopped", 5000));
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - restart);
  EXPECT_GE(elapsed.count(), 450);
}

TEST_F(MixerMedia, WaveMusicPlaysThroughTheMixerDecoder) {
  WriteBytes(Path("tone.wav"), ToneWav(300));
  ASSERT_TRUE(OpenMedia(8, Path("tone.wav")));
  PlayMedia(8);
  SetMediaVolume(8, 250);
  EXPECT_EQ(MediaMode(8), "playing");
  EXPECT_TRUE(WaitForMode(8, "stopped", 5000));
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

TEST_F(MixerMedia, EffectPlaysOnItsOwnChannelBesideTheMusic) {
  ASSERT_TRUE(OpenMedia(1, Midi("click.mid", 300)));
  ASSERT_TRUE(OpenMedia(2, Midi("pair.mid", 300)));
  ASSERT_TRUE(OpenMedia(8, Midi("song.mid", 1000)));
  PlayMedia(8);
  PlayMedia(1);
  SetMediaVolume(1, 1500);
  PlayMedia(2);
  SetMediaVolume(2, 0);
  EXPECT_EQ(MediaMode(1), "playing");
  EXPECT_EQ(MediaMode(2), "playing");
  EXPECT_EQ(MediaMode(8), "playing");
  CloseMedia(1);
  EXPECT_EQ(MediaMode(1), "");
  EXPECT_EQ(MediaMode(2), "playing");
  EXPECT_TRUE(WaitForMode(2, "stopped", 5000));
  EXPECT_EQ(MediaMode(8), "playing");
}

TEST_F(MixerMedia, UnplayableFilesFailAndCloseWhatTheAliasHeld) {
  ASSERT_TRUE(OpenMedia(8, Midi("song.mid", 1000)));
  PlayMedia(8);
  WriteText(Path("readme.txt"), "some words");
  EXPECT_FALSE(OpenMedia(8, Path("readme.txt")));
  EXPECT_EQ(MediaMode(8), "");
  EXPECT_FALSE(OpenMedia(2, Path("readme.txt")));
  EXPECT_FALSE(OpenMedia(2, Path("nothing-here.mid")));
  EXPECT_EQ(MediaMode(2), "");
  // Calls on aliases that hold nothing are harmless.
  PlayMedia(5);
  SetMediaVolume(5, 300);
  CloseMedia(5);
  EXPECT_EQ(MediaMode(5), "");
}

}  // namespace
