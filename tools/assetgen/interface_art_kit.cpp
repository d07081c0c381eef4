// Shared tools of the interface pictures.
//
// Sections: palette; noise; canvas and fonts; lettering; plates and glows; output.
#include "interface_art_kit.h"

#include "tools/assetgen/picture_words.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <vector>

const ArtPalette kArt;

namespace {

const int kJpegQuality = 90;
const double kShadowOffset = 2.0;  // drop shadow of lettering and plates, pixels
const int kShadowAlpha = 120;
const uint32_t kHashPrimeX = 374761393u;
const uint32_t kHashPrimeY = 668265263u;
const uint32_t kHashMix = 1274126177u;

// Hash of a lattice point to [0, 1].
double LatticeValue(int x, int y, uint32_t seed) {
  uint32_t h = seed + static_cast<uint32_t>(x) * kHashPrimeX + static_cast<uint32_t>(y) * kHashPrimeY;
  h = (h ^ (h >> 13)) * kHashMix;
  h ^= h >> 16;
  return (h & 0xFFFFFFu) / double(0xFFFFFF);
}

double SmoothStep(double t) { return t * t * (3.0 - 2.0 * t); }

double ValueNoise(double x, double y, uint32_t seed) {
  int ix = static_cast<int>(std::floor(x));
  int iy = static_cast<int>(std::floor(y));
  double fx = SmoothStep(x - ix);
  double fy = SmoothStep(y - iy);
  double a = LatticeValue(ix, iy, seed);
  double b = LatticeValue(ix + 1, iy, seed);
  double c = LatticeValue(ix, iy + 1, seed);
  double d = LatticeValue(ix + 1, iy + 1, seed);
  return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

// One horizontal then one vertical running-sum pass over premultiplied pixels.
void BoxBlurPass(std::vector<double>& channel, int width, int height, int radius) {
  std::vector<double> line(std::max(width, height));
  int window = 2 * radius + 1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      double sum = 0;
      for (int k = -radius; k <= radius; ++k) {
        int sx = x + k;
        sum += (sx < 0 || sx >= width) ? 0.0 : channel[y * width + sx];
      }
      line[x] = sum / window;
    }
    std::copy(line.begin(), line.begin() + width, channel.begin() + y * width);
  }
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) {
      double sum = 0;
      for (int k = -radius; k <= radius; ++k) {
        int sy = y + k;
        sum += (sy < 0 || sy >= height) ? 0.0 : channel[sy * width + x];
      }
      line[y] = sum / window;
    }
    for (int y = 0; y < height; ++y) channel[y * width + x] = line[y];
  }
}

}  // namespace

// ---- Noise ------------------------------------------------------------------------------------

uint32_t NextArtRandom(ArtRandom& random) {
  uint32_t x = random.state;
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  random.state = x;
  return x;
}

double ArtUnit(ArtRandom& random) { return NextArtRandom(random) / 4294967296.0; }

double ArtRange(ArtRandom& random, double low, double high) {
  return low + (high - low) * ArtUnit(random);
}

double ArtNoise(double x, double y, uint32_t seed, int octaves) {
  double sum = 0, amplitude = 1, total = 0, frequency = 1;
  for (int i = 0; i < octaves; ++i) {
    sum += amplitude * ValueNoise(x * frequency, y * frequency, seed + 101u * i);
    total += amplitude;
    amplitude *= 0.5;
    frequency *= 2.0;
  }
  return sum / total;
}

// ---- Canvas and fonts -------------------------------------------------------------------------

QImage CreateCanvas(int width, int height) {
  QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  return canvas;
}

void PreparePainter(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
}

QFont ChineseFont(int pixelSize) {
  QFont font("WenQuanYi Zen Hei");
  font.setPixelSize(pixelSize);
  font.setBold(true);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

QFont DigitFont(int pixelSize) {
  QFont font("Bebas Neue");
  font.setPixelSize(pixelSize);
  font.setBold(true);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

// ---- Lettering --------------------------------------------------------------------------------

QPainterPath CentredTextPath(const QString& text, const QFont& font, const QRectF& box) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  QRectF bounds = path.boundingRect();
  path.translate(box.center() - bounds.center());
  return path;
}

void DrawGoldPath(QPainter& painter, const QPainterPath& path, double outline) {
  painter.save();
  QColor shadow = kArt.ink;
  shadow.setAlpha(kShadowAlpha);
  painter.setPen(QPen(shadow, outline * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(shadow);
  painter.drawPath(path.translated(kShadowOffset * 0.5, kShadowOffset));
  painter.setPen(QPen(kArt.ink, outline * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(path);
  QRectF bounds = path.boundingRect();
  QLinearGradient fill(bounds.topLeft(), bounds.bottomLeft());
  fill.setColorAt(0.0, kArt.goldLight);
  fill.setColorAt(0.45, kArt.gold);
  fill.setColorAt(0.55, QColor(214, 156, 50));
  fill.setColorAt(1.0, kArt.goldLight.darker(110));
  painter.setPen(Qt::NoPen);
  painter.setBrush(fill);
  painter.drawPath(path);
  painter.restore();
}

void DrawIvoryPath(QPainter& painter, const QPainterPath& path, double outline) {
  painter.save();
  painter.setPen(QPen(kArt.ink, outline * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(path);
  QRectF bounds = path.boundingRect();
  QLinearGradient fill(bounds.topLeft(), bounds.bottomLeft());
  fill.setColorAt(0.0, QColor(255, 252, 240));
  fill.setColorAt(1.0, kArt.ivory.darker(108));
  painter.setPen(Qt::NoPen);
  painter.setBrush(fill);
  painter.drawPath(path);
  painter.restore();
}

// ---- Plates and glows -------------------------------------------------------------------------

void DrawLacquerPlate(QPainter& painter, const QRectF& box, double radius, const QColor& base) {
  painter.save();
  QColor shadow = kArt.ink;
  shadow.setAlpha(kShadowAlpha);
  painter.setPen(Qt::NoPen);
  painter.setBrush(shadow);
  painter.drawRoundedRect(box.translated(kShadowOffset * 0.5, kShadowOffset), radius, radius);

  QLinearGradient body(box.topLeft(), box.bottomLeft());
  body.setColorAt(0.0, base.lighter(135));
  body.setColorAt(0.5, base);
  body.setColorAt(1.0, base.darker(170));
  painter.setBrush(body);
  painter.setPen(QPen(kArt.goldDark, 1.0));
  painter.drawRoundedRect(box, radius, radius);

  QRectF rim = box.adjusted(2, 2, -2, -2);
  QLinearGradient rimGold(rim.topLeft(), rim.bottomRight());
  rimGold.setColorAt(0.0, kArt.goldLight);
  rimGold.setColorAt(0.5, kArt.gold);
  rimGold.setColorAt(1.0, kArt.goldDark);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QBrush(rimGold), 1.6));
  painter.drawRoundedRect(rim, std::max(0.0, radius - 2), std::max(0.0, radius - 2));

  QRectF gloss = box.adjusted(4, 3, -4, -box.height() * 0.55);
  QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
  shine.setColorAt(0.0, QColor(255, 255, 255, 70));
  shine.setColorAt(1.0, QColor(255, 255, 255, 0));
  painter.setPen(Qt::NoPen);
  painter.setBrush(shine);
  painter.drawRoundedRect(gloss, std::max(0.0, radius - 4), std::max(0.0, radius - 4));
  painter.restore();
}

void DrawGlow(QPainter& painter, const QPointF& centre, double radius, const QColor& colour) {
  painter.save();
  QRadialGradient glow(centre, radius);
  glow.setColorAt(0.0, colour);
  QColor edge = colour;
  edge.setAlpha(colour.alpha() / 3);
  glow.setColorAt(0.4, edge);
  edge.setAlpha(0);
  glow.setColorAt(1.0, edge);
  painter.setPen(Qt::NoPen);
  painter.setBrush(glow);
  painter.drawEllipse(centre, radius, radius);
  painter.restore();
}

QPainterPath SparklePath(const QPointF& centre, double arm, double waist) {
  QPainterPath path;
  double cx = centre.x(), cy = centre.y();
  path.moveTo(cx, cy - arm);
  path.quadTo(cx + waist * 0.3, cy - waist * 0.3, cx + arm, cy);
  path.quadTo(cx + waist * 0.3, cy + waist * 0.3, cx, cy + arm);
  path.quadTo(cx - waist * 0.3, cy + waist * 0.3, cx - arm, cy);
  path.quadTo(cx - waist * 0.3, cy - waist * 0.3, cx, cy - arm);
  path.closeSubpath();
  return path;
}

QImage BlurPicture(const QImage& picture, int radius) {
  QImage source = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  int width = source.width(), height = source.height();
  std::vector<double> channels[4];
  for (auto& channel : channels) channel.resize(size_t(width) * height);
  for (int y = 0; y < height; ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    for (int x = 0; x < width; ++x) {
      channels[0][y * width + x] = qRed(row[x]);
      channels[1][y * width + x] = qGreen(row[x]);
      channels[2][y * width + x] = qBlue(row[x]);
      channels[3][y * width + x] = qAlpha(row[x]);
    }
  }
  for (auto& channel : channels) {
    BoxBlurPass(channel, width, height, radius);
    BoxBlurPass(channel, width, height, radius);
  }
  QImage result = CreateCanvas(width, height);
  for (int y = 0; y < height; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < width; ++x) {
      auto at = [&](int c) { return std::clamp(int(std::lround(channels[c][y * width + x])), 0, 255); };
      int alpha = at(3);
      row[x] = qRgba(std::min(at(0), alpha), std::min(at(1), alpha), std::min(at(2), alpha), alpha);
    }
  }
  return result;
}

// ---- Output -----------------------------------------------------------------------------------

bool SavePng(const QImage& picture, const std::string& path) {
  NameLetterings(path);
  return picture.convertToFormat(QImage::Format_ARGB32).save(QString::fromStdString(path), "PNG");
}

bool SaveJpeg(const QImage& picture, const std::string& path) {
  NameLetterings(path);
  return picture.convertToFormat(QImage::Format_RGB32)
      .save(QString::fromStdString(path), "JPG", kJpegQuality);
}
