// Loading pictures: the three formats, recognition by content, files that are no pictures, and
// the translations of a chosen language.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/picture_test_support.h"
#include "platform/colour.h"
#include "platform/picture.h"

namespace {

constexpr int TestImage = 31;
constexpr int TestSprite = 731;
// JPEG is lossy: a flat colour comes back within a few levels.
constexpr int JpegTolerance = 6;

int AlphaOf(unsigned pixel) { return int(pixel >> 24); }
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

}  // namespace

TEST_F(PictureDecodeTest, PngAlphaIsKeptOrIgnoredByMode) {
  const std::string path = directory_.PathOf("alpha.png");
  WriteTestPng(path, 3, 1, [](int x, int) {
    const int alphas[] = {0, 128, 255};
    return TestPixel{255, 0, 0, alphas[x]};
  });
  for (SpriteMode mode : {SpriteAlpha, SpriteOpaque}) {
    ASSERT_TRUE(LoadSprite(TestSprite, path, mode));
    EXPECT_EQ(AlphaOf(SpritePixel(TestSprite, 0, 0)), mode == SpriteAlpha ? 0 : 255);
    EXPECT_NEAR(AlphaOf(SpritePixel(TestSprite, 1, 0)), mode == SpriteAlpha ? 128 : 255, 1);
    EXPECT_NEAR(RedOf(int(SpritePixel(TestSprite, 1, 0))), 255, 2);
    EXPECT_EQ(SpritePixel(TestSprite, 2, 0), 0xFF0000FFu);
  }
}

TEST_F(PictureDecodeTest, PngAndBmpPixelsKeepTheirPlaces) {
  // Odd width so that BMP rows carry padding; BMP rows are stored bottom-up.
  for (auto write : {WriteTestPng, WriteTestBmp}) {
    const std::string path = directory_.PathOf("gradient");
    write(path, 5, 4, Gradient);
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
}

TEST_F(PictureDecodeTest, FormatComesFromTheContentWhetherFileOrBytes) {
  struct Case { const char* name; decltype(&WriteTestPng) write; int width, height; };
  // Names that lie about the content, as the game's resource names do.
  const Case cases[] = {{"bg3.93-17", WriteTestPng, 6, 7}, {"bg4.93-17", WriteTestJpeg, 8, 9},
                        {"photo.jpg", WriteTestPng, 10, 11}, {"sheet.png", WriteTestBmp, 7, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto bytes = c.write(directory_.PathOf(c.name), c.width, c.height, Flat);
    ASSERT_TRUE(LoadImageFile(TestImage, directory_.PathOf(c.name)));
    EXPECT_EQ(ImageWidth(TestImage), c.width);
    EXPECT_EQ(ImageHeight(TestImage), c.height);
    ASSERT_TRUE(CatchImage(TestImage, bytes.data(), bytes.size()));
    EXPECT_EQ(ImageWidth(TestImage), c.width);
    ASSERT_TRUE(LoadSprite(TestSprite, directory_.PathOf(c.name), SpriteOpaque));
    const unsigned middle = SpritePixel(TestSprite, c.width / 2, c.height / 2);
    EXPECT_EQ(AlphaOf(middle), 255);
    EXPECT_NEAR(RedOf(int(middle)), 200, JpegTolerance);
    EXPECT_NEAR(GreenOf(int(middle)), 100, JpegTolerance);
    EXPECT_NEAR(BlueOf(int(middle)), 50, JpegTolerance);
  }
}

// ---- Files that are no pictures ---------------------------------------------------------------

TEST_F(PictureDecodeTest, FilesThatAreNoPicturesLeaveTheNumberEmpty) {
  const auto png = WriteTestPng(directory_.PathOf("full.png"), 64, 64, Gradient);
  const auto jpeg = WriteTestJpeg(directory_.PathOf("full.jpg"), 64, 64, Gradient);
  const auto bmp = WriteTestBmp(directory_.PathOf("full.bmp"), 64, 64, Gradient);
  std::vector<unsigned char> garbage(5000), damaged = png;
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<unsigned char>(i * 7919);
  for (size_t i = png.size() / 2; i < png.size() / 2 + 40; ++i) damaged[i] ^= 0x5A;
  using Bytes = std::vector<unsigned char>;
  const std::pair<const char*, Bytes> files[] = {
      {"empty.png", {}}, {"garbage.png", garbage}, {"damaged.png", damaged},
      {"cut.png", Bytes(png.begin(), png.begin() + long(png.size() / 2))},
      {"cut.jpg", Bytes(jpeg.begin(), jpeg.begin() + long(jpeg.size() / 2))},
      {"head.jpg", Bytes(jpeg.begin(), jpeg.begin() + 20)},
      {"cut.bmp", Bytes(bmp.begin(), bmp.begin() + 30)}};
  for (const auto& [name, bytes] : files) WriteTestFile(directory_.PathOf(name), bytes);
  std::vector<std::string> paths = {directory_.PathOf("absent.png"), directory_.PathOf("")};
  for (const auto& file : files) paths.push_back(directory_.PathOf(file.first));

  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    // Loading a bad file into a number that held a picture must leave it empty.
    ASSERT_TRUE(CreateSprite(TestSprite, 4, 4, 0));
    ASSERT_TRUE(CreateImage(TestImage, 4, 4, 0));
    EXPECT_FALSE(LoadSprite(TestSprite, path, SpriteAlpha));
    EXPECT_FALSE(IsSprite(TestSprite));
    EXPECT_EQ(SpriteWidth(TestSprite), 0);
    EXPECT_EQ(SpriteHeight(TestSprite), 0);
    EXPECT_FALSE(LoadImageFile(TestImage, path));
    EXPECT_FALSE(IsImage(TestImage));
  }
  const unsigned char nonsense[] = {'B', 'M', 1, 2, 3};
  EXPECT_FALSE(CatchImage(TestImage, nonsense, sizeof nonsense));
  EXPECT_FALSE(CatchImage(TestImage, nullptr, 0));
  EXPECT_FALSE(IsImage(TestImage));
}

// ---- Translations -----------------------------------------------------------------------------

class PictureLanguageTest : public PictureDecodeTest {
 protected:
  void TearDown() override {
    SetPictureLanguage("");
    PictureDecodeTest::TearDown();
  }
  // A one-pixel PNG of the red level at a name relative to the test's directory.
  void WritePicture(const std::string& name, int red) {
    const std::string path = directory_.PathOf(name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    WriteTestPng(path, 1, 1, [red](int, int) { return TestPixel{red, 0, 0, 255}; });
  }
  int SpriteRed() { return RedOf(int(SpritePixel(TestSprite, 0, 0))); }
  int ImageRed() { return SpriteFromImage(TestSprite, TestImage) ? SpriteRed() : -1; }
};

constexpr int OriginalRed = 10, EnglishRed = 20, OutsideRed = 30, CarriedRed = 40;

TEST_F(PictureLanguageTest, TheLanguagesPictureWhereItHasOneTheOriginalElsewhere) {
  WritePicture("Images/Xianshi/30.png", OriginalRed);
  WritePicture("Images/en/Xianshi/30.png", EnglishRed);
  WritePicture("Images/Anniu/1.png", OriginalRed);
  WritePicture("Images/en/logo.png", EnglishRed);
  WritePicture("Xianshi/30.png", OutsideRed);   // what "Images/../Xianshi/30.png" would name
  WritePicture("Images/Xianshi/31.png", OriginalRed);
  WriteTestFile(directory_.PathOf("Images/en/Xianshi/31.png"), {'n', 'o', 't', ' ', 'P', 'N', 'G'});
  const std::vector<unsigned char> carried =
      WriteTestPng(directory_.PathOf("carried.png"), 1, 1,
                   [](int, int) { return TestPixel{CarriedRed, 0, 0, 255}; });

  struct Row {
    const char* language;
    const char* file;   // as the programs name it: any case, either separator
    int red;            // of the picture loaded
  };
  const Row rows[] = {
      {"en", "Images/Xianshi/30.png", EnglishRed},
      {"en", "images\\XIANSHI\\30.png", EnglishRed},   // looked up without regard to case
      {"en", "Images/Anniu/1.png", OriginalRed},        // no translation: the original
      {"en", "Images/Xianshi/31.png", OriginalRed},     // a translation that is no picture
      {"", "Images/Xianshi/30.png", OriginalRed},
      {"de", "Images/Xianshi/30.png", OriginalRed},     // a language without pictures
      {"..", "Images/Xianshi/30.png", OriginalRed},     // never a folder outside Images
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.language << " " << row.file);
    SetPictureLanguage(row.language);
    const std::string path = directory_.PathOf(row.file);
    ASSERT_TRUE(LoadSprite(TestSprite, path, SpriteAlpha));
    EXPECT_EQ(SpriteRed(), row.red);
    ASSERT_TRUE(LoadImageFile(TestImage, path));
    EXPECT_EQ(ImageRed(), row.red);
    ASSERT_TRUE(LoadImageFileToCover(TestImage, path, 2, 2));
    EXPECT_EQ(ImageRed(), row.red);
  }

  // A carried picture named as if it lay in Images.
  for (const char* language : {"en", ""}) {
    SCOPED_TRACE(language);
    SetPictureLanguage(language);
    ASSERT_TRUE(CatchImageForLanguage(TestImage, directory_.PathOf("Images/logo.png"),
                                      carried.data(), carried.size()));
    EXPECT_EQ(ImageRed(), *language ? EnglishRed : CarriedRed);
    ASSERT_TRUE(CatchImageForLanguage(TestImage, directory_.PathOf("Images/credit.jpg"),
                                      carried.data(), carried.size()));
    EXPECT_EQ(ImageRed(), CarriedRed);
  }
}
