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
  std::string cells;
  for (std::string_view cell : {split.cell[0][0][0], split.cell[0][0][1], split.cell[0][0][2],
                                split.cell[0][1][0], split.cell[0][1][1], split.cell[0][1][2],
                                split.cell[0][8][19], split.cell[1][0][0]})
    cells += std::string(cell) + ";";
  EXPECT_EQ(cells, "a;b;;c;;d;;e;");
}

TEST(SplitLevelText, FieldCountsWithoutOrBetweenDollars) {
  SplitLevelText("1,1,1|", split);   // no "$": no field at all
  EXPECT_EQ(split.typeField, "");
  EXPECT_EQ(split.layerFields, 0);
  EXPECT_EQ(split.keptLayers, 0);
  SplitLevelText("$$$tail", split);  // empty fields between dollars are layers
  EXPECT_EQ(split.layerFields, 2);
  EXPECT_EQ(split.cell[1][0][0], "");
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
  const std::pair<const char*, int> cases[] = {
      {"42", 42}, {"007", 7}, {"3 levels", 3}, {"", 0}, {"x1", 0}, {" 1", 0}, {"-5", 0},
      {"2147483647", 2147483647}, {"2147483648", 2147483647}, {"99999999999999999999999", 2147483647}};
  for (auto [text, value] : cases) EXPECT_EQ(NumberValue(text), value) << text;
}

}  // namespace
