// The type picture: each panel shows the same three-layer pyramid built with one arrangement
// type, drawn as the editor draws a level (each layer with the dots face of its number), at
// two thirds of the size, beside the label.
#include "tools/assetgen/type_picture.h"

#include <QPainter>

#include "tools/assetgen/tile_faces.h"
#include "tools/assetgen/tile_palette.h"

namespace {

constexpr double TileScale = 0.64;            // reduced tiles
constexpr double PitchX = 42 * TileScale;     // cell pitch at that size
constexpr double PitchY = 54 * TileScale;
constexpr double LiftStep = 6 * TileScale;    // an unshifted layer rises up and left
constexpr int LayerCount = 3;
constexpr int BaseColumns = 5;
constexpr int BaseRows = 3;
constexpr double PanelInset = 3.5;
constexpr double PanelCorner = 10;
constexpr double LabelColumn = 60;            // the label stands left of the level
constexpr int LabelWordSize = 19;
constexpr int LabelDigitSize = 44;
constexpr double LabelWordHeight = 30;
constexpr double LabelWordMargin = 3;        // a translated word keeps off the panel's edges

// The cells of layer L (1..3) for an arrangement type, as a column and row range.
struct LayerBlock {
  int firstColumn;
  int lastColumn;
  int firstRow;
  int lastRow;
};

// A pyramid: each layer sits on the one below within the layer extent of its type.
LayerBlock BlockOf(int type, int layer) {
  const bool shiftsRight = type == 2 || type == 4;
  const bool shiftsDown = type == 3 || type == 4;
  const int step = layer - 1;
  LayerBlock block{1, BaseColumns, 1, BaseRows};
  if (shiftsRight) {
    block.lastColumn -= step;
  } else {
    block.firstColumn += step;
    block.lastColumn -= step;
  }
  if (shiftsDown) {
    block.lastRow -= step;
  } else if (layer == LayerCount) {
    block.firstRow = block.lastRow = (BaseRows + 1) / 2;
  }
  return block;
}

// Position of a cell's tile inside the panel, before centring.
QPointF CellPosition(int type, int layer, int row, int column) {
  const bool shiftsRight = type == 2 || type == 4;
  const bool shiftsDown = type == 3 || type == 4;
  const int step = layer - 1;
  const double x = PitchX * (column - 1) + (shiftsRight ? PitchX / 2 * step : -LiftStep * step);
  const double y = PitchY * (row - 1) + (shiftsDown ? PitchY / 2 * step : -LiftStep * step);
  return {x, y};
}

void PaintPanel(QPainter& painter, int type, const QImage (&faces)[LayerCount + 1],
                ArtLanguage language) {
  const QRectF panel(PanelInset, PanelInset, TypePanelWidth - 2 * PanelInset,
                     TypePanelHeight - 2 * PanelInset);
  QColor paper = gPalette.ivory;
  paper.setAlpha(235);
  painter.setPen(QPen(gPalette.gold, 2.5));
  painter.setBrush(paper);
  painter.drawRoundedRect(panel, PanelCorner, PanelCorner);

  const QRectF label(panel.left(), panel.top(), LabelColumn, panel.height());
  const QRectF word(label.left(), label.center().y() - LabelWordHeight, label.width(),
                    LabelWordHeight);
  painter.setPen(gPalette.vermilion);
  const QString typeWord = PictureWords("类型", language);
  QFont wordFont = LetteringFont(LabelWordSize, true);
  if (language != ArtOriginal) {
    wordFont = FontFittingWidth(wordFont, typeWord, word.width() - 2 * LabelWordMargin);
    NoteLettering(language, typeWord, word, TextInkInBox(wordFont, word, Qt::AlignCenter, typeWord),
                  double(wordFont.pixelSize()) / LabelWordSize);
  }
  painter.setFont(wordFont);
  painter.drawText(word, Qt::AlignCenter, typeWord);
  painter.setPen(gPalette.ink);
  painter.setFont(LetteringFont(LabelDigitSize, true));
  painter.drawText(QRectF(label.left(), word.bottom(), label.width(), LabelDigitSize),
                   Qt::AlignHCenter | Qt::AlignTop, QString::number(type));
  painter.setPen(QPen(gPalette.gold, 1.5));
  painter.drawLine(QPointF(label.right(), panel.top() + PanelCorner),
                   QPointF(label.right(), panel.bottom() - PanelCorner));

  // Centre the pyramid in the space below the label.
  QRectF extent;
  for (int layer = 1; layer <= LayerCount; ++layer) {
    const LayerBlock block = BlockOf(type, layer);
    for (int row = block.firstRow; row <= block.lastRow; ++row) {
      for (int column = block.firstColumn; column <= block.lastColumn; ++column) {
        const QPointF at = CellPosition(type, layer, row, column);
        extent |= QRectF(at, QSizeF(FaceWidth * TileScale, FaceHeight * TileScale));
      }
    }
  }
  const QRectF room(label.right(), panel.top(), panel.width() - LabelColumn, panel.height());
  const QPointF shift = room.center() - extent.center();
  for (int layer = 1; layer <= LayerCount; ++layer) {
    const LayerBlock block = BlockOf(type, layer);
    for (int row = block.firstRow; row <= block.lastRow; ++row) {
      for (int column = block.firstColumn; column <= block.lastColumn; ++column) {
        const QPointF at = CellPosition(type, layer, row, column) + shift;
        painter.drawImage(QRectF(at, QSizeF(FaceWidth * TileScale, FaceHeight * TileScale)),
                          faces[layer]);
      }
    }
  }
}

}  // namespace

QImage DrawTypePicture(ArtLanguage language) {
  QImage picture(TypePictureWidth, TypePictureHeight, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  QImage faces[LayerCount + 1];
  for (int layer = 1; layer <= LayerCount; ++layer) {
    faces[layer] = FaceWithAlpha(layer);
  }
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  for (int type = 1; type <= TypePanelCount; ++type) {
    painter.save();
    painter.translate(TypePanelWidth * (type - 1), 0);
    PaintPanel(painter, type, faces, language);
    painter.restore();
  }
  painter.end();
  return picture;
}
