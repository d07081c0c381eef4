// Config.ini settings and the settings window, on the offscreen platform with scripted dialogs
// and recorded media.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "game/app/app_state.h"
#include "game/presentation/resources.h"
#include "game/presentation/settings.h"
#include "game/presentation/sound.h"
#include "game/presentation/sprites.h"
#include "platform/dialog.h"
#include "platform/gadget.h"
#include "platform/media.h"
#include "platform/picture.h"
#include "platform/profile.h"
#include "platform/random.h"
#include "platform/translation.h"
#include "platform/window.h"

namespace {

namespace fs = std::filesystem;

const std::string BuiltCatalogues = std::string(PELMORA_APP_DIR) + "/" + CatalogueFolder;

// The settings window's gadgets.
enum {
  LanguageList = 36,
  LanguageNote = 37,
};

class SettingsTest : public testing::Test {
 protected:
  void SetUp() override {
    appDirectory_ = fs::temp_directory_path() /
                    ("settings_test_" + std::to_string(::getpid()) + "_" +
                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(appDirectory_);
    fs::create_directories(appDirectory_);
    savedApp_ = gApp;
    gFiles.appDirectory = appDirectory_.string() + "/";
    gFiles.configPath = gFiles.appDirectory + "Config.ini";
    gSettings = Settings{};
    ScriptDialogs(true);
    RecordMediaCalls(true);
    SeedRandom(11);
  }
  void TearDown() override {
    if (IsWindowOpen(SettingsWindow)) CloseSettingsWindow();
    DrainEvents();
    ScriptDialogs(false);
    RecordMediaCalls(false);
    gApp = savedApp_;
    gSettings = Settings{};
    UseLanguage(OriginalLanguage, BuiltCatalogues);
    SetPictureLanguage("");
    fs::remove_all(appDirectory_);
  }

  void WriteConfig(const std::string& text) const {
    std::ofstream out(gFiles.configPath, std::ios::binary);
    out << text;
  }
  std::string Config() const {
    std::ifstream in(gFiles.configPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // Routes pending gadget events of window 1 as the game's event loop does.
  static void DrainEvents() {
    for (Event event = PollEvent(); event.kind != EventNone; event = PollEvent()) {
      if (event.kind == EventGadget && event.window == SettingsWindow) {
        HandleSettingsGadget(event.number);
        RefreshSettingsWindow();
      }
    }
  }
  // The player changes a gadget of the open window.
  static void Change(int gadget, int state) {
    SimulateGadgetChange(gadget, state);
    DrainEvents();
  }

  // The settings as one comparable value.
  static auto Fields(const Settings& s) {
    return std::make_tuple(s.backgroundType, s.backgroundColour, s.pictureDirectory,
                           s.musicSourceType, s.musicDirectory, s.effectsOn, s.musicOn, s.volume,
                           s.windowScale, s.fullScreen, s.language);
  }
  static std::vector<int> States(std::initializer_list<int> gadgets) {
    std::vector<int> states;
    for (int g : gadgets) states.push_back(GadgetState(g));
    return states;
  }

  fs::path appDirectory_;
  AppState savedApp_;
};

// ---- Reading Config.ini -----------------------------------------------------------------------

TEST_F(SettingsTest, MissingFileGivesTheDefaults) {
  gSettings = Settings{2, 255, "/old/", 1, "/music/", 1, 1, 800, 150, 1, "en"};
  ReadSettings();
  EXPECT_EQ(Fields(gSettings), Fields(Settings{0, 0, "", 0, "", 0, 0, 0, 100, 0, "auto"}));
}

TEST_F(SettingsTest, HandEditedValuesAreReadByTheirLeadingNumber) {
  WriteConfig("[images]\n"
              "TYPE=2\n"
              "color=16711680\n"
              "path=/home/me/pictures/\n"
              "[Sound]\n"
              "Type=1 (folder)\n"
              "Path=/home/me/music/\n"
              "Yinxiao=on\n"
              "Yinyue=1\n"
              "Yinliang=abc\n");
  ReadSettings();
  EXPECT_EQ(Fields(gSettings), Fields(Settings{2, 16711680, "/home/me/pictures/", 1,
                                               "/home/me/music/", 0, 1, 0}));
}

// Only the offered sizes are scales, and only 1 is full screen: anything else, or nothing,
// is 100 %, windowed.
TEST_F(SettingsTest, WindowSizeIsAnOfferedScaleOrTheWindowsOwnSize) {
  struct Row { const char* scale; const char* fullScreen; int wantScale, wantFullScreen; };
  const Row rows[] = {
      {"150", "1", 150, 1},    {"175 ", "0", 175, 0}, {"200%", " 1", 200, 1},
      {"125abc", "1 (on)", 125, 1},
      {"130", "2", 100, 0},    {"abc", "yes", 100, 0}, {"-150", "-1", 100, 0},
      {"", "", 100, 0},        {"1500", "10", 100, 0}, {"99999999999", "true", 100, 0},
  };
  for (const Row& r : rows) {
    WriteConfig(std::string("[Sound]\nYinliang=300\n[window]\nscale=") + r.scale +
                "\nFULLSCREEN=" + r.fullScreen + "\n");
    gSettings = Settings{};
    ReadSettings();
    EXPECT_EQ(std::make_pair(gSettings.windowScale, gSettings.fullScreen),
              std::make_pair(r.wantScale, r.wantFullScreen)) << r.scale << " / " << r.fullScreen;
    EXPECT_EQ(gSettings.volume, 300);
  }
}

// Only the offered languages are choices, in any letter case; anything else follows the desktop.
TEST_F(SettingsTest, LanguageIsAnOfferedChoiceOrTheDesktops) {
  struct Row { const char* saved; const char* want; };
  const Row rows[] = {{"en", "en"}, {"ZH", "zh"}, {" En ", "en"}, {"auto", "auto"},
                      {"fr", "auto"}, {"", "auto"}, {"english", "auto"}, {"zh_CN", "auto"}};
  for (const Row& r : rows) {
    WriteConfig(std::string("[window]\nlanguage=") + r.saved + "\n");
    ReadSettings();
    EXPECT_EQ(gSettings.language, r.want) << r.saved;
  }
}

// ---- The window -------------------------------------------------------------------------------

TEST_F(SettingsTest, WindowHasItsGadgetsInPlace) {
  const int cursorBefore = SystemCursorCount();
  OpenSettingsWindow();
  ASSERT_TRUE(IsWindowOpen(SettingsWindow));
  EXPECT_EQ(WindowTitle(SettingsWindow), "游戏设置");
  EXPECT_EQ(SystemCursorCount(), cursorBefore + 1);
  struct Place {
    int gadget, x, y, width, height;
    const char* text;
  };
  const Place places[] = {
      {10, 10, 10, 430, 45, "背景设置"},   {11, 15, 25, 420, 25, nullptr},
      {12, 5, 5, 100, 20, "默认背景图片"}, {13, 105, 5, 100, 20, "自选背景图片"},
      {14, 205, 5, 115, 20, "使用颜色做背景"}, {20, 10, 65, 430, 80, "声音设置"},
      {21, 15, 80, 420, 60, nullptr},      {22, 5, 5, 100, 20, "游戏音乐开关"},
      {23, 105, 5, 100, 20, "默认背景音乐"}, {24, 205, 5, 100, 20, "自选背景音乐"},
      {25, 5, 30, 100, 20, "游戏音效开关"}, {26, 115, 34, 85, 20, nullptr},
      {27, 200, 33, 220, 20, nullptr},     {30, 10, 155, 430, 70, "显示设置"},
      {31, 15, 170, 420, 50, nullptr},     {32, 5, 9, 55, 20, "窗口大小"},
      {33, 60, 3, 80, 20, nullptr},        {34, 205, 5, 100, 20, "全屏显示"},
      {35, 5, 34, 55, 20, "语言"},         {36, 60, 28, 80, 20, nullptr},
      {37, 150, 34, 265, 20, ""},
  };
  for (const Place& p : places) {
    ASSERT_TRUE(IsGadget(p.gadget)) << p.gadget;
    const int g = p.gadget;
    EXPECT_EQ(std::vector<int>({GadgetX(g), GadgetY(g), GadgetWidth(g), GadgetHeight(g)}),
              std::vector<int>({p.x, p.y, p.width, p.height})) << g;
    if (p.text != nullptr) {
      EXPECT_EQ(GadgetText(g), p.text) << g;
    }
  }
  CloseSettingsWindow();
  EXPECT_FALSE(IsWindowOpen(SettingsWindow));
  EXPECT_EQ(SystemCursorCount(), cursorBefore);
}

// Every caption shows whole in every language: the volume label at its widest, the language list
// with all its choices, and the note about the next start (in the other language).
TEST_F(SettingsTest, EveryCaptionFitsItsBoxInEveryLanguage) {
  struct Language { const char* language; const char* chosen; };
  for (const Language& l : {Language{"zh", "en"}, Language{"en", "zh"}}) {
    ASSERT_TRUE(UseLanguage(l.language, BuiltCatalogues));
    gFiles.appDirectory = std::string(PELMORA_APP_DIR) + "/";
    gSettings.language = l.chosen;
    gSettings.volume = 1000;
    OpenSettingsWindow();
    EXPECT_FALSE(GadgetText(LanguageNote).empty()) << l.language;
    for (int g : {10, 12, 13, 14, 20, 22, 23, 24, 25, 26, 30, 32, 33, 34, 35, 36, 37})
      EXPECT_LE(GadgetNeededWidth(g), GadgetWidth(g))
          << l.language << ": " << g << " " << GadgetText(g);
    CloseSettingsWindow();
  }
}

TEST_F(SettingsTest, RefreshShowsTheActiveChoices) {
  gSettings = Settings{1, 0, "/p/", 1, "/m/", 1, 0, 640};
  OpenSettingsWindow();
  EXPECT_EQ(States({12, 13, 14, 22, 23, 24, 25, 27}),
            (std::vector<int>{0, 1, 0, 0, 0, 1, 1, 640}));
  EXPECT_EQ(GadgetText(26), "设置音量：64%");

  gSettings.backgroundType = 7;
  RefreshSettingsWindow();
  EXPECT_EQ(GadgetState(12) + GadgetState(13) + GadgetState(14), 0);
}

TEST_F(SettingsTest, SliderSetsVolumeLabelMusicAndFile) {
  OpenSettingsWindow();
  struct Step {
    int position;
    const char* label;
  };
  for (const Step& step : {Step{1000, "设置音量：100%"}, Step{999, "设置音量：99%"},
                           Step{5, "设置音量：0%"}}) {
    ClearMediaCallLog();
    Change(27, step.position);
    EXPECT_EQ(gSettings.volume, step.position);
    EXPECT_EQ(GadgetText(26), step.label);
    EXPECT_EQ(ReadIni("Sound", "Yinliang", gFiles.configPath), std::to_string(step.position));
    const std::string sent = "volume 8 " + std::to_string(step.position);
    EXPECT_EQ(MediaCallLog(), std::vector<std::string>{sent});
  }
}

TEST_F(SettingsTest, PictureFolderIsChosenOrLeftAsItWas) {
  OpenSettingsWindow();
  Change(13, 1);
  ASSERT_EQ(ShownDialogs().size(), 1u);
  EXPECT_EQ(ShownDialogs()[0].kind, DialogFolder);
  EXPECT_EQ(ShownDialogs()[0].text, "请选择图片所在目录，游戏每过一关将更换一张图片。");
  EXPECT_EQ(ShownDialogs()[0].start, "C:\\");
  EXPECT_FALSE(fs::exists(gFiles.configPath));
  EXPECT_EQ(gSettings.backgroundType, 0);
  EXPECT_EQ(States({12, 13}), (std::vector<int>{1, 0})) << "the old box is checked again";
  QueueDialogAnswer("/home/me/pictures/");
  Change(13, 1);
  EXPECT_EQ(gSettings.backgroundType, 1);
  EXPECT_EQ(gSettings.pictureDirectory, "/home/me/pictures/");
  EXPECT_EQ(Config(), "[Images]\nType=1\nPath=/home/me/pictures/\n");
  EXPECT_EQ(States({12, 13}), (std::vector<int>{0, 1}));
}

TEST_F(SettingsTest, CheckedDefaultBackgroundWritesAgainAndChoosesANewOne) {
  OpenSettingsWindow();
  CreateSprite(SpriteBackground, 3, 3, 0);
  Change(12, 0);
  EXPECT_EQ(Config(), "[Images]\nType=0\n");
  EXPECT_EQ(GadgetState(12), 1);
  // The old background was replaced (no default picture exists in this directory).
  EXPECT_FALSE(IsSprite(SpriteBackground) && SpriteWidth(SpriteBackground) == 3);
}

TEST_F(SettingsTest, ColourChooserSetsTheColourBackground) {
  gSettings.backgroundColour = 4242;
  OpenSettingsWindow();
  Change(14, 1);
  EXPECT_EQ(ShownDialogs().back().kind, DialogColour);
  EXPECT_EQ(gSettings.backgroundType, 0);
  EXPECT_EQ(GadgetState(14), 0);
  EXPECT_FALSE(fs::exists(gFiles.configPath));

  QueueDialogAnswer("16711680");
  Change(14, 1);
  EXPECT_EQ(gSettings.backgroundType, 2);
  EXPECT_EQ(gSettings.backgroundColour, 16711680);
  EXPECT_EQ(Config(), "[Images]\nType=2\nColor=16711680\n");
  EXPECT_EQ(GadgetState(14), 1);
  gSettings = Settings{};
  ReadSettings();   // the key written as "Type" is read back at the next start
  EXPECT_EQ(gSettings.backgroundType, 2);
  EXPECT_EQ(gSettings.backgroundColour, 16711680);
}

TEST_F(SettingsTest, MusicSwitchClosesTheMusicOrStartsATrack) {
  gSettings.musicOn = 1;
  gSettings.volume = 500;
  MusicCheck();
  OpenSettingsWindow();
  ClearMediaCallLog();
  Change(22, 0);
  EXPECT_EQ(gSettings.musicOn, 0);
  EXPECT_EQ(ReadIni("Sound", "Yinyue", gFiles.configPath), "0");
  EXPECT_EQ(MediaCallLog(), std::vector<std::string>{"close 8"});

  ClearMediaCallLog();
  Change(22, 1);
  EXPECT_EQ(gSettings.musicOn, 1);
  EXPECT_EQ(ReadIni("Sound", "Yinyue", gFiles.configPath), "1");
  const std::vector<std::string>& log = MediaCallLog();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[0], "mode 8");
  EXPECT_TRUE(log[2].starts_with("open 8 "));
}

TEST_F(SettingsTest, CancelledMusicFolderKeepsTheDefaultMusic) {
  gSettings.musicOn = 1;
  OpenSettingsWindow();
  Change(24, 1);
  EXPECT_EQ(ShownDialogs().back().text, "请选择音乐所在目录。");
  EXPECT_EQ(ShownDialogs().back().start, "C:\\");
  EXPECT_EQ(gSettings.musicSourceType, 0);
  EXPECT_EQ(States({23, 24}), (std::vector<int>{1, 0}));
  EXPECT_TRUE(MediaCallLog().empty());
}

// ---- The game window's size -------------------------------------------------------------------

// The tests' desktop is 1920 x 1080: 175 % and 200 % of 930 x 625 do not fit it.
class WindowSizeTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    if (!IsWindowOpen(GameWindow)) {
      ASSERT_TRUE(OpenWindow(GameWindow, 930, 625, "", 0));
    }
  }
  void TearDown() override {
    SetWindowFullScreen(GameWindow, false);
    SetWindowScale(GameWindow, 100);
    SettingsTest::TearDown();
  }
  static std::pair<int, int> GameWindowSize() {
    return {ShownWindowWidth(GameWindow), ShownWindowHeight(GameWindow)};
  }
};

TEST_F(WindowSizeTest, ListOffersTheSizesThatFitAndShowsTheCurrentOne) {
  gSettings.windowScale = 125;
  OpenSettingsWindow();
  std::vector<std::string> items;
  for (int i = 0; i < CountGadgetItems(33); ++i) items.push_back(GadgetItemText(33, i));
  EXPECT_EQ(items, (std::vector<std::string>{"100%", "125%", "150%"}));
  EXPECT_EQ(States({33, 34}), (std::vector<int>{1, 0}));
  gSettings.fullScreen = 1;
  RefreshSettingsWindow();
  EXPECT_EQ(States({33, 34}), (std::vector<int>{1, 1}));
}

// Choosing a size and full screen shows the game window so and writes [Window] after every
// other line of the file, which stays byte for byte as it was.
TEST_F(WindowSizeTest, ChosenSizeAndFullScreenApplyAndAreWrittenAlone) {
  const std::string shipped =
      "[Images]\r\nType=0\r\nColor=0\r\nPath=\r\n; the player's own lines\r\n\r\n"
      "[Sound]\r\nType=0\r\nPath=\r\nYinxiao=1\r\nYinyue=1\r\nYinliang=500\r\n";
  WriteConfig(shipped);
  OpenSettingsWindow();
  Change(33, 2);
  EXPECT_EQ(gSettings.windowScale, 150);
  EXPECT_EQ(GameWindowSize(), std::make_pair(1395, 938));
  EXPECT_EQ(Config(), shipped + "[Window]\r\nScale=150\r\n");
  EXPECT_EQ(GadgetState(33), 2);

  Change(34, 1);
  EXPECT_EQ(gSettings.fullScreen, 1);
  EXPECT_TRUE(IsWindowFullScreen(GameWindow));
  EXPECT_EQ(GameWindowSize(), std::make_pair(1920, 1080));
  EXPECT_EQ(Config(), shipped + "[Window]\r\nScale=150\r\nFullScreen=1\r\n");
  Change(33, 0);   // remembered for the end of full screen
  EXPECT_EQ(GameWindowSize(), std::make_pair(1920, 1080));
  Change(34, 0);
  EXPECT_FALSE(IsWindowFullScreen(GameWindow));
  EXPECT_EQ(GameWindowSize(), std::make_pair(930, 625));
  EXPECT_EQ(Config(), shipped + "[Window]\r\nScale=100\r\nFullScreen=0\r\n");
  EXPECT_EQ(States({33, 34}), (std::vector<int>{0, 0}));

  gSettings = Settings{};
  ReadSettings();
  EXPECT_EQ(std::make_pair(gSettings.windowScale, gSettings.fullScreen), std::make_pair(100, 0));
  EXPECT_EQ(gSettings.volume, 500);
}

// At start-up a saved size too big for this desktop gives the largest that fits, and nothing
// is written; a saved full screen fills the desktop.
TEST_F(WindowSizeTest, StartUpShowsTheSavedSizeOrTheLargestThatFits) {
  WriteConfig("[Window]\nScale=200\nFullScreen=0\n");
  ReadSettings();
  ApplyWindowSettings();
  EXPECT_EQ(gSettings.windowScale, 150);
  EXPECT_EQ(GameWindowSize(), std::make_pair(1395, 938));
  EXPECT_EQ(Config(), "[Window]\nScale=200\nFullScreen=0\n");

  SetWindowScale(GameWindow, 100);
  WriteConfig("[Window]\nScale=125\nFullScreen=1\n");
  ReadSettings();
  ApplyWindowSettings();
  EXPECT_TRUE(IsWindowFullScreen(GameWindow));
  EXPECT_EQ(WindowScale(GameWindow), 125);
  EXPECT_EQ(GameWindowSize(), std::make_pair(1920, 1080));
}

// The choice writes only its own line; the language in use stays until the next start, and the
// window says so in the language chosen. The next start speaks it, texts and list alike.
TEST_F(SettingsTest, LanguageChoiceIsWrittenAloneAndSpokenFromTheNextStart) {
  fs::create_directory_symlink(BuiltCatalogues, appDirectory_ / CatalogueFolder);
  const std::string shipped = "[Sound]\r\nYinliang=500\r\n[Window]\r\nScale=125\r\n";
  WriteConfig(shipped);
  ReadSettings();
  ApplyLanguageSetting();
  ASSERT_EQ(CurrentLanguage(), "zh") << "the tests' C locale";
  OpenSettingsWindow();
  EXPECT_EQ(GadgetState(LanguageList), 0);
  EXPECT_EQ(GadgetText(LanguageNote), "");

  Change(LanguageList, 2);
  EXPECT_EQ(gSettings.language, "en");
  EXPECT_EQ(Config(), shipped + "Language=en\r\n");
  EXPECT_EQ(GadgetText(LanguageNote), "Applies at the next start");
  EXPECT_EQ(CurrentLanguage(), "zh");
  EXPECT_EQ(WindowTitle(SettingsWindow), "游戏设置");
  Change(LanguageList, 0);   // the desktop's, here the original Chinese: nothing to restart for
  EXPECT_EQ(Config(), shipped + "Language=auto\r\n");
  EXPECT_EQ(GadgetText(LanguageNote), "");
  Change(LanguageList, 2);
  CloseSettingsWindow();

  gSettings = Settings{};
  ReadSettings();
  ApplyLanguageSetting();
  EXPECT_EQ(CurrentLanguage(), "en");
  OpenSettingsWindow();
  EXPECT_EQ(WindowTitle(SettingsWindow), "Game Settings");
  EXPECT_EQ(GadgetText(10), "Background");
  EXPECT_EQ(GadgetText(26), "Volume: 50%");
  std::vector<std::string> choices;
  for (int i = 0; i < CountGadgetItems(LanguageList); ++i)
    choices.push_back(GadgetItemText(LanguageList, i));
  EXPECT_EQ(choices, (std::vector<std::string>{"Auto", "Chinese", "English"}));
  EXPECT_EQ(GadgetState(LanguageList), 2);
  Change(LanguageList, 1);
  EXPECT_EQ(GadgetText(LanguageNote), "下次启动时生效");
  EXPECT_EQ(Config(), shipped + "Language=zh\r\n");
}

TEST_F(SettingsTest, FailedWriteStillAppliesTheChange) {
  fs::create_directories(gFiles.configPath);
  OpenSettingsWindow();
  Change(25, 1);
  Change(27, 730);
  EXPECT_EQ(gSettings.effectsOn, 1) << "the effects switch applies";
  EXPECT_EQ(gSettings.volume, 730);
  EXPECT_EQ(GadgetText(26), "设置音量：73%");
  EXPECT_TRUE(fs::is_directory(gFiles.configPath));
}

}  // namespace
