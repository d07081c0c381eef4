// The program icons. Small icons use the thumbnail tile, whose thin body and plain symbols stay
// readable at a few pixels; larger ones the full tile. Lines that must stay visible at every
// size are cosmetic (one device pixel wide).
//
// Sections: tile designs, the game's icon, the editor's grid and pencil.
#include "tools/assetgen/program_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "tools/assetgen/tile_faces.h"
#include "tools/assetgen/tile_palette.h"

namespace {

// ---- Tile designs -----------------------------------------------------------------------------

struct TileDesign {
  int frontWidth;
  int frontHeight;
  int depth;
  double corner;
  int gridColumns;  // the editor's grid on the front
  int gridRows;
  QRectF grid;      // in front units
};

constexpr TileDesign SmallTile{18, 23, 2, 2.5, 2, 3, QRectF(3, 3, 12, 17)};
constexpr TileDesign LargeTile{42, 54, 6, 5.0, 3, 4, QRectF(6, 6, 30, 42)};
// Icons up to this size use the small tile.
constexpr int LargestSmallIcon = 32;
// Share of the icon's height the tile fills.
constexpr double TileFill = 0.94;
// The editor's tile sits left of centre, leaving room for the pencil's end.
constexpr double EditorTileShift = 0.06;
// Cells of the editor's grid shown as placed tiles, by (column, row).
constexpr int ShownCells[][2] = {{0, 0}, {1, 1}, {0, 2}, {2, 0}, {2, 3}, {1, 3}};

const TileDesign& DesignFor(int size) { return size <= LargestSmallIcon ? SmallTile : LargeTile; }

QImage TransparentIcon(int size) {
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  return icon;
}

// Moves the painter to the tile's top-left corner and scales tile units to pixels.
void PlaceTile(QPainter& painter, const TileDesign& design, int size, double shift) {
  const double width = design.frontWidth + design.depth;
  const double height = design.frontHeight + design.depth;
  const double scale = size * TileFill / height;
  painter.translate((size - width * scale) / 2 - shift * size, (size - height * scale) / 2);
  painter.scale(scale, scale);
}

// ---- Editor's grid and pencil -----------------------------------------------------------------

void PaintGrid(QPainter& painter, const TileDesign& design) {
  const QRectF& grid = design.grid;
  const double cellWidth = grid.width() / design.gridColumns;
  const double cellHeight = grid.height() / design.gridRows;
  painter.setPen(Qt::NoPen);
  painter.setBrush(gPalette.jade);
  for (const auto& cell : ShownCells) {
    if (cell[0] < design.gridColumns && cell[1] < design.gridRows) {
      painter.drawRect(QRectF(grid.left() + cell[0] * cellWidth, grid.top() + cell[1] * cellHeight,
                              cellWidth, cellHeight));
    }
  }
  QPen line(gPalette.blue, 0);
  painter.setPen(line);
  painter.setBrush(Qt::NoBrush);
  for (int column = 0; column <= design.gridColumns; ++column) {
    const double x = grid.left() + column * cellWidth;
    painter.drawLine(QPointF(x, grid.top()), QPointF(x, grid.bottom()));
  }
  for (int row = 0; row <= design.gridRows; ++row) {
    const double y = grid.top() + row * cellHeight;
    painter.drawLine(QPointF(grid.left(), y), QPointF(grid.right(), y));
  }
}

// Pencil across the lower right, its point on the tile's face; in shares of the icon's size.
constexpr QPointF PencilPoint(0.40, 0.70);
constexpr QPointF PencilEnd(0.95, 0.15);
constexpr double PencilWidth = 0.17;
constexpr int NarrowestPencil = 4;  // pixels
// Pieces along the pencil from the point, as shares of its length.
constexpr double LeadEnd = 0.08, WoodEnd = 0.22, BodyEnd = 0.80, FerruleEnd = 0.88;
constexpr double LeadWidthShare = 0.36;
const QColor Wood(238, 204, 150);
const QColor BodyLight(244, 198, 82);
const QColor Ferrule(184, 188, 196);
const QColor PencilOutline(64, 40, 24);

void PaintPencil(QPainter& painter, int size) {
  const QPointF point = PencilPoint * size;
  const QPointF end = PencilEnd * size;
  const QPointF along = end - point;
  const double length = std::hypot(along.x(), along.y());
  const double width = std::max<double>(NarrowestPencil, PencilWidth * size);
  const double half = width / 2;
  painter.save();
  painter.translate(point);
  painter.rotate(std::atan2(along.y(), along.x()) * 180.0 / M_PI);
  const QPen outline(PencilOutline, std::max(1.0, size / 96.0), Qt::SolidLine, Qt::RoundCap,
                     Qt::RoundJoin);
  painter.setPen(outline);

  QPainterPath eraser;
  eraser.addRoundedRect(QRectF(FerruleEnd * length - half, -half, (1 - FerruleEnd) * length + half,
                               width),
                        half * 0.8, half * 0.8);
  painter.setBrush(gPalette.plum);
  painter.drawPath(eraser);
  painter.setBrush(Ferrule);
  painter.drawRect(QRectF(BodyEnd * length, -half, (FerruleEnd - BodyEnd) * length, width));
  painter.setBrush(gPalette.gold);
  painter.drawRect(QRectF(WoodEnd * length, -half, (BodyEnd - WoodEnd) * length, width));
  painter.setPen(Qt::NoPen);
  painter.setBrush(BodyLight);
  painter.drawRect(QRectF(WoodEnd * length, -half / 3, (BodyEnd - WoodEnd) * length, width / 3));

  painter.setPen(outline);
  painter.setBrush(Wood);
  painter.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(WoodEnd * length, -half),
                                 QPointF(WoodEnd * length, half)}));
  const double lead = half * LeadWidthShare;
  painter.setBrush(gPalette.ink);
  painter.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(LeadEnd * length, -lead),
                                 QPointF(LeadEnd * length, lead)}));
  painter.restore();
}

}  // namespace

QImage DrawProgramIcon(ProgramIcon icon, int size) {
  const TileDesign& design = DesignFor(size);
  QImage picture = TransparentIcon(size);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.save();
  PlaceTile(painter, design, size, icon == EditorIcon ? EditorTileShift : 0.0);
  PaintTileBody(painter, design.frontWidth, design.frontHeight, design.depth, design.corner);
  const QRectF front(0, 0, design.frontWidth, design.frontHeight);
  if (icon == GameIcon) {
    if (&design == &SmallTile) {
      PaintSmallFaceSymbol(painter, RedDragon, front);
    } else {
      PaintFaceSymbol(painter, RedDragon, front);
    }
  } else {
    PaintGrid(painter, design);
  }
  painter.restore();
  if (icon == EditorIcon) {
    PaintPencil(painter, size);
  }
  painter.end();
  return picture.convertToFormat(QImage::Format_ARGB32);
}
