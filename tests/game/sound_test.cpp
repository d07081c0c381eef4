// Sounds and the music check, against the recording media backend.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "game/app/app_state.h"
#include "game/presentation/resources.h"
#include "game/presentation/settings.h"
#include "game/presentation/sound.h"
#include "game/rules/rules_state.h"
#include "game/rules/scoring.h"
#include "platform/media.h"
#include "platform/random.h"
#include "support/tiny_midi.h"

namespace {

namespace fs = std::filesystem;
using namespace tiny_media;

// An application directory whose sound files are named in other letter cases than the game
// asks for, as a case-sensitive file system may hold them.
class SoundTest : public testing::Test {
 protected:
  void SetUp() override {
    appDirectory_ = fs::temp_directory_path() /
                    ("sound_test_" + std::to_string(::getpid()) + "_" +
                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(appDirectory_);
    fs::create_directories(appDirectory_ / "sound");
    for (const char* name : {"vorle.mid", "DIAN.MID", "Xiaochu.mid", "kaishi.mid", "Jiangli.mid",
                             "baozha.mid"}) {
      WriteBytes(SoundFile(name), OneNoteMidi(100));
    }
    for (int n = 1; n <= 8; ++n) {
      WriteBytes(SoundFile("Yinyue" + std::to_string(n) + ".mid"), OneNoteMidi(100));
    }
    savedApp_ = gApp;
    gFiles.appDirectory = appDirectory_.string() + "/";
    gFiles.configPath = gFiles.appDirectory + "Config.ini";
    gSettings = Settings{};
    gSettings.musicOn = 1;
    gSettings.effectsOn = 1;
    gSettings.volume = 500;
    SeedRandom(7);
    RecordMediaCalls(true);
  }
  void TearDown() override {
    RecordMediaCalls(false);
    gApp = savedApp_;
    gSettings = Settings{};
    fs::remove_all(appDirectory_);
  }

  std::string SoundFile(const std::string& name) const {
    return (appDirectory_ / "sound" / name).string();
  }

  // The log of one music check.
  std::vector<std::string> CheckOnce() {
    ClearMediaCallLog();
    MusicCheck();
    return MediaCallLog();
  }

  // The volume values sent to the music alias in a log.
  static std::vector<int> MusicVolumes(const std::vector<std::string>& log) {
    std::vector<int> volumes;
    for (const std::string& line : log) {
      if (line.starts_with("volume 8 ")) volumes.push_back(std::stoi(line.substr(9)));
    }
    return volumes;
  }

  // The file opened under alias 8 in a log, or "".
  static std::string OpenedTrack(const std::vector<std::string>& log) {
    for (const std::string& line : log) {
      if (line.starts_with("open 8 ")) return line.substr(7);
    }
    return "";
  }

  fs::path appDirectory_;
  AppState savedApp_;
};

// ---- Sounds -----------------------------------------------------------------------------------

TEST_F(SoundTest, GameSoundsOpenInOrderFoundWhateverTheirCase) {
  OpenGameSounds();
  const std::vector<std::string> expected = {
      "close 0", "open 0 " + SoundFile("vorle.mid"),   "close 1", "open 1 " + SoundFile("DIAN.MID"),
      "close 2", "open 2 " + SoundFile("Xiaochu.mid"), "close 3", "open 3 " + SoundFile("kaishi.mid"),
      "close 4", "open 4 " + SoundFile("Jiangli.mid"), "close 5", "open 5 " + SoundFile("baozha.mid"),
  };
  EXPECT_EQ(MediaCallLog(), expected);
}

TEST_F(SoundTest, EffectsFollowTheirSwitchButIntroAndStreakBonusAlwaysPlay) {
  gSettings.effectsOn = 0;
  for (int n = SoundSelect; n <= SoundBomb; ++n) PlayEffect(n);
  EXPECT_TRUE(MediaCallLog().empty());

  gSettings.volume = 320;
  PlaySound(SoundIntro);   // plays, then sets the configured volume
  const std::vector<std::string> intro = {"play 0", "volume 0 320"};
  EXPECT_EQ(MediaCallLog(), intro);
  gSettings.volume = 500;

  // Three quick pairs earn the streak bonus, which plays sound 4 anyway; the shuffle reward
  // that the new score passes is an effect and stays silent.
  ClearMediaCallLog();
  gScore = ScoreState{};
  gScore.shuffleThreshold = 0;
  for (int pair = 0; pair < 3; ++pair) {
    gScore.speed = 99;
    ScorePair();
  }
  AwardItems();
  const std::vector<std::string> bonus = {"play 4", "volume 4 500"};
  EXPECT_EQ(MediaCallLog(), bonus);

  gSettings.effectsOn = 1;
  ClearMediaCallLog();
  PlayEffect(SoundBomb);
  const std::vector<std::string> bomb = {"play 5", "volume 5 500"};
  EXPECT_EQ(MediaCallLog(), bomb);
}

// ---- Music check ------------------------------------------------------------------------------

TEST_F(SoundTest, StoppedTrackIsFollowedByANewSilentTrack) {
  MusicCheck();
  FinishRecordedMedia(MusicAlias);
  const std::vector<std::string> log = CheckOnce();
  const std::string track = OpenedTrack(log);
  const std::vector<std::string> expected = {
      "mode 8", "close 8", "open 8 " + track, "play 8", "volume 8 500", "volume 8 0", "volume 8 0",
  };
  EXPECT_EQ(log, expected);
  EXPECT_TRUE(std::regex_match(track, std::regex(".*/sound/Yinyue[1-8]\\.mid")));
  const std::vector<std::string> playing = {"mode 8", "volume 8 25"};
  EXPECT_EQ(CheckOnce(), playing) << "a playing track only fades in";
}

TEST_F(SoundTest, FadeSettlesOnTheLastStepBelowTheVolume) {
  struct Case {
    int volume;
    int settled;
    int lastStepCheck;   // the check after the track start that sends the last step
  };
  for (const Case& c : {Case{500, 475, 19}, Case{510, 500, 20}, Case{1000, 975, 39}}) {
    gSettings.volume = c.volume;
    CloseSound(MusicAlias);
    MusicCheck();
    int lastSent = -1;
    int lastCheck = 0;
    for (int check = 1; check <= 60; ++check)
      for (int volume : MusicVolumes(CheckOnce())) lastSent = volume, lastCheck = check;
    EXPECT_EQ(lastSent, c.settled) << "volume " << c.volume;
    EXPECT_EQ(lastCheck, c.lastStepCheck) << "volume " << c.volume;
  }
}

TEST_F(SoundTest, VolumeZeroSendsNoFadeStep) {
  gSettings.volume = 0;
  const std::vector<int> start = MusicVolumes(CheckOnce());
  const std::vector<int> silentStart = {0, 0};   // the configured volume, then the fade start
  EXPECT_EQ(start, silentStart);
  for (int check = 0; check < 5; ++check) {
    const std::vector<std::string> only = {"mode 8"};
    EXPECT_EQ(CheckOnce(), only);
  }
}

TEST_F(SoundTest, DefaultTracksAreChosenFromAllEight) {
  std::set<std::string> chosen;
  for (int start = 0; start < 200; ++start) {
    CloseSound(MusicAlias);
    chosen.insert(OpenedTrack(CheckOnce()));
  }
  std::set<std::string> all;
  for (int n = 1; n <= 8; ++n) all.insert(SoundFile("Yinyue" + std::to_string(n) + ".mid"));
  EXPECT_EQ(chosen, all);
}

TEST_F(SoundTest, SwitchingMusicOffAndOnStartsANewTrack) {
  MusicCheck();
  gSettings.musicOn = 0;
  EXPECT_TRUE(CheckOnce().empty()) << "music off: the check does nothing";
  CloseSound(MusicAlias);
  EXPECT_EQ(MediaMode(MusicAlias), "");
  gSettings.musicOn = 1;
  const std::vector<std::string> log = CheckOnce();
  EXPECT_NE(OpenedTrack(log), "");
  EXPECT_EQ(MediaMode(MusicAlias), "playing");
}

TEST_F(SoundTest, MusicDirectoryWithOnlyATextFileRetriesEveryCheck) {
  const fs::path music = appDirectory_ / "music";
  fs::create_directories(music);
  WriteText((music / "readme.txt").string(), "no music here");
  gSettings.musicSourceType = 1;
  gSettings.musicDirectory = music.string() + "/";
  for (int check = 0; check < 3; ++check) {
    const std::vector<std::string> log = CheckOnce();
    EXPECT_EQ(log.front(), "mode 8");
    EXPECT_EQ(OpenedTrack(log), gSettings.musicDirectory + "readme.txt");
    EXPECT_EQ(MediaMode(MusicAlias), "");
  }
}

// Folders, a FIFO and a link to a device are no tracks: opening the FIFO would block the game.
TEST_F(SoundTest, EmptyOrMissingMusicDirectoryFallsBackToDefaultTracks) {
  const fs::path music = appDirectory_ / "only folders";
  fs::create_directories(music / "a");
  ASSERT_EQ(mkfifo((music / "fifo.mid").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", music / "zero.mid");
  gSettings.musicSourceType = 1;
  gSettings.musicDirectory = music.string() + "/";
  const std::regex defaultTrack(".*/sound/Yinyue[1-8]\\.mid");
  EXPECT_TRUE(std::regex_match(OpenedTrack(CheckOnce()), defaultTrack));
  CloseSound(MusicAlias);
  gSettings.musicDirectory = (appDirectory_ / "gone").string() + "/";
  EXPECT_TRUE(std::regex_match(OpenedTrack(CheckOnce()), defaultTrack));
  // A file beside the folders is picked.
  CloseSound(MusicAlias);
  gSettings.musicDirectory = music.string() + "/";
  WriteBytes((music / "song.mid").string(), OneNoteMidi(100));
  EXPECT_EQ(OpenedTrack(CheckOnce()), gSettings.musicDirectory + "song.mid");
  EXPECT_EQ(MediaMode(MusicAlias), "playing");
  // The folder named in another letter case and without its final separator.
  CloseSound(MusicAlias);
  gSettings.musicDirectory = (appDirectory_ / "ONLY Folders").string();
  EXPECT_EQ(OpenedTrack(CheckOnce()), (music / "song.mid").string());
  EXPECT_EQ(MediaMode(MusicAlias), "playing");
}

}  // namespace
