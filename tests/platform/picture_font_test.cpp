// Fonts: sizes at 96 dots per inch, the face mapping, text measuring and drawing.
#include <gtest/gtest.h>

#include "support/picture_test_support.h"
#include "platform/colour.h"
#include "platform/picture.h"

namespace {

constexpr int HeiSmall = 51;    // 黑体 15
constexpr int HeiLarge = 52;    // 黑体 30
constexpr int ImpactFont = 53;  // Impact 36
constexpr int HeiSame = 54;     // 黑体 36
constexpr int UnusedFont = 59;
constexpr int Gold = Rgb(255, 220, 0);

class FontTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadFont(HeiSmall, "黑体", 15, true));
    ASSERT_TRUE(LoadFont(HeiLarge, "黑体", 30, true));
    ASSERT_TRUE(LoadFont(ImpactFont, "Impact", 36, true));
    ASSERT_TRUE(LoadFont(HeiSame, "黑体", 36, true));
  }
  void TearDown() override {
    for (int font : {HeiSmall, HeiLarge, ImpactFont, HeiSame}) FreeFont(font);
  }
};

}  // namespace

TEST_F(FontTest, WidthGrowsWithTheTextAndDiffersBetweenFonts) {
  EXPECT_EQ(TextWidth(HeiSmall, ""), 0);
  EXPECT_GT(TextWidth(HeiSmall, "12"), 0);
  EXPECT_LT(TextWidth(HeiSmall, "12"), TextWidth(HeiSmall, "1234"));
  EXPECT_LT(TextWidth(HeiSmall, "恭喜"), TextWidth(HeiSmall, "恭喜你通关啦"));
  EXPECT_NE(TextWidth(ImpactFont, "61000"), TextWidth(HeiSame, "61000"));
  EXPECT_LT(TextWidth(HeiSmall, "61000"), TextWidth(HeiLarge, "61000"));
}

TEST_F(FontTest, SizesArePixelsAtNinetySixDotsPerInch) {
  // Chinese glyphs are one em wide: 15 points at 96 dpi are 20 pixels, 30 points 40 pixels,
  // whatever the dots per inch of the display.
  EXPECT_EQ(TextWidth(HeiSmall, "汉字"), 2 * 20);
  EXPECT_EQ(TextWidth(HeiLarge, "汉字"), 2 * 40);
  EXPECT_GE(TextHeight(HeiSmall), 20);
  EXPECT_LT(TextHeight(HeiSmall), 30);
}

TEST_F(FontTest, ImpactFallsBackForChineseGlyphs) {
  // The result screen writes Chinese labels in the Impact font.
  EXPECT_EQ(TextWidth(ImpactFont, "汉"), TextWidth(HeiSame, "汉"));
}

TEST_F(FontTest, NumbersWithoutAFontMeasureWithADefault) {
  EXPECT_FALSE(LoadFont(UnusedFont, "黑体", 0, false));
  EXPECT_FALSE(IsFont(UnusedFont));
  // A number without a font still measures with a default font rather than failing.
  EXPECT_GT(TextWidth(UnusedFont, "abc"), 0);
}

TEST_F(FontTest, TextIsDrawnDownFromItsTopLeftCornerOnATransparentBackground) {
  TestScreen screen(200, 100);
  ASSERT_TRUE(screen.IsOpen());
  constexpr int X = 50, Y = 30;
  ClearScreen(Rgb(0, 0, 255));
  DrawText(HeiLarge, X, Y, "国", Gold);
  const int width = TextWidth(HeiLarge, "国"), height = TextHeight(HeiLarge);
  int lit = 0, gold = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) {
      if (ScreenPixel(x, y) == Rgb(0, 0, 255)) continue;
      EXPECT_TRUE(x >= X && x < X + width && y >= Y && y < Y + height) << x << "," << y;
      ++lit;
      gold += ScreenPixel(x, y) == Gold;
    }
  // The glyph fills a fair part of its cell, in the colour given.
  EXPECT_GT(lit, width * height / 10);
  EXPECT_GT(gold, 0);
}
