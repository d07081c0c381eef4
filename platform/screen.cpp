// The screen: a double-buffered drawing surface over a rectangle of a window.
//
// Sections: state, the back buffer's painter, opening and closing, flip and clear, sprites,
// pixels, showing on the window.
// One painter stays open on the back buffer from the first drawing after a flip or clear until
// the next one: opening a painter per sprite would cost more than drawing a small sprite.
#include <algorithm>
#include <utility>

#include "platform/colour.h"
#include "platform/picture_internal.h"
#include "platform/qt_internal.h"

namespace {

constexpr int OpaqueOpacity = 255;
constexpr int BlackColour = 0;

// ---- State ------------------------------------------------------------------------------------

struct ScreenState {
  bool open = false;
  int window = -1;                  // window whose client area shows the screen
  int x = 0, y = 0;                 // top left of the screen in that client area
  QImage back;                      // the frame being drawn
  QImage front;                     // the frame shown
  QPainter painter;                 // open on back between a flip or clear and the next one
  int painterOpacity = OpaqueOpacity;   // opacity the painter is set to, 0..255
};

ScreenState gScreen;

// ---- The back buffer's painter ----------------------------------------------------------------

void EndScreenPainter() {
  if (gScreen.painter.isActive()) gScreen.painter.end();
}

QPainter* OpenScreenPainter() {
  if (!gScreen.open) return nullptr;
  if (!gScreen.painter.isActive()) {
    if (!gScreen.painter.begin(&gScreen.back)) return nullptr;
    gScreen.painterOpacity = OpaqueOpacity;
  }
  return &gScreen.painter;
}

void SetScreenOpacity(int opacity) {
  if (gScreen.painterOpacity == opacity) return;
  gScreen.painter.setOpacity(opacity / double(OpaqueOpacity));
  gScreen.painterOpacity = opacity;
}

// 0x00RRGGBB of Qt to 0x00BBGGRR.
int ColourOfPixel(QRgb pixel) { return Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel)); }

int PixelOf(const QImage& buffer, int x, int y) {
  if (!gScreen.open || !buffer.valid(x, y)) return 0;
  return ColourOfPixel(buffer.pixel(x, y));
}

}  // namespace

QPainter* ScreenPainter() {
  QPainter* painter = OpenScreenPainter();
  if (painter != nullptr) SetScreenOpacity(OpaqueOpacity);
  return painter;
}

// ---- Opening and closing ----------------------------------------------------------------------

bool OpenScreen(int window, int x, int y, int width, int height) {
  if (width <= 0 || height <= 0 || WindowClientWidget(window) == nullptr) return false;
  CloseScreen();
  QImage back(width, height, QImage::Format_ARGB32_Premultiplied);
  if (back.isNull()) return false;
  back.fill(QtColour(BlackColour));
  gScreen.back = back;
  gScreen.front = back.copy();
  gScreen.window = window;
  gScreen.x = x;
  gScreen.y = y;
  gScreen.open = true;
  RepaintWindow(window);
  return true;
}

void CloseScreen() {
  if (!gScreen.open) return;
  StopDrawingInto(DrawingOnScreen, 0);
  EndScreenPainter();
  const int window = gScreen.window;
  gScreen.open = false;
  gScreen.window = -1;
  gScreen.back = QImage();
  gScreen.front = QImage();
  if (WindowClientWidget(window) != nullptr) RepaintWindow(window);
}

bool IsScreenOpen() { return gScreen.open; }

int ScreenWidth() { return gScreen.open ? gScreen.back.width() : 0; }

int ScreenHeight() { return gScreen.open ? gScreen.back.height() : 0; }

// ---- Flip and clear ---------------------------------------------------------------------------

void FlipScreen() {
  if (!gScreen.open) return;
  EndScreenPainter();
  std::swap(gScreen.back, gScreen.front);
  RepaintWindow(gScreen.window);
}

void ClearScreen(int colour) {
  if (!gScreen.open) return;
  EndScreenPainter();
  gScreen.back.fill(QtColour(colour));
}

// ---- Sprites ----------------------------------------------------------------------------------

void DisplaySprite(int sprite, int x, int y, int opacity) {
  if (IsDrawLogOn())
    AddDrawRecord({DrawnSprite, sprite, x, y, SpriteWidth(sprite), SpriteHeight(sprite), opacity,
                   0, std::string()});
  if (opacity <= 0) return;
  const QImage* drawn = SpriteAsDrawn(sprite);
  if (drawn == nullptr) return;
  QPainter* painter = OpenScreenPainter();
  if (painter == nullptr) return;
  SetScreenOpacity(std::min(opacity, OpaqueOpacity));
  painter->drawImage(x, y, *drawn);
}

// Copies the back buffer as drawn so far into a sprite of the screen's size, opaque.
bool GrabScreenSprite(int sprite) {
  if (!gScreen.open || !CreateSprite(sprite, gScreen.back.width(), gScreen.back.height())) return false;
  EndScreenPainter();
  QImage* picture = SpritePictureForDrawing(sprite);
  if (picture == nullptr) return false;
  *picture = gScreen.back.copy();
  RefreshSprite(sprite);
  return true;
}

// ---- Pixels -----------------------------------------------------------------------------------

int ScreenPixel(int x, int y) { return PixelOf(gScreen.back, x, y); }

int VisibleScreenPixel(int x, int y) { return PixelOf(gScreen.front, x, y); }

// ---- Showing on the window --------------------------------------------------------------------

void PaintScreenOnWindow(int window, QPainter& painter) {
  if (gScreen.open && gScreen.window == window) painter.drawImage(gScreen.x, gScreen.y, gScreen.front);
}
