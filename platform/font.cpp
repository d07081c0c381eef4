// Numbered fonts, text measuring and the kept pictures of texts drawn on the screen.
//
// Sizes are pixel sizes at 96 dots per inch, so the layout never depends on the screen. The
// programs' Windows face names map to fonts that Debian carries; Chinese glyphs always fall back
// to WenQuanYi Zen Hei. Text is smoothed in grey, never by sub-pixels, so that a text looks the
// same on every target and on every desktop.
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <tuple>

#include <QFontMetrics>
#include <QString>
#include <QStringList>

#include "platform/picture_internal.h"
#include "platform/qt_internal.h"
#include "platform/recent_pictures.h"

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

// Pages draw the same texts every frame: their measures and the pictures of those drawn last
// are kept, the pictures up to a budget, the one unused longest going first.
constexpr qsizetype TextPictureBudgetBytes = 2 << 20;
// Qt keeps the glyphs of smaller text ready to copy; larger glyphs it rasterises every time.
constexpr int LargestCachedGlyphPixels = 64;
constexpr size_t KeptMeasures = 512;
// Room around a text's measured ink, for glyphs that reach past their metrics.
constexpr int TextPictureMargin = 3;

using TextKey = std::tuple<int, int, std::string>;   // font, colour, text
struct TextMeasures {
  int width;      // advance
  QRect area;     // of its picture, from the text's top left
};
struct TextCache {
  RecentPictures<TextKey> pictures{SIZE_MAX, TextPictureBudgetBytes};
  std::map<std::pair<int, std::string>, TextMeasures> measures; // by font and text
};

TextCache gTexts;

void ForgetTexts() {
  gTexts.pictures.Clear();
  gTexts.measures.clear();
}

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
  slot.font.setStyleStrategy(
      QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
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
  ForgetTexts();
  return true;
}

void FreeFont(int font) {
  gFonts.fonts.erase(font);
  ForgetTexts();
}

bool IsFont(int font) { return gFonts.fonts.count(font) != 0; }

void FreeAllFonts() {
  gFonts.fonts.clear();
  gFonts.fallback.reset();
  ForgetTexts();
}

QFont FontOf(int font) { return SlotOf(font).font; }

int FontAscent(int font) { return SlotOf(font).metrics->ascent(); }

namespace {

QString Utf16Of(const std::string& text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Shaping a text is the costly part of measuring it, and the pages measure the same few texts
// every frame.
const TextMeasures& MeasuresOf(int font, const std::string& text) {
  auto key = std::make_pair(font, text);
  auto found = gTexts.measures.find(key);
  if (found != gTexts.measures.end()) return found->second;
  if (gTexts.measures.size() >= KeptMeasures) gTexts.measures.clear();
  const FontSlot& slot = SlotOf(font);
  const QString utf16 = Utf16Of(text);
  const int ascent = slot.metrics->ascent();
  // The ink around the baseline origin, and the text cell the caller places by its top left.
  const int width = slot.metrics->horizontalAdvance(utf16);
  const QRect ink = slot.metrics->boundingRect(utf16);
  const QRect cell(0, -ascent, width, slot.metrics->height());
  const QRect area = ink.united(cell)
                         .adjusted(-TextPictureMargin, -TextPictureMargin, TextPictureMargin,
                                   TextPictureMargin)
                         .translated(0, ascent);
  return gTexts.measures.emplace(std::move(key), TextMeasures{width, area}).first->second;
}

}  // namespace

int TextWidth(int font, const std::string& text) { return MeasuresOf(font, text).width; }

bool IsTextKeptAsPicture(int font) {
  return SlotOf(font).font.pixelSize() > LargestCachedGlyphPixels;
}

int TextHeight(int font) { return SlotOf(font).metrics->height(); }

QRect TextPictureArea(int font, const std::string& text) { return MeasuresOf(font, text).area; }

QImage DrawTextPicture(int font, const std::string& text, int colour) {
  const FontSlot& slot = SlotOf(font);
  const QRect area = TextPictureArea(font, text);
  QImage picture(area.size(), QImage::Format_ARGB32_Premultiplied);
  if (picture.isNull()) return picture;
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setFont(slot.font);
  painter.setPen(QtColour(colour));
  painter.drawText(-area.left(), slot.metrics->ascent() - area.top(), Utf16Of(text));
  return picture;
}

QImage TextPictureOf(int font, const std::string& text, int colour) {
  TextKey key{font, colour, text};
  if (const QImage* kept = gTexts.pictures.Find(key)) return *kept;
  return gTexts.pictures.Add(std::move(key), DrawTextPicture(font, text, colour));
}
