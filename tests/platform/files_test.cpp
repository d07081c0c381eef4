// File names written with backslashes and any letter case, sizes, directory listings, reads that
// take regular files only, and the file replacement with its faults.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
  EXPECT_TRUE(ReadFileBytes("Images\\Xianshi\\39.png", bytes, 9));
  EXPECT_FALSE(ReadFileBytes("Images\\Xianshi\\39.png", bytes, 8)) << "over the limit";
  EXPECT_TRUE(bytes.empty());
}

// A device or a FIFO could block the reader or never end; neither is read, and a listing marks
// neither as a file.
TEST_F(FileTree, OnlyRegularFilesAreReadOrListedAsFiles) {
  ASSERT_EQ(mkfifo((root_ / "Sound/fifo.mid").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", root_ / "Sound/zero.mid");
  fs::create_symlink("yinyue1.mid", root_ / "Sound/link.mid");
  std::vector<unsigned char> bytes;
  for (const char* name : {"Sound\\fifo.mid", "Sound\\ZERO.mid", "/dev/zero"}) {
    EXPECT_FALSE(IsRegularFile(name)) << name;
    EXPECT_FALSE(ReadFileBytes(name, bytes)) << name;
  }
  EXPECT_TRUE(IsRegularFile("sound\\LINK.mid"));
  EXPECT_TRUE(ReadFileBytes("sound\\LINK.mid", bytes));
  // The limit holds whatever size a file claims: this one claims none.
  EXPECT_TRUE(ReadFileBytes("/proc/self/maps", bytes));
  EXPECT_GT(bytes.size(), 16u);
  EXPECT_FALSE(ReadFileBytes("/proc/self/maps", bytes, 16));
  for (const DirectoryEntry& entry : ListDirectory("Sound", "*.*", 100))
    EXPECT_EQ(entry.isFile, entry.name == "yinyue1.mid" || entry.name == "link.mid") << entry.name;
}

TEST_F(FileTree, PathInDirectoryAddsTheSeparatorOnlyWhenMissing) {
  EXPECT_EQ(PathInDirectory("/music", "a.mid"), "/music/a.mid");
  EXPECT_EQ(PathInDirectory("/music/", "a.mid"), "/music/a.mid");
  EXPECT_EQ(PathInDirectory("C:\\music\\", "a.mid"), "C:\\music\\a.mid");
  EXPECT_EQ(PathInDirectory("", "a.mid"), "a.mid");
}

// ---- Replacing a file -------------------------------------------------------------------------

namespace {

class FileReplacementTest : public testing::Test {
 protected:
  void TearDown() override { InjectFileFaults(FileFaults{}); }
  std::string File(const std::string& name) const { return directory_.PathOf(name); }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static ino_t InodeOf(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
  }
  int CountEntries() const {
    return static_cast<int>(
        std::distance(fs::directory_iterator(directory_.PathOf("")), fs::directory_iterator()));
  }

  TestPictureDirectory directory_;
};

}  // namespace

TEST_F(FileReplacementTest, ReplacesAFileAndFailsCleanly) {
  const std::string path = File("map.xml");
  Write(path, "old contents that are longer than the new ones");
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  EXPECT_EQ(Read(path), "new");
  const std::string taken = File("taken");
  fs::create_directory(taken);
  Write(taken + "/inside", "keep");
  EXPECT_FALSE(WriteFileAtomically(taken, "bytes")) << "a directory is not replaced";
  EXPECT_EQ(Read(taken + "/inside"), "keep");
  EXPECT_FALSE(WriteFileAtomically(File("no/such/dir/map.xml"), "bytes"));
  EXPECT_EQ(CountEntries(), 2) << "no temporary file is left behind";
}

TEST_F(FileReplacementTest, AFolderThatTakesNoNewFileIsWrittenInPlace) {
  const std::string path = File("map.xml");
  Write(path, "old contents, longer than the new");
  const ino_t inode = InodeOf(path);
  InjectFileFaults(FileFaults{.folderTakesNoFile = true});
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  EXPECT_EQ(Read(path), "new");
  EXPECT_EQ(InodeOf(path), inode) << "the same file, written in place";
  EXPECT_FALSE(WriteFileAtomically(File("other.xml"), "new")) << "a new file cannot be made there";
  EXPECT_EQ(CountEntries(), 1);
}
