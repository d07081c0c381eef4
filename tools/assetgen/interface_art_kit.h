// Shared tools of the interface pictures: palette, fonts, lettering, plates, noise and output.
//
// Sections: palette; deterministic noise; canvas and fonts; lettering; plates and glows; output.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <string>

// ---- Palette ----------------------------------------------------------------------------------

// One look for every picture: ivory, ink, vermilion, jade and gold.
struct ArtPalette {
  QColor ivory{246, 236, 212};       // tile-like light surfaces
  QColor ink{30, 26, 28};            // outlines and dark lacquer
  QColor inkSoft{58, 46, 44};        // recessed areas
  QColor vermilion{190, 44, 32};     // warm lacquer
  QColor vermilionDark{110, 20, 18}; // shaded warm lacquer
  QColor jade{36, 126, 100};         // cool lacquer
  QColor jadeDark{14, 64, 52};       // shaded cool lacquer
  QColor gold{232, 186, 72};         // accents and captions
  QColor goldLight{255, 236, 160};   // gold highlights
  QColor goldDark{140, 92, 24};      // gold shading
};
extern const ArtPalette kArt;

// ---- Deterministic noise ----------------------------------------------------------------------

// Small xorshift generator so the pictures come out the same on every build.
struct ArtRandom {
  uint32_t state; // never 0
};
uint32_t NextArtRandom(ArtRandom& random);
// Uniform in [0, 1).
double ArtUnit(ArtRandom& random);
// Uniform in [low, high).
double ArtRange(ArtRandom& random, double low, double high);
// Smooth value noise in [0, 1] with the given number of octaves; seed picks the pattern.
double ArtNoise(double x, double y, uint32_t seed, int octaves);

// ---- Canvas and fonts -------------------------------------------------------------------------

// A transparent canvas of the given size.
QImage CreateCanvas(int width, int height);
// Antialiased drawing with smooth pixmap transforms.
void PreparePainter(QPainter& painter);
// Font for Chinese lettering, sized in pixels.
QFont ChineseFont(int pixelSize);
// Font for digits and Latin lettering, sized in pixels.
QFont DigitFont(int pixelSize);

// ---- Lettering --------------------------------------------------------------------------------

// Text as an outline path centred on the rectangle's centre.
QPainterPath CentredTextPath(const QString& text, const QFont& font, const QRectF& box);
// Gold lettering: a soft shadow, a dark outline of the given width and a vertical gold
// gradient over the path.
void DrawGoldPath(QPainter& painter, const QPainterPath& path, double outline);
// Light lettering (ivory) with a dark outline, for text on gold or lacquer.
void DrawIvoryPath(QPainter& painter, const QPainterPath& path, double outline);

// ---- Plates and glows -------------------------------------------------------------------------

// A lacquered rounded plate: drop shadow, body gradient from base, gold rim and a gloss band.
void DrawLacquerPlate(QPainter& painter, const QRectF& box, double radius, const QColor& base);
// A radial glow of the colour fading to transparent.
void DrawGlow(QPainter& painter, const QPointF& centre, double radius, const QColor& colour);
// A four-pointed sparkle with the given arm length and waist.
QPainterPath SparklePath(const QPointF& centre, double arm, double waist);
// Box blur of the alpha and colour of a picture, radius in pixels, done twice for softness.
QImage BlurPicture(const QImage& picture, int radius);

// ---- Output -----------------------------------------------------------------------------------

// Writes a PNG with alpha. False when the file cannot be written.
bool SavePng(const QImage& picture, const std::string& path);
// Writes an opaque JPEG with the fixed quality of the resource set, whatever the file's extension.
bool SaveJpeg(const QImage& picture, const std::string& path);
