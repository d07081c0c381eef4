// Shared between the picture, screen, drawing and font sources of the platform only.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QRegion>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/picture.h"

// ---- Decoding (picture_decode.cpp) ----------------------------------------------------------

// PNG, JPEG or BMP recognised by its first bytes; a null image when the bytes are no picture or
// are damaged. JPEG pictures, which have no transparency, come as Format_RGB32, the others as
// Format_ARGB32_Premultiplied. With a size to cover, a large JPEG is decoded at a reduced size
// that still covers it when scaled to cover it.
QImage DecodePicture(const unsigned char* data, size_t size, QSize cover = QSize());
// The same for a whole file; a null image when the file cannot be read.
QImage ReadPictureFile(const std::string& path, QSize cover = QSize());

// ---- Translated pictures (picture_language.cpp) ----------------------------------------------

// The translation of a picture file in the chosen language, decoded; a null image when no
// language is chosen, the file has none, or it cannot be decoded.
QImage ReadTranslatedPicture(const std::string& path, QSize cover = QSize());

// ---- Pictures (picture.cpp) -----------------------------------------------------------------

// The sprite as it is put on the screen (key applied, zoomed), or nullptr when it holds no
// picture or is zoomed to nothing.
const QImage* SpriteAsDrawn(int sprite);
// The sprite's own picture for drawing into, or nullptr; RefreshSprite after the drawing.
QImage* SpritePictureForDrawing(int sprite);
void RefreshSprite(int sprite);
// An image for drawing into or from, or nullptr.
QImage* ImageForDrawing(int image);

// ---- Drawing commands (drawing.cpp) ----------------------------------------------------------

// One drawing operation. Drawing into sprites and images paints it at once; drawing on the screen
// keeps it for the frame (screen.cpp).
enum DrawCommandKind {
  CommandClear,
  CommandPicture,
  CommandScaledPicture,
  CommandBox,
  CommandLine,
};
// A text on the screen, by what it shows: its picture is made when the frame is painted.
struct TextPart {
  int font;
  int colour;
  std::string text;
  QPoint at;            // top left of the text on the screen
  bool operator==(const TextPart&) const = default;
};
struct DrawCommand {
  DrawCommandKind kind = CommandClear;
  QImage picture;       // pictures: held, so that a later change of the sprite cannot alter it
  qint64 pictureKey = 0;   // the picture's cache key, which changes with every change of it
  QRect area;           // clear, box, picture (at its own size) or scaled target
  QRect source;         // pictures: the part drawn at area; null for the whole picture
  QPoint from, to;      // line ends, both drawn
  int opacity = 255;    // pictures, 0..255
  int colour = 0;       // clear, box and line, 0x00BBGGRR
  std::vector<TextPart> texts;   // texts drawn in order, from picture when it is set; else empty
  QRect bounds;         // every pixel the command may change
};
// Fills in the bounds of a command.
DrawCommand WithBounds(DrawCommand command);
bool SameDrawCommand(const DrawCommand& a, const DrawCommand& b);
// Paints a command; the painter's opacity is left as the command set it.
void PaintDrawCommand(QPainter& painter, const DrawCommand& command);

// Gives the frame's large texts their pictures. Large texts drawn over each other (a title with
// its shadows) become one picture: the same pixels are blended once instead of once per copy. A
// run of overlapping texts becomes one command; one resolved before joins what follows it, so
// that resolving early gives the same frame (text_runs.cpp).
void ResolveTexts(std::vector<DrawCommand>& frame);
void ForgetMergedTexts();

// ---- Repainting a frame (frame_damage.cpp) ----------------------------------------------------

// The places where a frame may differ from the one shown, covered by disjoint rectangles twice:
// coarsely for painting, where every piece is a drawing call, and finely for presenting, where
// every pixel is scaled and sent.
struct FrameDamage {
  std::vector<QRect> rects;   // painted again: disjoint, top to bottom
  std::vector<int> cellRect;  // by cell of the grid they are gathered on: its rectangle or -1
  int columns = 0;            // of that grid
  std::vector<QRect> shown;   // presented: disjoint, within rects; finely, a small picture's own
};
// Between two frames that both start by clearing the whole screen. Only when asked for finely
// are the presented rectangles finer than the painted ones.
FrameDamage DamageBetween(const QRect& screen, const std::vector<DrawCommand>& shown,
                          const std::vector<DrawCommand>& next, bool finely);
// Of a frame drawn over the one shown.
FrameDamage DamageOfOverdraw(const QRect& screen, const std::vector<DrawCommand>& next,
                             bool finely);
// Paints the frame into target inside the damage, or whole where that costs less.
void PaintDamaged(QImage& target, const std::vector<DrawCommand>& frame, const FrameDamage& damage);
void PaintWhole(QImage& target, const std::vector<DrawCommand>& frame);
// What is sent to the window for the damage on Qt's path.
QRegion PresentedRegion(const FrameDamage& damage);

// ---- Screen (screen.cpp) --------------------------------------------------------------------

// Adds a command to the frame being drawn on the screen; false while no screen is open.
bool DrawOnScreen(DrawCommand command);

// ---- Fonts (font.cpp) ------------------------------------------------------------------------

void FreeAllFonts();
// Pixels from the top of a text cell to the baseline.
int FontAscent(int font);
// Text in a font this large is drawn on the screen from kept pictures; smaller text directly.
bool IsTextKeptAsPicture(int font);
// Where the picture of a text lies, from the text's top left: every pixel the text can touch.
QRect TextPictureArea(int font, const std::string& text);
// The text drawn into a transparent picture of that area; TextPictureOf keeps the pictures of
// the texts drawn last.
QImage DrawTextPicture(int font, const std::string& text, int colour);
QImage TextPictureOf(int font, const std::string& text, int colour);

// ---- Drawing (drawing.cpp) ------------------------------------------------------------------

enum DrawingTargetKind { DrawingNowhere, DrawingOnScreen, DrawingOnSprite, DrawingOnImage };
// Ends the drawing when it goes into this sprite or image (before the picture is released).
void StopDrawingInto(DrawingTargetKind kind, int number);
bool IsDrawLogOn();
void AddDrawRecord(DrawRecord record);
// True while drawing goes to the screen.
bool IsDrawingOnScreen();

// ---- Frame journal (screen.cpp) -------------------------------------------------------------

// Mixes a drawing call on the screen into the hash of the frame, while the call journal is on.
void NoteScreenDraw(const DrawRecord& record);
// Colour of a 0x00BBGGRR value, opaque.
QColor QtColour(int colour);
