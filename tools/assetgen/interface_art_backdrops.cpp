// Backdrops: the nine scenes (game and editor sizes), the bottom bar, the help panel and the
// loading frame and bar.
//
// Sections: scene tools; the nine scenes; bottom bar; help panel; loading pictures; entry.
#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "interface_art_kit.h"
#include "interface_art_sets.h"

namespace {

const double kPi = 3.14159265358979323846;
const int kScreenWidth = 930;
const int kGameHeight = 625;    // game backgrounds
const int kEditorHeight = 570;  // the editor's drawing area
const int kSceneCount = 9;
const int kNoiseReduction = 4;  // noise textures are computed at a quarter size and smoothed up

// ---- Scene tools ------------------------------------------------------------------------------

void FillVertical(QPainter& painter, const QRectF& box, const QColor& top, const QColor& bottom) {
  QLinearGradient fill(box.topLeft(), box.bottomLeft());
  fill.setColorAt(0.0, top);
  fill.setColorAt(1.0, bottom);
  painter.fillRect(box, fill);
}

// A soft cloudy texture: colour with alpha from noise above a threshold.
void DrawNoiseVeil(QPainter& painter, int width, int height, uint32_t seed, double scale,
                   const QColor& colour, double threshold) {
  int w = width / kNoiseReduction + 1, h = height / kNoiseReduction + 1;
  QImage veil(w, h, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < h; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(veil.scanLine(y));
    for (int x = 0; x < w; ++x) {
      double n = ArtNoise(x * scale * kNoiseReduction, y * scale * kNoiseReduction * 1.8, seed, 4);
      double a = std::clamp((n - threshold) / (1.0 - threshold), 0.0, 1.0) * colour.alphaF();
      int alpha = int(a * 255);
      row[x] = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), alpha));
    }
  }
  painter.drawImage(QRectF(0, 0, width, height),
                    veil.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// A mountain ridge from noise across the width, filled down to the bottom.
QPainterPath RidgePath(int width, int height, double baseY, double amplitude, double frequency, uint32_t seed) {
  QPainterPath path;
  path.moveTo(0, height);
  for (int x = 0; x <= width; x += 3) {
    double n = ArtNoise(x * frequency, 0.5, seed, 4);
    path.lineTo(x, baseY - amplitude * (n * n * 1.6));
  }
  path.lineTo(width, height);
  path.closeSubpath();
  return path;
}

void DrawMist(QPainter& painter, int width, double centreY, double thickness, int alpha) {
  QLinearGradient band(QPointF(0, centreY - thickness), QPointF(0, centreY + thickness));
  band.setColorAt(0.0, QColor(220, 226, 230, 0));
  band.setColorAt(0.5, QColor(220, 226, 230, alpha));
  band.setColorAt(1.0, QColor(220, 226, 230, 0));
  painter.fillRect(QRectF(0, centreY - thickness, width, thickness * 2), band);
}

void DrawMoon(QPainter& painter, const QPointF& centre, double radius, const QColor& light) {
  QColor halo = light;
  halo.setAlpha(70);
  DrawGlow(painter, centre, radius * 3.2, halo);
  QRadialGradient disc(centre - QPointF(radius * 0.3, radius * 0.3), radius * 1.4);
  disc.setColorAt(0.0, light.lighter(112));
  disc.setColorAt(1.0, light.darker(115));
  painter.setPen(Qt::NoPen);
  painter.setBrush(disc);
  painter.drawEllipse(centre, radius, radius);
}

// Darkens the edges so the middle, where the tiles lie, stays calm.
void DrawVignette(QPainter& painter, int width, int height) {
  QRadialGradient shade(QPointF(width / 2.0, height / 2.0), width * 0.62);
  shade.setColorAt(0.0, QColor(0, 0, 0, 0));
  shade.setColorAt(0.7, QColor(0, 0, 0, 30));
  shade.setColorAt(1.0, QColor(0, 0, 0, 120));
  painter.fillRect(QRectF(0, 0, width, height), shade);
}

// An auspicious cloud scroll: three lobes with curled ends.
QPainterPath CloudScrollPath(const QPointF& at, double size) {
  QPainterPath cloud;
  cloud.addEllipse(at + QPointF(-size * 0.55, size * 0.1), size * 0.45, size * 0.38);
  cloud.addEllipse(at + QPointF(0, -size * 0.15), size * 0.55, size * 0.5);
  cloud.addEllipse(at + QPointF(size * 0.6, size * 0.1), size * 0.42, size * 0.36);
  cloud.addRoundedRect(QRectF(at.x() - size * 0.95, at.y() + size * 0.05, size * 1.9, size * 0.42), size * 0.2, size * 0.2);
  return cloud.simplified();
}

// ---- The nine scenes --------------------------------------------------------------------------

void PaintMountains(QPainter& painter, int w, int h) {
  FillVertical(painter, QRectF(0, 0, w, h), QColor(30, 44, 66), QColor(78, 96, 108));
  DrawMoon(painter, QPointF(w * 0.8, h * 0.16), 30, QColor(240, 232, 200));
  DrawNoiseVeil(painter, w, h / 2, 11, 0.006, QColor(200, 210, 220, 70), 0.45);
  const QColor ridges[] = {QColor(74, 92, 110), QColor(56, 74, 88), QColor(40, 56, 66), QColor(26, 38, 44)};
  for (int i = 0; i < 4; ++i) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ridges[i]);
    painter.drawPath(RidgePath(w, h, h * (0.42 + 0.14 * i), h * (0.28 - 0.04 * i), 0.004 + 0.0015 * i, 31 + i));
    DrawMist(painter, w, h * (0.46 + 0.14 * i), h * 0.06, 80 - 12 * i);
  }
}

void PaintBamboo(QPainter& painter, int w, int h) {
  FillVertical(painter, QRectF(0, 0, w, h), QColor(24, 52, 40), QColor(14, 30, 24));
  DrawNoiseVeil(painter, w, h, 21, 0.005, QColor(150, 190, 150, 60), 0.5);
  ArtRandom random{0xBA3B00u};
  for (int layer = 0; layer < 3; ++layer) {
    QColor stalk = QColor(60, 110, 74).darker(100 + 45 * layer);
    int count = 9 - 2 * layer;
    for (int i = 0; i < count; ++i) {
      double x = ArtRange(random, -20, w + 20);
      double thickness = 8 + 6 * layer + ArtRange(random, 0, 5);
      QLinearGradient body(QPointF(x, 0), QPointF(x + thickness, 0));
      body.setColorAt(0.0, stalk.lighter(125));
      body.setColorAt(1.0, stalk.darker(130));
      painter.setPen(Qt::NoPen);
      painter.setBrush(body);
      painter.drawRect(QRectF(x, 0, thickness, h));
      double segment = ArtRange(random, 70, 110);
      painter.setPen(QPen(stalk.darker(160), 2.0));
      for (double y = ArtRange(random, 0, segment); y < h; y += segment) {
        painter.drawLine(QPointF(x - 1, y), QPointF(x + thickness + 1, y));
      }
      painter.setPen(Qt::NoPen);
      painter.setBrush(stalk.darker(110));
      for (int leaf = 0; leaf < 5; ++leaf) {
        double ly = ArtRange(random, h * 0.05, h * 0.8);
        double angle = ArtRange(random, -40, 40) + (leaf % 2 ? 180 : 0);
        painter.save();
        painter.translate(x + thickness / 2, ly);
        painter.rotate(angle);
        QPainterPath blade;
        blade.moveTo(0, 0);
        blade.quadTo(22, -7, 50 + 10 * layer, 0);
        blade.quadTo(22, 6, 0, 0);
        painter.drawPath(blade);
        painter.restore();
      }
    }
    DrawNoiseVeil(painter, w, h, 23 + layer, 0.006, QColor(180, 210, 180, 45), 0.55);
  }
}

void PaintWaves(QPainter& painter, int w, int h) {
  FillVertical(painter, QRectF(0, 0, w, h), QColor(22, 38, 70), QColor(14, 24, 46));
  const double radius = 42;
  painter.setBrush(Qt::NoBrush);
  for (int row = 0; row * radius * 0.5 < h + radius; ++row) {
    double y = row * radius * 0.5;
    double shift = (row % 2) ? radius : 0;
    for (double x = -radius + shift; x < w + radius; x += radius * 2) {
      for (int ring = 4; ring >= 1; --ring) {
        double r = radius * ring / 4.0;
        painter.setPen(Qt::NoPen);
        painter.setBrush(ring % 2 ? QColor(30, 52, 92) : QColor(24, 42, 78));
        painter.drawPie(QRectF(x - r, y - r, r * 2, r * 2), 0, 180 * 16);
        painter.setPen(QPen(QColor(90, 120, 160, 110), 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(x - r, y - r, r * 2, r * 2), 0, 180 * 16);
      }
    }
  }
  QLinearGradient calm(QPointF(0, 0), QPointF(0, h));
  calm.setColorAt(0.0, QColor(12, 20, 40, 120));
  calm.setColorAt(0.5, QColor(12, 20, 40, 60));
  calm.setColorAt(1.0, QColor(12, 20, 40, 140));
  painter.fillRect(QRectF(0, 0, w, h), calm);
}

void PaintClouds(QPainter& painter, int w, int h) {
  FillVertical(painter, QRectF(0, 0, w, h), QColor(96, 30, 26), QColor(48, 14, 14));
  DrawNoiseVeil(painter, w, h, 41, 0.004, QColor(150, 60, 40, 80), 0.4);
  ArtRandom random{0xC10D5u};
  for (int i = 0; i < 16; ++i) {
    QPointF at(ArtRange(random, 0, w), ArtRange(random, 0, h));
    double size = ArtRange(random, 40, 90);
    QPainterPath cloud = CloudScrollPath(at, size);
    painter.setPen(QPen(QColor(232, 186, 72, 90), 2.0));
    painter.setBrush(QColor(130, 44, 34, 110));
    painter.drawPath(cloud);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(at.x() - size * 0.2, at.y() - size * 0.35, size * 0.4, size * 0.4), 30 * 16, 270 * 16);
  }
}

void PaintLattice(QPainter& painter, int w, int h) {
  FillVertical(painter, QRectF(0, 0, w, h), QColor(72, 44, 30), QColor(40, 24, 18));
  DrawGlow(painter, QPointF(w / 2.0, h * 0.45), w * 0.55, QColor(230, 170, 90, 90));
  const double cell = 62;
  QPen frame(QColor(30, 18, 12, 200), 6);
  QPen inlay(QColor(180, 130, 70, 70), 1.5);
  for (double y = 0; y < h; y += cell) {
    for (double x = 0; x < w; x += cell) {
      QRectF box(x, y, cell, cell);
      painter.setBrush(Qt::NoBrush);
      painter.setPen(frame);
      painter.drawRect(box);
      // A fret (回) motif inside each cell.
      painter.setPen(inlay);
      painter.drawRect(box.adjusted(12, 12, -12, -12));
      painter.drawRect(box.adjusted(22, 22, -22, -22));
      painter.drawLine(QPointF(box.left() + 12, box.center().y()), QPointF(box.left() + 22, box.center().y()));
      painter.drawLine(QPointF(box.right() - 12, box.center().y()), QPointF(box.right() - 22, box.center().y()));
    }
  }
  DrawNoiseVeil(painter, w, h, 51, 0.01, QColor(20, 10, 6, 90), 0.35);
}

void PaintLotus(QPainter& painter, int w, int h) {
  FillVertical(painter, QRectF(0, 0, w, h), QColor(18, 56, 60), QColor(10, 32, 36));
  painter.setBrush(Qt::NoBrush);
  ArtRandom random{0x10705u};
  for (int i = 0; i < 12; ++i) {
    QPointF at(ArtRange(random, 0, w), ArtRange(random, 0, h));
    for (int ring = 1; ring <= 4; ++ring) {
      painter.setPen(QPen(QColor(120, 180, 180, 60 - 12 * ring), 1.2));
      painter.drawEllipse(at, ring * 18.0, ring * 7.0);
    }
  }
  for (int i = 0; i < 14; ++i) {
    QPointF at(ArtRange(random, -30, w + 30), ArtRange(random, -20, h + 20));
    double r = ArtRange(random, 36, 70);
    QRadialGradient leaf(at, r);
    leaf.setColorAt(0.0, QColor(60, 110, 60));
    leaf.setColorAt(1.0, QColor(30, 70, 40));
    painter.setPen(QPen(QColor(20, 46, 30), 1.5));
    painter.setBrush(leaf);
    double notch = ArtRange(random, 0, 360);
    painter.drawPie(QRectF(at.x() - r, at.y() - r * 0.8, r * 2, r * 1.6), int(notch * 16), 340 * 16);
    painter.setPen(QPen(QColor(90, 140, 80, 120), 1.0));
    for (int vein = 0; vein < 8; ++vein) {
      double angle = vein * kPi / 4;
      painter.drawLine(at, at + QPointF(std::cos(angle) * r * 0.85, std::sin(angle) * r * 0.68));
    }
  }
  for (int i = 0; i < 5; ++i) {
    QPointF at(ArtRange(random, 40, w - 40), ArtRange(random, 40, h - 60));
    for (int petal = 0; petal < 7; ++petal) {
      painter.save();
      painter.translate(at);
      painter.rotate(-75 + petal * 25);
      QLinearGradient pink(QPointF(0, 0), QPointF(0, -26));
      pink.setColorAt(0.0, QColor(240, 220, 220));
      pink.setColorAt(1.0, QColor(214, 110, 130));
      painter.setPen(QPen(QColor(140, 60, 80), 0.8));
      painter.setBrush(pink);
      QPainterPath leafShape;
      leafShape.moveTo(0, 0);
      leafShape.quadTo(9, -14, 0, -28);
      leafShape.quadTo(-9, -14, 0, 0);
      painter.drawPath(leafShape);
      painter.restore();
    }
  }
  DrawNoiseVeil(painter, w, h, 61, 0.005, QColor(190, 220, 220, 40), 0.5);
}

void PaintInkWash(QPainter& painter, int w, int h) {
  FillVertical(painter, QRectF(0, 0, w, h), QColor(128, 120, 106), QColor(96, 90, 80));
  DrawNoiseVeil(painter, w, h, 71, 0.02, QColor(90, 80, 70, 60), 0.45);
  for (int i = 0; i < 3; ++i) {
    QPainterPath ridge = RidgePath(w, h, h * (0.5 + 0.16 * i), h * (0.36 - 0.06 * i), 0.005 + 0.002 * i, 77 + i);
    QLinearGradient ink(QPointF(0, h * (0.15 + 0.16 * i)), QPointF(0, h * (0.75 + 0.1 * i)));
    ink.setColorAt(0.0, QColor(40, 38, 36, 210 + 15 * i));
    ink.setColorAt(1.0, QColor(40, 38, 36, 40));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(ridge);
    DrawMist(painter, w, h * (0.55 + 0.16 * i), h * 0.07, 45);
  }
  QRectF seal(w - 86, 40, 40, 40);
  painter.setBrush(QColor(168, 40, 32, 200));
  painter.drawRoundedRect(seal, 4, 4);
  QPainterPath mark = CentredTextPath(QString::fromUtf8("雅"), ChineseFont(28), seal);
  painter.setBrush(QColor(236, 220, 200, 220));
  painter.drawPath(mark);
}

// A gnarled branch from start, forking twice, with blossoms at the tips.
void DrawPlumBranch(QPainter& painter, ArtRandom& random, QPointF start, double angle, double length, int depth) {
  QPointF end = start + QPointF(std::cos(angle) * length, std::sin(angle) * length);
  QPointF bend = (start + end) / 2 + QPointF(ArtRange(random, -12, 12), ArtRange(random, -12, 12));
  QPainterPath limb;
  limb.moveTo(start);
  limb.quadTo(bend, end);
  painter.setPen(QPen(QColor(78, 56, 58), 2.0 + depth * 2.5, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(limb);
  if (depth > 0) {
    DrawPlumBranch(painter, random, end, angle + ArtRange(random, 0.2, 0.6), length * 0.7, depth - 1);
    DrawPlumBranch(painter, random, end, angle - ArtRange(random, 0.2, 0.6), length * 0.72, depth - 1);
  }
  for (int i = 0; i < 3 - depth; ++i) {
    QPointF at = start + (end - start) * ArtRange(random, 0.3, 1.0);
    for (int petal = 0; petal < 5; ++petal) {
      double a = petal * 2 * kPi / 5;
      painter.setPen(Qt::NoPen);
      painter.setBrush(QColor(226, 120, 140, 220));
      painter.drawEllipse(at + QPointF(std::cos(a) * 4, std::sin(a) * 4), 3.6, 3.6);
    }
    painter.setBrush(kArt.goldLight);
    painter.drawEllipse(at, 1.6, 1.6);
  }
}

void PaintPlum(QPainter& painter, int w, int h) {
  FillVertical(painter, QRectF(0, 0, w, h), QColor(40, 30, 58), QColor(22, 18, 34));
  DrawMoon(painter, QPointF(w * 0.22, h * 0.2), 42, QColor(236, 226, 200));
  DrawNoiseVeil(painter, w, h, 81, 0.005, QColor(150, 130, 170, 50), 0.5);
  ArtRandom random{0x9A1Au};
  DrawPlumBranch(painter, random, QPointF(w + 10, h * 0.12), kPi * 0.86, 210, 3);
  DrawPlumBranch(painter, random, QPointF(-10, h * 0.85), -kPi * 0.18, 190, 3);
}

void PaintPineMoon(QPainter& painter, int w, int h) {
  FillVertical(painter, QRectF(0, 0, w, h), QColor(24, 26, 54), QColor(60, 50, 80));
  DrawMoon(painter, QPointF(w * 0.62, h * 0.28), 70, QColor(246, 226, 170));
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(34, 32, 56));
  painter.drawPath(RidgePath(w, h, h * 0.78, h * 0.2, 0.003, 91));
  painter.setBrush(QColor(20, 20, 36));
  painter.drawPath(RidgePath(w, h, h * 0.9, h * 0.12, 0.006, 92));
  // A leaning pine: trunk with flat needle clouds.
  QPainterPath trunk;
  trunk.moveTo(w * 0.08, h);
  trunk.cubicTo(w * 0.1, h * 0.7, w * 0.2, h * 0.5, w * 0.32, h * 0.3);
  painter.setPen(QPen(QColor(22, 18, 22), 14, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(trunk);
  ArtRandom random{0x914Eu};
  for (int i = 0; i < 7; ++i) {
    double t = 0.3 + 0.1 * i;
    QPointF at = trunk.pointAtPercent(std::min(t, 1.0));
    double side = (i % 2) ? 1 : -1;
    QPointF pad = at + QPointF(side * ArtRange(random, 30, 70), ArtRange(random, -10, 5));
    painter.setPen(QPen(QColor(22, 18, 22), 5));
    painter.drawLine(at, pad);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(24, 40, 34));
    painter.drawEllipse(pad, ArtRange(random, 60, 90), ArtRange(random, 15, 24));
    painter.setBrush(QColor(36, 58, 46));
    painter.drawEllipse(pad - QPointF(0, 6), ArtRange(random, 40, 60), ArtRange(random, 8, 13));
  }
  DrawMist(painter, w, h * 0.8, h * 0.06, 60);
}

using ScenePainter = std::function<void(QPainter&, int, int)>;

QImage DrawScene(int index, int width, int height) {
  static const ScenePainter kScenes[kSceneCount] = {
      PaintMountains, PaintBamboo, PaintWaves, PaintClouds, PaintLattice,
      PaintLotus,     PaintInkWash, PaintPlum, PaintPineMoon};
  QImage scene(width, height, QImage::Format_RGB32);
  QPainter painter(&scene);
  PreparePainter(painter);
  kScenes[index](painter, width, height);
  DrawVignette(painter, width, height);
  return scene;
}

// ---- Bottom bar -------------------------------------------------------------------------------

const int kBarWidth = 930;
const int kBarHeight = 75;
const QRectF kBarLeftWell(4, 10, 254, 62);     // level and score area
const QRectF kBarTray(264, 6, 372, 66);        // the five panel buttons
const QRectF kBarRightWell(642, 10, 284, 62);  // counts and clock

QImage DrawBottomBar() {
  QImage canvas = CreateCanvas(kBarWidth, kBarHeight);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QLinearGradient wood(QPointF(0, 0), QPointF(0, kBarHeight));
  wood.setColorAt(0.0, QColor(96, 34, 26));
  wood.setColorAt(0.15, QColor(70, 24, 20));
  wood.setColorAt(1.0, QColor(34, 14, 14));
  painter.fillRect(QRectF(0, 0, kBarWidth, kBarHeight), wood);
  DrawNoiseVeil(painter, kBarWidth, kBarHeight, 101, 0.03, QColor(20, 6, 6, 70), 0.4);
  // Gold rail along the top edge.
  QLinearGradient rail(QPointF(0, 0), QPointF(0, 5));
  rail.setColorAt(0.0, kArt.goldLight);
  rail.setColorAt(1.0, kArt.goldDark);
  painter.fillRect(QRectF(0, 0, kBarWidth, 4), rail);
  painter.fillRect(QRectF(0, 4, kBarWidth, 1), kArt.ink);
  for (const QRectF& well : {kBarLeftWell, kBarRightWell}) {
    QLinearGradient inset(well.topLeft(), well.bottomLeft());
    inset.setColorAt(0.0, QColor(18, 8, 8, 230));
    inset.setColorAt(1.0, QColor(40, 18, 16, 230));
    painter.setPen(QPen(QColor(kArt.gold.red(), kArt.gold.green(), kArt.gold.blue(), 120), 1.0));
    painter.setBrush(inset);
    painter.drawRoundedRect(well, 8, 8);
  }
  painter.setPen(QPen(QColor(kArt.gold.red(), kArt.gold.green(), kArt.gold.blue(), 70), 1.0));
  painter.setBrush(QColor(0, 0, 0, 40));
  painter.drawRoundedRect(kBarTray, 10, 10);
  return canvas;
}

// ---- Help panel -------------------------------------------------------------------------------

const int kHelpWidth = 880;
const int kHelpHeight = 490;

QImage DrawHelpPanel() {
  QImage canvas = CreateCanvas(kHelpWidth, kHelpHeight);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QRectF panel(3, 3, kHelpWidth - 6, kHelpHeight - 6);
  QLinearGradient body(panel.topLeft(), panel.bottomLeft());
  body.setColorAt(0.0, QColor(34, 22, 24));
  body.setColorAt(1.0, QColor(14, 10, 12));
  painter.setPen(QPen(kArt.gold, 3.0));
  painter.setBrush(body);
  painter.drawRoundedRect(panel, 18, 18);
  painter.setPen(QPen(kArt.goldDark, 1.2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(panel.adjusted(9, 9, -9, -9), 12, 12);
  painter.setPen(QPen(QColor(kArt.gold.red(), kArt.gold.green(), kArt.gold.blue(), 110), 1.6));
  painter.setBrush(QColor(120, 40, 30, 60));
  for (QPointF corner : {QPointF(50, 46), QPointF(kHelpWidth - 50, 46), QPointF(50, kHelpHeight - 30),
                         QPointF(kHelpWidth - 50, kHelpHeight - 30)}) {
    painter.drawPath(CloudScrollPath(corner, 26));
  }
  return canvas;
}

// ---- Loading pictures -------------------------------------------------------------------------

// The frame lies at (125, 200) around the bar at (135, 210), at most 680 x 147.
const int kLoadFrameWidth = 700;
const int kLoadFrameHeight = 167;
const int kLoadFrameBorder = 10;
const int kLoadBarWidth = 64;  // zoomed to the progress; uniform along x so it stretches
const int kLoadBarHeight = 147;

QImage DrawLoadingFrame() {
  QImage canvas = CreateCanvas(kLoadFrameWidth, kLoadFrameHeight);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QRectF outer(0.5, 0.5, kLoadFrameWidth - 1, kLoadFrameHeight - 1);
  QRectF inner(kLoadFrameBorder, kLoadFrameBorder, kLoadFrameWidth - 2 * kLoadFrameBorder,
               kLoadFrameHeight - 2 * kLoadFrameBorder);
  QPainterPath ring;
  ring.addRoundedRect(outer, 12, 12);
  ring.addRect(inner);
  ring.setFillRule(Qt::OddEvenFill);
  QLinearGradient lacquer(outer.topLeft(), outer.bottomLeft());
  lacquer.setColorAt(0.0, kArt.vermilion.lighter(120));
  lacquer.setColorAt(1.0, kArt.vermilionDark);
  painter.setPen(QPen(kArt.ink, 1.0));
  painter.setBrush(lacquer);
  painter.drawPath(ring);
  painter.setPen(QPen(kArt.gold, 1.6));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(outer.adjusted(3, 3, -3, -3), 9, 9);
  painter.setPen(QPen(kArt.goldLight, 1.0));
  painter.drawRect(inner.adjusted(-1, -1, 1, 1));
  // The empty trough, faintly dark so the bar's growth reads; the percentage drawn under the
  // frame must stay legible through it.
  painter.fillRect(inner, QColor(10, 8, 8, 40));
  return canvas;
}

constexpr int kLoadBarAlpha = 110;

QImage DrawLoadingBar() {
  QImage canvas = CreateCanvas(kLoadBarWidth, kLoadBarHeight);
  QPainter painter(&canvas);
  QLinearGradient tube(QPointF(0, 0), QPointF(0, kLoadBarHeight));
  tube.setColorAt(0.0, kArt.jade.lighter(190));
  tube.setColorAt(0.12, kArt.jade.lighter(140));
  tube.setColorAt(0.5, kArt.jade);
  tube.setColorAt(0.85, kArt.jadeDark);
  tube.setColorAt(1.0, kArt.gold);
  painter.fillRect(QRectF(0, 0, kLoadBarWidth, kLoadBarHeight), tube);
  QLinearGradient gloss(QPointF(0, 8), QPointF(0, 50));
  gloss.setColorAt(0.0, QColor(255, 255, 255, 90));
  gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
  painter.fillRect(QRectF(0, 8, kLoadBarWidth, 42), gloss);
  // The percentage is drawn before the bar, so the bar is glass: the figure shows through it.
  painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
  painter.fillRect(QRectF(0, 0, kLoadBarWidth, kLoadBarHeight), QColor(0, 0, 0, kLoadBarAlpha));
  return canvas;
}

}  // namespace

// ---- Entry ------------------------------------------------------------------------------------

bool WriteBackdropPictures(const std::string& imagesDirectory) {
  for (int i = 0; i < kSceneCount; ++i) {
    std::string name = imagesDirectory + "bg" + std::to_string(i + 1);
    if (!SaveJpeg(DrawScene(i, kScreenWidth, kGameHeight), name + ".jpg")) return false;
    if (!SaveJpeg(DrawScene(i, kScreenWidth, kEditorHeight), name + ".93-17")) return false;
  }
  return SavePng(DrawBottomBar(), imagesDirectory + "xiabg.png") &&
         SavePng(DrawHelpPanel(), imagesDirectory + "shuoming.png") &&
         SavePng(DrawLoadingFrame(), imagesDirectory + "Xianshi/37.png") &&
         SavePng(DrawLoadingBar(), imagesDirectory + "Xianshi/38.png");
}
