// Numbered fonts and text measuring.
//
// Sizes are pixel sizes at 96 dots per inch, so the layout never depends on the screen. The
// programs' Windows face names map to fonts that Debian carries; Chinese glyphs always fall back
// to WenQuanYi Zen Hei.
#include <cmath>
#include <map>
#include <optional>

#include <QFontMetrics>
#include <QString>
#include <QStringList>

#include "platform/picture_internal.h"
#include "platform/qt_internal.h"

namespace {

constexpr double DotsPerInch = 96.0;
constexpr double PointsPerInch = 72.0;
constexpr int DefaultPixelSize = 16;
const char* const ChineseFamily = "WenQuanYi Zen Hei";

struct FontSlot {
  QFont font;                           // the Qt font, pixel-sized
  std::optional<QFontMetrics> metrics;  // its measures, made once
};

struct FontTable {
  std::map<int, FontSlot> fonts;   // by font number
  std::optional<FontSlot> fallback;   // for numbers that hold no font, made on first use
};

FontTable gFonts;

QStringList FamiliesOf(const std::string& face) {
  if (face == "黑体") return {ChineseFamily};
  if (face == "Impact") return {"Bebas Neue", ChineseFamily};
  return {QString::fromStdString(face), ChineseFamily};
}

FontSlot MakeSlot(const QStringList& families, int pixelSize, bool bold) {
  FontSlot slot;
  slot.font.setFamilies(families);
  slot.font.setPixelSize(pixelSize);
  slot.font.setBold(bold);
  slot.font.setStyleStrategy(QFont::PreferAntialias);
  slot.metrics.emplace(slot.font);
  return slot;
}

const FontSlot& SlotOf(int font) {
  const auto found = gFonts.fonts.find(font);
  if (found != gFonts.fonts.end()) return found->second;
  if (!gFonts.fallback) gFonts.fallback = MakeSlot({ChineseFamily}, DefaultPixelSize, false);
  return *gFonts.fallback;
}

}  // namespace

bool LoadFont(int font, const std::string& face, int points, bool bold) {
  if (points <= 0) return false;
  const int pixelSize = int(std::lround(points * DotsPerInch / PointsPerInch));
  gFonts.fonts.insert_or_assign(font, MakeSlot(FamiliesOf(face), pixelSize, bold));
  return true;
}

void FreeFont(int font) { gFonts.fonts.erase(font); }

bool IsFont(int font) { return gFonts.fonts.count(font) != 0; }

void FreeAllFonts() {
  gFonts.fonts.clear();
  gFonts.fallback.reset();
}

QFont FontOf(int font) { return SlotOf(font).font; }

int FontAscent(int font) { return SlotOf(font).metrics->ascent(); }

int TextWidth(int font, const std::string& text) {
  return SlotOf(font).metrics->horizontalAdvance(
      QString::fromUtf8(text.data(), qsizetype(text.size())));
}

int TextHeight(int font) { return SlotOf(font).metrics->height(); }
