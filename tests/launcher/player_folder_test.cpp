// The player's folder of an installed game: where it lies, what a later start keeps and brings
// back, and failures that say what and why. (What a first start makes: e2e/installed.sh.)
#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "launcher/player_folder.h"

namespace fs = std::filesystem;

namespace {

std::string Text(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void Write(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

std::set<std::string> Entries(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

class PlayerFolder : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("player_folder_" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "share/Images");
    fs::create_directories(root_ / "share/Sound");
    fs::create_directories(root_ / "share/i18n");
    fs::create_directories(root_ / "share/Maps");
    fs::create_directories(root_ / "lib");
    Write(root_ / "share/Maps/Duzuz.xml", "<a><e>1</e></a>");
    Write(root_ / "share/Config.ini", "[Sound]\r\nYinxiao=1\r\n");
    Write(root_ / "lib/Kestrand", "editor");
    tree_ = {(root_ / "share").string(), (root_ / "lib").string()};
    folder_ = root_ / "home/.local/share/pelmora";
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path root_;
  InstalledTree tree_;
  fs::path folder_;
};

TEST_F(PlayerFolder, LaterStartKeepsWhatThePlayerChangedAndBringsBackWhatIsMissing) {
  ASSERT_EQ(MakePlayerFolder(tree_, folder_.string()), "");
  Write(folder_ / "Config.ini", "[Sound]\r\nYinxiao=0\r\n");
  Write(folder_ / "Maps/Own.xml", "mine");
  fs::remove(folder_ / "Maps/Duzuz.xml");
  fs::remove(folder_ / "Images");
  fs::remove(folder_ / "i18n");
  fs::remove(folder_ / "Sound");
  fs::create_directory(folder_ / "Sound");   // the player's own sounds
  fs::remove(folder_ / "Kestrand");
  fs::create_symlink(root_ / "old/Kestrand", folder_ / "Kestrand");   // an earlier installation

  ASSERT_EQ(MakePlayerFolder(tree_, folder_.string()), "");
  EXPECT_EQ(Text(folder_ / "Config.ini"), "[Sound]\r\nYinxiao=0\r\n");
  EXPECT_EQ(Text(folder_ / "Maps/Own.xml"), "mine");
  EXPECT_EQ(Text(folder_ / "Maps/Duzuz.xml"), Text(root_ / "share/Maps/Duzuz.xml"));
  EXPECT_EQ(fs::read_symlink(folder_ / "Images"), root_ / "share/Images");
  EXPECT_EQ(fs::read_symlink(folder_ / "i18n"), root_ / "share/i18n");
  EXPECT_TRUE(fs::is_directory(fs::symlink_status(folder_ / "Sound")));
  EXPECT_EQ(fs::read_symlink(folder_ / "Kestrand"), root_ / "lib/Kestrand");
  EXPECT_EQ(Entries(folder_).size(), 7u) << "no temporary file is left";
}

// ---- Upgrades ----------------------------------------------------------------------------------

constexpr const char* EarlierMap = "<a><e>1</e></a>";
const std::string RedesignedMap = "<a><e>2</e>" + std::string(200, ' ') + "</a>";

TEST_F(PlayerFolder, AnUpgradeReplacesAShippedMapAndKeepsAnEditedOne) {
  struct Case {
    const char* what;
    void (*before)(const fs::path& folder);   // between the first start and the upgrade
    std::string expected;
  };
  const Case cases[] = {
      {"untouched", [](const fs::path&) {}, RedesignedMap},
      {"edited", [](const fs::path& folder) { Write(folder / "Maps/Duzuz.xml", "<a><e>1</e></a>\n"); },
       "<a><e>1</e></a>\n"},
      {"replaced by a link", [](const fs::path& folder) {
         fs::remove(folder / "Maps/Duzuz.xml");
         fs::create_symlink(folder / "Config.ini", folder / "Maps/Duzuz.xml");
       }, "[Sound]\r\nYinxiao=1\r\n"},
      // A folder made before the launcher kept its record: a copy equal to the installed map is
      // known for the game's from then on.
      {"made without a record", [](const fs::path& folder) { fs::remove(folder / ".shipped-maps"); },
       RedesignedMap},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    ASSERT_EQ(MakePlayerFolder(tree_, folder_.string()), "");
    c.before(folder_);
    ASSERT_EQ(MakePlayerFolder(tree_, folder_.string()), "");   // a start before the upgrade
    Write(root_ / "share/Maps/Duzuz.xml", RedesignedMap);
    ASSERT_EQ(MakePlayerFolder(tree_, folder_.string()), "");
    ASSERT_EQ(MakePlayerFolder(tree_, folder_.string()), "");   // and again: nothing moves
    EXPECT_EQ(Text(folder_ / "Maps/Duzuz.xml"), c.expected);
    EXPECT_EQ(Entries(folder_ / "Maps"), std::set<std::string>{"Duzuz.xml"});
  }
  // Back to the earlier map (a downgrade): the redesigned copy was the game's too.
  Write(root_ / "share/Maps/Duzuz.xml", EarlierMap);
  ASSERT_EQ(MakePlayerFolder(tree_, folder_.string()), "");
  EXPECT_EQ(Text(folder_ / "Maps/Duzuz.xml"), EarlierMap);
}

TEST_F(PlayerFolder, AHalfWrittenReplacementNeverAppears) {
  ASSERT_EQ(MakePlayerFolder(tree_, folder_.string()), "");
  Write(root_ / "share/Maps/Duzuz.xml", RedesignedMap);
  // Files may not grow past 100 bytes: the record is written, the redesigned map is cut short.
  rlimit limit;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
  const rlimit small{100, limit.rlim_max};
  const auto ignored = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string failure = MakePlayerFolder(tree_, folder_.string());
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, ignored);
  EXPECT_EQ(failure, "") << "the player keeps the map they have and plays";
  EXPECT_EQ(Text(folder_ / "Maps/Duzuz.xml"), EarlierMap);
  EXPECT_EQ(Entries(folder_ / "Maps"), std::set<std::string>{"Duzuz.xml"});
  EXPECT_EQ(Entries(folder_).size(), 7u) << "no temporary file is left";
  // The next start, with room again, completes the upgrade.
  ASSERT_EQ(MakePlayerFolder(tree_, folder_.string()), "");
  EXPECT_EQ(Text(folder_ / "Maps/Duzuz.xml"), RedesignedMap);
}

TEST_F(PlayerFolder, FailuresNameThePathAndTheReasonAndLeaveNoHalfCopy) {
  struct Case {
    const char* what;
    void (*breakIt)(const fs::path& root, const fs::path& folder);
    const char* expected;
  };
  const Case cases[] = {
      {"Maps is a file",
       [](const fs::path&, const fs::path& folder) {
         fs::create_directories(folder);
         Write(folder / "Maps", "");
       },
       "/Maps: Not a directory"},
      {"unreadable installed settings",   // opens, then fails to read: a half copy was begun
       [](const fs::path& root, const fs::path&) {
         fs::remove(root / "share/Config.ini");
         fs::create_directory(root / "share/Config.ini");
       },
       "share/Config.ini: Is a directory"},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    c.breakIt(root_, folder_);
    const std::string failure = MakePlayerFolder(tree_, folder_.string());
    EXPECT_NE(failure.find(c.expected), std::string::npos) << c.what << ": " << failure;
    if (fs::is_directory(folder_)) {
      for (const std::string& name : Entries(folder_))
        EXPECT_EQ(name.find("Config.ini"), std::string::npos) << c.what << ": " << name;
    }
  }
}

TEST(PlayerFolderPath, DataHomeWhenAbsoluteElseTheHomeFolder) {
  const auto keep = [](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  };
  const std::optional<std::string> dataHome = keep("XDG_DATA_HOME"), home = keep("HOME");
  const passwd* entry = getpwuid(getuid());
  ASSERT_NE(entry, nullptr);
  struct Case {
    const char* dataHome;  // nullptr: unset
    const char* home;
    std::string expected;
  };
  const Case cases[] = {
      {"/data//", "/home/p", "/data/pelmora"},
      {"data", "/home/p/", "/home/p/.local/share/pelmora"},
      {"", "/home/p", "/home/p/.local/share/pelmora"},
      {nullptr, "/home/p", "/home/p/.local/share/pelmora"},
      {nullptr, nullptr, std::string(entry->pw_dir) + "/.local/share/pelmora"},
  };
  for (const Case& c : cases) {
    c.dataHome ? setenv("XDG_DATA_HOME", c.dataHome, 1) : unsetenv("XDG_DATA_HOME");
    c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
    EXPECT_EQ(PlayerFolderPath(), c.expected) << (c.dataHome ? c.dataHome : "(unset)");
  }
  dataHome ? setenv("XDG_DATA_HOME", dataHome->c_str(), 1) : unsetenv("XDG_DATA_HOME");
  home ? setenv("HOME", home->c_str(), 1) : unsetenv("HOME");
}

}  // namespace
