// The symbols of the small faces (20 x 25), which mark layers in level thumbnails: the dots
// are drawn on their own so that one to nine stay countable; the other faces are the large
// symbols scaled down.
#include <array>
#include <vector>

#include "tools/assetgen/tile_faces.h"
#include "tools/assetgen/tile_palette.h"

namespace {

// A dot in small-front coordinates (front 18 x 23).
struct SmallDot {
  double x;
  double y;
  double radius;
  QColor colour;
};

// Large front, for scaling the other symbols.
constexpr double LargeFrontWidth = 42;
constexpr double LargeFrontHeight = 54;
// Share of a dot's radius left as its bright centre.
constexpr double DotCentre = 0.38;
// Dots at or above this radius get the bright centre.
constexpr double DotCentreMinimum = 2.6;

std::vector<SmallDot> SmallDotLayout(int number) {
  const QColor jade = gPalette.jade;
  const QColor red = gPalette.vermilion;
  const QColor blue = gPalette.blue;
  switch (number) {
    case 1: return {{9, 11.5, 6.2, jade}};
    case 2: return {{9, 6, 3.6, jade}, {9, 17, 3.6, blue}};
    case 3: return {{4.3, 5, 2.8, blue}, {9, 11.5, 2.8, red}, {13.7, 18, 2.8, jade}};
    case 4: return {{5, 6.5, 3.1, blue}, {13, 6.5, 3.1, jade}, {5, 16.5, 3.1, jade},
                    {13, 16.5, 3.1, blue}};
    case 5: return {{4.3, 5, 2.6, blue}, {13.7, 5, 2.6, jade}, {9, 11.5, 2.6, red},
                    {4.3, 18, 2.6, jade}, {13.7, 18, 2.6, blue}};
    case 6: return {{5.3, 4.6, 2.5, jade}, {12.7, 4.6, 2.5, jade}, {5.3, 11.7, 2.5, red},
                    {12.7, 11.7, 2.5, red}, {5.3, 18.6, 2.5, red}, {12.7, 18.6, 2.5, red}};
    case 7: return {{3.2, 3.2, 1.8, jade}, {9, 5.3, 1.8, jade}, {14.8, 7.4, 1.8, jade},
                    {5.3, 13.6, 2.3, red}, {12.7, 13.6, 2.3, red}, {5.3, 19.4, 2.3, red},
                    {12.7, 19.4, 2.3, red}};
    case 8: return {{5.3, 3.6, 2.1, blue}, {12.7, 3.6, 2.1, blue}, {5.3, 8.9, 2.1, blue},
                    {12.7, 8.9, 2.1, blue}, {5.3, 14.2, 2.1, blue}, {12.7, 14.2, 2.1, blue},
                    {5.3, 19.5, 2.1, blue}, {12.7, 19.5, 2.1, blue}};
    default: return {{3.8, 4.8, 2.2, jade}, {9, 4.8, 2.2, jade}, {14.2, 4.8, 2.2, jade},
                     {3.8, 11.5, 2.2, red}, {9, 11.5, 2.2, red}, {14.2, 11.5, 2.2, red},
                     {3.8, 18.2, 2.2, blue}, {9, 18.2, 2.2, blue}, {14.2, 18.2, 2.2, blue}};
  }
}

}  // namespace

void PaintSmallFaceSymbol(QPainter& painter, int faceCode, const QRectF& front) {
  if (faceCode >= FirstCharacters) {
    painter.save();
    painter.translate(front.topLeft());
    painter.scale(front.width() / LargeFrontWidth, front.height() / LargeFrontHeight);
    PaintFaceSymbol(painter, faceCode, QRectF(0, 0, LargeFrontWidth, LargeFrontHeight));
    painter.restore();
    return;
  }
  painter.setPen(Qt::NoPen);
  for (const SmallDot& dot : SmallDotLayout(faceCode - FirstDots + 1)) {
    const QPointF centre = front.topLeft() + QPointF(dot.x, dot.y);
    painter.setBrush(dot.colour);
    painter.drawEllipse(centre, dot.radius, dot.radius);
    if (dot.radius >= DotCentreMinimum) {
      painter.setBrush(gPalette.ivory);
      painter.drawEllipse(centre, dot.radius * DotCentre, dot.radius * DotCentre);
    }
  }
}
