// The whole resource set as the build writes it: the generator program run twice gives the
// same bytes, every file the game checks at start-up is there with the sizes the screens need,
// and the default Config.ini is written only where none exists.
// Sections: fixture (two runs of the program); completeness; repeatability; Config.ini.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <QString>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/assetgen/resource_set.h"

namespace {

namespace fs = std::filesystem;

// ---- Fixture ----------------------------------------------------------------------------------

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Within one process the font cache can move glyph outlines by a fraction of a pixel between
// the first and a later drawing at one size, so repeatability is checked as the build sees it:
// two separate runs of the program.
class ResourceSet : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = fs::temp_directory_path() / ("resource_set_" + std::to_string(::getpid()));
    fs::remove_all(root_);
    const fs::path program = fs::path(PELMORA_APP_DIR).parent_path() / "tools/assetgen/assetgen";
    for (int run = 0; run < 2; ++run) {
      QProcess process;
      process.setProgram(QString::fromStdString(program.string()));
      process.setArguments({"--app-dir", QString::fromStdString(App(run).string()), "--generated",
                            QString::fromStdString(Generated(run).string())});
      process.start();
      ran_[run] = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
                  process.exitCode() == 0;
    }
  }
  static void TearDownTestSuite() { fs::remove_all(root_); }

  static fs::path App(int run) { return root_ / ("app" + std::to_string(run)); }
  static fs::path Generated(int run) { return root_ / ("generated" + std::to_string(run)); }

  static fs::path root_;
  static bool ran_[2];
};
fs::path ResourceSet::root_;
bool ResourceSet::ran_[2] = {false, false};

// The files the game's start-up check asks for, in its order: pictures, map, sounds,
// backgrounds.
std::vector<std::string> CheckedFiles() {
  std::vector<std::string> files;
  for (const char* name : {"1", "2", "Shezhi", "shuoming", "xiabg", "xing", "xing1", "yinying"})
    files.push_back(std::string("Images/") + name + ".png");
  auto add = [&](const std::string& folder, const std::vector<int>& numbers) {
    for (int n : numbers) files.push_back("Images/" + folder + "/" + std::to_string(n) + ".png");
  };
  add("Anniu", {1, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 2, 3, 4, 5, 6});
  add("Donghua", {11, 12, 13, 14, 15});
  add("Shuzi", {0, 1, 10, 2, 3, 4, 5, 6, 7, 8, 9});
  add("Xianshi", {0,  1,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 2,  20, 21, 22, 23, 24, 25, 26,
                  27, 28, 29, 3,  30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 4,  5,  6,  7,  8,  9});
  add("zhadan", {1, 10, 11, 12, 13, 14, 15, 16, 2, 3, 4, 5, 6, 7, 8, 9});
  files.push_back("Maps/Duzuz.xml");
  for (const char* name : {"Baozha", "Dian", "Jiangli", "Kaishi", "Vorle", "Xiaochu"})
    files.push_back(std::string("Sound/") + name + ".mid");
  for (int n = 1; n <= 8; ++n) files.push_back("Sound/Yinyue" + std::to_string(n) + ".mid");
  for (int n = 1; n <= 9; ++n) files.push_back("Images/bg" + std::to_string(n) + ".jpg");
  return files;
}

// ---- Completeness -----------------------------------------------------------------------------

TEST_F(ResourceSet, ProgramWritesEveryCheckedFile) {
  ASSERT_TRUE(ran_[0] && ran_[1]) << "the assetgen program must be built and run cleanly";
  const std::vector<std::string> files = CheckedFiles();
  ASSERT_EQ(files.size(), 120u);
  for (const std::string& file : files) {
    EXPECT_TRUE(fs::is_regular_file(App(0) / file)) << file;
    EXPECT_GT(fs::file_size(App(0) / file), 0u) << file;
  }
}

TEST_F(ResourceSet, ProgramWritesTheFilesOutsideTheCheck) {
  ASSERT_TRUE(ran_[0]);
  EXPECT_TRUE(fs::is_regular_file(App(0) / "Images/Mouse.png"));
  EXPECT_TRUE(fs::is_regular_file(App(0) / "Images/Xianshi/39.93-17"));
  for (int n = 1; n <= 9; ++n)
    EXPECT_TRUE(fs::is_regular_file(App(0) / ("Images/bg" + std::to_string(n) + ".93-17"))) << n;
  EXPECT_TRUE(fs::is_regular_file(App(0) / "Config.ini"));
  EXPECT_TRUE(fs::is_regular_file(App(0) / "Images/en/Xianshi/30.png")) << "the English pictures";
  for (const char* carried : {"face_sheet.bmp", "small_face_sheet.bmp", "logo.png", "lettering.png",
                              "credit.jpg", "type_picture.png", "embedded_pictures.cpp"})
    EXPECT_TRUE(fs::is_regular_file(Generated(0) / carried)) << carried;
}

// ---- Repeatability ----------------------------------------------------------------------------

TEST_F(ResourceSet, TwoRunsWriteTheSameBytes) {
  ASSERT_TRUE(ran_[0] && ran_[1]);
  int compared = 0;
  for (const auto& entry : fs::recursive_directory_iterator(App(0))) {
    if (!entry.is_regular_file()) continue;
    const fs::path relative = fs::relative(entry.path(), App(0));
    EXPECT_EQ(Bytes(entry.path()), Bytes(App(1) / relative)) << relative;
    ++compared;
  }
  EXPECT_GE(compared, 120);
  for (const char* carried : {"face_sheet.bmp", "small_face_sheet.bmp", "logo.png", "lettering.png",
                              "credit.jpg", "type_picture.png"})
    EXPECT_EQ(Bytes(Generated(0) / carried), Bytes(Generated(1) / carried)) << carried;
}

// ---- Config.ini -------------------------------------------------------------------------------

TEST_F(ResourceSet, DefaultSettingsTurnMusicAndSoundsOnAtHalfVolume) {
  ASSERT_TRUE(ran_[0]);
  const std::string config = Bytes(App(0) / "Config.ini");
  for (const char* line : {"[Images]", "Type=0", "Color=0", "Path=", "[Sound]", "Yinxiao=1",
                           "Yinyue=1", "Yinliang=500"})
    EXPECT_NE(config.find(std::string(line) + "\r\n"), std::string::npos) << line;
  EXPECT_LT(config.find("[Images]"), config.find("[Sound]"));
}

TEST_F(ResourceSet, PlayersSettingsAreNeverOverwritten) {
  const fs::path app = root_ / "player";
  fs::create_directories(app);
  const std::string mine = "[Sound]\r\nYinyue=0\r\n";
  std::ofstream(app / "Config.ini", std::ios::binary) << mine;
  EXPECT_TRUE(WriteDefaultConfig(app.string() + "/"));
  EXPECT_EQ(Bytes(app / "Config.ini"), mine);

  const fs::path fresh = root_ / "fresh";
  fs::create_directories(fresh);
  EXPECT_TRUE(WriteDefaultConfig(fresh.string() + "/"));
  EXPECT_NE(Bytes(fresh / "Config.ini").find("Yinliang=500"), std::string::npos);
}

TEST_F(ResourceSet, UnwritableDirectoryIsReported) {
  EXPECT_FALSE(WriteDefaultConfig((root_ / "no such folder" / "deeper").string() + "/"));
}

}  // namespace
