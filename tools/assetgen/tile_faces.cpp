// Tile bodies and the two face sheets.
//
// Sections: tile body (front and thickness), flattening onto the key colour, highlight tint,
// the sheets.
#include "tools/assetgen/tile_faces.h"

#include <QLinearGradient>
#include <QPainterPath>

#include "tools/assetgen/tile_palette.h"

namespace {

// Large tile: the front covers one cell pitch, the thickness fills the rest of the picture.
constexpr int FrontWidth = 42;
constexpr int FrontHeight = 54;
constexpr int FaceDepth = FaceWidth - FrontWidth;
constexpr double FaceCorner = 5.0;
// Small tile: the front covers one thumbnail pitch.
constexpr int SmallFrontWidth = 18;
constexpr int SmallFrontHeight = 23;
constexpr int SmallDepth = SmallFaceWidth - SmallFrontWidth;
constexpr double SmallCorner = 2.5;
// Thickness slices at or above this depth show the jade back of the tile.
constexpr double BackFraction = 0.5;
// A pixel with at least this coverage belongs to the tile.
constexpr int OpaqueThreshold = 96;
// Share of the highlight colour in a highlighted pixel.
constexpr double HighlightShare = 0.42;

QPainterPath RoundedTile(double x, double y, double width, double height, double corner) {
  QPainterPath path;
  path.addRoundedRect(QRectF(x, y, width, height), corner, corner);
  return path;
}

QImage TransparentCanvas(int width, int height) {
  QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  return canvas;
}

}  // namespace

void PaintTileBody(QPainter& painter, int frontWidth, int frontHeight, int depth, double corner) {
  for (int slice = depth; slice >= 1; --slice) {
    const bool back = slice >= depth * BackFraction + 1;
    painter.setBrush(back ? gPalette.sideBack : gPalette.sideLight);
    // Only the deepest slice is outlined: it is the tile's silhouette.
    painter.setPen(slice == depth ? QPen(gPalette.sideOutline, 1.0) : QPen(Qt::NoPen));
    painter.drawPath(RoundedTile(slice + 0.5, slice + 0.5, frontWidth - 1, frontHeight - 1, corner));
  }
  QLinearGradient shade(0, 0, frontWidth, frontHeight);
  shade.setColorAt(0.0, gPalette.ivory);
  shade.setColorAt(1.0, gPalette.ivoryShade);
  painter.setBrush(shade);
  painter.setPen(QPen(gPalette.edge, 1.0));
  painter.drawPath(RoundedTile(0.5, 0.5, frontWidth - 1, frontHeight - 1, corner));
}

QImage FlattenOntoKey(const QImage& canvas) {
  const QImage straight = canvas.convertToFormat(QImage::Format_ARGB32);
  QImage flat(straight.size(), QImage::Format_RGB32);
  const QRgb ink = gPalette.ink.rgb();
  for (int y = 0; y < straight.height(); ++y) {
    const QRgb* in = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
    QRgb* out = reinterpret_cast<QRgb*>(flat.scanLine(y));
    for (int x = 0; x < straight.width(); ++x) {
      if (qAlpha(in[x]) < OpaqueThreshold) {
        out[x] = qRgb(0, 0, 0);
      } else if ((in[x] & RGB_MASK) == 0) {
        out[x] = ink;
      } else {
        out[x] = qRgb(qRed(in[x]), qGreen(in[x]), qBlue(in[x]));
      }
    }
  }
  return flat;
}

QImage DrawFace(int faceCode) {
  QImage canvas = TransparentCanvas(FaceWidth, FaceHeight);
  QPainter painter(&canvas);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  PaintTileBody(painter, FrontWidth, FrontHeight, FaceDepth, FaceCorner);
  PaintFaceSymbol(painter, faceCode, QRectF(0, 0, FrontWidth, FrontHeight));
  painter.end();
  return FlattenOntoKey(canvas);
}

QImage FaceWithAlpha(int faceCode) {
  QImage face = DrawFace(faceCode).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < face.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(face.scanLine(y));
    for (int x = 0; x < face.width(); ++x) {
      if ((line[x] & RGB_MASK) == 0) {
        line[x] = qRgba(0, 0, 0, 0);
      }
    }
  }
  return face;
}

QImage DrawSmallFace(int faceCode) {
  QImage canvas = TransparentCanvas(SmallFaceWidth, SmallFaceHeight);
  QPainter painter(&canvas);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  PaintTileBody(painter, SmallFrontWidth, SmallFrontHeight, SmallDepth, SmallCorner);
  PaintSmallFaceSymbol(painter, faceCode, QRectF(0, 0, SmallFrontWidth, SmallFrontHeight));
  painter.end();
  return FlattenOntoKey(canvas);
}

QImage HighlightFace(const QImage& face) {
  QImage tinted = face.convertToFormat(QImage::Format_RGB32);
  const QColor tint = gPalette.highlight;
  for (int y = 0; y < tinted.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(tinted.scanLine(y));
    for (int x = 0; x < tinted.width(); ++x) {
      if ((line[x] & RGB_MASK) == 0) {
        continue;
      }
      const auto mix = [](int own, int with) {
        return static_cast<int>(own * (1.0 - HighlightShare) + with * HighlightShare + 0.5);
      };
      line[x] = qRgb(mix(qRed(line[x]), tint.red()), mix(qGreen(line[x]), tint.green()),
                     mix(qBlue(line[x]), tint.blue()));
    }
  }
  return tinted;
}

QImage BuildFaceSheet() {
  QImage sheet(FaceWidth * FaceCount, FaceHeight * 2, QImage::Format_RGB32);
  sheet.fill(qRgb(0, 0, 0));
  QPainter painter(&sheet);
  for (int face = 1; face <= FaceCount; ++face) {
    const QImage normal = DrawFace(face);
    painter.drawImage(FaceWidth * (face - 1), 0, normal);
    painter.drawImage(FaceWidth * (face - 1), FaceHeight, HighlightFace(normal));
  }
  painter.end();
  return sheet;
}

QImage BuildSmallFaceSheet() {
  QImage sheet(SmallFaceWidth * FaceCount, SmallFaceHeight, QImage::Format_RGB32);
  sheet.fill(qRgb(0, 0, 0));
  QPainter painter(&sheet);
  for (int face = 1; face <= FaceCount; ++face) {
    painter.drawImage(SmallFaceWidth * (face - 1), 0, DrawSmallFace(face));
  }
  painter.end();
  return sheet;
}
