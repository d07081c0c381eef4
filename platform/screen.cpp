// The screen: a double-buffered drawing surface over a rectangle of a window.
//
// Sections: state, presenting, opening and closing, flip and clear, sprites, reading the frame,
// showing on the window.
//
// What is drawn on the screen is kept as the frame's list of commands. A flip compares it with
// the list of the frame shown: where both lists draw the same things the pixels cannot differ,
// so only the places of the commands that differ are drawn again, into the shown frame, and
// only those reach the window (frame_damage.cpp). A frame equal to the one shown costs a
// comparison of two lists. On X11 the window is presented past Qt (x11_present.cpp): the
// changed rectangles go to the X server in one request.
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
  QImage presented;                   // the shown frame as the window shows it, when that is
                                      // not shown itself: scaled, or shared with the X server
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

// ---- Presenting -------------------------------------------------------------------------------

// The window shows `presented`, the shown frame as the window shows it, where that is not the
// shown frame itself: when it is shown bigger, and on the shared path, where the X server reads
// it. Each flip scales or copies again only the pixels that the changed places reach.

// What presenting one more rectangle to the X server costs beside its pixels, in shown pixels: a
// few rectangles far apart go as they are, many close together as the rectangle around them.
constexpr long long SharedRectCharge = 256;

bool IsShared() { return IsSharedPresent(gScreen.window); }

bool NeedsPresented(const ShownClient& shown) { return shown.IsScaled() || IsShared(); }

// Back to Qt's path, which paints the whole window again; the image over the shared memory goes
// first.
void LeaveSharedPresent() {
  gScreen.presented = QImage();
  StopSharedPresent();
}

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

// The pixels of the client widget that a change of a rectangle of the screen reaches.
QRect ReachOf(const ShownClient& shown, const QRect& changed) {
  const ScreenState& s = gScreen;
  const QPoint at(s.x, s.y);
  return ShownRectReached(shown, s.shown.size(), at, changed.translated(at));
}

// Makes presented anew, all of it, for the way the window is shown now; on the shared path in the
// shared memory, or on Qt's path when that memory cannot be had.
void MakePresented(const ShownClient& shown) {
  ScreenState& s = gScreen;
  s.presented = QImage();
  const QRect screen = ShownScreenRect(shown);
  if (IsShared()) {
    s.presented = SharedFrameImage(screen.size());
    if (s.presented.isNull()) StopSharedPresent();
  }
  if (!NeedsPresented(shown)) return;
  if (s.presented.isNull()) s.presented = QImage(screen.size(), QImage::Format_RGB32);
  s.presentedArea = shown.area;
  s.presentedClient = shown.size;
  ScaleFramePart(s.shown, QPoint(s.x, s.y), shown, screen, s.presented, QPoint());
}

// Brings presented up to the shown frame after the changed rectangles (screen coordinates) were
// painted; returns the pixels of the client widget they reach there (none where the window shows
// the shown frame itself).
std::vector<QRect> UpdatePresented(const ShownClient& shown, const std::vector<QRect>& changed) {
  ScreenState& s = gScreen;
  std::vector<QRect> reached;
  if (!NeedsPresented(shown)) {
    s.presented = QImage();
    return reached;
  }
  const QRect screen = ShownScreenRect(shown);
  if (!IsPresentedFor(shown)) {
    MakePresented(shown);
    return {screen};
  }
  if (IsShared()) AwaitSharedFrameRead();
  for (const QRect& r : changed) {
    const QRect part = ReachOf(shown, r) & screen;
    if (part.isEmpty()) continue;
    ScaleFramePart(s.shown, QPoint(s.x, s.y), shown, part, s.presented,
                   part.topLeft() - screen.topLeft());
    reached.push_back(part);
  }
  return reached;
}

// The reached rectangles as they go to the X server: as they are, or the rectangle around them
// when that costs less.
std::vector<QRect> SharedCover(const std::vector<QRect>& reached) {
  QRect around;
  long long cost = 0;
  for (const QRect& r : reached) {
    around |= r;
    cost += SharedRectCharge + (long long)r.width() * r.height();
  }
  if (reached.size() > 1 && (long long)around.width() * around.height() + SharedRectCharge < cost)
    return {around};
  return reached;
}

long long PixelsOf(const std::vector<QRect>& rects) {
  long long pixels = 0;
  for (const QRect& r : rects) pixels += (long long)r.width() * r.height();
  return pixels;
}

// Presents what changed (screen coordinates); Qt's path repaints the region asked, which may be
// more.
void PresentChanged(const std::vector<QRect>& changed, const QRegion& asked) {
  ScreenState& s = gScreen;
  const ShownClient shown = ShownClientOf(s.window);
  const std::vector<QRect> reached = UpdatePresented(shown, changed);
  s.stats.presentations += 1;
  if (IsShared()) {
    const std::vector<QRect> sent = SharedCover(reached);
    PresentSharedRects(sent, ShownScreenRect(shown).topLeft());
    s.stats.pixels += PixelsOf(changed);
    s.stats.shownPixels += PixelsOf(sent);
    return;
  }
  QRegion region;
  for (const QRect& r : asked) region += ReachOf(shown, r);
  s.stats.pixels += AreaOf(asked);
  s.stats.shownPixels += RepaintWindowRegion(s.window, region);
}

// The shown frame as the window shows it, for the painted copy.
QImage ShownFrameAsShown() {
  ScreenState& s = gScreen;
  const ShownClient shown = ShownClientOf(s.window);
  if (!shown.IsScaled()) return s.shown.copy();
  if (!IsPresentedFor(shown)) MakePresented(shown);
  return s.presented.copy();
}

// A window shows only the screen when the screen covers its client area and nothing else lives
// there: then it may be presented past Qt.
bool ShowsOnlyScreen(int window) {
  const ScreenState& s = gScreen;
  QWidget* client = WindowClientWidget(window);
  return client != nullptr && s.x == 0 && s.y == 0 && s.shown.size() == ShownClientOf(window).size &&
         client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty();
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
  if (ShowsOnlyScreen(window)) StartSharedPresent(window);
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
  // The shared memory goes after the image over it.
  s.presented = QImage();
  if (IsSharedPresent(window)) StopSharedPresent();
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
  if (IsShared() && !SharedPresentStillFits()) LeaveSharedPresent();
  const bool fromClear = StartsWithClear(s.frame);
  if (s.fullPresentation || (fromClear && !s.shownListKnown)) {
    PaintWhole(s.shown, s.frame);
    PresentChanged({ScreenRect()}, QRegion(ScreenRect()));
  } else {
    // Finer rectangles pay where each of their pixels is scaled or sent past Qt.
    const bool finely = IsShared() || ShownClientOf(s.window).IsScaled();
    const FrameDamage damage = fromClear
                                   ? DamageBetween(ScreenRect(), s.shownList, s.frame, finely)
                                   : DamageOfOverdraw(ScreenRect(), s.frame, finely);
    if (!damage.rects.empty()) {
      PaintDamaged(s.shown, s.frame, damage);
      PresentChanged(damage.shown, PresentedRegion(damage));
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
  gScreen.painted = on && gScreen.open && !IsShared() ? ShownFrameAsShown() : QImage();
}

bool GrabPaintedScreen(int sprite) {
  const ScreenState& s = gScreen;
  // Presented past Qt, the window's pixels are the X server's.
  if (!s.open || !s.keepPainted) return false;
  const QImage painted =
      IsShared() ? ReadSharedWindow(ShownScreenRect(ShownClientOf(s.window))) : s.painted.copy();
  if (painted.isNull() || !CreateSprite(sprite, painted.width(), painted.height()))
    return false;
  QImage* picture = SpritePictureForDrawing(sprite);
  if (picture == nullptr) return false;
  *picture = painted;
  RefreshSprite(sprite);
  return true;
}

bool IsScreenPresentedDirectly() { return gScreen.open && IsShared(); }

// ---- Showing on the window --------------------------------------------------------------------

// Copies the region's rectangles one by one: a copy under a clip region is many times slower.
// A window shown bigger copies from the scaled frame.
QRect PaintScreenOnWindow(int window, QPainter& painter, const QRegion& region) {
  ScreenState& s = gScreen;
  if (!s.open || s.window != window) return QRect();
  const ShownClient shown = ShownClientOf(window);
  const QRect screen = ShownScreenRect(shown);
  if (shown.IsScaled() && !IsPresentedFor(shown)) MakePresented(shown);
  if (!shown.IsScaled()) s.presented = QImage();
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

// An exposed or resized window presented past Qt: the region again from the kept frame, black
// around it.
void PresentScreenShared(int window, const QRegion& region) {
  ScreenState& s = gScreen;
  const ShownClient shown = ShownClientOf(window);
  const QRect screen = ShownScreenRect(shown);
  if (!SharedPresentStillFits()) LeaveSharedPresent();
  if (IsSharedPresent(window) && s.open && s.window == window && !IsPresentedFor(shown))
    MakePresented(shown);
  if (!IsSharedPresent(window)) {
    // The shared memory failed, or the window now lies on a screen that scales windows: Qt
    // paints it from now on.
    RepaintWindow(window);
    return;
  }
  std::vector<QRect> inside, around;
  for (const QRect& r : region & screen) inside.push_back(r);
  for (const QRect& r : region - screen) around.push_back(r);
  FillSharedRects(around);
  PresentSharedRects(inside, screen.topLeft());
}
