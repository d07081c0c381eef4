// File names written with backslashes and any letter case, sizes and directory listings.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/files.h"

namespace fs = std::filesystem;

namespace {

// A temporary tree with mixed-case names, entered as the current directory.
class FileTree : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    root_ = fs::temp_directory_path() / ("pelmora_files_" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "Sound");
    fs::create_directories(root_ / "Images" / "Xianshi");
    Write(root_ / "Sound" / "yinyue1.mid", "MThd");
    Write(root_ / "Images" / "Xianshi" / "39.png", "123456789");
    Write(root_ / "Images" / "bg1.JPG", "jpeg");
    Write(root_ / "Images" / "readme", "no extension");
    fs::current_path(root_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(root_);
  }
  static void Write(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
  }
  static std::vector<std::string> Names(const std::vector<DirectoryEntry>& entries) {
    std::vector<std::string> names;
    for (const DirectoryEntry& entry : entries) names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path root_, previous_;
};

}  // namespace

TEST_F(FileTree, CurrentDirectoryEndsWithSeparator) {
  std::string directory = CurrentDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(directory.back(), '/');
  EXPECT_EQ(fs::path(directory.substr(0, directory.size() - 1)), fs::canonical(root_));
}

TEST_F(FileTree, ResolvePathFindsAnySpellingOfAFile) {
  EXPECT_EQ(ResolvePath("Sound\\yinyue1.mid"), "Sound/yinyue1.mid");
  EXPECT_EQ(ResolvePath("Sound\\Yinyue1.mid"), "Sound/yinyue1.mid");
  EXPECT_EQ(ResolvePath("sOUND\\YINYUE1.MID"), "Sound/yinyue1.mid");
  EXPECT_EQ(ResolvePath("images\\xianshi\\39.PNG"), "Images/Xianshi/39.png");
}

TEST_F(FileTree, ResolvePathCollapsesSeparatorsAndKeepsTrailingOne) {
  EXPECT_EQ(ResolvePath("Sound\\\\yinyue1.mid"), "Sound/yinyue1.mid");
  EXPECT_EQ(ResolvePath("images//\\xianshi"), "Images/Xianshi");
  EXPECT_EQ(ResolvePath("images\\xianshi\\"), "Images/Xianshi/");
  EXPECT_EQ(ResolvePath(""), "");
}

TEST_F(FileTree, ResolvePathKeepsMissingComponentsAsWritten) {
  EXPECT_EQ(ResolvePath("Sound\\Missing.mid"), "Sound/Missing.mid");
  EXPECT_EQ(ResolvePath("images\\Nowhere\\39.png"), "Images/Nowhere/39.png");
  EXPECT_EQ(ResolvePath("NoSuchDir\\file"), "NoSuchDir/file");
}

TEST_F(FileTree, AbsolutePathsStayAbsolute) {
  std::string base = CurrentDirectory();
  EXPECT_EQ(ResolvePath(base + "SOUND\\YinYue1.mid"), base + "Sound/yinyue1.mid");
  std::string windowsStyle = base + "\\images\\bg1.jpg";
  EXPECT_EQ(ResolvePath(windowsStyle), base + "Images/bg1.JPG");
  EXPECT_EQ(ResolvePath("/"), "/");
}

TEST_F(FileTree, FileSizeTellsFilesDirectoriesAndMissingApart) {
  EXPECT_EQ(FileSize("images\\XIANSHI\\39.png"), 9);
  EXPECT_EQ(FileSize("Images\\Xianshi"), -2);
  EXPECT_EQ(FileSize("images\\xianshi\\"), -2);
  EXPECT_EQ(FileSize("Images\\Xianshi\\40.png"), -1);
  EXPECT_EQ(FileSize("Nothing\\at\\all"), -1);
}

TEST_F(FileTree, ReadFileBytesReadsWholeFileWhateverTheCase) {
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadFileBytes("IMAGES\\xianshi\\39.png", bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "123456789");
  EXPECT_FALSE(ReadFileBytes("Images\\none.png", bytes));
  EXPECT_FALSE(ReadFileBytes("Images", bytes));
}

TEST_F(FileTree, ListDirectoryMatchesPatternWithoutRegardToCase) {
  EXPECT_EQ(Names(ListDirectory("images\\", "*.jpg", 100)), std::vector<std::string>{"bg1.JPG"});
  EXPECT_EQ(Names(ListDirectory("Images", "BG*", 100)), std::vector<std::string>{"bg1.JPG"});
  EXPECT_TRUE(ListDirectory("Images", "*.png", 100).empty());
}

TEST_F(FileTree, ListDirectoryStarDotStarTakesEveryNameAndMarksDirectories) {
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

TEST_F(FileTree, ListDirectoryOfMissingDirectoryIsEmpty) {
  EXPECT_TRUE(ListDirectory("NoSuchDir", "*.*", 100).empty());
}
