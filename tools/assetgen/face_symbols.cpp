// The symbols on the 42 large faces: dots, characters, bamboo, winds, flowers, dragons and
// seasons, painted into the 42 x 54 front of a tile.
//
// Sections: shared pieces (coins, sticks, glyphs), the suit layouts, the bird, the honours,
// PaintFaceSymbol.
#include <QPainterPath>
#include <QString>
#include <array>
#include <cmath>
#include <vector>

#include "tools/assetgen/tile_faces.h"
#include "tools/assetgen/tile_palette.h"

namespace {

enum class Ink { Jade, Vermilion, Blue, Ink };

QColor ColourOf(Ink ink) {
  switch (ink) {
    case Ink::Jade: return gPalette.jade;
    case Ink::Vermilion: return gPalette.vermilion;
    case Ink::Blue: return gPalette.blue;
    case Ink::Ink: return gPalette.ink;
  }
  return gPalette.ink;
}

// A placed piece of a suit, in front coordinates (front 42 x 54).
struct Piece {
  double x;       // centre
  double y;
  double size;    // coin radius or stick length
  Ink ink;
};

// Coin rings as fractions of the radius.
constexpr double CoinInnerRing = 0.58;
constexpr double CoinCentre = 0.3;
// Below this radius a coin keeps only a bright centre.
constexpr double CoinSmallRadius = 6.0;
constexpr double CoinSmallCentre = 0.42;

constexpr double StickWidth = 5.6;
constexpr double StickNarrowWidth = 4.6;
constexpr double StickJointInset = 0.22;   // joints from the ends, as a share of the length

// Dots 1..9; dot 1 is the large ornamental coin, drawn separately.
const std::array<std::vector<Piece>, 9> DotLayouts = {{
    {},
    {{21, 15, 8.5, Ink::Jade}, {21, 39, 8.5, Ink::Blue}},
    {{10, 12, 6.6, Ink::Blue}, {21, 27, 6.6, Ink::Vermilion}, {32, 42, 6.6, Ink::Jade}},
    {{12, 15, 7.4, Ink::Blue}, {30, 15, 7.4, Ink::Jade}, {12, 39, 7.4, Ink::Jade},
     {30, 39, 7.4, Ink::Blue}},
    {{11, 12, 6.4, Ink::Blue}, {31, 12, 6.4, Ink::Jade}, {21, 27, 6.4, Ink::Vermilion},
     {11, 42, 6.4, Ink::Jade}, {31, 42, 6.4, Ink::Blue}},
    {{12.5, 11, 6.1, Ink::Jade}, {29.5, 11, 6.1, Ink::Jade}, {12.5, 30, 6.1, Ink::Vermilion},
     {29.5, 30, 6.1, Ink::Vermilion}, {12.5, 43.5, 6.1, Ink::Vermilion},
     {29.5, 43.5, 6.1, Ink::Vermilion}},
    {{9, 8.5, 4.6, Ink::Jade}, {21, 13.5, 4.6, Ink::Jade}, {33, 18.5, 4.6, Ink::Jade},
     {13.5, 32, 5.6, Ink::Vermilion}, {28.5, 32, 5.6, Ink::Vermilion},
     {13.5, 44.5, 5.6, Ink::Vermilion}, {28.5, 44.5, 5.6, Ink::Vermilion}},
    {{13, 9, 5.2, Ink::Blue}, {29, 9, 5.2, Ink::Blue}, {13, 20.5, 5.2, Ink::Blue},
     {29, 20.5, 5.2, Ink::Blue}, {13, 33.5, 5.2, Ink::Blue}, {29, 33.5, 5.2, Ink::Blue},
     {13, 45, 5.2, Ink::Blue}, {29, 45, 5.2, Ink::Blue}},
    {{9.5, 11, 5.5, Ink::Jade}, {21, 11, 5.5, Ink::Jade}, {32.5, 11, 5.5, Ink::Jade},
     {9.5, 27, 5.5, Ink::Vermilion}, {21, 27, 5.5, Ink::Vermilion},
     {32.5, 27, 5.5, Ink::Vermilion}, {9.5, 43, 5.5, Ink::Blue}, {21, 43, 5.5, Ink::Blue},
     {32.5, 43, 5.5, Ink::Blue}},
}};

// Bamboo 1..9; bamboo 1 is the bird, drawn separately.
const std::array<std::vector<Piece>, 9> BambooLayouts = {{
    {},
    {{21, 15, 20, Ink::Jade}, {21, 39, 20, Ink::Jade}},
    {{21, 15, 20, Ink::Jade}, {13, 39, 20, Ink::Jade}, {29, 39, 20, Ink::Jade}},
    {{13, 15, 20, Ink::Jade}, {29, 15, 20, Ink::Blue}, {13, 39, 20, Ink::Blue},
     {29, 39, 20, Ink::Jade}},
    {{10, 15, 20, Ink::Jade}, {32, 15, 20, Ink::Blue}, {21, 27, 20, Ink::Vermilion},
     {10, 39, 20, Ink::Blue}, {32, 39, 20, Ink::Jade}},
    {{9, 15, 20, Ink::Jade}, {21, 15, 20, Ink::Jade}, {33, 15, 20, Ink::Jade},
     {9, 39, 20, Ink::Blue}, {21, 39, 20, Ink::Blue}, {33, 39, 20, Ink::Blue}},
    {{21, 10, 13, Ink::Vermilion}, {9, 26.5, 13, Ink::Jade}, {21, 26.5, 13, Ink::Jade},
     {33, 26.5, 13, Ink::Jade}, {9, 43, 13, Ink::Blue}, {21, 43, 13, Ink::Blue},
     {33, 43, 13, Ink::Blue}},
    {{7, 15, 20, Ink::Jade}, {16.3, 15, 20, Ink::Jade}, {25.7, 15, 20, Ink::Jade},
     {35, 15, 20, Ink::Jade}, {7, 39, 20, Ink::Blue}, {16.3, 39, 20, Ink::Blue},
     {25.7, 39, 20, Ink::Blue}, {35, 39, 20, Ink::Blue}},
    {{9, 10, 13, Ink::Jade}, {21, 10, 13, Ink::Vermilion}, {33, 10, 13, Ink::Jade},
     {9, 26.5, 13, Ink::Jade}, {21, 26.5, 13, Ink::Vermilion}, {33, 26.5, 13, Ink::Jade},
     {9, 43, 13, Ink::Jade}, {21, 43, 13, Ink::Vermilion}, {33, 43, 13, Ink::Jade}},
}};

const std::array<const char*, 9> Numerals = {"一", "二", "三", "四", "五",
                                             "六", "七", "八", "九"};
const std::array<const char*, 4> Winds = {"東", "南", "西", "北"};
const std::array<const char*, 4> Flowers = {"梅", "蘭", "竹", "菊"};
const std::array<const char*, 4> Seasons = {"春", "夏", "秋", "冬"};

// Character faces: the numeral above, 萬 below, as boxes of the front (top and height).
constexpr double NumeralTop = 2, NumeralHeight = 22;
constexpr double MyriadTop = 23, MyriadHeight = 29;
// Flowers and seasons: the glyph lowered under the corner marks, the number top left, the mark
// top right.
constexpr double BouquetDrop = 9;
constexpr QRectF CornerNumberBox(3, 2, 11, 12);
constexpr double CornerMarkInset = 8;
constexpr double DiamondRadius = 4;
constexpr int BlossomPetals = 5;
constexpr double BlossomSpread = 2.6, BlossomPetal = 2.0, BlossomHeart = 1.4;

// Glyph sizes in pixels.
constexpr int NumeralSize = 19;
constexpr int MyriadSize = 24;
constexpr int WindSize = 31;
constexpr int DragonSize = 33;
constexpr int BouquetSize = 27;
constexpr int CornerNumberSize = 11;

void PaintGlyph(QPainter& painter, const QRectF& box, const QString& text, const QColor& colour,
                int pixelSize, bool bold) {
  painter.setFont(LetteringFont(pixelSize, bold));
  painter.setPen(colour);
  painter.drawText(box, Qt::AlignCenter, text);
}

void PaintDisc(QPainter& painter, QPointF centre, double radius, const QColor& colour) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawEllipse(centre, radius, radius);
}

void PaintCoin(QPainter& painter, QPointF centre, double radius, const QColor& colour) {
  PaintDisc(painter, centre, radius, colour);
  if (radius < CoinSmallRadius) {
    PaintDisc(painter, centre, radius * CoinSmallCentre, gPalette.ivory);
    return;
  }
  PaintDisc(painter, centre, radius * CoinInnerRing, gPalette.ivory);
  PaintDisc(painter, centre, radius * CoinCentre, colour);
}

void PaintStick(QPainter& painter, QPointF centre, double length, double width,
                const QColor& colour) {
  const QRectF body(centre.x() - width / 2, centre.y() - length / 2, width, length);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawRoundedRect(body, width / 2, width / 2);
  painter.setPen(QPen(gPalette.ivory, 1.0));
  const double top = body.top() + length * StickJointInset;
  const double bottom = body.bottom() - length * StickJointInset;
  for (double y : {top, centre.y(), bottom}) {
    painter.drawLine(QPointF(body.left() + 0.8, y), QPointF(body.right() - 0.8, y));
  }
}

// Dot one: an ornamental coin filling the face.
void PaintGreatCoin(QPainter& painter, QPointF centre) {
  constexpr double Outer = 15.5;
  constexpr double GoldRing = 13.2;
  constexpr double Petals = 10.5;
  constexpr double PetalCount = 8;
  constexpr double PetalRadius = 2.6;
  constexpr double Heart = 5.0;
  PaintDisc(painter, centre, Outer, gPalette.jade);
  painter.setPen(QPen(gPalette.gold, 1.6));
  painter.setBrush(gPalette.ivory);
  painter.drawEllipse(centre, GoldRing, GoldRing);
  for (int i = 0; i < PetalCount; ++i) {
    const double angle = i * 2 * M_PI / PetalCount;
    PaintDisc(painter, centre + QPointF(std::cos(angle), std::sin(angle)) * (Petals - PetalRadius),
              PetalRadius, gPalette.vermilion);
  }
  PaintDisc(painter, centre, Heart + 1.2, gPalette.jade);
  PaintDisc(painter, centre, Heart - 1.0, gPalette.ivory);
  PaintDisc(painter, centre, Heart - 2.6, gPalette.vermilion);
}

// Bamboo one: a bird perched on a branch beside a stalk. The outline is drawn in front pixels
// (42 x 54), like the layouts above.
void PaintBird(QPainter& painter) {
  PaintStick(painter, QPointF(33, 36), 28, StickNarrowWidth, gPalette.jade);
  QPainterPath tail;
  tail.moveTo(22, 30);
  tail.cubicTo(28, 38, 30, 46, 27, 51);
  tail.cubicTo(22, 46, 18, 40, 17, 33);
  tail.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(gPalette.blue);
  painter.drawPath(tail);
  painter.setBrush(gPalette.jade);
  painter.drawEllipse(QPointF(18, 27), 10, 7.5);
  painter.setBrush(gPalette.jadeDark);
  painter.drawEllipse(QPointF(21, 27), 6, 4);
  painter.setBrush(gPalette.vermilion);
  painter.drawEllipse(QPointF(10, 17), 5.5, 5.5);
  QPolygonF beak;
  beak << QPointF(5.5, 15.5) << QPointF(1.5, 18.5) << QPointF(6, 19);
  painter.setBrush(gPalette.gold);
  painter.drawPolygon(beak);
  QPolygonF crest;
  crest << QPointF(8, 12.5) << QPointF(10, 6.5) << QPointF(12.5, 12.5);
  painter.drawPolygon(crest);
  PaintDisc(painter, QPointF(10.5, 16), 1.8, gPalette.ivory);
  PaintDisc(painter, QPointF(10.8, 16), 0.9, gPalette.ink);
  painter.setPen(QPen(gPalette.ink, 1.2));
  painter.drawLine(QPointF(16, 34), QPointF(14, 41));
  painter.drawLine(QPointF(20, 34), QPointF(21, 41));
  painter.setPen(QPen(gPalette.jadeDark, 2.0, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(5, 41.5), QPointF(31, 41.5));
}

void PaintWhiteDragon(QPainter& painter, const QRectF& front) {
  constexpr double OuterInset = 6.5;
  constexpr double InnerInset = 11.5;
  constexpr double CornerSquare = 3.0;
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(gPalette.blue, 3.0));
  const QRectF outer = front.adjusted(OuterInset, OuterInset, -OuterInset, -OuterInset);
  painter.drawRect(outer);
  painter.setPen(QPen(gPalette.blue, 1.4));
  painter.drawRect(front.adjusted(InnerInset, InnerInset, -InnerInset, -InnerInset));
  painter.setPen(Qt::NoPen);
  painter.setBrush(gPalette.gold);
  for (QPointF corner : {outer.topLeft(), outer.topRight(), outer.bottomLeft(), outer.bottomRight()}) {
    painter.drawRect(QRectF(corner.x() - CornerSquare / 2, corner.y() - CornerSquare / 2,
                            CornerSquare, CornerSquare));
  }
}

// A flower or season: the glyph, its number 1..4 in the top-left corner and a small mark in
// the top-right corner (a blossom for flowers, a diamond for seasons).
void PaintBouquet(QPainter& painter, const QRectF& front, const char* glyph, int number,
                  bool season) {
  const QColor glyphColour = season ? gPalette.blue : gPalette.plum;
  const QColor numberColour = season ? gPalette.vermilion : gPalette.goldDark;
  PaintGlyph(painter, front.adjusted(0, BouquetDrop, 0, 0), glyph, glyphColour, BouquetSize,
             false);
  PaintGlyph(painter, CornerNumberBox.translated(front.topLeft()), QString::number(number),
             numberColour, CornerNumberSize, true);
  const QPointF mark(front.right() - CornerMarkInset, front.top() + CornerMarkInset);
  if (season) {
    QPolygonF diamond;
    diamond << mark + QPointF(0, -DiamondRadius) << mark + QPointF(DiamondRadius, 0)
            << mark + QPointF(0, DiamondRadius) << mark + QPointF(-DiamondRadius, 0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gPalette.gold);
    painter.drawPolygon(diamond);
    return;
  }
  for (int petal = 0; petal < BlossomPetals; ++petal) {
    const double angle = petal * 2 * M_PI / BlossomPetals - M_PI / 2;
    PaintDisc(painter, mark + QPointF(std::cos(angle), std::sin(angle)) * BlossomSpread,
              BlossomPetal, gPalette.gold);
  }
  PaintDisc(painter, mark, BlossomHeart, gPalette.vermilion);
}

}  // namespace

void PaintFaceSymbol(QPainter& painter, int faceCode, const QRectF& front) {
  const QPointF origin = front.topLeft();
  if (faceCode == FirstDots) {
    PaintGreatCoin(painter, front.center());
  } else if (faceCode < FirstCharacters) {
    for (const Piece& dot : DotLayouts[faceCode - FirstDots]) {
      PaintCoin(painter, origin + QPointF(dot.x, dot.y), dot.size, ColourOf(dot.ink));
    }
  } else if (faceCode < FirstBamboo) {
    const int number = faceCode - FirstCharacters;
    PaintGlyph(painter, QRectF(front.left(), front.top() + NumeralTop, front.width(), NumeralHeight),
               Numerals[number], gPalette.ink, NumeralSize, true);
    PaintGlyph(painter, QRectF(front.left(), front.top() + MyriadTop, front.width(), MyriadHeight),
               "萬", gPalette.vermilion, MyriadSize, false);
  } else if (faceCode == FirstBamboo) {
    painter.save();
    painter.translate(origin);
    PaintBird(painter);
    painter.restore();
  } else if (faceCode < FirstWind) {
    const int number = faceCode - FirstBamboo;
    const double width = number == 7 ? StickNarrowWidth : StickWidth;
    for (const Piece& stick : BambooLayouts[number]) {
      PaintStick(painter, origin + QPointF(stick.x, stick.y), stick.size, width,
                 ColourOf(stick.ink));
    }
  } else if (faceCode < FirstFlower) {
    PaintGlyph(painter, front, Winds[faceCode - FirstWind], gPalette.ink, WindSize, true);
  } else if (faceCode < RedDragon) {
    const int number = faceCode - FirstFlower;
    PaintBouquet(painter, front, Flowers[number], number + 1, false);
  } else if (faceCode == RedDragon) {
    PaintGlyph(painter, front, "中", gPalette.vermilion, DragonSize, true);
  } else if (faceCode == GreenDragon) {
    PaintGlyph(painter, front, "發", gPalette.jade, DragonSize, false);
  } else if (faceCode == WhiteDragon) {
    PaintWhiteDragon(painter, front);
  } else {
    const int number = faceCode - FirstSeason;
    PaintBouquet(painter, front, Seasons[number], number + 1, true);
  }
}
