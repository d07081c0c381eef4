// Splitting the text of a level element, the same for both programs.
//
// Fields are separated by "$" (text after the last "$" is not read): field 1 is the arrangement
// type, each further field a layer. A layer is 9 rows separated by "|", a row 20 cells separated
// by ","; further pieces are not read and missing pieces are empty. Only the first MaxLayerFields
// layer fields are split; the rest are counted but not kept.
#pragma once

#include <string_view>

#include "mapdata/grid.h"

struct LevelText {
  std::string_view typeField;   // field 1
  int layerFields;              // "$" count - 1 (0 when the text holds no "$"); may exceed 12
  int keptLayers;               // layer fields split below: min(layerFields, MaxLayerFields)
  // cell[k][r][c]: layer field k + 1, row r + 1, column c + 1; views into the split text.
  std::string_view cell[MaxLayerFields][BoardRows][BoardColumns];
};

// Splits a level text; the views stay valid as long as the text does.
void SplitLevelText(std::string_view text, LevelText& level);

// The decimal number at the start of a text, 0 when it does not start with a digit; a number too
// large for 32 bits reads as the largest one.
int NumberValue(std::string_view text);
