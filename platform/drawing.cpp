// 2D drawing into the screen, a sprite or an image, and the draw log of the tests.
//
// Sections: state, commands, targets, boxes and lines, images and text, the draw log.
#include <algorithm>
#include <utility>
#include <vector>

#include <QString>

#include "platform/colour.h"
#include "platform/journal.h"
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

constexpr int OpaqueOpacity = 255;

bool StartDrawingInto(DrawingTargetKind kind, int number, QImage* picture) {
  StopDrawing();
  if (picture == nullptr || !gDrawing.painter.begin(picture)) return false;
  gDrawing.kind = kind;
  gDrawing.number = number;
  return true;
}

// Paints the command into the chosen sprite or image, or keeps it for the screen's frame (also
// when nothing was chosen).
void Draw(DrawCommand command) {
  switch (gDrawing.kind) {
    case DrawingOnSprite:
    case DrawingOnImage:
      if (gDrawing.painter.isActive()) PaintDrawCommand(gDrawing.painter, command);
      return;
    case DrawingOnScreen:
    case DrawingNowhere: DrawOnScreen(WithBounds(std::move(command))); return;
  }
}

// An image drawn into itself would read the pixels it writes.
bool IsDrawingInto(int image) {
  return gDrawing.kind == DrawingOnImage && gDrawing.number == image;
}

// The far end of a run of `length` pixels from its first one, in the run's direction.
int LastOffset(int length) { return length > 0 ? length - 1 : (length < 0 ? length + 1 : 0); }

// Straight runs are filled so that both ends are exactly included.
bool IsStraight(const DrawCommand& line) {
  return line.from.x() == line.to.x() || line.from.y() == line.to.y();
}

void SetOpacity(QPainter& painter, int opacity) {
  const double wanted = std::min(opacity, OpaqueOpacity) / double(OpaqueOpacity);
  if (painter.opacity() != wanted) painter.setOpacity(wanted);
}

// (x, y) of a text is the top left of its cell.
void PaintText(QPainter& painter, const TextPart& part) {
  painter.setFont(FontOf(part.font));
  painter.setPen(QtColour(part.colour));
  painter.drawText(part.at.x(), part.at.y() + FontAscent(part.font),
                   QString::fromUtf8(part.text.data(), qsizetype(part.text.size())));
}

}  // namespace

QColor QtColour(int colour) { return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

// ---- Commands ---------------------------------------------------------------------------------

DrawCommand WithBounds(DrawCommand command) {
  command.pictureKey = command.picture.cacheKey();
  if (command.kind == CommandLine)
    command.bounds = QRect(command.from, command.to).normalized().adjusted(-1, -1, 1, 1);
  else
    command.bounds = command.area;
  return command;
}

bool SameDrawCommand(const DrawCommand& a, const DrawCommand& b) {
  if (a.kind != b.kind || a.area != b.area || a.opacity != b.opacity || a.colour != b.colour ||
      a.source != b.source || a.from != b.from || a.to != b.to ||
      a.texts.empty() != b.texts.empty())
    return false;
  // Texts are known by what they show: a picture made again for the same texts is the same.
  return a.texts.empty() ? a.pictureKey == b.pictureKey : a.texts == b.texts;
}

void PaintDrawCommand(QPainter& painter, const DrawCommand& c) {
  switch (c.kind) {
    case CommandClear:
    case CommandBox:
      SetOpacity(painter, OpaqueOpacity);
      painter.fillRect(c.area, QtColour(c.colour));
      return;
    case CommandPicture:
      SetOpacity(painter, c.opacity);
      if (c.picture.isNull()) {
        for (const TextPart& part : c.texts) PaintText(painter, part);
      } else if (c.source.isNull())
        painter.drawImage(c.area.topLeft(), c.picture);
      else
        painter.drawImage(c.area.topLeft(), c.picture, c.source);
      return;
    case CommandScaledPicture:
      SetOpacity(painter, OpaqueOpacity);
      painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
      painter.drawImage(c.area, c.picture);
      painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
      return;
    case CommandLine:
      SetOpacity(painter, OpaqueOpacity);
      if (IsStraight(c)) {
        painter.fillRect(QRect(c.from, c.to).normalized(), QtColour(c.colour));
      } else {
        painter.setPen(QPen(QtColour(c.colour), 1));
        painter.drawLine(c.from, c.to);
      }
      return;
  }
}

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

// The draw log and the frame journal see every drawing call; neither is on in play.
static void NoteDrawCall(const DrawRecord& record) {
  if (gDrawLog.on) AddDrawRecord(record);
  if (IsDrawingOnScreen()) NoteScreenDraw(record);
}

// ---- Boxes and lines --------------------------------------------------------------------------

void DrawBox(int x, int y, int width, int height, int colour) {
  NoteDrawCall({DrawnBox, 0, x, y, width, height, 0, colour, std::string()});
  if (width <= 0 || height <= 0) return;
  DrawCommand box;
  box.kind = CommandBox;
  box.area = QRect(x, y, width, height);
  box.colour = colour;
  Draw(std::move(box));
}

void DrawLine(int x, int y, int width, int height, int colour) {
  NoteDrawCall({DrawnLine, 0, x, y, width, height, 0, colour, std::string()});
  DrawCommand line;
  line.kind = CommandLine;
  line.from = QPoint(x, y);
  line.to = QPoint(x + LastOffset(width), y + LastOffset(height));
  line.colour = colour;
  Draw(std::move(line));
}

// ---- Images and text --------------------------------------------------------------------------

void DrawImage(int image, int x, int y) {
  const QImage* picture = ImageForDrawing(image);
  if (picture == nullptr || IsDrawingInto(image)) return;
  DrawCommand draw;
  draw.kind = CommandPicture;
  draw.picture = *picture;
  draw.area = QRect(QPoint(x, y), picture->size());
  Draw(std::move(draw));
}

void DrawImageScaled(int image, int x, int y, int width, int height) {
  const QImage* picture = ImageForDrawing(image);
  if (picture == nullptr || width <= 0 || height <= 0 || IsDrawingInto(image)) return;
  DrawCommand draw;
  draw.kind = CommandScaledPicture;
  draw.picture = *picture;
  draw.area = QRect(x, y, width, height);
  Draw(std::move(draw));
}

void DrawText(int font, int x, int y, const std::string& text, int colour) {
  // Only a record that is kept copies the text.
  if (gDrawLog.on || IsCallJournalOn())
    NoteDrawCall({DrawnText, font, x, y, 0, 0, 0, colour, text});
  if (text.empty()) return;
  DrawCommand draw;
  draw.kind = CommandPicture;
  draw.area = TextPictureArea(font, text).translated(x, y);
  draw.texts.push_back({font, colour, text, QPoint(x, y)});
  Draw(std::move(draw));
}

// ---- The draw log -----------------------------------------------------------------------------

void StartDrawLog() {
  gDrawLog.records.clear();
  gDrawLog.on = true;
}

void StopDrawLog() { gDrawLog.on = false; }

const std::vector<DrawRecord>& DrawLog() { return gDrawLog.records; }

bool IsDrawLogOn() { return gDrawLog.on; }

bool IsDrawingOnScreen() {
  return gDrawing.kind == DrawingOnScreen || gDrawing.kind == DrawingNowhere;
}

void AddDrawRecord(DrawRecord record) { gDrawLog.records.push_back(std::move(record)); }
