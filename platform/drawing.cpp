// 2D drawing into the screen, a sprite or an image, and the draw log of the tests.
//
// Sections: state, targets, boxes and lines, images and text, the draw log.
#include <algorithm>
#include <utility>
#include <vector>

#include <QString>

#include "platform/colour.h"
#include "platform/picture_internal.h"
#include "platform/qt_internal.h"

namespace {

// ---- State ------------------------------------------------------------------------------------

struct DrawingState {
  DrawingTargetKind kind = DrawingNowhere;   // where drawing goes
  int number = 0;                            // the sprite or image drawn into
  QPainter painter;                          // open on that sprite's or image's picture
};

struct DrawLogState {
  bool on = false;                  // recording
  std::vector<DrawRecord> records;  // in drawing order
};

DrawingState gDrawing;
DrawLogState gDrawLog;

QPainter* TargetPainter() {
  switch (gDrawing.kind) {
    case DrawingOnScreen: return ScreenPainter();
    case DrawingOnSprite:
    case DrawingOnImage: return gDrawing.painter.isActive() ? &gDrawing.painter : nullptr;
    case DrawingNowhere: return ScreenPainter();   // the screen, when nothing else was chosen
  }
  return nullptr;
}

bool StartDrawingInto(DrawingTargetKind kind, int number, QImage* picture) {
  StopDrawing();
  if (picture == nullptr || !gDrawing.painter.begin(picture)) return false;
  gDrawing.kind = kind;
  gDrawing.number = number;
  return true;
}

// The far end of a run of `length` pixels from its first one, in the run's direction.
int LastOffset(int length) { return length > 0 ? length - 1 : (length < 0 ? length + 1 : 0); }

}  // namespace

QColor QtColour(int colour) { return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

// ---- Targets ----------------------------------------------------------------------------------

bool StartDrawingOnScreen() {
  StopDrawing();
  if (!IsScreenOpen()) return false;
  gDrawing.kind = DrawingOnScreen;
  return true;
}

bool StartDrawingOnSprite(int sprite) {
  return StartDrawingInto(DrawingOnSprite, sprite, SpritePictureForDrawing(sprite));
}

bool StartDrawingOnImage(int image) {
  return StartDrawingInto(DrawingOnImage, image, ImageForDrawing(image));
}

void StopDrawing() {
  const DrawingTargetKind kind = std::exchange(gDrawing.kind, DrawingNowhere);
  if (gDrawing.painter.isActive()) gDrawing.painter.end();
  if (kind == DrawingOnSprite) RefreshSprite(gDrawing.number);
}

void StopDrawingInto(DrawingTargetKind kind, int number) {
  if (gDrawing.kind == kind && (kind == DrawingOnScreen || gDrawing.number == number))
    StopDrawing();
}

// ---- Boxes and lines --------------------------------------------------------------------------

void DrawBox(int x, int y, int width, int height, int colour) {
  if (gDrawLog.on) AddDrawRecord({DrawnBox, 0, x, y, width, height, 0, colour, std::string()});
  QPainter* painter = TargetPainter();
  if (painter == nullptr || width <= 0 || height <= 0) return;
  painter->fillRect(x, y, width, height, QtColour(colour));
}

void DrawLine(int x, int y, int width, int height, int colour) {
  if (gDrawLog.on) AddDrawRecord({DrawnLine, 0, x, y, width, height, 0, colour, std::string()});
  QPainter* painter = TargetPainter();
  if (painter == nullptr) return;
  const int endX = x + LastOffset(width);
  const int endY = y + LastOffset(height);
  if (endX == x || endY == y) {
    // Straight runs are filled so that both ends are exactly included.
    painter->fillRect(QRect(QPoint(std::min(x, endX), std::min(y, endY)),
                            QPoint(std::max(x, endX), std::max(y, endY))),
                      QtColour(colour));
    return;
  }
  painter->setPen(QPen(QtColour(colour), 1));
  painter->drawLine(x, y, endX, endY);
}

// ---- Images and text --------------------------------------------------------------------------

void DrawImage(int image, int x, int y) {
  const QImage* picture = ImageForDrawing(image);
  QPainter* painter = TargetPainter();
  if (picture == nullptr || painter == nullptr) return;
  // An image drawn into itself would read the pixels it writes.
  if (gDrawing.kind == DrawingOnImage && gDrawing.number == image) return;
  painter->drawImage(x, y, *picture);
}

void DrawImageScaled(int image, int x, int y, int width, int height) {
  const QImage* picture = ImageForDrawing(image);
  QPainter* painter = TargetPainter();
  if (picture == nullptr || painter == nullptr || width <= 0 || height <= 0) return;
  if (gDrawing.kind == DrawingOnImage && gDrawing.number == image) return;
  painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter->drawImage(QRect(x, y, width, height), *picture);
}

void DrawText(int font, int x, int y, const std::string& text, int colour) {
  if (gDrawLog.on) AddDrawRecord({DrawnText, font, x, y, 0, 0, 0, colour, text});
  QPainter* painter = TargetPainter();
  if (painter == nullptr || text.empty()) return;
  painter->setFont(FontOf(font));
  painter->setPen(QtColour(colour));
  painter->drawText(x, y + FontAscent(font), QString::fromUtf8(text.data(), qsizetype(text.size())));
}

// ---- The draw log -----------------------------------------------------------------------------

void StartDrawLog() {
  gDrawLog.records.clear();
  gDrawLog.on = true;
}

void StopDrawLog() { gDrawLog.on = false; }

const std::vector<DrawRecord>& DrawLog() { return gDrawLog.records; }

bool IsDrawLogOn() { return gDrawLog.on; }

void AddDrawRecord(DrawRecord record) { gDrawLog.records.push_back(std::move(record)); }
