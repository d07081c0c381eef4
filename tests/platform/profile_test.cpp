// Profile files: lookups without regard to case, and writes that leave the rest of the file alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/profile.h"

namespace {

namespace fs = std::filesystem;

class ProfileFile : public testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() /
                 ("profile_test_" + std::to_string(::getpid()) + "_" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(directory_);
    fs::create_directories(directory_);
    file_ = (directory_ / "Config.ini").string();
  }
  void TearDown() override { fs::remove_all(directory_); }

  void Write(const std::string& text) const {
    std::ofstream out(file_, std::ios::binary);
    out << text;
  }
  std::string Contents() const {
    std::ifstream in(file_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  fs::path directory_;
  std::string file_;
};

// ---- Reading ----------------------------------------------------------------------------------

TEST_F(ProfileFile, MissingFileSectionOrKeyReadsEmpty) {
  EXPECT_EQ(ReadIni("Sound", "Yinliang", file_), "");
  Write("[Sound]\nYinliang=500\n");
  EXPECT_EQ(ReadIni("Images", "Yinliang", file_), "");
  EXPECT_EQ(ReadIni("Sound", "Yinyue", file_), "");
  EXPECT_EQ(ReadIni("Sound", "Yinliang", file_), "500");
}

TEST_F(ProfileFile, SectionsAndKeysMatchWhateverTheirCase) {
  Write("[IMAGES]\nType=2\n[sound]\nYINLIANG=700\n");
  EXPECT_EQ(ReadIni("Images", "type", file_), "2");
  EXPECT_EQ(ReadIni("Sound", "Yinliang", file_), "700");
}

TEST_F(ProfileFile, KeyBelongsToItsOwnSectionOnly) {
  Write("[Images]\nType=2\nPath=/pictures/\n[Sound]\nType=1\n");
  EXPECT_EQ(ReadIni("Sound", "Type", file_), "1");
  EXPECT_EQ(ReadIni("Images", "Type", file_), "2");
  EXPECT_EQ(ReadIni("Sound", "Path", file_), "");
}

TEST_F(ProfileFile, SpacesAroundNamesAndValuesAreIgnored) {
  Write("  [ Sound ]  \n  Yinliang  =  250  \nPath = /my music/ \n");
  EXPECT_EQ(ReadIni("Sound", "Yinliang", file_), "250");
  EXPECT_EQ(ReadIni("Sound", "Path", file_), "/my music/");
}

TEST_F(ProfileFile, CommentsAndStrayLinesAreNoKeys) {
  Write("[Sound]\n;Yinliang=900\nYinliang\nYinliang=300\n");
  EXPECT_EQ(ReadIni("Sound", "Yinliang", file_), "300");
}

TEST_F(ProfileFile, FirstOfRepeatedKeysCounts) {
  Write("[Sound]\nYinyue=1\nyinyue=0\n[Sound]\nYinyue=5\n");
  EXPECT_EQ(ReadIni("Sound", "Yinyue", file_), "1");
}

TEST_F(ProfileFile, ValueKeepsEqualsSignsAndIsReadWhole) {
  const std::string longPath = "/home/player/" + std::string(600, 'm') + "/";
  Write("[Sound]\nPath=" + longPath + "\nCode=a=b\n");
  EXPECT_EQ(ReadIni("Sound", "Path", file_), longPath);
  EXPECT_EQ(ReadIni("Sound", "Code", file_), "a=b");
}

TEST_F(ProfileFile, WindowsLineEndsAndByteOrderMarkAreUnderstood) {
  Write("\xEF\xBB\xBF[Sound]\r\nYinliang=400\r\n");
  EXPECT_EQ(ReadIni("Sound", "Yinliang", file_), "400");
}

// ---- Writing ----------------------------------------------------------------------------------

TEST_F(ProfileFile, WriteCreatesTheFileAndTheSection) {
  EXPECT_TRUE(WriteIni("Sound", "Yinliang", "500", file_));
  EXPECT_EQ(Contents(), "[Sound]\nYinliang=500\n");
  EXPECT_TRUE(WriteIni("Images", "Type", "1", file_));
  EXPECT_EQ(Contents(), "[Sound]\nYinliang=500\n[Images]\nType=1\n");
}

TEST_F(ProfileFile, WriteReplacesOnlyItsOwnKeyInPlace) {
  Write("; settings of the game\n"
        "[Images]\n"
        "type=0\n"
        "Path=/pictures/\n"
        "\n"
        "[Sound]\n"
        "Type=0\n"
        "; loudness\n"
        "Yinliang=500\n"
        "free text line\n");
  EXPECT_TRUE(WriteIni("Images", "Type", "2", file_));
  EXPECT_TRUE(WriteIni("sound", "YINLIANG", "750", file_));
  EXPECT_EQ(Contents(),
            "; settings of the game\n"
            "[Images]\n"
            "Type=2\n"
            "Path=/pictures/\n"
            "\n"
            "[Sound]\n"
            "Type=0\n"
            "; loudness\n"
            "YINLIANG=750\n"
            "free text line\n");
}

TEST_F(ProfileFile, NewKeyJoinsItsSectionBeforeTheNextOne) {
  Write("[Images]\nType=1\n\n[Sound]\nType=0\n\n; trailing remark\n");
  EXPECT_TRUE(WriteIni("Images", "Color", "16711680", file_));
  EXPECT_EQ(Contents(), "[Images]\nType=1\nColor=16711680\n\n[Sound]\nType=0\n\n; trailing remark\n");
  EXPECT_EQ(ReadIni("Images", "Color", file_), "16711680");
  EXPECT_EQ(ReadIni("Sound", "Color", file_), "");
}

TEST_F(ProfileFile, WriteKeepsWindowsLineEndsAndByteOrderMark) {
  Write("\xEF\xBB\xBF[Sound]\r\nYinyue=0\r\n");
  EXPECT_TRUE(WriteIni("Sound", "Yinyue", "1", file_));
  EXPECT_TRUE(WriteIni("Sound", "Yinxiao", "1", file_));
  EXPECT_EQ(Contents(), "\xEF\xBB\xBF[Sound]\r\nYinyue=1\r\nYinxiao=1\r\n");
}

TEST_F(ProfileFile, LongValueSurvivesARoundTrip) {
  const std::string longPath = "/音乐/" + std::string(1000, 'x') + "/";
  EXPECT_TRUE(WriteIni("Sound", "Path", longPath, file_));
  EXPECT_EQ(ReadIni("Sound", "Path", file_), longPath);
}

TEST_F(ProfileFile, WriteToADirectoryFailsQuietly) {
  fs::create_directories(file_);
  EXPECT_FALSE(WriteIni("Sound", "Yinliang", "500", file_));
  EXPECT_EQ(ReadIni("Sound", "Yinliang", file_), "");
  EXPECT_TRUE(fs::is_directory(file_));
}

TEST_F(ProfileFile, WriteIntoAMissingDirectoryFails) {
  EXPECT_FALSE(WriteIni("Sound", "Yinliang", "500", (directory_ / "no" / "Config.ini").string()));
}

}  // namespace
