// Loading pictures: the three formats, recognition by content, and files that are no pictures.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/picture_test_support.h"
#include "platform/colour.h"
#include "platform/picture.h"

namespace {

constexpr int TestImage = 31;
constexpr int TestSprite = 731;
// JPEG is lossy: a flat colour comes back within a few levels.
constexpr int JpegTolerance = 6;

int RedPart(unsigned pixel) { return int(pixel & 0xFF); }
int GreenPart(unsigned pixel) { return int((pixel >> 8) & 0xFF); }
int BluePart(unsigned pixel) { return int((pixel >> 16) & 0xFF); }
int AlphaPart(unsigned pixel) { return int(pixel >> 24); }

TestPixel Gradient(int x, int y) { return {x * 20, y * 20, 100, 255}; }
TestPixel Flat(int, int) { return {200, 100, 50, 255}; }

class PictureDecodeTest : public testing::Test {
 protected:
  void TearDown() override {
    FreeImage(TestImage);
    FreeSprite(TestSprite);
  }
  TestPictureDirectory directory_;
};

TEST_F(PictureDecodeTest, PngKeepsItsAlphaChannel) {
  const std::string path = directory_.PathOf("alpha.png");
  WriteTestPng(path, 3, 1, [](int x, int) {
    const int alphas[] = {0, 128, 255};
    return TestPixel{255, 0, 0, alphas[x]};
  });
  ASSERT_TRUE(LoadSprite(TestSprite, path, SpriteAlpha));
  EXPECT_EQ(AlphaPart(SpritePixel(TestSprite, 0, 0)), 0);
  EXPECT_NEAR(AlphaPart(SpritePixel(TestSprite, 1, 0)), 128, 1);
  EXPECT_NEAR(RedPart(SpritePixel(TestSprite, 1, 0)), 255, 2);
  EXPECT_EQ(SpritePixel(TestSprite, 2, 0), 0xFF0000FFu);
}

TEST_F(PictureDecodeTest, OpaqueModeIgnoresAlpha) {
  const std::string path = directory_.PathOf("ghost.png");
  WriteTestPng(path, 2, 1, [](int x, int) { return TestPixel{0, 0, 255, x == 0 ? 0 : 128}; });
  ASSERT_TRUE(LoadSprite(TestSprite, path, SpriteOpaque));
  EXPECT_EQ(AlphaPart(SpritePixel(TestSprite, 0, 0)), 255);
  EXPECT_EQ(AlphaPart(SpritePixel(TestSprite, 1, 0)), 255);
  EXPECT_NEAR(BluePart(SpritePixel(TestSprite, 1, 0)), 255, 2);
}

TEST_F(PictureDecodeTest, PngPixelsKeepTheirPlaces) {
  const std::string path = directory_.PathOf("gradient.png");
  WriteTestPng(path, 5, 4, Gradient);
  ASSERT_TRUE(LoadImageFile(TestImage, path));
  EXPECT_EQ(ImageWidth(TestImage), 5);
  EXPECT_EQ(ImageHeight(TestImage), 4);
  ASSERT_TRUE(SpriteFromImage(TestSprite, TestImage));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) {
      const TestPixel want = Gradient(x, y);
      EXPECT_EQ(SpritePixel(TestSprite, x, y),
                0xFF000000u | unsigned(Rgb(want.red, want.green, want.blue)))
          << x << "," << y;
    }
}

TEST_F(PictureDecodeTest, JpegDecodes) {
  const std::string path = directory_.PathOf("flat.jpg");
  WriteTestJpeg(path, 37, 21, Flat);
  ASSERT_TRUE(LoadSprite(TestSprite, path, SpriteOpaque));
  EXPECT_EQ(SpriteWidth(TestSprite), 37);
  EXPECT_EQ(SpriteHeight(TestSprite), 21);
  const unsigned middle = SpritePixel(TestSprite, 18, 10);
  EXPECT_EQ(AlphaPart(middle), 255);
  EXPECT_NEAR(RedPart(middle), 200, JpegTolerance);
  EXPECT_NEAR(GreenPart(middle), 100, JpegTolerance);
  EXPECT_NEAR(BluePart(middle), 50, JpegTolerance);
}

TEST_F(PictureDecodeTest, BmpRowsComeOutTopDown) {
  const std::string path = directory_.PathOf("sheet.bmp");
  // Odd width so that rows carry padding.
  WriteTestBmp(path, 3, 2, [](int, int y) { return y == 0 ? TestPixel{255, 0, 0, 255}
                                                          : TestPixel{0, 0, 255, 255}; });
  ASSERT_TRUE(LoadImageFile(TestImage, path));
  ASSERT_TRUE(SpriteFromImage(TestSprite, TestImage));
  EXPECT_EQ(SpritePixel(TestSprite, 2, 0), 0xFF0000FFu);
  EXPECT_EQ(SpritePixel(TestSprite, 0, 1), 0xFFFF0000u);
}

TEST_F(PictureDecodeTest, FormatComesFromTheContentNotTheName) {
  const std::string png = directory_.PathOf("bg3.93-17");
  const std::string jpeg = directory_.PathOf("bg4.93-17");
  const std::string misnamed = directory_.PathOf("photo.jpg");
  WriteTestPng(png, 6, 7, Gradient);
  WriteTestJpeg(jpeg, 8, 9, Flat);
  WriteTestPng(misnamed, 10, 11, Gradient);
  ASSERT_TRUE(LoadImageFile(TestImage, png));
  EXPECT_EQ(ImageWidth(TestImage), 6);
  ASSERT_TRUE(LoadImageFile(TestImage, jpeg));
  EXPECT_EQ(ImageHeight(TestImage), 9);
  ASSERT_TRUE(LoadSprite(TestSprite, misnamed, SpriteAlpha));
  EXPECT_EQ(SpriteWidth(TestSprite), 10);
}

TEST_F(PictureDecodeTest, CatchImageDecodesBytesInMemory) {
  const auto png = WriteTestPng(directory_.PathOf("a.png"), 4, 3, Gradient);
  const auto bmp = WriteTestBmp(directory_.PathOf("b.bmp"), 7, 2, Flat);
  const auto jpeg = WriteTestJpeg(directory_.PathOf("c.jpg"), 5, 5, Flat);
  ASSERT_TRUE(CatchImage(TestImage, png.data(), png.size()));
  EXPECT_EQ(ImageWidth(TestImage), 4);
  ASSERT_TRUE(CatchImage(TestImage, bmp.data(), bmp.size()));
  EXPECT_EQ(ImageWidth(TestImage), 7);
  ASSERT_TRUE(CatchImage(TestImage, jpeg.data(), jpeg.size()));
  EXPECT_EQ(ImageWidth(TestImage), 5);
}

// ---- Files that are no pictures ---------------------------------------------------------------

class BrokenPictureTest : public PictureDecodeTest {
 protected:
  // Loading a bad file into a number that held a picture must leave it empty.
  void ExpectNoPicture(const std::string& path) {
    ASSERT_TRUE(CreateSprite(TestSprite, 4, 4, 0));
    ASSERT_TRUE(CreateImage(TestImage, 4, 4, 0));
    EXPECT_FALSE(LoadSprite(TestSprite, path, SpriteAlpha));
    EXPECT_FALSE(IsSprite(TestSprite));
    EXPECT_EQ(SpriteWidth(TestSprite), 0);
    EXPECT_EQ(SpriteHeight(TestSprite), 0);
    EXPECT_FALSE(LoadImageFile(TestImage, path));
    EXPECT_FALSE(IsImage(TestImage));
    EXPECT_EQ(ImageWidth(TestImage), 0);
  }
  std::vector<unsigned char> FirstHalf(const std::vector<unsigned char>& bytes) {
    return std::vector<unsigned char>(bytes.begin(), bytes.begin() + long(bytes.size() / 2));
  }
};

TEST_F(BrokenPictureTest, MissingFile) { ExpectNoPicture(directory_.PathOf("absent.png")); }

TEST_F(BrokenPictureTest, Directory) { ExpectNoPicture(directory_.PathOf("")); }

TEST_F(BrokenPictureTest, EmptyFile) {
  WriteTestFile(directory_.PathOf("empty.png"), {});
  ExpectNoPicture(directory_.PathOf("empty.png"));
}

TEST_F(BrokenPictureTest, Garbage) {
  std::vector<unsigned char> garbage(5000);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<unsigned char>(i * 7919);
  WriteTestFile(directory_.PathOf("garbage.png"), garbage);
  ExpectNoPicture(directory_.PathOf("garbage.png"));
}

TEST_F(BrokenPictureTest, TruncatedPng) {
  const auto png = WriteTestPng(directory_.PathOf("full.png"), 64, 64, Gradient);
  WriteTestFile(directory_.PathOf("cut.png"), FirstHalf(png));
  ExpectNoPicture(directory_.PathOf("cut.png"));
}

TEST_F(BrokenPictureTest, TruncatedJpeg) {
  const auto jpeg = WriteTestJpeg(directory_.PathOf("full.jpg"), 64, 64, Gradient);
  WriteTestFile(directory_.PathOf("cut.jpg"), FirstHalf(jpeg));
  ExpectNoPicture(directory_.PathOf("cut.jpg"));
}

TEST_F(BrokenPictureTest, JpegHeaderOnly) {
  const auto jpeg = WriteTestJpeg(directory_.PathOf("full.jpg"), 64, 64, Gradient);
  WriteTestFile(directory_.PathOf("head.jpg"), {jpeg.begin(), jpeg.begin() + 20});
  ExpectNoPicture(directory_.PathOf("head.jpg"));
}

TEST_F(BrokenPictureTest, TruncatedBmp) {
  const auto bmp = WriteTestBmp(directory_.PathOf("full.bmp"), 64, 64, Gradient);
  WriteTestFile(directory_.PathOf("cut.bmp"), {bmp.begin(), bmp.begin() + 30});
  ExpectNoPicture(directory_.PathOf("cut.bmp"));
}

TEST_F(BrokenPictureTest, PngWithDamagedData) {
  auto png = WriteTestPng(directory_.PathOf("full.png"), 64, 64, Gradient);
  for (size_t i = png.size() / 2; i < png.size() / 2 + 40; ++i) png[i] ^= 0x5A;
  WriteTestFile(directory_.PathOf("damaged.png"), png);
  ExpectNoPicture(directory_.PathOf("damaged.png"));
}

TEST_F(BrokenPictureTest, CatchImageRefusesNonsense) {
  const unsigned char bytes[] = {'B', 'M', 1, 2, 3};
  EXPECT_FALSE(CatchImage(TestImage, bytes, sizeof bytes));
  EXPECT_FALSE(CatchImage(TestImage, nullptr, 0));
  EXPECT_FALSE(IsImage(TestImage));
}

}  // namespace
