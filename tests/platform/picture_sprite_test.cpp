// Sprites: key colours, zoom, cutting from an image and drawing into a sprite.
#include <gtest/gtest.h>

#include "support/picture_test_support.h"
#include "platform/colour.h"
#include "platform/picture.h"

namespace {

constexpr int SheetImage = 32;
constexpr int TestSprite = 732;
constexpr int OtherSprite = 733;
constexpr int Black = 0;
constexpr int IntroKey = Rgb(255, 25, 0);
constexpr unsigned Transparent = 0;
constexpr int CellWidth = 48;
constexpr int CellHeight = 60;
constexpr int SheetColumns = 4;

unsigned Opaque(int colour) { return 0xFF000000u | unsigned(colour); }

// Cell (column, row) of the test sheet: a colour of its own, with one marked corner pixel.
TestPixel SheetPixel(int x, int y) {
  const int column = x / CellWidth, row = y / CellHeight;
  if (x % CellWidth == CellWidth - 1 && y % CellHeight == CellHeight - 1)
    return {255, 255, 255, 255};
  return {40 * column + 10, 100 * row + 20, 7 * column + 3 * row, 255};
}

class SpriteTest : public testing::Test {
 protected:
  void TearDown() override {
    FreeSprite(TestSprite);
    FreeSprite(OtherSprite);
    FreeImage(SheetImage);
  }
};

// ---- Key colour -------------------------------------------------------------------------------

TEST_F(SpriteTest, KeyMakesExactlyThatColourTransparent) {
  ASSERT_TRUE(CreateSprite(TestSprite, 4, 1, IntroKey));
  ASSERT_TRUE(StartDrawingOnSprite(TestSprite));
  DrawBox(1, 0, 1, 1, Rgb(255, 24, 0));
  DrawBox(2, 0, 1, 1, Rgb(254, 25, 0));
  DrawBox(3, 0, 1, 1, Rgb(255, 25, 1));
  StopDrawing();
  TransparentSpriteColour(TestSprite, IntroKey);
  EXPECT_EQ(SpritePixel(TestSprite, 0, 0), Transparent);
  EXPECT_EQ(SpritePixel(TestSprite, 1, 0), Opaque(Rgb(255, 24, 0)));
  EXPECT_EQ(SpritePixel(TestSprite, 2, 0), Opaque(Rgb(254, 25, 0)));
  EXPECT_EQ(SpritePixel(TestSprite, 3, 0), Opaque(Rgb(255, 25, 1)));
}

TEST_F(SpriteTest, BlackKeyOfTheFaceSheets) {
  ASSERT_TRUE(CreateSprite(TestSprite, 2, 1, Black));
  ASSERT_TRUE(StartDrawingOnSprite(TestSprite));
  DrawBox(1, 0, 1, 1, Rgb(1, 1, 1));
  StopDrawing();
  TransparentSpriteColour(TestSprite, Black);
  EXPECT_EQ(SpritePixel(TestSprite, 0, 0), Transparent);
  EXPECT_EQ(SpritePixel(TestSprite, 1, 0), Opaque(Rgb(1, 1, 1)));
}

TEST_F(SpriteTest, RemovingTheKeyBringsTheColourBack) {
  ASSERT_TRUE(CreateSprite(TestSprite, 2, 2, IntroKey));
  TransparentSpriteColour(TestSprite, IntroKey);
  ASSERT_EQ(SpritePixel(TestSprite, 1, 1), Transparent);
  TransparentSpriteColour(TestSprite, -1);
  EXPECT_EQ(SpritePixel(TestSprite, 1, 1), Opaque(IntroKey));
}

TEST_F(SpriteTest, KeyStaysWhenTheSpriteIsDrawnIntoLater) {
  ASSERT_TRUE(CreateSprite(TestSprite, 3, 1, Rgb(10, 20, 30)));
  TransparentSpriteColour(TestSprite, IntroKey);
  ASSERT_TRUE(StartDrawingOnSprite(TestSprite));
  DrawBox(0, 0, 1, 1, IntroKey);
  DrawBox(1, 0, 1, 1, Rgb(0, 0, 255));
  StopDrawing();
  EXPECT_EQ(SpritePixel(TestSprite, 0, 0), Transparent);
  EXPECT_EQ(SpritePixel(TestSprite, 1, 0), Opaque(Rgb(0, 0, 255)));
  EXPECT_EQ(SpritePixel(TestSprite, 2, 0), Opaque(Rgb(10, 20, 30)));
}

TEST_F(SpriteTest, ImageWithAlphaDrawnOntoAKeyedCard) {
  // The intro cards: a yellow card, a picture with transparent parts placed on it.
  TestPictureDirectory directory;
  const std::string logo = directory.PathOf("logo.png");
  WriteTestPng(logo, 2, 1, [](int x, int) {
    return x == 0 ? TestPixel{0, 0, 0, 0} : TestPixel{255, 25, 0, 255};
  });
  ASSERT_TRUE(LoadImageFile(SheetImage, logo));
  ASSERT_TRUE(CreateSprite(TestSprite, 4, 2, Rgb(255, 220, 50)));
  ASSERT_TRUE(StartDrawingOnSprite(TestSprite));
  DrawImage(SheetImage, 1, 1);
  StopDrawing();
  TransparentSpriteColour(TestSprite, IntroKey);
  EXPECT_EQ(SpritePixel(TestSprite, 1, 1), Opaque(Rgb(255, 220, 50)));
  EXPECT_EQ(SpritePixel(TestSprite, 2, 1), Transparent);
  EXPECT_EQ(SpritePixel(TestSprite, 3, 1), Opaque(Rgb(255, 220, 50)));
}

// ---- Cutting from an image --------------------------------------------------------------------

TEST_F(SpriteTest, CellsCutFromAFaceSheet) {
  TestPictureDirectory directory;
  const auto sheet = WriteTestBmp(directory.PathOf("faces.bmp"), CellWidth * SheetColumns,
                                  CellHeight * 2, SheetPixel);
  ASSERT_TRUE(CatchImage(SheetImage, sheet.data(), sheet.size()));
  for (int row = 0; row < 2; ++row)
    for (int column = 0; column < SheetColumns; ++column) {
      ASSERT_TRUE(CopySpriteFromImage(TestSprite, SheetImage, CellWidth * column,
                                      CellHeight * row, CellWidth, CellHeight));
      EXPECT_EQ(SpriteWidth(TestSprite), CellWidth);
      EXPECT_EQ(SpriteHeight(TestSprite), CellHeight);
      const TestPixel want = SheetPixel(CellWidth * column, CellHeight * row);
      EXPECT_EQ(SpritePixel(TestSprite, 0, 0), Opaque(Rgb(want.red, want.green, want.blue)))
          << column << "," << row;
      EXPECT_EQ(SpritePixel(TestSprite, CellWidth - 1, CellHeight - 1), Opaque(Rgb(255, 255, 255)));
      EXPECT_EQ(SpritePixel(TestSprite, CellWidth - 2, CellHeight - 1),
                Opaque(Rgb(want.red, want.green, want.blue)));
    }
}

TEST_F(SpriteTest, CuttingFromNothingGivesNothing) {
  EXPECT_FALSE(CopySpriteFromImage(TestSprite, SheetImage, 0, 0, CellWidth, CellHeight));
  EXPECT_FALSE(IsSprite(TestSprite));
  ASSERT_TRUE(CreateImage(SheetImage, 10, 10, Black));
  EXPECT_FALSE(CopySpriteFromImage(TestSprite, SheetImage, 0, 0, 0, CellHeight));
  EXPECT_FALSE(IsSprite(TestSprite));
}

TEST_F(SpriteTest, SpriteFromImageScales) {
  ASSERT_TRUE(CreateImage(SheetImage, 20, 10, Rgb(0, 128, 0)));
  ASSERT_TRUE(SpriteFromImage(TestSprite, SheetImage, 40, 5));
  EXPECT_EQ(SpriteWidth(TestSprite), 40);
  EXPECT_EQ(SpriteHeight(TestSprite), 5);
  EXPECT_EQ(SpritePixel(TestSprite, 39, 4), Opaque(Rgb(0, 128, 0)));
  ASSERT_TRUE(SpriteFromImage(TestSprite, SheetImage));
  EXPECT_EQ(SpriteWidth(TestSprite), 20);
  EXPECT_EQ(SpriteHeight(TestSprite), 10);
}

// ---- Zoom -------------------------------------------------------------------------------------

TEST_F(SpriteTest, ZoomChangesTheDrawnSizeAndBack) {
  ASSERT_TRUE(CreateSprite(TestSprite, 4, 2, Rgb(255, 0, 0)));
  ZoomSprite(TestSprite, 880, 490);
  EXPECT_EQ(SpriteWidth(TestSprite), 880);
  EXPECT_EQ(SpriteHeight(TestSprite), 490);
  EXPECT_EQ(SpritePixel(TestSprite, 879, 489), Opaque(Rgb(255, 0, 0)));
  ZoomSprite(TestSprite, 4, 2);
  EXPECT_EQ(SpriteWidth(TestSprite), 4);
  EXPECT_EQ(SpritePixel(TestSprite, 5, 0), 0u);
}

TEST_F(SpriteTest, ZoomToNothing) {
  ASSERT_TRUE(CreateSprite(TestSprite, 4, 2, Rgb(255, 0, 0)));
  ZoomSprite(TestSprite, 0, 2);
  EXPECT_TRUE(IsSprite(TestSprite));
  EXPECT_EQ(SpriteWidth(TestSprite), 0);
  EXPECT_EQ(SpritePixel(TestSprite, 0, 0), 0u);
}

TEST_F(SpriteTest, ZoomKeepsTheKeyAndDrawingIntoAZoomedSprite) {
  ASSERT_TRUE(CreateSprite(TestSprite, 2, 1, Black));
  TransparentSpriteColour(TestSprite, Black);
  ZoomSprite(TestSprite, 6, 3);
  ASSERT_TRUE(StartDrawingOnSprite(TestSprite));
  DrawBox(1, 0, 1, 1, Rgb(0, 0, 255));
  StopDrawing();
  EXPECT_EQ(SpriteWidth(TestSprite), 6);
  EXPECT_EQ(SpritePixel(TestSprite, 0, 0), Transparent);
  EXPECT_EQ(SpritePixel(TestSprite, 5, 2), Opaque(Rgb(0, 0, 255)));
}

// ---- Numbers ----------------------------------------------------------------------------------

TEST_F(SpriteTest, NumbersAreIndependentAndFreeable) {
  ASSERT_TRUE(CreateSprite(TestSprite, 3, 3, Rgb(1, 2, 3)));
  ASSERT_TRUE(CreateSprite(OtherSprite, 5, 5, Rgb(4, 5, 6)));
  FreeSprite(TestSprite);
  EXPECT_FALSE(IsSprite(TestSprite));
  EXPECT_EQ(SpritePixel(TestSprite, 0, 0), 0u);
  EXPECT_EQ(SpritePixel(OtherSprite, 4, 4), Opaque(Rgb(4, 5, 6)));
  EXPECT_FALSE(StartDrawingOnSprite(TestSprite));
}

TEST_F(SpriteTest, OutOfRangeNumbersHoldNothing) {
  EXPECT_FALSE(CreateSprite(-1, 3, 3));
  EXPECT_FALSE(CreateSprite(1 << 30, 3, 3));
  EXPECT_FALSE(IsSprite(-1));
  EXPECT_EQ(SpriteWidth(1 << 30), 0);
  EXPECT_FALSE(CreateImage(-5, 3, 3, Black));
}

TEST_F(SpriteTest, FreeingTheSpriteBeingDrawnIntoEndsTheDrawing) {
  ASSERT_TRUE(CreateSprite(TestSprite, 3, 3, Black));
  ASSERT_TRUE(StartDrawingOnSprite(TestSprite));
  FreeSprite(TestSprite);
  DrawBox(0, 0, 3, 3, Rgb(9, 9, 9));
  StopDrawing();
  EXPECT_FALSE(IsSprite(TestSprite));
}

}  // namespace
