// Profile files: lookups without regard to case, and writes that leave the rest of the file alone.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/files.h"
#include "platform/profile.h"
#include "support/picture_test_support.h"

namespace {

namespace fs = std::filesystem;

class ProfileFile : public testing::Test {
 protected:
  void Write(const std::string& text) const { std::ofstream(file_, std::ios::binary) << text; }
  std::string Contents() const {
    std::ifstream in(file_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  void TearDown() override { InjectFileFaults(FileFaults{}); }

  TestPictureDirectory directory_;
  const std::string file_ = directory_.PathOf("Config.ini");
};

}  // namespace

TEST_F(ProfileFile, Lookups) {
  EXPECT_EQ(ReadIni("Sound", "Yinliang", file_), "") << "missing file";
  const std::string longPath = "/home/player/" + std::string(600, 'm') + "/";
  struct Case { std::string file, section, key, value; };
  const Case cases[] = {
      {"[Sound]\nYinliang=500\n", "Sound", "Yinliang", "500"},
      {"[Sound]\nYinliang=500\n", "Images", "Yinliang", ""},
      {"[Sound]\nYinliang=500\n", "Sound", "Yinyue", ""},
      // Sections and keys match whatever their case.
      {"[IMAGES]\nType=2\n[sound]\nYINLIANG=700\n", "Images", "type", "2"},
      {"[IMAGES]\nType=2\n[sound]\nYINLIANG=700\n", "Sound", "Yinliang", "700"},
      // A key belongs to its own section only.
      {"[Images]\nType=2\nPath=/p/\n[Sound]\nType=1\n", "Sound", "Type", "1"},
      {"[Images]\nType=2\nPath=/p/\n[Sound]\nType=1\n", "Sound", "Path", ""},
      {"  [ Sound ]  \n  Yinliang  =  250  \n", "Sound", "Yinliang", "250"},
      {"[Sound]\nPath = /my music/ \n", "Sound", "Path", "/my music/"},
      {"[Sound]\n;Yinliang=900\nYinliang\nYinliang=300\n", "Sound", "Yinliang", "300"},
      {"[Sound]\nYinyue=1\nyinyue=0\n[Sound]\nYinyue=5\n", "Sound", "Yinyue", "1"},
      // Values are read whole, equals signs and all.
      {"[Sound]\nPath=" + longPath + "\n", "Sound", "Path", longPath},
      {"[Sound]\nCode=a=b\n", "Sound", "Code", "a=b"},
      {"\xEF\xBB\xBF[Sound]\r\nYinliang=400\r\n", "Sound", "Yinliang", "400"}};
  for (const Case& c : cases) {
    Write(c.file);
    EXPECT_EQ(ReadIni(c.section, c.key, file_), c.value) << c.file << c.section << "." << c.key;
  }
}

TEST_F(ProfileFile, WriteCreatesTheFileAndTheSection) {
  EXPECT_TRUE(WriteIni("Sound", "Yinliang", "500", file_));
  EXPECT_EQ(Contents(), "[Sound]\nYinliang=500\n");
  const std::string longPath = "/音乐/" + std::string(1000, 'x') + "/";
  EXPECT_TRUE(WriteIni("Images", "Path", longPath, file_));
  EXPECT_EQ(Contents(), "[Sound]\nYinliang=500\n[Images]\nPath=" + longPath + "\n");
  EXPECT_EQ(ReadIni("Images", "Path", file_), longPath);
}

TEST_F(ProfileFile, WriteReplacesOnlyItsOwnKeyInPlace) {
  Write("; settings of the game\n[Images]\ntype=0\nPath=/pictures/\n\n"
        "[Sound]\nType=0\n; loudness\nYinliang=500\nfree text line\n");
  EXPECT_TRUE(WriteIni("Images", "Type", "2", file_));
  EXPECT_TRUE(WriteIni("sound", "YINLIANG", "750", file_));
  EXPECT_EQ(Contents(), "; settings of the game\n[Images]\nType=2\nPath=/pictures/\n\n"
                        "[Sound]\nType=0\n; loudness\nYINLIANG=750\nfree text line\n");
}

TEST_F(ProfileFile, NewKeyJoinsItsSectionBeforeTheNextOne) {
  Write("[Images]\nType=1\n\n[Sound]\nType=0\n\n; trailing remark\n");
  EXPECT_TRUE(WriteIni("Images", "Color", "16711680", file_));
  EXPECT_EQ(Contents(), "[Images]\nType=1\nColor=16711680\n\n[Sound]\nType=0\n\n; trailing remark\n");
  EXPECT_EQ(ReadIni("Sound", "Color", file_), "");
}

TEST_F(ProfileFile, WriteKeepsWindowsLineEndsAndByteOrderMark) {
  Write("\xEF\xBB\xBF[Sound]\r\nYinyue=0\r\n");
  EXPECT_TRUE(WriteIni("Sound", "Yinyue", "1", file_));
  EXPECT_TRUE(WriteIni("Sound", "Yinxiao", "1", file_));
  EXPECT_EQ(Contents(), "\xEF\xBB\xBF[Sound]\r\nYinyue=1\r\nYinxiao=1\r\n");
}

TEST_F(ProfileFile, WriteThatCannotHappenFailsQuietly) {
  fs::create_directories(file_);
  EXPECT_FALSE(WriteIni("Sound", "Yinliang", "500", file_));
  EXPECT_EQ(ReadIni("Sound", "Yinliang", file_), "");
  EXPECT_TRUE(fs::is_directory(file_));
  EXPECT_FALSE(WriteIni("Sound", "Yinliang", "500", directory_.PathOf("no/Config.ini")));
}

TEST_F(ProfileFile, TheFileNameMatchesWhateverItsCase) {
  const std::string lower = directory_.PathOf("config.ini");
  std::ofstream(lower, std::ios::binary) << "[Sound]\nYinliang=500\n";
  EXPECT_EQ(ReadIni("Sound", "Yinliang", file_), "500");
  EXPECT_TRUE(WriteIni("Sound", "Yinyue", "1", file_));
  EXPECT_FALSE(fs::exists(file_)) << "no second file beside config.ini";
  EXPECT_EQ(ReadIni("Sound", "Yinyue", lower), "1");
}

TEST_F(ProfileFile, AWriteReplacesTheFileWholeKeepingItsMode) {
  Write("[Sound]\nYinliang=500\n; keep me\n");
  fs::permissions(file_, fs::perms::owner_read | fs::perms::owner_write);
  struct stat before;
  ASSERT_EQ(stat(file_.c_str(), &before), 0);
  EXPECT_TRUE(WriteIni("Sound", "Yinliang", "600", file_));
  struct stat after;
  ASSERT_EQ(stat(file_.c_str(), &after), 0);
  EXPECT_NE(after.st_ino, before.st_ino) << "a new file renamed over the old one";
  EXPECT_EQ(after.st_mode & 07777, 0600u);
  EXPECT_EQ(Contents(), "[Sound]\nYinliang=600\n; keep me\n");
  InjectFileFaults(FileFaults{.diskRoom = 3});
  EXPECT_FALSE(WriteIni("Sound", "Yinliang", "700", file_));
  EXPECT_EQ(Contents(), "[Sound]\nYinliang=600\n; keep me\n") << "a failed write changes nothing";
  EXPECT_EQ(std::distance(fs::directory_iterator(directory_.PathOf("")), fs::directory_iterator()),
            1);
}

TEST_F(ProfileFile, AFileThatCannotBeReadIsNotWrittenOver) {
  const std::string text = "[Images]\nType=1\nPath=/pictures/\n[Sound]\nYinliang=500\n";
  Write(text);
  InjectFileFaults(FileFaults{.unreadable = true});
  EXPECT_FALSE(WriteIni("Sound", "Yinliang", "750", file_));
  InjectFileFaults(FileFaults{});
  EXPECT_EQ(Contents(), text);
}

TEST_F(ProfileFile, ALineBreakInAValueAddsNoKey) {
  Write("[Sound]\nYinliang=500\n");
  EXPECT_TRUE(WriteIni("Sound", "Path", "/music/\r\nYinliang=1000\n[Images]\rType=2", file_));
  EXPECT_EQ(ReadIni("Sound", "Yinliang", file_), "500");
  EXPECT_EQ(ReadIni("Images", "Type", file_), "");
  EXPECT_EQ(ReadIni("Sound", "Path", file_), "/music/Yinliang=1000[Images]Type=2");
}
