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

}  // namespace

// ---- Key colour -------------------------------------------------------------------------------

TEST_F(SpriteTest, KeyMakesExactlyThatColourTransparent) {
  for (int key : {IntroKey, Black}) {
    SCOPED_TRACE(key);
    // Neighbours of the key differ from it in one channel by one step.
    const int near[] = {key ^ 1, key ^ 0x100, key ^ 0x10000};
    ASSERT_TRUE(CreateSprite(TestSprite, 4, 1, key));
    ASSERT_TRUE(StartDrawingOnSprite(TestSprite));
    for (int x = 1; x <= 3; ++x) DrawBox(x, 0, 1, 1, near[x - 1]);
    StopDrawing();
    TransparentSpriteColour(TestSprite, key);
    EXPECT_EQ(SpritePixel(TestSprite, 0, 0), Transparent);
    for (int x = 1; x <= 3; ++x) EXPECT_EQ(SpritePixel(TestSprite, x, 0), Opaque(near[x - 1]));
    // The key stays for what is drawn later; removing it brings the colour back.
    ASSERT_TRUE(StartDrawingOnSprite(TestSprite));
    DrawBox(3, 0, 1, 1, key);
    StopDrawing();
    EXPECT_EQ(SpritePixel(TestSprite, 3, 0), Transparent);
    TransparentSpriteColour(TestSprite, -1);
    EXPECT_EQ(SpritePixel(TestSprite, 0, 0), Opaque(key));
  }
}

// ---- Cutting from an image --------------------------------------------------------------------

TEST_F(SpriteTest, CellsCutFromAFaceSheet) {
  TestPictureDirectory directory;
  const auto sheet = WriteTestBmp(directory.PathOf("faces.bmp"), CellWidth * SheetColumns,
                                  CellHeight * 2, SheetPixel);
  ASSERT_TRUE(CatchImage(SheetImage, sheet.data(), sheet.size()));
  for (int row = 0; row < 2; ++row)
    for (int column = 0; column < SheetColumns; ++column) {
      SCOPED_TRACE(testing::Message() << column << "," << row);
      ASSERT_TRUE(CopySpriteFromImage(TestSprite, SheetImage, CellWidth * column,
                                      CellHeight * row, CellWidth, CellHeight));
      EXPECT_EQ(SpriteWidth(TestSprite), CellWidth);
      EXPECT_EQ(SpriteHeight(TestSprite), CellHeight);
      const TestPixel want = SheetPixel(CellWidth * column, CellHeight * row);
      const unsigned cell = Opaque(Rgb(want.red, want.green, want.blue));
      EXPECT_EQ(SpritePixel(TestSprite, 0, 0), cell);
      EXPECT_EQ(SpritePixel(TestSprite, CellWidth - 1, CellHeight - 1), Opaque(Rgb(255, 255, 255)));
      EXPECT_EQ(SpritePixel(TestSprite, CellWidth - 2, CellHeight - 1), cell);
    }
}

TEST_F(SpriteTest, SpriteFromImageScalesAndCuttingFromNothingGivesNothing) {
  EXPECT_FALSE(CopySpriteFromImage(TestSprite, SheetImage, 0, 0, CellWidth, CellHeight));
  ASSERT_TRUE(CreateImage(SheetImage, 20, 10, Rgb(0, 128, 0)));
  EXPECT_FALSE(CopySpriteFromImage(TestSprite, SheetImage, 0, 0, 0, CellHeight));
  EXPECT_FALSE(IsSprite(TestSprite));
  ASSERT_TRUE(SpriteFromImage(TestSprite, SheetImage, 40, 5));
  EXPECT_EQ(SpriteWidth(TestSprite), 40);
  EXPECT_EQ(SpriteHeight(TestSprite), 5);
  EXPECT_EQ(SpritePixel(TestSprite, 39, 4), Opaque(Rgb(0, 128, 0)));
  ASSERT_TRUE(SpriteFromImage(TestSprite, SheetImage));
  EXPECT_EQ(SpriteWidth(TestSprite), 20);
}

// ---- Zoom -------------------------------------------------------------------------------------

TEST_F(SpriteTest, ZoomChangesTheDrawnSizeKeepsTheKeyAndGoesBack) {
  ASSERT_TRUE(CreateSprite(TestSprite, 2, 1, Black));
  TransparentSpriteColour(TestSprite, Black);
  ZoomSprite(TestSprite, 880, 490);
  EXPECT_EQ(SpriteWidth(TestSprite), 880);
  EXPECT_EQ(SpriteHeight(TestSprite), 490);
  ASSERT_TRUE(StartDrawingOnSprite(TestSprite));
  DrawBox(1, 0, 1, 1, Rgb(0, 0, 255));
  StopDrawing();
  EXPECT_EQ(SpritePixel(TestSprite, 0, 0), Transparent);
  EXPECT_EQ(SpritePixel(TestSprite, 879, 489), Opaque(Rgb(0, 0, 255)));
  ZoomSprite(TestSprite, 2, 1);
  EXPECT_EQ(SpriteWidth(TestSprite), 2);
  EXPECT_EQ(SpritePixel(TestSprite, 3, 0), 0u);
  ZoomSprite(TestSprite, 0, 2);
  EXPECT_TRUE(IsSprite(TestSprite));
  EXPECT_EQ(SpriteWidth(TestSprite), 0);
  EXPECT_EQ(SpritePixel(TestSprite, 0, 0), 0u);
}

// ---- Numbers ----------------------------------------------------------------------------------

TEST_F(SpriteTest, NumbersAreIndependentFreeableAndBounded) {
  ASSERT_TRUE(CreateSprite(TestSprite, 3, 3, Rgb(1, 2, 3)));
  ASSERT_TRUE(CreateSprite(OtherSprite, 5, 5, Rgb(4, 5, 6)));
  FreeSprite(TestSprite);
  EXPECT_FALSE(IsSprite(TestSprite));
  EXPECT_EQ(SpritePixel(TestSprite, 0, 0), 0u);
  EXPECT_EQ(SpritePixel(OtherSprite, 4, 4), Opaque(Rgb(4, 5, 6)));
  EXPECT_FALSE(StartDrawingOnSprite(TestSprite));
  EXPECT_FALSE(CreateSprite(-1, 3, 3));
  EXPECT_FALSE(CreateSprite(1 << 30, 3, 3));
  EXPECT_EQ(SpriteWidth(1 << 30), 0);
  EXPECT_FALSE(CreateImage(-5, 3, 3, Black));
  // Freeing the sprite being drawn into ends the drawing.
  ASSERT_TRUE(StartDrawingOnSprite(OtherSprite));
  FreeSprite(OtherSprite);
  DrawBox(0, 0, 3, 3, Rgb(9, 9, 9));
  StopDrawing();
  EXPECT_FALSE(IsSprite(OtherSprite));
}
