// The map checker: the tile box of every type on its lowest and highest layer, the limits of
// the play area and the verdicts, the odds of random play on two tiny levels whose answer is
// known, and a file that does not read.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "mapdata/level_model.h"
#include "mapdata/map_files.h"
#include "tools/mapcheck/map_check.h"

namespace {

using Cell = std::array<int, 3>;   // layer field (1-based), row, column

// A level text of the given type with tiles on the given cells, up to the highest layer named.
std::string LevelWith(int type, const std::vector<Cell>& tiles) {
  int layers = 1;
  for (const Cell& t : tiles) layers = std::max(layers, t[0]);
  std::string text = std::to_string(type) + "$";
  for (int layer = 1; layer <= layers; ++layer) {
    for (int row = 1; row <= 9; ++row) {
      std::vector<int> shown;
      for (const Cell& t : tiles)
        if (t[0] == layer && t[1] == row) shown.push_back(t[2]);
      text += RowText(shown);
    }
    text += "$";
  }
  return text;
}

// The level placed as the only level of a freshly loaded map, then checked.
LevelCheck CheckOnly(const std::string& levelText, int deals) {
  CreateMapStore();
  ClearGrid(*gMap.store);
  gMap.levelCount = 0;
  gMap.faceCounter = 0;
  PlaceLevel(levelText);
  return CheckLevel(1, deals);
}

// ---- Tile box ---------------------------------------------------------------------------------

struct BoxCase {
  int type, layer, row, column;
  int left, top;   // the game's tile position of that cell
};

TEST(MapCheckFrame, BoxOfEveryTypeOnLayersOneAndNine) {
  const BoxCase cases[] = {
      {1, 1, 1, 1, 60, 52},    {1, 9, 9, 20, 810, 436},
      {2, 1, 1, 1, 54, 52},    {2, 9, 9, 12, 684, 436},
      {3, 1, 1, 1, 70, 38},    {3, 9, 1, 20, 820, 254},
      {4, 1, 9, 20, 842, 470}, {4, 9, 1, 12, 674, 254},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << " layer " << c.layer);
    const LevelCheck check = CheckOnly(LevelWith(c.type, {{c.layer, c.row, c.column}}), 1);
    EXPECT_EQ(check.layers, c.layer);
    ASSERT_FALSE(check.box.empty);
    EXPECT_EQ(check.box.left, c.left);
    EXPECT_EQ(check.box.top, c.top);
    EXPECT_EQ(check.box.right, c.left + 48);
    EXPECT_EQ(check.box.bottom, c.top + 60);
  }
}

TEST(MapCheckFrame, BoxSpansEveryLayerAndAnUnknownTypeIsNeverDrawn) {
  // Type 1: the second layer is drawn 6 pixels up and left of the first.
  const LevelCheck stack = CheckOnly(LevelWith(1, {{1, 2, 2}, {2, 2, 2}}), 1);
  EXPECT_EQ(stack.box.left, 96);
  EXPECT_EQ(stack.box.top, 100);
  EXPECT_EQ(stack.box.right, 150);
  EXPECT_EQ(stack.box.bottom, 166);

  const LevelCheck unknown = CheckOnly(LevelWith(5, {{1, 5, 5}, {1, 5, 9}}), 1);
  EXPECT_TRUE(unknown.box.empty);
  EXPECT_EQ(LevelProblems(unknown), std::vector<std::string>{"type 5 is never drawn"});
}

// ---- Play area and verdicts -------------------------------------------------------------------

TEST(MapCheckFrame, PlayAreaLimitsAndCentreOffset) {
  struct AreaCase {
    TileBox box;
    bool inside;
  } cases[] = {
      {{false, 0, 78, 930, 548}, true},   {{false, 0, 77, 930, 548}, false},
      {{false, 0, 78, 930, 549}, false},  {{false, -1, 78, 930, 548}, false},
      {{false, 0, 78, 931, 548}, false},  {{true, 0, 0, 0, 0}, true},
  };
  for (const AreaCase& c : cases) EXPECT_EQ(InsidePlayArea(c.box), c.inside) << c.box.top;

  // A box 27 px right of and 36 px below the centre is exactly 45 px off: still centred.
  LevelCheck level;
  level.tiles = 2;
  level.box = TileBox{false, 292, 249, 692, 449};
  level.offset = CentreOffset(level.box, level.dx, level.dy);
  EXPECT_DOUBLE_EQ(level.dx, 27);
  EXPECT_DOUBLE_EQ(level.dy, 36);
  EXPECT_TRUE(LevelProblems(level).empty());
  level.box.bottom += 2;
  level.offset = CentreOffset(level.box, level.dx, level.dy);
  EXPECT_EQ(LevelProblems(level), std::vector<std::string>{"off centre"});

  level.tiles = 3;
  level.box = TileBox{false, 300, 52, 648, 560};
  level.offset = CentreOffset(level.box, level.dx, level.dy);
  EXPECT_EQ(LevelProblems(level), (std::vector<std::string>{"odd tile count", "under the title banner",
                                                           "over the bottom panel"}));
}

// ---- Odds of random play ----------------------------------------------------------------------

// Twelve tiles all get face 1. Two rows of six: every row that holds tiles has a free end on
// each side, so two free tiles always match and no deal ever dead-ends.
TEST(MapCheckOdds, TwoRowsNeverDeadEnd) {
  std::vector<Cell> rows;
  for (int column = 1; column <= 6; ++column) {
    rows.push_back({1, 3, column});
    rows.push_back({1, 6, column});
  }
  const DealOdds odds = CheckOnly(LevelWith(1, rows), 50).odds;
  EXPECT_EQ(odds.deals, 50);
  EXPECT_EQ(odds.cleared, 50);
  EXPECT_EQ(odds.deadEnds, 0);
  EXPECT_EQ(odds.stuck, 0);
}

// Two tiles stacked on one cell: only the upper one is free, so every deal dead-ends at once
// and no shuffle can help.
TEST(MapCheckOdds, OneStackAlwaysDeadEnds) {
  const DealOdds odds = CheckOnly(LevelWith(1, {{1, 5, 10}, {2, 5, 10}}), 5).odds;
  EXPECT_EQ(odds.deals, 5);
  EXPECT_EQ(odds.cleared, 0);
  EXPECT_EQ(odds.deadEnds, 5);
  EXPECT_EQ(odds.stuck, 5);
}

// ---- Files ------------------------------------------------------------------------------------

TEST(MapCheckFile, ReaderMessagesAndFramedLevelsDecideTheVerdict) {
  ScratchDir dir;
  const std::string framed = LevelWith(1, {{1, 5, 10}, {1, 5, 11}});
  WriteBytes(dir.File("good.xml"), MapFileText({framed}, 1));
  WriteBytes(dir.File("high.xml"), MapFileText({framed, LevelWith(1, {{1, 1, 10}, {1, 1, 11}})}, 2));

  const MapCheck good = CheckMapFile(dir.File("good.xml"), 1);
  EXPECT_TRUE(good.messages.empty());
  ASSERT_EQ(good.levels.size(), 1u);
  EXPECT_TRUE(MapPasses(good));
  EXPECT_FALSE(MapPasses(CheckMapFile(dir.File("high.xml"), 1)));

  const MapCheck missing = CheckMapFile(dir.File("missing \"x\".xml"), 1);
  EXPECT_EQ(missing.messages, std::vector<std::string>{MapFileMissingMessage});
  EXPECT_FALSE(MapPasses(missing));
  EXPECT_NE(FormatJson({missing}).find("missing \\\"x\\\".xml\",\"passes\":false"), std::string::npos);
}

}  // namespace
