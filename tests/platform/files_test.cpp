// File names written with backslashes and any letter case, sizes and directory listings.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "support/picture_test_support.h"

namespace fs = std::filesystem;

namespace {

// A temporary tree with mixed-case names, entered as the current directory.
class FileTree : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_ / "Sound");
    fs::create_directories(root_ / "Images" / "Xianshi");
    for (const auto& [path, content] : {std::pair{"Sound/yinyue1.mid", "MThd"},
                                        {"Images/Xianshi/39.png", "123456789"},
                                        {"Images/bg1.JPG", "jpeg"}, {"Images/readme", "text"}})
      std::ofstream(root_ / path) << content;
    fs::current_path(root_);
  }
  void TearDown() override { fs::current_path(previous_); }
  static std::vector<std::string> Names(const std::vector<DirectoryEntry>& entries) {
    std::vector<std::string> names;
    for (const DirectoryEntry& entry : entries) names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
  }

  TestPictureDirectory directory_;
  const fs::path root_ = directory_.PathOf(""), previous_ = fs::current_path();
};

}  // namespace

TEST_F(FileTree, CurrentDirectoryEndsWithSeparator) {
  std::string directory = CurrentDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(directory.back(), '/');
  EXPECT_EQ(fs::path(directory.substr(0, directory.size() - 1)), fs::canonical(root_));
}

TEST_F(FileTree, ResolvePathFindsAnySpellingAndCleansSeparators) {
  const std::string base = CurrentDirectory();
  const std::pair<std::string, std::string> cases[] = {
      {"Sound\\yinyue1.mid", "Sound/yinyue1.mid"},
      {"Sound\\Yinyue1.mid", "Sound/yinyue1.mid"},
      {"sOUND\\YINYUE1.MID", "Sound/yinyue1.mid"},
      {"images\\xianshi\\39.PNG", "Images/Xianshi/39.png"},
      {"Sound\\\\yinyue1.mid", "Sound/yinyue1.mid"},
      {"images//\\xianshi", "Images/Xianshi"},
      {"images\\xianshi\\", "Images/Xianshi/"},
      {"", ""},
      // Missing components stay as written.
      {"Sound\\Missing.mid", "Sound/Missing.mid"},
      {"images\\Nowhere\\39.png", "Images/Nowhere/39.png"},
      // Absolute paths stay absolute.
      {base + "SOUND\\YinYue1.mid", base + "Sound/yinyue1.mid"},
      {base + "\\images\\bg1.jpg", base + "Images/bg1.JPG"},
      {"/", "/"}};
  for (const auto& [written, resolved] : cases)
    EXPECT_EQ(ResolvePath(written), resolved) << written;
}

TEST_F(FileTree, FileSizeAndReadingTellFilesDirectoriesAndMissingApart) {
  EXPECT_EQ(FileSize("images\\XIANSHI\\39.png"), 9);
  EXPECT_EQ(FileSize("Images\\Xianshi"), -2);
  EXPECT_EQ(FileSize("images\\xianshi\\"), -2);
  EXPECT_EQ(FileSize("Images\\Xianshi\\40.png"), -1);
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadFileBytes("IMAGES\\xianshi\\39.png", bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "123456789");
  EXPECT_FALSE(ReadFileBytes("Images\\none.png", bytes));
  EXPECT_FALSE(ReadFileBytes("Images", bytes));
}

TEST_F(FileTree, ListDirectoryMatchesPatternsAndMarksDirectories) {
  EXPECT_EQ(Names(ListDirectory("images\\", "*.jpg", 100)), std::vector<std::string>{"bg1.JPG"});
  EXPECT_EQ(Names(ListDirectory("Images", "BG*", 100)), std::vector<std::string>{"bg1.JPG"});
  EXPECT_TRUE(ListDirectory("Images", "*.png", 100).empty());
  EXPECT_TRUE(ListDirectory("NoSuchDir", "*.*", 100).empty());
  std::vector<DirectoryEntry> entries = ListDirectory("Images", "*.*", 100);
  EXPECT_EQ(Names(entries), (std::vector<std::string>{".", "..", "Xianshi", "bg1.JPG", "readme"}));
  for (const DirectoryEntry& entry : entries)
    EXPECT_EQ(entry.isDirectory, entry.name == "." || entry.name == ".." || entry.name == "Xianshi")
        << entry.name;
}

TEST_F(FileTree, ListDirectoryLimitCountsDotEntries) {
  // Five entries in all; a limit of n looks at exactly n of them, dot entries included.
  for (int limit = 0; limit <= 6; ++limit)
    EXPECT_EQ(int(ListDirectory("Images", "*.*", limit).size()), std::min(limit, 5)) << limit;
  // With a pattern the limit counts the entries looked at, not the ones returned.
  std::vector<DirectoryEntry> all = ListDirectory("Images", "*.*", 100);
  int position = int(std::find_if(all.begin(), all.end(),
                                  [](const DirectoryEntry& e) { return e.name == "bg1.JPG"; }) -
                     all.begin());
  EXPECT_TRUE(ListDirectory("Images", "*.jpg", position).empty());
  EXPECT_EQ(ListDirectory("Images", "*.jpg", position + 1).size(), 1u);
}
