// Splitting a level text and reading number values.
#include <gtest/gtest.h>

#include <string>

#include "mapdata/level_text.h"

namespace {

LevelText split;   // large: kept off the stack

TEST(SplitLevelText, FieldsRowsAndCellsByTheirSeparators) {
  SplitLevelText("2$a,b|c,,d$e$", split);
  EXPECT_EQ(split.typeField, "2");
  EXPECT_EQ(split.layerFields, 2);
  EXPECT_EQ(split.keptLayers, 2);
  EXPECT_EQ(split.cell[0][0][0], "a");
  EXPECT_EQ(split.cell[0][0][1], "b");
  EXPECT_EQ(split.cell[0][0][2], "");
  EXPECT_EQ(split.cell[0][1][0], "c");
  EXPECT_EQ(split.cell[0][1][1], "");
  EXPECT_EQ(split.cell[0][1][2], "d");
  EXPECT_EQ(split.cell[0][8][19], "");
  EXPECT_EQ(split.cell[1][0][0], "e");
}

TEST(SplitLevelText, NoDollarMeansNoFieldAtAll) {
  SplitLevelText("1,1,1|", split);
  EXPECT_EQ(split.typeField, "");
  EXPECT_EQ(split.layerFields, 0);
  EXPECT_EQ(split.keptLayers, 0);
}

TEST(SplitLevelText, EmptyFieldsBetweenDollarsAreLayers) {
  SplitLevelText("$$$tail", split);
  EXPECT_EQ(split.typeField, "");
  EXPECT_EQ(split.layerFields, 2);
  for (int k = 0; k < 2; ++k) EXPECT_EQ(split.cell[k][0][0], "");
}

TEST(SplitLevelText, TwelveLayerFieldsAreKeptAndTheRestOnlyCounted) {
  std::string text = "1$";
  for (int k = 1; k <= 15; ++k) text += std::to_string(k) + "$";
  SplitLevelText(text, split);
  EXPECT_EQ(split.layerFields, 15);
  EXPECT_EQ(split.keptLayers, MaxLayerFields);
  for (int k = 0; k < MaxLayerFields; ++k) EXPECT_EQ(split.cell[k][0][0], std::to_string(k + 1));
}

TEST(SplitLevelText, ASecondSplitForgetsTheFirst) {
  SplitLevelText("1$x$y$", split);
  SplitLevelText("3$", split);
  EXPECT_EQ(split.typeField, "3");
  EXPECT_EQ(split.keptLayers, 0);
}

TEST(NumberValue, LeadingDecimalDigitsOnly) {
  EXPECT_EQ(NumberValue("42"), 42);
  EXPECT_EQ(NumberValue("007"), 7);
  EXPECT_EQ(NumberValue("3 levels"), 3);
  EXPECT_EQ(NumberValue(""), 0);
  EXPECT_EQ(NumberValue("x1"), 0);
  EXPECT_EQ(NumberValue(" 1"), 0);
  EXPECT_EQ(NumberValue("-5"), 0);
  EXPECT_EQ(NumberValue("2147483647"), 2147483647);
  EXPECT_EQ(NumberValue("2147483648"), 2147483647);
  EXPECT_EQ(NumberValue("99999999999999999999999"), 2147483647);
}

}  // namespace
