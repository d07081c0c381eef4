// Writers of the test pictures: libpng and libjpeg encode, the BMP is laid out by hand.
#include "support/picture_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <jpeglib.h>
#include <png.h>

#include "platform/picture.h"
#include "platform/window.h"

namespace {

constexpr int JpegQuality = 95;
constexpr int BmpFileHeaderSize = 14;
constexpr int BmpInfoHeaderSize = 40;

void PutLittleEndian(std::vector<unsigned char>& bytes, unsigned value, int count) {
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

}  // namespace

TestPictureDirectory::TestPictureDirectory() {
  char pattern[] = "/tmp/picture_test_XXXXXX";
  const char* made = mkdtemp(pattern);
  path_ = made != nullptr ? made : "/tmp";
}

TestPictureDirectory::~TestPictureDirectory() {
  std::error_code ignored;
  if (path_ != "/tmp") std::filesystem::remove_all(path_, ignored);
}

std::string TestPictureDirectory::PathOf(const std::string& name) const {
  return path_ + "/" + name;
}

std::vector<unsigned char> ReadTestFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<unsigned char>((std::istreambuf_iterator<char>(file)),
                                    std::istreambuf_iterator<char>());
}

void WriteTestFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<unsigned char> WriteTestPng(const std::string& path, int width, int height,
                                        const PixelSource& pixels) {
  std::vector<unsigned char> rgba;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const TestPixel p = pixels(x, y);
      rgba.insert(rgba.end(), {static_cast<unsigned char>(p.red),
                               static_cast<unsigned char>(p.green),
                               static_cast<unsigned char>(p.blue),
                               static_cast<unsigned char>(p.alpha)});
    }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = unsigned(width);
  png.height = unsigned(height);
  png.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&png, path.c_str(), 0, rgba.data(), 0, nullptr)) return {};
  return ReadTestFile(path);
}

std::vector<unsigned char> WriteTestJpeg(const std::string& path, int width, int height,
                                         const PixelSource& pixels) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return {};
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = unsigned(width);
  info.image_height = unsigned(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, JpegQuality, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(size_t(width) * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const TestPixel p = pixels(x, y);
      row[size_t(x) * 3] = static_cast<unsigned char>(p.red);
      row[size_t(x) * 3 + 1] = static_cast<unsigned char>(p.green);
      row[size_t(x) * 3 + 2] = static_cast<unsigned char>(p.blue);
    }
    JSAMPROW rowPointer = row.data();
    jpeg_write_scanlines(&info, &rowPointer, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
  return ReadTestFile(path);
}

std::vector<unsigned char> WriteTestBmp(const std::string& path, int width, int height,
                                        const PixelSource& pixels) {
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  const unsigned dataOffset = BmpFileHeaderSize + BmpInfoHeaderSize;
  std::vector<unsigned char> bytes = {'B', 'M'};
  PutLittleEndian(bytes, dataOffset + unsigned(rowBytes * height), 4);
  PutLittleEndian(bytes, 0, 4);
  PutLittleEndian(bytes, dataOffset, 4);
  PutLittleEndian(bytes, BmpInfoHeaderSize, 4);
  PutLittleEndian(bytes, unsigned(width), 4);
  PutLittleEndian(bytes, unsigned(height), 4);
  PutLittleEndian(bytes, 1, 2);    // planes
  PutLittleEndian(bytes, 24, 2);   // bits a pixel
  for (int field = 0; field < 6; ++field) PutLittleEndian(bytes, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const TestPixel p = pixels(x, y);
      bytes.insert(bytes.end(), {static_cast<unsigned char>(p.blue),
                                 static_cast<unsigned char>(p.green),
                                 static_cast<unsigned char>(p.red)});
    }
    bytes.resize(bytes.size() + size_t(rowBytes - width * 3), 0);
  }
  WriteTestFile(path, bytes);
  return bytes;
}

TestScreen::TestScreen(int width, int height) {
  open_ = OpenWindow(TestScreenWindow, width, height, "picture test") &&
          OpenScreen(TestScreenWindow, 0, 0, width, height);
  if (open_) ClearScreen(0);
}

TestScreen::~TestScreen() {
  CloseScreen();
  CloseWindow(TestScreenWindow);
}
