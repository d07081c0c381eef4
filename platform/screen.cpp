// The screen: a double-buffered drawing surface over a rectangle of a window.
//
// Sections: state, scaled presentation, opening and closing, flip and clear, sprites, reading
// the frame, showing on the window (scaled when the window is shown bigger).
//
// What is drawn on the screen is kept as the frame's list of commands. A flip compares it with
// the list of the frame shown: where both lists draw the same things the pixels cannot differ,
// so only the places of the commands that differ are drawn again, into the shown frame, and
// only those reach the window (frame_damage.cpp). A frame equal to the one shown costs a
// comparison of two lists.
#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include <QRegion>

#include "platform/colour.h"
#include "platform/journal.h"
#include "platform/picture_internal.h"
#include "platform/qt_internal.h"
#include "platform/shown_area.h"

namespace {

constexpr int BlackColour = 0;

// ---- State ------------------------------------------------------------------------------------

struct ScreenState {
  bool open = false;
  int window = -1;                    // window whose client area shows the screen
  int x = 0, y = 0;                   // top left of the screen in that client area
  QImage shown;                       // the frame on the window
  std::vector<DrawCommand> shownList; // how the shown frame was drawn from a clear
  bool shownListKnown = false;        // false when the shown frame is not shownList's picture
  std::vector<DrawCommand> frame;     // drawn since the last flip
  QImage back;                        // the frame painted whole, for reading it
  bool backCurrent = false;           // back holds the frame as drawn so far
  bool fullPresentation = false;      // every flip paints and presents the whole frame
  ScreenPresentStats stats;           // what reached the window
  bool keepPainted = false;           // paint events also copy into painted (tests)
  QImage painted;                     // the screen's pixels on the window as painted, as shown
  QImage presented;                   // the shown frame as a window shown bigger shows it
  QRect presentedArea;                // the window's shown area that presented was made for
  QSize presentedClient;              // and its client size
};

ScreenState gScreen;

// What the call journal writes of frames: a hash of every drawing call of a frame, written when a
// flip shows a frame whose calls differ from the one shown.
constexpr uint64_t FrameHashStart = 1469598103934665603ull;
struct FrameJournal {
  uint64_t hash = FrameHashStart;   // of the frame being drawn
  uint64_t shownHash = 0;           // of the last frame written
};
FrameJournal gFrameJournal;

void MixFrameHash(uint64_t value) {
  gFrameJournal.hash = (gFrameJournal.hash ^ value) * 1099511628211ull;
}

QRect ScreenRect() { return QRect(0, 0, gScreen.shown.width(), gScreen.shown.height()); }

// A frame whose first command clears the whole screen does not depend on what was there.
bool StartsWithClear(const std::vector<DrawCommand>& list) {
  return !list.empty() && list.front().kind == CommandClear && list.front().area == ScreenRect();
}

// 0x00RRGGBB of Qt to 0x00BBGGRR.
int ColourOfPixel(QRgb pixel) { return Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel)); }

int PixelOf(const QImage& buffer, int x, int y) {
  if (!gScreen.open || !buffer.valid(x, y)) return 0;
  return ColourOfPixel(buffer.pixel(x, y));
}

// ---- Scaled presentation ----------------------------------------------------------------------

// A window shown bigger is painted from `presented`, the shown frame scaled as the window shows
// it. Each flip scales again only the places that changed, in the damage's own rectangles,
// however the window is then asked to repaint: the repaint itself copies.

// Where the screen lies in the client widget of its window.
QRect ShownScreenRect(const ShownClient& shown) {
  const ScreenState& s = gScreen;
  const QRect& a = shown.area;
  const int left = MapClientToShown(s.x, a.x(), a.width(), shown.size.width());
  const int top = MapClientToShown(s.y, a.y(), a.height(), shown.size.height());
  const int right = MapClientToShown(s.x + s.shown.width(), a.x(), a.width(), shown.size.width());
  const int bottom =
      MapClientToShown(s.y + s.shown.height(), a.y(), a.height(), shown.size.height());
  return QRect(left, top, right - left, bottom - top);
}

bool IsPresentedFor(const ShownClient& shown) {
  const ScreenState& s = gScreen;
  return !s.presented.isNull() && s.presentedArea == shown.area && s.presentedClient == shown.size;
}

// Scales the places of the shown frame that changed (screen coordinates) into presented, or all
// of it when presented was made for another size; drops it while the window is not scaled.
void ScalePresented(const std::vector<QRect>& changed) {
  ScreenState& s = gScreen;
  const ShownClient shown = ShownClientOf(s.window);
  if (!shown.IsScaled()) {
    s.presented = QImage();
    return;
  }
  const QRect screen = ShownScreenRect(shown);
  const QPoint at(s.x, s.y);
  if (!IsPresentedFor(shown)) {
    s.presented = QImage(screen.size(), QImage::Format_RGB32);
    s.presentedArea = shown.area;
    s.presentedClient = shown.size;
    ScaleFramePart(s.shown, at, shown, screen, s.presented, QPoint());
    return;
  }
  for (const QRect& r : changed) {
    const QRect part = ShownRectReached(shown, r.translated(at)) & screen;
    ScaleFramePart(s.shown, at, shown, part, s.presented, part.topLeft() - screen.topLeft());
  }
}

// The shown frame as the window shows it, for the painted copy.
QImage ShownFrameAsShown() {
  ScreenState& s = gScreen;
  const ShownClient shown = ShownClientOf(s.window);
  if (!shown.IsScaled()) return s.shown.copy();
  if (!IsPresentedFor(shown)) ScalePresented({});
  return s.presented.copy();
}

}  // namespace

// ---- Opening and closing ----------------------------------------------------------------------

bool OpenScreen(int window, int x, int y, int width, int height) {
  if (width <= 0 || height <= 0 || WindowClientWidget(window) == nullptr) return false;
  CloseScreen();
  // The window's own format: showing a frame is a plain copy.
  QImage shown(width, height, QImage::Format_RGB32);
  if (shown.isNull()) return false;
  shown.fill(QtColour(BlackColour));
  ScreenState& s = gScreen;
  s.shown = shown;
  s.shownList.clear();
  s.shownListKnown = false;
  s.frame.clear();
  s.back = QImage();
  s.backCurrent = false;
  s.window = window;
  s.x = x;
  s.y = y;
  s.open = true;
  if (s.keepPainted) s.painted = shown.copy();
  RepaintWindow(window);
  return true;
}

void CloseScreen() {
  ScreenState& s = gScreen;
  if (!s.open) return;
  StopDrawingInto(DrawingOnScreen, 0);
  const int window = s.window;
  s.open = false;
  s.window = -1;
  s.shown = QImage();
  s.back = QImage();
  s.painted = QImage();
  s.shownList.clear();
  s.frame.clear();
  s.presented = QImage();
  ForgetMergedTexts();
  if (WindowClientWidget(window) != nullptr) RepaintWindow(window);
}

bool IsScreenOpen() { return gScreen.open; }

int ScreenWidth() { return gScreen.open ? gScreen.shown.width() : 0; }

int ScreenHeight() { return gScreen.open ? gScreen.shown.height() : 0; }

bool DrawOnScreen(DrawCommand command) {
  ScreenState& s = gScreen;
  if (!s.open) return false;
  // What lies wholly off the screen changes nothing.
  if (command.bounds.intersects(ScreenRect())) {
    s.frame.push_back(std::move(command));
    s.backCurrent = false;
  }
  return true;
}

// ---- Flip and clear ---------------------------------------------------------------------------

void NoteScreenDraw(const DrawRecord& r) {
  if (!IsCallJournalOn() || !gScreen.open) return;
  for (int value : {static_cast<int>(r.kind), r.number, r.x, r.y, r.width, r.height, r.opacity,
                    r.colour})
    MixFrameHash(static_cast<uint32_t>(value));
  for (unsigned char ch : r.text) MixFrameHash(ch);
  MixFrameHash(r.text.size());
}

void FlipScreen() {
  ScreenState& s = gScreen;
  if (!s.open || s.frame.empty()) return;   // nothing drawn: the shown frame stays
  if (IsCallJournalOn() && gFrameJournal.hash != gFrameJournal.shownHash) {
    char line[32];
    std::snprintf(line, sizeof line, "frame %016llx",
                  static_cast<unsigned long long>(gFrameJournal.hash));
    JournalCall(line);
    gFrameJournal.shownHash = gFrameJournal.hash;
  }
  gFrameJournal.hash = FrameHashStart;
  ResolveTexts(s.frame);
  const bool fromClear = StartsWithClear(s.frame);
  if (s.fullPresentation || (fromClear && !s.shownListKnown)) {
    PaintWhole(s.shown, s.frame);
    ScalePresented({ScreenRect()});
    s.stats.presentations += 1;
    s.stats.pixels += (long long)s.shown.width() * s.shown.height();
    s.stats.shownPixels +=
        RepaintWindowRegion(s.window, QRegion(ScreenRect().translated(s.x, s.y)));
  } else {
    const FrameDamage damage = fromClear ? DamageBetween(ScreenRect(), s.shownList, s.frame)
                                         : DamageOfOverdraw(ScreenRect(), s.frame);
    if (!damage.rects.empty()) {
      PaintDamaged(s.shown, s.frame, damage);
      ScalePresented(damage.rects);
      const QRegion presented = PresentedRegion(damage);
      s.stats.presentations += 1;
      s.stats.pixels += AreaOf(presented);
      s.stats.shownPixels += RepaintWindowRegion(s.window, presented.translated(s.x, s.y));
    }
  }
  s.shownListKnown = fromClear;
  s.shownList = std::move(s.frame);
  s.frame.clear();
  if (!fromClear) s.shownList.clear();
  s.backCurrent = false;
}

bool IsDrawnFrameShown() {
  ScreenState& s = gScreen;
  if (!s.open || !s.shownListKnown || !StartsWithClear(s.frame)) return false;
  ResolveTexts(s.frame);   // as the flip will: the shown list holds the texts resolved
  if (s.frame.size() != s.shownList.size()) return false;
  for (size_t i = 0; i < s.frame.size(); ++i)
    if (!SameDrawCommand(s.frame[i], s.shownList[i])) return false;
  return true;
}

void ClearScreen(int colour) {
  ScreenState& s = gScreen;
  if (!s.open) return;
  // A clear covers everything drawn before it in this frame.
  s.frame.clear();
  gFrameJournal.hash = FrameHashStart;
  MixFrameHash(static_cast<uint32_t>(colour));
  DrawCommand clear;
  clear.kind = CommandClear;
  clear.area = ScreenRect();
  clear.colour = colour;
  clear.bounds = clear.area;
  s.frame.push_back(std::move(clear));
  s.backCurrent = false;
}

void SetFullPresentation(bool on) { gScreen.fullPresentation = on; }

ScreenPresentStats PresentStats() { return gScreen.stats; }

void ResetPresentStats() { gScreen.stats = ScreenPresentStats{}; }

// ---- Sprites ----------------------------------------------------------------------------------

void DisplaySprite(int sprite, int x, int y, int opacity) {
  if (IsDrawLogOn() || IsCallJournalOn()) {
    const DrawRecord record{DrawnSprite, sprite, x, y, SpriteWidth(sprite),
                            SpriteHeight(sprite), opacity, 0, std::string()};
    if (IsDrawLogOn()) AddDrawRecord(record);
    NoteScreenDraw(record);
  }
  if (opacity <= 0 || !gScreen.open) return;
  const QImage* drawn = SpriteAsDrawn(sprite);
  if (drawn == nullptr) return;
  DrawCommand draw;
  draw.kind = CommandPicture;
  draw.picture = *drawn;
  draw.area = QRect(QPoint(x, y), drawn->size());
  draw.opacity = std::min(opacity, 255);
  DrawOnScreen(WithBounds(std::move(draw)));
}

// ---- Reading the frame ------------------------------------------------------------------------

namespace {

// The frame as drawn so far, painted whole into back: over the shown frame unless it starts
// with a clear.
const QImage& CurrentBack() {
  ScreenState& s = gScreen;
  if (s.backCurrent) return s.back;
  ResolveTexts(s.frame);
  if (!StartsWithClear(s.frame) || s.back.size() != s.shown.size()) s.back = s.shown.copy();
  PaintWhole(s.back, s.frame);
  s.backCurrent = true;
  return s.back;
}

}  // namespace

// Copies the back buffer as drawn so far into a sprite of the screen's size, opaque.
bool GrabScreenSprite(int sprite) {
  if (!gScreen.open || !CreateSprite(sprite, gScreen.shown.width(), gScreen.shown.height()))
    return false;
  QImage* picture = SpritePictureForDrawing(sprite);
  if (picture == nullptr) return false;
  // The sprite takes the painted frame over; reading the frame again paints a new one.
  CurrentBack();
  *picture = std::move(gScreen.back);
  gScreen.back = QImage();
  gScreen.backCurrent = false;
  RefreshSprite(sprite);
  return true;
}

int ScreenPixel(int x, int y) { return gScreen.open ? PixelOf(CurrentBack(), x, y) : 0; }

int VisibleScreenPixel(int x, int y) { return PixelOf(gScreen.shown, x, y); }

void KeepPaintedScreen(bool on) {
  gScreen.keepPainted = on;
  gScreen.painted = on && gScreen.open ? ShownFrameAsShown() : QImage();
}

bool GrabPaintedScreen(int sprite) {
  const ScreenState& s = gScreen;
  if (!s.open || s.painted.isNull() || !CreateSprite(sprite, s.painted.width(), s.painted.height()))
    return false;
  QImage* picture = SpritePictureForDrawing(sprite);
  if (picture == nullptr) return false;
  *picture = s.painted.copy();
  RefreshSprite(sprite);
  return true;
}

// ---- Showing on the window --------------------------------------------------------------------

// Copies the region's rectangles one by one: a copy under a clip region is many times slower.
// A window shown bigger copies from the scaled frame.
QRect PaintScreenOnWindow(int window, QPainter& painter, const QRegion& region) {
  ScreenState& s = gScreen;
  if (!s.open || s.window != window) return QRect();
  const ShownClient shown = ShownClientOf(window);
  const QRect screen = ShownScreenRect(shown);
  if (shown.IsScaled() ? !IsPresentedFor(shown) : !s.presented.isNull()) ScalePresented({});
  const QImage& from = shown.IsScaled() ? s.presented : s.shown;
  if (s.keepPainted && s.painted.size() != screen.size()) s.painted = ShownFrameAsShown();
  for (const QRect& r : region & screen) {
    const QRect part = r.translated(-screen.topLeft());
    painter.drawImage(r.topLeft(), from, part);
    if (s.keepPainted) {
      QPainter copy(&s.painted);
      copy.drawImage(part.topLeft(), from, part);
    }
  }
  return screen;
}
