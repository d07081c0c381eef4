// The words on the pictures: the languages they are drawn in, the translation of every original
// text, lettering fitted to its box, and a log of the lettering drawn (for the tests).
//
// The originals are drawn into Images; each translation draws the pictures with words again,
// with the same names, into its folder inside Images, where the programs look first.
#pragma once

#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <string>
#include <vector>

enum ArtLanguage { ArtOriginal, ArtEnglish };

struct ArtTranslation {
  ArtLanguage language;
  const char* folder;  // inside Images
};
inline constexpr ArtTranslation ArtTranslations[] = {{ArtEnglish, "en"}};

// The text in the language; the original when no translation of it is known.
QString PictureWords(const char* original, ArtLanguage language);

// Lettering as an outline path. The original is set in the Chinese face at pixelSize, exactly as
// it always was. A translation is set in capitals of the Latin face, its capitals about as tall
// as the Chinese glyphs, and condensed, then shrunk, until it fits inside the box with a margin.
// Centred in the box:
QPainterPath CentredWordsPath(const char* original, ArtLanguage language, int pixelSize,
                              const QRectF& box);
// Centred vertically, its left edge inset from the box's:
QPainterPath LeftWordsPath(const char* original, ArtLanguage language, int pixelSize,
                           const QRectF& box, double inset);

// For lettering drawn as text: the font made smaller, a pixel at a time, until the text's advance
// fits the width.
QFont FontFittingWidth(QFont font, const QString& text, double width);
// Where the ink of a text lies when QPainter::drawText sets it in the box with the alignment
// flags (one line).
QRectF TextInkInBox(const QFont& font, const QRectF& box, int flags, const QString& text);

// ---- Lettering log (tests) --------------------------------------------------------------------

struct LetteringRecord {
  std::string file;     // the picture it went into, once that is written
  ArtLanguage language;
  QString text;         // as drawn
  QRectF box;           // where it must stay
  QRectF bounds;        // where it lies
  double sizeShare;     // its size over the size it was meant to have: below 1 when shrunk
};
// Clears the log and starts keeping it; StopLetteringLog stops and hands it over.
void StartLetteringLog();
std::vector<LetteringRecord> StopLetteringLog();
// Adds a lettering to the log while it is kept.
void NoteLettering(ArtLanguage language, const QString& text, const QRectF& box,
                   const QRectF& bounds, double sizeShare);
// Gives the letterings noted since the last picture written to the picture just written.
void NameLetterings(const std::string& file);
