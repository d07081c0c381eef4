// Splitting a level text into type, layers, rows and cells.
#include "mapdata/level_text.h"

#include <climits>

namespace {

// The piece of text up to the next separator (or the end); text moves past that separator.
// Once text is used up every further piece is empty.
std::string_view NextPiece(std::string_view& text, char separator) {
  size_t end = text.find(separator);
  std::string_view piece = text.substr(0, end);
  text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  return piece;
}

void SplitLayer(std::string_view field, std::string_view (&rows)[BoardRows][BoardColumns]) {
  for (auto& cells : rows) {
    std::string_view row = NextPiece(field, '|');
    for (std::string_view& cell : cells) cell = NextPiece(row, ',');
  }
}

}  // namespace

void SplitLevelText(std::string_view text, LevelText& level) {
  size_t lastDollar = text.rfind('$');
  std::string_view fields =
      lastDollar == std::string_view::npos ? std::string_view() : text.substr(0, lastDollar + 1);
  level.typeField = std::string_view();
  level.layerFields = 0;
  level.keptLayers = 0;
  if (fields.empty()) return;
  level.typeField = NextPiece(fields, '$');
  while (!fields.empty()) {
    std::string_view field = NextPiece(fields, '$');
    if (level.keptLayers < MaxLayerFields) SplitLayer(field, level.cell[level.keptLayers++]);
    ++level.layerFields;
  }
}

int NumberValue(std::string_view text) {
  long long value = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') break;
    value = value * 10 + (ch - '0');
    if (value > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(value);
}
