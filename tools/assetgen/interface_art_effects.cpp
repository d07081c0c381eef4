// Effect pictures: sparkle stars, particles, explosion frames, tile shadow, pointer, ornaments.
//
// Sections: stars; particles; explosion; shadow; pointer; ornaments; entry.
#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>
#include <string>

#include "interface_art_kit.h"
#include "interface_art_sets.h"

namespace {

const double kPi = 3.14159265358979323846;

// ---- Stars ------------------------------------------------------------------------------------

const int kStarSize = 20;       // xing.png, the main sparkle
const int kSmallStarSize = 16;  // xing1.png, the second sparkle

QImage DrawStar(int size, const QColor& glow, bool diagonalArms) {
  QImage canvas = CreateCanvas(size, size);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QPointF centre(size / 2.0, size / 2.0);
  DrawGlow(painter, centre, size / 2.0, glow);
  painter.setPen(Qt::NoPen);
  if (diagonalArms) {
    painter.save();
    painter.translate(centre);
    painter.rotate(45);
    painter.setBrush(QColor(255, 250, 220, 170));
    painter.drawPath(SparklePath(QPointF(0, 0), size * 0.28, size * 0.12));
    painter.restore();
  }
  QRadialGradient body(centre, size * 0.5);
  body.setColorAt(0.0, QColor(255, 255, 255));
  body.setColorAt(0.5, kArt.goldLight);
  body.setColorAt(1.0, kArt.gold);
  painter.setBrush(body);
  painter.drawPath(SparklePath(centre, size * 0.48, size * 0.16));
  painter.setBrush(QColor(255, 255, 255));
  painter.drawEllipse(centre, size * 0.08, size * 0.08);
  return canvas;
}

// ---- Particles --------------------------------------------------------------------------------

const int kBlossomSize = 14;
const int kRingSize = 16;
const int kJadeSparkSize = 12;
const int kSparkSize = 8;  // the removal particle, drawn 160 times a frame
const int kEmberSize = 10;
const int kBlossomPetals = 5;

QImage DrawBlossom() {
  QImage canvas = CreateCanvas(kBlossomSize, kBlossomSize);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QPointF centre(kBlossomSize / 2.0, kBlossomSize / 2.0);
  painter.setPen(QPen(kArt.vermilionDark, 0.8));
  painter.setBrush(QColor(236, 120, 120));
  for (int i = 0; i < kBlossomPetals; ++i) {
    double angle = 2 * kPi * i / kBlossomPetals - kPi / 2;
    QPointF petal = centre + QPointF(std::cos(angle), std::sin(angle)) * 3.4;
    painter.drawEllipse(petal, 3.0, 3.0);
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(kArt.gold);
  painter.drawEllipse(centre, 1.6, 1.6);
  return canvas;
}

QImage DrawRing() {
  QImage canvas = CreateCanvas(kRingSize, kRingSize);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QPointF centre(kRingSize / 2.0, kRingSize / 2.0);
  DrawGlow(painter, centre, kRingSize / 2.0, QColor(255, 220, 120, 120));
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kArt.goldLight, 2.0));
  painter.drawEllipse(centre, 5.0, 5.0);
  return canvas;
}

QImage DrawJadeSpark() {
  QImage canvas = CreateCanvas(kJadeSparkSize, kJadeSparkSize);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QPointF centre(kJadeSparkSize / 2.0, kJadeSparkSize / 2.0);
  DrawGlow(painter, centre, kJadeSparkSize / 2.0, QColor(120, 230, 190, 160));
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(220, 255, 240));
  painter.drawPath(SparklePath(centre, 5.5, 2.0));
  return canvas;
}

QImage DrawSpark() {
  QImage canvas = CreateCanvas(kSparkSize, kSparkSize);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QPointF centre(kSparkSize / 2.0, kSparkSize / 2.0);
  QRadialGradient glow(centre, kSparkSize / 2.0);
  glow.setColorAt(0.0, QColor(255, 255, 240, 255));
  glow.setColorAt(0.35, QColor(255, 226, 140, 200));
  glow.setColorAt(1.0, QColor(255, 180, 60, 0));
  painter.setPen(Qt::NoPen);
  painter.setBrush(glow);
  painter.drawEllipse(centre, kSparkSize / 2.0, kSparkSize / 2.0);
  return canvas;
}

QImage DrawEmber() {
  QImage canvas = CreateCanvas(kEmberSize, kEmberSize);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QPointF centre(kEmberSize / 2.0, kEmberSize / 2.0);
  QRadialGradient glow(centre, kEmberSize / 2.0);
  glow.setColorAt(0.0, QColor(255, 240, 180, 255));
  glow.setColorAt(0.4, QColor(240, 110, 40, 220));
  glow.setColorAt(1.0, QColor(160, 30, 20, 0));
  painter.setPen(Qt::NoPen);
  painter.setBrush(glow);
  painter.drawEllipse(centre, kEmberSize / 2.0, kEmberSize / 2.0);
  return canvas;
}

// ---- Explosion --------------------------------------------------------------------------------

// The frame matches a tile (48 x 60) and is drawn at the tile's top left, so the blast is
// centred on the tile.
const int kBlastWidth = 48;
const int kBlastHeight = 60;
const int kBlastFrames = 16;
const int kBlastDebris = 14;
const uint32_t kBlastSeed = 0x5EED0B1Au;
const int kFireballLobes = 48;

// Outline of a billowing ball: radius varies with a noise lobe pattern around the circle.
QPainterPath BillowPath(const QPointF& centre, double radius, double roughness, uint32_t seed) {
  QPainterPath path;
  for (int i = 0; i <= kFireballLobes; ++i) {
    double angle = 2 * kPi * i / kFireballLobes;
    double wobble = ArtNoise(std::cos(angle) * 1.6 + 3, std::sin(angle) * 1.6 + 3, seed, 2);
    double r = radius * (1.0 - roughness + 2 * roughness * wobble);
    QPointF point = centre + QPointF(std::cos(angle) * r, std::sin(angle) * r * 1.15);
    if (i == 0) path.moveTo(point); else path.lineTo(point);
  }
  path.closeSubpath();
  return path;
}

QImage DrawBlastFrame(int frame) {
  QImage canvas = CreateCanvas(kBlastWidth, kBlastHeight);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QPointF centre(kBlastWidth / 2.0, kBlastHeight / 2.0);
  double t = (frame - 1) / double(kBlastFrames - 1);  // 0 at the flash, 1 when gone

  // Smoke ring: grows and thins out over the second half.
  if (t > 0.25) {
    double smokeT = (t - 0.25) / 0.75;
    double radius = 10 + 13 * smokeT;
    int alpha = int(190 * std::sqrt(1 - smokeT));
    QColor smoke(70, 62, 60, alpha);
    QColor clear(70, 62, 60, 0);
    QRadialGradient ring(centre, radius);
    ring.setColorAt(0.0, QColor(70, 62, 60, alpha / 4));
    ring.setColorAt(0.55, QColor(70, 62, 60, alpha / 2));
    ring.setColorAt(0.8, smoke);
    ring.setColorAt(1.0, clear);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ring);
    painter.drawPath(BillowPath(centre, radius, 0.12, kBlastSeed + frame));
  }

  // Fireball: white hot at first, cooling to orange and red, then collapsing.
  if (t < 0.75) {
    double fireT = t / 0.75;
    double radius = 7 + 16 * std::sin(std::min(1.0, fireT * 1.6) * kPi / 2) * (1 - 0.5 * fireT * fireT);
    int alpha = int(255 * (1 - fireT * fireT));
    QRadialGradient fire(centre, radius);
    fire.setColorAt(0.0, QColor(255, 255, 235, alpha));
    fire.setColorAt(0.3 + 0.3 * fireT, QColor(255, 206, 90, alpha));
    fire.setColorAt(0.8, QColor(232, 96, 30, alpha * 3 / 4));
    fire.setColorAt(1.0, QColor(150, 30, 20, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fire);
    painter.drawPath(BillowPath(centre, radius, 0.18, kBlastSeed + 7 * frame));
  }

  // First frames: a sharp flash with rays.
  if (frame <= 3) {
    painter.save();
    painter.translate(centre);
    painter.rotate(frame * 15);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 230 - 50 * frame));
    painter.drawPath(SparklePath(QPointF(0, 0), 10 + 7 * frame, 5));
    painter.restore();
  }

  // Debris: sparks flying outward on fixed tracks, fading as they go.
  ArtRandom random{kBlastSeed};
  for (int i = 0; i < kBlastDebris; ++i) {
    double angle = ArtRange(random, 0, 2 * kPi);
    double speed = ArtRange(random, 0.6, 1.0);
    double distance = 4 + 22 * speed * std::sqrt(t);
    QPointF point = centre + QPointF(std::cos(angle) * distance, std::sin(angle) * distance * 1.2);
    int alpha = int(255 * (1 - t));
    if (alpha <= 0) continue;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 214, 110, alpha));
    painter.drawEllipse(point, 1.3, 1.3);
  }
  return canvas;
}

// ---- Shadow -----------------------------------------------------------------------------------

// Drawn at 3 px up-left of its tile and before it, so the dark shape lies further right and
// down than the tile and shows past its right and bottom edges.
const int kShadowWidth = 58;
const int kShadowHeight = 70;
const QRectF kShadowShape(7, 8, 48, 60);
const int kShadowBlur = 2;
const int kShadowDensity = 130;

QImage DrawTileShadow() {
  QImage canvas = CreateCanvas(kShadowWidth, kShadowHeight);
  {
    QPainter painter(&canvas);
    PreparePainter(painter);
    painter.setPen(Qt::NoPen);
    QColor shade = kArt.ink;
    shade.setAlpha(kShadowDensity);
    painter.setBrush(shade);
    painter.drawRoundedRect(kShadowShape, 5, 5);
  }
  return BlurPicture(canvas, kShadowBlur);
}

// ---- Pointer ----------------------------------------------------------------------------------

const int kPointerSize = 32;

QImage DrawPointer() {
  const QPolygonF arrow({QPointF(0.5, 0.5), QPointF(0.5, 22), QPointF(5.5, 17.5), QPointF(9.5, 26.5),
                         QPointF(13.5, 24.8), QPointF(9.6, 16), QPointF(16.5, 16), QPointF(0.5, 0.5)});
  QImage shadow = CreateCanvas(kPointerSize, kPointerSize);
  {
    QPainter painter(&shadow);
    PreparePainter(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawPolygon(arrow.translated(2.5, 2.5));
  }
  QImage canvas = BlurPicture(shadow, 1);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QLinearGradient body(QPointF(0, 0), QPointF(12, 24));
  body.setColorAt(0.0, QColor(255, 252, 240));
  body.setColorAt(1.0, kArt.ivory.darker(112));
  painter.setBrush(body);
  painter.setPen(QPen(kArt.ink, 1.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.drawPolygon(arrow);
  painter.setPen(QPen(kArt.gold, 1.0));
  painter.drawLine(QPointF(2.5, 5), QPointF(2.5, 17));
  painter.end();
  // The tip is the hot spot: keep it crisp and opaque.
  canvas.setPixel(0, 0, kArt.ink.rgb());
  canvas.setPixel(0, 1, kArt.ink.rgb());
  canvas.setPixel(1, 1, kArt.ink.rgb());
  return canvas;
}

// ---- Ornaments --------------------------------------------------------------------------------

const int kMedallionSize = 48;
const int kCloudWidth = 64;
const int kCloudHeight = 40;

QImage DrawMedallion() {
  QImage canvas = CreateCanvas(kMedallionSize, kMedallionSize);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QRectF disc(2, 2, kMedallionSize - 4, kMedallionSize - 4);
  DrawLacquerPlate(painter, disc, disc.width() / 2, kArt.vermilion);
  DrawGoldPath(painter, CentredTextPath(QString::fromUtf8("福"), ChineseFont(26), disc), 1.2);
  return canvas;
}

QImage DrawCloudScroll() {
  QImage canvas = CreateCanvas(kCloudWidth, kCloudHeight);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QPainterPath cloud;
  cloud.addEllipse(QPointF(20, 24), 12, 10);
  cloud.addEllipse(QPointF(34, 16), 13, 12);
  cloud.addEllipse(QPointF(47, 24), 11, 9);
  cloud.addRoundedRect(QRectF(10, 24, 46, 10), 5, 5);
  cloud = cloud.simplified();
  QLinearGradient body(QPointF(0, 4), QPointF(0, 36));
  body.setColorAt(0.0, kArt.jade.lighter(140));
  body.setColorAt(1.0, kArt.jadeDark);
  painter.setBrush(body);
  painter.setPen(QPen(kArt.gold, 1.6));
  painter.drawPath(cloud);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kArt.goldLight, 1.2));
  painter.drawArc(QRectF(28, 10, 12, 12), 30 * 16, 260 * 16);
  painter.drawArc(QRectF(15, 19, 9, 9), 60 * 16, 240 * 16);
  return canvas;
}

}  // namespace

// ---- Entry ------------------------------------------------------------------------------------

bool WriteEffectPictures(const std::string& imagesDirectory) {
  const std::string& d = imagesDirectory;
  bool written = SavePng(DrawStar(kStarSize, QColor(255, 214, 110, 200), false), d + "xing.png") &&
                 SavePng(DrawStar(kSmallStarSize, QColor(200, 240, 255, 170), true), d + "xing1.png") &&
                 SavePng(DrawBlossom(), d + "Donghua/11.png") &&
                 SavePng(DrawRing(), d + "Donghua/12.png") &&
                 SavePng(DrawJadeSpark(), d + "Donghua/13.png") &&
                 SavePng(DrawSpark(), d + "Donghua/14.png") &&
                 SavePng(DrawEmber(), d + "Donghua/15.png") &&
                 SavePng(DrawTileShadow(), d + "yinying.png") &&
                 SavePng(DrawPointer(), d + "Mouse.png") &&
                 SavePng(DrawMedallion(), d + "1.png") &&
                 SavePng(DrawCloudScroll(), d + "2.png");
  for (int frame = 1; written && frame <= kBlastFrames; ++frame) {
    written = SavePng(DrawBlastFrame(frame), d + "zhadan/" + std::to_string(frame) + ".png");
  }
  return written;
}
