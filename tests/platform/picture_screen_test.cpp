// The screen: sprites with opacity, flip and clear, boxes and lines, clipping, the draw log.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/picture_test_support.h"
#include "platform/colour.h"
#include "platform/picture.h"

namespace {

constexpr int Width = 200;
constexpr int Height = 120;
constexpr int WhiteSprite = 741;
constexpr int EmptySprite = 742;
constexpr int TestFont = 41;
constexpr int Black = 0;
constexpr int White = Rgb(255, 255, 255);
constexpr int Red = Rgb(255, 0, 0);
constexpr int Blue = Rgb(0, 0, 255);

class ScreenTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(screen_.IsOpen());
    ASSERT_TRUE(CreateSprite(WhiteSprite, 10, 10, White));
  }
  void TearDown() override {
    StopDrawing();
    StopDrawLog();
    FreeSprite(WhiteSprite);
  }
  // Every pixel of a rectangle of the back buffer has the colour.
  bool RegionIs(int x, int y, int width, int height, int colour) {
    for (int row = y; row < y + height; ++row)
      for (int column = x; column < x + width; ++column)
        if (ScreenPixel(column, row) != colour) return false;
    return true;
  }
  TestScreen screen_{Width, Height};
};

// ---- Opening ----------------------------------------------------------------------------------

TEST(ScreenOpenTest, NeedsAnOpenWindowAndASize) {
  EXPECT_FALSE(OpenScreen(749, 0, 0, 100, 100));
  EXPECT_FALSE(IsScreenOpen());
  EXPECT_EQ(ScreenWidth(), 0);
  EXPECT_EQ(ScreenPixel(0, 0), 0);
  EXPECT_FALSE(StartDrawingOnScreen());
  DisplaySprite(WhiteSprite, 0, 0);
}

TEST_F(ScreenTest, SizeAndStartColour) {
  EXPECT_TRUE(IsScreenOpen());
  EXPECT_EQ(ScreenWidth(), Width);
  EXPECT_EQ(ScreenHeight(), Height);
  EXPECT_TRUE(RegionIs(0, 0, Width, Height, Black));
}

// ---- Opacity ----------------------------------------------------------------------------------

TEST_F(ScreenTest, OpacityZeroDrawsNothing) {
  DisplaySprite(WhiteSprite, 5, 5, 0);
  EXPECT_TRUE(RegionIs(0, 0, 20, 20, Black));
}

TEST_F(ScreenTest, OpacityFullIsExact) {
  ClearScreen(Rgb(12, 34, 56));
  DisplaySprite(WhiteSprite, 5, 5, 255);
  EXPECT_TRUE(RegionIs(5, 5, 10, 10, White));
  EXPECT_EQ(ScreenPixel(4, 5), Rgb(12, 34, 56));
  EXPECT_EQ(ScreenPixel(15, 14), Rgb(12, 34, 56));
}

TEST_F(ScreenTest, OpacityHalfBlendsHalfway) {
  DisplaySprite(WhiteSprite, 5, 5, 128);
  const int pixel = ScreenPixel(9, 9);
  EXPECT_NEAR(RedOf(pixel), 128, 3);
  EXPECT_NEAR(BlueOf(pixel), 128, 3);
  // A later opaque sprite is not affected by the earlier opacity.
  DisplaySprite(WhiteSprite, 50, 5);
  EXPECT_EQ(ScreenPixel(55, 9), White);
}

TEST_F(ScreenTest, OpacityAndSpriteAlphaCombine) {
  TestPictureDirectory directory;
  const std::string path = directory.PathOf("half.png");
  WriteTestPng(path, 4, 4, [](int, int) { return TestPixel{255, 255, 255, 128}; });
  ASSERT_TRUE(LoadSprite(EmptySprite, path, SpriteAlpha));
  DisplaySprite(EmptySprite, 0, 0);
  DisplaySprite(EmptySprite, 10, 0, 128);
  EXPECT_NEAR(GreenOf(ScreenPixel(1, 1)), 128, 3);
  EXPECT_NEAR(GreenOf(ScreenPixel(11, 1)), 64, 3);
  FreeSprite(EmptySprite);
}

// ---- Sprites on the screen ----------------------------------------------------------------------

TEST_F(ScreenTest, SpriteWithoutPictureDrawsNothing) {
  DisplaySprite(EmptySprite, 0, 0);
  TestPictureDirectory directory;
  EXPECT_FALSE(LoadSprite(EmptySprite, directory.PathOf("missing.png"), SpriteAlpha));
  DisplaySprite(EmptySprite, 0, 0);
  EXPECT_TRUE(RegionIs(0, 0, 20, 20, Black));
}

TEST_F(ScreenTest, KeyedSpriteShowsWhatLiesBelow) {
  ClearScreen(Blue);
  ASSERT_TRUE(StartDrawingOnSprite(WhiteSprite));
  DrawBox(0, 0, 5, 10, Black);
  StopDrawing();
  TransparentSpriteColour(WhiteSprite, Black);
  DisplaySprite(WhiteSprite, 20, 20);
  EXPECT_TRUE(RegionIs(20, 20, 5, 10, Blue));
  EXPECT_TRUE(RegionIs(25, 20, 5, 10, White));
}

TEST_F(ScreenTest, ZoomedSpriteCoversItsZoomedSize) {
  ZoomSprite(WhiteSprite, 30, 20);
  DisplaySprite(WhiteSprite, 10, 10);
  EXPECT_TRUE(RegionIs(10, 10, 30, 20, White));
  EXPECT_EQ(ScreenPixel(40, 10), Black);
  EXPECT_EQ(ScreenPixel(10, 30), Black);
  ClearScreen(Black);
  ZoomSprite(WhiteSprite, 10, 10);
  DisplaySprite(WhiteSprite, 10, 10);
  EXPECT_EQ(ScreenPixel(19, 19), White);
  EXPECT_EQ(ScreenPixel(20, 10), Black);
  ClearScreen(Black);
  ZoomSprite(WhiteSprite, 0, 10);
  DisplaySprite(WhiteSprite, 10, 10);
  EXPECT_EQ(ScreenPixel(10, 10), Black);
}

TEST_F(ScreenTest, SpritesAreClippedAtTheEdges) {
  DisplaySprite(WhiteSprite, -5, -5);
  DisplaySprite(WhiteSprite, Width - 5, Height - 5);
  DisplaySprite(WhiteSprite, Width + 50, 0);
  EXPECT_TRUE(RegionIs(0, 0, 5, 5, White));
  EXPECT_EQ(ScreenPixel(5, 5), Black);
  EXPECT_TRUE(RegionIs(Width - 5, Height - 5, 5, 5, White));
  EXPECT_EQ(ScreenPixel(Width + 1, 0), 0);
}

// ---- Flip and clear ---------------------------------------------------------------------------

TEST_F(ScreenTest, FlipShowsThePreviousBackBuffer) {
  ClearScreen(Red);
  DisplaySprite(WhiteSprite, 0, 0);
  EXPECT_EQ(VisibleScreenPixel(50, 50), Black);
  FlipScreen();
  EXPECT_EQ(VisibleScreenPixel(50, 50), Red);
  EXPECT_EQ(VisibleScreenPixel(0, 0), White);
  ClearScreen(Blue);
  DisplaySprite(WhiteSprite, 100, 100);
  EXPECT_EQ(VisibleScreenPixel(50, 50), Red);
  EXPECT_EQ(VisibleScreenPixel(100, 100), Red);
  FlipScreen();
  EXPECT_EQ(VisibleScreenPixel(50, 50), Blue);
  EXPECT_EQ(VisibleScreenPixel(100, 100), White);
}

TEST_F(ScreenTest, ClearFillsTheBackBufferOnly) {
  ClearScreen(Rgb(255, 220, 50));
  EXPECT_TRUE(RegionIs(0, 0, Width, Height, Rgb(255, 220, 50)));
  EXPECT_EQ(VisibleScreenPixel(0, 0), Black);
}

TEST_F(ScreenTest, DrawingOnTheScreenContinuesAcrossAFlip) {
  ASSERT_TRUE(StartDrawingOnScreen());
  DrawBox(0, 0, 4, 4, Red);
  FlipScreen();
  ClearScreen(Black);
  DrawBox(10, 10, 4, 4, Blue);
  StopDrawing();
  EXPECT_EQ(VisibleScreenPixel(1, 1), Red);
  EXPECT_EQ(ScreenPixel(1, 1), Black);
  EXPECT_EQ(ScreenPixel(11, 11), Blue);
}

TEST_F(ScreenTest, ScreenOverPartOfAWindow) {
  CloseScreen();
  ASSERT_TRUE(OpenScreen(TestScreenWindow, 10, 20, 50, 40));
  EXPECT_EQ(ScreenWidth(), 50);
  EXPECT_EQ(ScreenHeight(), 40);
  EXPECT_EQ(ScreenPixel(50, 0), 0);
}

// ---- Boxes and lines --------------------------------------------------------------------------

TEST_F(ScreenTest, BoxFillsItsRectangle) {
  ASSERT_TRUE(StartDrawingOnScreen());
  DrawBox(10, 20, 30, 5, Red);
  DrawBox(-5, -5, 8, 8, Blue);
  StopDrawing();
  EXPECT_TRUE(RegionIs(10, 20, 30, 5, Red));
  EXPECT_EQ(ScreenPixel(9, 20), Black);
  EXPECT_EQ(ScreenPixel(40, 20), Black);
  EXPECT_EQ(ScreenPixel(10, 25), Black);
  EXPECT_TRUE(RegionIs(0, 0, 3, 3, Blue));
  EXPECT_EQ(ScreenPixel(3, 3), Black);
}

TEST_F(ScreenTest, LinesCoverExactlyTheirPixels) {
  ASSERT_TRUE(StartDrawingOnScreen());
  DrawLine(0, 50, Width, 1, Red);
  DrawLine(100, 0, 1, 40, Blue);
  DrawLine(10, 60, 5, 5, White);
  StopDrawing();
  EXPECT_TRUE(RegionIs(0, 50, Width, 1, Red));
  EXPECT_EQ(ScreenPixel(0, 49), Black);
  EXPECT_EQ(ScreenPixel(0, 51), Black);
  EXPECT_TRUE(RegionIs(100, 0, 1, 40, Blue));
  EXPECT_EQ(ScreenPixel(100, 40), Black);
  EXPECT_EQ(ScreenPixel(101, 0), Black);
  EXPECT_EQ(ScreenPixel(10, 60), White);
  EXPECT_EQ(ScreenPixel(12, 62), White);
  EXPECT_EQ(ScreenPixel(14, 64), White);
  EXPECT_EQ(ScreenPixel(15, 65), Black);
  EXPECT_EQ(ScreenPixel(11, 60), Black);
}

TEST_F(ScreenTest, WithoutAChosenTargetDrawingGoesToTheScreen) {
  DrawBox(0, 0, 10, 10, Red);
  EXPECT_TRUE(RegionIs(0, 0, 10, 10, Red));
  // After drawing into a sprite, the screen is the target again.
  constexpr int Scratch = 44;
  ASSERT_TRUE(CreateSprite(Scratch, 4, 4, Black));
  ASSERT_TRUE(StartDrawingOnSprite(Scratch));
  StopDrawing();
  DrawLine(0, 20, 10, 1, Red);
  EXPECT_EQ(ScreenPixel(5, 20), Red);
  FreeSprite(Scratch);
}

TEST_F(ScreenTest, ImagesDrawWithTheirAlpha) {
  TestPictureDirectory directory;
  const std::string path = directory.PathOf("dot.png");
  WriteTestPng(path, 2, 1, [](int x, int) {
    return x == 0 ? TestPixel{0, 255, 0, 255} : TestPixel{0, 255, 0, 0};
  });
  constexpr int DotImage = 43;
  ASSERT_TRUE(LoadImageFile(DotImage, path));
  ClearScreen(Red);
  ASSERT_TRUE(StartDrawingOnScreen());
  DrawImage(DotImage, 30, 30);
  StopDrawing();
  EXPECT_EQ(ScreenPixel(30, 30), Rgb(0, 255, 0));
  EXPECT_EQ(ScreenPixel(31, 30), Red);
  FreeImage(DotImage);
}

// ---- The draw log -----------------------------------------------------------------------------

TEST_F(ScreenTest, DrawLogRecordsInOrderWhateverTheTarget) {
  ASSERT_TRUE(LoadFont(TestFont, "黑体", 15, true));
  DisplaySprite(WhiteSprite, 1, 1);
  StartDrawLog();
  DisplaySprite(WhiteSprite, 3, 4, 200);
  ASSERT_TRUE(StartDrawingOnSprite(WhiteSprite));
  DrawBox(1, 2, 3, 4, Red);
  StopDrawing();
  ASSERT_TRUE(StartDrawingOnScreen());
  DrawText(TestFont, 7, 8, "第1关", Blue);
  DrawLine(0, 277, 930, 1, White);
  StopDrawing();
  DisplaySprite(EmptySprite, 9, 9, 0);
  StopDrawLog();
  DisplaySprite(WhiteSprite, 5, 5);

  const std::vector<DrawRecord>& log = DrawLog();
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(log[0].kind, DrawnSprite);
  EXPECT_EQ(log[0].number, WhiteSprite);
  EXPECT_EQ(log[0].x, 3);
  EXPECT_EQ(log[0].y, 4);
  EXPECT_EQ(log[0].width, 10);
  EXPECT_EQ(log[0].height, 10);
  EXPECT_EQ(log[0].opacity, 200);
  EXPECT_EQ(log[1].kind, DrawnBox);
  EXPECT_EQ(log[1].width, 3);
  EXPECT_EQ(log[1].height, 4);
  EXPECT_EQ(log[1].colour, Red);
  EXPECT_EQ(log[2].kind, DrawnText);
  EXPECT_EQ(log[2].number, TestFont);
  EXPECT_EQ(log[2].text, "第1关");
  EXPECT_EQ(log[2].colour, Blue);
  EXPECT_EQ(log[2].x, 7);
  EXPECT_EQ(log[2].y, 8);
  EXPECT_EQ(log[3].kind, DrawnLine);
  EXPECT_EQ(log[3].y, 277);
  EXPECT_EQ(log[3].width, 930);
  EXPECT_EQ(log[4].kind, DrawnSprite);
  EXPECT_EQ(log[4].number, EmptySprite);
  EXPECT_EQ(log[4].width, 0);
  EXPECT_EQ(log[4].opacity, 0);

  StartDrawLog();
  EXPECT_TRUE(DrawLog().empty());
  FreeFont(TestFont);
}

TEST_F(ScreenTest, DrawLogShowsTheZoomedSize) {
  ZoomSprite(WhiteSprite, 123, 7);
  StartDrawLog();
  DisplaySprite(WhiteSprite, 0, 0);
  ASSERT_EQ(DrawLog().size(), 1u);
  EXPECT_EQ(DrawLog()[0].width, 123);
  EXPECT_EQ(DrawLog()[0].height, 7);
}

}  // namespace
