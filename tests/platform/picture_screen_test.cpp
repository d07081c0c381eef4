// The screen: sprites with opacity, flip and clear, boxes and lines, clipping, the draw log.
#include <gtest/gtest.h>

#include <iterator>

#include "support/picture_test_support.h"
#include "platform/colour.h"
#include "platform/picture.h"

namespace {

constexpr int Width = 200;
constexpr int Height = 120;
constexpr int WhiteSprite = 741;
constexpr int OtherSprite = 742;
constexpr int DotImage = 43;
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
    FreeSprite(OtherSprite);
    FreeImage(DotImage);
  }
  // Every pixel of a rectangle of the back buffer has the colour.
  bool RegionIs(int x, int y, int width, int height, int colour) {
    for (int row = y; row < y + height; ++row)
      for (int column = x; column < x + width; ++column)
        if (ScreenPixel(column, row) != colour) return false;
    return true;
  }
  TestScreen screen_{Width, Height};
  TestPictureDirectory directory_;
};

}  // namespace

TEST(ScreenOpenTest, NeedsAnOpenWindowAndASize) {
  EXPECT_FALSE(OpenScreen(749, 0, 0, 100, 100));
  EXPECT_FALSE(IsScreenOpen());
  EXPECT_EQ(ScreenPixel(0, 0), 0);
  EXPECT_FALSE(StartDrawingOnScreen());
}

TEST_F(ScreenTest, ScreenOverPartOfAWindow) {
  EXPECT_TRUE(RegionIs(0, 0, Width, Height, Black));
  CloseScreen();
  ASSERT_TRUE(OpenScreen(TestScreenWindow, 10, 20, 50, 40));
  EXPECT_EQ(ScreenWidth(), 50);
  EXPECT_EQ(ScreenHeight(), 40);
  EXPECT_EQ(ScreenPixel(50, 0), 0);
}

// ---- Sprites on the screen --------------------------------------------------------------------

TEST_F(ScreenTest, OpacityBlendsAndCombinesWithTheSpriteAlpha) {
  ClearScreen(Black);
  DisplaySprite(WhiteSprite, 5, 5, 0);
  EXPECT_TRUE(RegionIs(0, 0, 20, 20, Black));
  DisplaySprite(WhiteSprite, 5, 5, 128);
  EXPECT_NEAR(RedOf(ScreenPixel(9, 9)), 128, 3);
  EXPECT_NEAR(BlueOf(ScreenPixel(9, 9)), 128, 3);
  DisplaySprite(WhiteSprite, 50, 5);   // an earlier opacity does not stick
  EXPECT_TRUE(RegionIs(50, 5, 10, 10, White));
  const std::string path = directory_.PathOf("half.png");
  WriteTestPng(path, 4, 4, [](int, int) { return TestPixel{255, 255, 255, 128}; });
  ASSERT_TRUE(LoadSprite(OtherSprite, path, SpriteAlpha));
  DisplaySprite(OtherSprite, 0, 50);
  DisplaySprite(OtherSprite, 10, 50, 128);
  EXPECT_NEAR(GreenOf(ScreenPixel(1, 51)), 128, 3);
  EXPECT_NEAR(GreenOf(ScreenPixel(11, 51)), 64, 3);
}

TEST_F(ScreenTest, SpriteWithoutPictureDrawsNothing) {
  DisplaySprite(OtherSprite, 0, 0);
  EXPECT_FALSE(LoadSprite(OtherSprite, directory_.PathOf("missing.png"), SpriteAlpha));
  DisplaySprite(OtherSprite, 0, 0);
  EXPECT_TRUE(RegionIs(0, 0, 20, 20, Black));
}

TEST_F(ScreenTest, KeyedZoomedAndClippedSprites) {
  ClearScreen(Blue);
  ASSERT_TRUE(StartDrawingOnSprite(WhiteSprite));
  DrawBox(0, 0, 5, 10, Black);
  StopDrawing();
  TransparentSpriteColour(WhiteSprite, Black);
  ZoomSprite(WhiteSprite, 20, 20);
  DisplaySprite(WhiteSprite, 20, 20);
  // Zooming smooths: one pixel either side of the key's edge may be blended.
  EXPECT_TRUE(RegionIs(20, 20, 9, 20, Blue));
  EXPECT_TRUE(RegionIs(31, 20, 9, 20, White));
  EXPECT_EQ(ScreenPixel(40, 20), Blue);
  EXPECT_EQ(ScreenPixel(31, 40), Blue);
  DisplaySprite(WhiteSprite, -15, -15);
  DisplaySprite(WhiteSprite, Width - 5, Height - 5);
  DisplaySprite(WhiteSprite, Width + 50, 0);
  EXPECT_TRUE(RegionIs(0, 0, 5, 5, White));
  EXPECT_TRUE(RegionIs(Width - 5, Height - 5, 5, 5, Blue));
  ZoomSprite(WhiteSprite, 0, 10);
  ClearScreen(Blue);
  DisplaySprite(WhiteSprite, 20, 20);
  EXPECT_TRUE(RegionIs(0, 0, Width, Height, Blue));
}

// ---- Flip and clear ---------------------------------------------------------------------------

TEST_F(ScreenTest, FlipShowsThePreviousBackBufferAndClearTouchesOnlyTheBackBuffer) {
  ClearScreen(Red);
  DisplaySprite(WhiteSprite, 0, 0);
  EXPECT_EQ(VisibleScreenPixel(50, 50), Black);
  FlipScreen();
  EXPECT_EQ(VisibleScreenPixel(50, 50), Red);
  ClearScreen(Blue);
  EXPECT_TRUE(RegionIs(0, 0, Width, Height, Blue));
  EXPECT_EQ(VisibleScreenPixel(0, 0), White);
  // Drawing on the screen continues across a flip.
  ASSERT_TRUE(StartDrawingOnScreen());
  DrawBox(0, 0, 4, 4, Red);
  FlipScreen();
  DrawBox(10, 10, 4, 4, Red);
  StopDrawing();
  EXPECT_EQ(VisibleScreenPixel(1, 1), Red);
  EXPECT_EQ(ScreenPixel(11, 11), Red);
}

// ---- Boxes, lines and images - ------------------------------------------------------------------

TEST_F(ScreenTest, BoxesAndLinesCoverExactlyTheirPixels) {
  // Without a chosen target drawing goes to the screen, also after drawing into a sprite.
  const std::string dotPath = directory_.PathOf("dot.png");
  WriteTestPng(dotPath, 2, 1, [](int x, int) { return TestPixel{0, 255, 0, x == 0 ? 255 : 0}; });
  ASSERT_TRUE(StartDrawingOnSprite(WhiteSprite));
  StopDrawing();
  DrawBox(10, 20, 30, 5, Red);
  DrawBox(-5, -5, 8, 8, Blue);
  DrawLine(0, 50, Width, 1, Red);
  DrawLine(100, 0, 1, 40, Blue);
  DrawLine(10, 60, 5, 5, White);
  EXPECT_TRUE(RegionIs(10, 20, 30, 5, Red));
  EXPECT_TRUE(RegionIs(0, 0, 3, 3, Blue));
  EXPECT_TRUE(RegionIs(0, 50, Width, 1, Red));
  EXPECT_TRUE(RegionIs(100, 0, 1, 40, Blue));
  for (int i : {0, 2, 4}) EXPECT_EQ(ScreenPixel(10 + i, 60 + i), White) << i;
  ASSERT_TRUE(LoadImageFile(DotImage, dotPath));
  DrawImage(DotImage, 30, 30);   // with its alpha
  EXPECT_EQ(ScreenPixel(30, 30), Rgb(0, 255, 0));
  struct Pixel { int x, y; };
  for (const Pixel& p : {Pixel{9, 20}, Pixel{40, 20}, Pixel{10, 25}, Pixel{3, 3}, Pixel{0, 49},
                         Pixel{0, 51}, Pixel{100, 40}, Pixel{101, 0}, Pixel{15, 65},
                         Pixel{11, 60}, Pixel{31, 30}})
    EXPECT_EQ(ScreenPixel(p.x, p.y), Black) << p.x << "," << p.y;
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
  DisplaySprite(OtherSprite, 9, 9, 0);
  ZoomSprite(WhiteSprite, 123, 7);
  DisplaySprite(WhiteSprite, 0, 0);
  StopDrawLog();
  DisplaySprite(WhiteSprite, 5, 5);

  // Sprites are known by number and opacity, the rest by colour; text has no logged width.
  struct Want { DrawRecordKind kind; int x, width, opacity, numberOrColour; };
  const Want wants[] = {{DrawnSprite, 3, 10, 200, WhiteSprite}, {DrawnBox, 1, 3, 255, Red},
                        {DrawnText, 7, 0, 255, Blue}, {DrawnLine, 0, 930, 255, White},
                        {DrawnSprite, 9, 0, 0, OtherSprite},
                        {DrawnSprite, 0, 123, 255, WhiteSprite}};   // the zoomed size
  const std::vector<DrawRecord>& log = DrawLog();
  ASSERT_EQ(log.size(), std::size(wants));
  for (size_t i = 0; i < log.size(); ++i) {
    const bool sprite = log[i].kind == DrawnSprite;
    EXPECT_EQ(log[i].kind, wants[i].kind) << i;
    EXPECT_EQ(log[i].x, wants[i].x) << i;
    EXPECT_EQ(log[i].kind == DrawnText ? 0 : log[i].width, wants[i].width) << i;
    EXPECT_EQ(sprite ? log[i].opacity : 255, wants[i].opacity) << i;
    EXPECT_EQ(sprite ? log[i].number : log[i].colour, wants[i].numberOrColour) << i;
  }
  EXPECT_EQ(log[2].text, "第1关");
  EXPECT_EQ(log[2].number, TestFont);
  StartDrawLog();
  EXPECT_TRUE(DrawLog().empty());
  FreeFont(TestFont);
}
