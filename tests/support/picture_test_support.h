// Support of the picture tests: picture files they make themselves in a private temporary
// directory, and a window with the screen over it.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct TestPixel {
  int red, green, blue, alpha;
};
using PixelSource = std::function<TestPixel(int x, int y)>;

// A fresh directory that is removed with its files when the object goes.
class TestPictureDirectory {
 public:
  TestPictureDirectory();
  ~TestPictureDirectory();
  std::string PathOf(const std::string& name) const;

 private:
  std::string path_;
};

// Each writes a file and returns its bytes (empty when writing failed).
std::vector<unsigned char> WriteTestPng(const std::string& path, int width, int height,
                                        const PixelSource& pixels);
std::vector<unsigned char> WriteTestJpeg(const std::string& path, int width, int height,
                                         const PixelSource& pixels);
// 24 bits a pixel, rows stored bottom-up as usual.
std::vector<unsigned char> WriteTestBmp(const std::string& path, int width, int height,
                                        const PixelSource& pixels);

std::vector<unsigned char> ReadTestFile(const std::string& path);
void WriteTestFile(const std::string& path, const std::vector<unsigned char>& bytes);

// A window of its own with the screen opened over the whole client area, cleared to black.
class TestScreen {
 public:
  TestScreen(int width, int height);
  ~TestScreen();
  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

constexpr int TestScreenWindow = 740;
