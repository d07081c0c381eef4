// The screen: a double-buffered drawing surface over a rectangle of a window.
//
// Sections: state, damage, opening and closing, flip and clear, sprites, reading the frame,
// showing on the window (scaled when the window is shown bigger).
//
// What is drawn on the screen is kept as the frame's list of commands. A flip compares it with
// the list of the frame shown: where both lists draw the same things the pixels cannot differ,
// so only the places of the commands that differ are drawn again, into the shown frame, and
// only those reach the window. A frame equal to the one shown costs a comparison of two lists.
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include <QRegion>

#include "platform/colour.h"
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

// ---- Damage -----------------------------------------------------------------------------------

// The places where two frames may differ, gathered on a grid of square cells and covered by few
// disjoint rectangles, however many small pictures moved.
constexpr int DamageCell = 16;

struct Damage {
  std::vector<QRect> rects;   // disjoint, top to bottom
  std::vector<int> cellRect;  // by cell: the rectangle that covers it, or -1
  int columns = 0, rows = 0;
};

class DamageGrid {
 public:
  explicit DamageGrid(QRect screen)
      : screen_(screen), columns_((screen.width() + DamageCell - 1) / DamageCell),
        rows_((screen.height() + DamageCell - 1) / DamageCell),
        marked_(size_t(columns_) * size_t(rows_), 0) {}

  void Add(const QRect& rect) {
    const QRect r = rect.intersected(screen_);
    if (r.isEmpty()) return;
    for (int row = r.top() / DamageCell; row <= r.bottom() / DamageCell; ++row)
      for (int column = r.left() / DamageCell; column <= r.right() / DamageCell; ++column)
        marked_[Cell(row, column)] = 1;
  }

  // Runs of marked cells along each row of cells, each run grown down over the rows below that
  // repeat it exactly.
  Damage Cover() const {
    Damage d;
    d.columns = columns_;
    d.rows = rows_;
    d.cellRect.assign(marked_.size(), -1);
    for (int row = 0; row < rows_; ++row) {
      for (int column = 0; column < columns_;) {
        if (!IsOpen(d, row, column)) {
          ++column;
          continue;
        }
        int end = column;
        while (end < columns_ && IsOpen(d, row, end)) ++end;
        int last = row;
        while (last + 1 < rows_ && IsRun(d, last + 1, column, end)) ++last;
        const int index = int(d.rects.size());
        for (int r = row; r <= last; ++r)
          for (int c = column; c < end; ++c) d.cellRect[Cell(r, c)] = index;
        d.rects.push_back(QRect(column * DamageCell, row * DamageCell, (end - column) * DamageCell,
                                (last - row + 1) * DamageCell)
                              .intersected(screen_));
        column = end;
      }
    }
    return d;
  }

 private:
  size_t Cell(int row, int column) const { return size_t(row) * size_t(columns_) + size_t(column); }
  bool IsOpen(const Damage& d, int row, int column) const {
    return marked_[Cell(row, column)] && d.cellRect[Cell(row, column)] < 0;
  }
  // Exactly the run [first, end) of the row is open: no open cell just before or after it.
  bool IsRun(const Damage& d, int row, int first, int end) const {
    for (int c = first; c < end; ++c)
      if (!IsOpen(d, row, c)) return false;
    return (first == 0 || !IsOpen(d, row, first - 1)) && (end == columns_ || !IsOpen(d, row, end));
  }

  QRect screen_;
  int columns_, rows_;
  std::vector<uint8_t> marked_;
};

// Where the new frame may differ from the shown one. A pixel that no differing command touches
// is drawn by the same commands in the same order in both frames. Lists of one length are
// compared command by command; others after their common start and end.
Damage FrameDamage(const std::vector<DrawCommand>& shown, const std::vector<DrawCommand>& next) {
  DamageGrid grid(ScreenRect());
  const size_t common = std::min(shown.size(), next.size());
  size_t head = 0;
  while (head < common && SameDrawCommand(shown[head], next[head])) ++head;
  size_t tail = 0;
  while (tail < common - head &&
         SameDrawCommand(shown[shown.size() - 1 - tail], next[next.size() - 1 - tail]))
    ++tail;
  if (shown.size() == next.size()) {
    for (size_t i = head; i < next.size() - tail; ++i)
      if (!SameDrawCommand(shown[i], next[i])) {
        grid.Add(shown[i].bounds);
        grid.Add(next[i].bounds);
      }
  } else {
    for (size_t i = head; i < shown.size() - tail; ++i) grid.Add(shown[i].bounds);
    for (size_t i = head; i < next.size() - tail; ++i) grid.Add(next[i].bounds);
  }
  return grid.Cover();
}

// Where a frame drawn over the shown one changes it.
Damage OverdrawDamage(const std::vector<DrawCommand>& next) {
  DamageGrid grid(ScreenRect());
  for (const DrawCommand& command : next) grid.Add(command.bounds);
  return grid.Cover();
}

// Opaque fills and copies into the screen's own format need no blending: small pieces of them
// are written straight into the rows, without a painter's set-up for each.
bool IsPlainPiece(const QImage& target, const DrawCommand& c) {
  if (target.format() != QImage::Format_RGB32) return false;
  if (c.kind == CommandClear || c.kind == CommandBox) return true;
  return c.kind == CommandPicture && c.opacity >= 255 &&
         c.picture.format() == QImage::Format_RGB32;
}

void PaintPlainPiece(QImage& target, const DrawCommand& c, const QRect& part) {
  if (c.kind == CommandPicture) {
    const QPoint from = part.topLeft() - c.area.topLeft() +
                        (c.source.isNull() ? QPoint() : c.source.topLeft());
    for (int y = 0; y < part.height(); ++y)
      std::memcpy(target.scanLine(part.top() + y) + part.left() * 4,
                  c.picture.constScanLine(from.y() + y) + from.x() * 4, size_t(part.width()) * 4);
    return;
  }
  const QRgb pixel = QtColour(c.colour).rgb();
  for (int y = part.top(); y <= part.bottom(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(target.scanLine(y)) + part.left();
    std::fill(row, row + part.width(), pixel);
  }
}

// The part of a command inside a rectangle. Fills and pictures are cut to it, which keeps to
// plain copying and filling; a clip is slower and is left to lines, scaled pictures and texts
// drawn directly.
void PaintWithin(QImage& target, QPainter& painter, const DrawCommand& c, const QRect& within) {
  if (!c.bounds.intersects(within)) return;
  const QRect part = c.area.intersected(within).intersected(target.rect());
  if (c.kind != CommandLine && part.isEmpty()) return;
  if (IsPlainPiece(target, c)) {
    PaintPlainPiece(target, c, part);
    return;
  }
  switch (c.kind) {
    case CommandClear:
    case CommandBox: {
      DrawCommand cut = c;
      cut.area = part;
      PaintDrawCommand(painter, cut);
      return;
    }
    case CommandPicture: {
      if (c.picture.isNull()) break;   // texts drawn directly: clipped below
      DrawCommand cut = c;
      cut.source = part.translated(-c.area.topLeft());
      cut.area = part;
      PaintDrawCommand(painter, cut);
      return;
    }
    case CommandScaledPicture:
    case CommandLine: break;
  }
  painter.setClipRect(within);
  PaintDrawCommand(painter, c);
  painter.setClipping(false);
}

// The pieces of a damaged repaint: each command with each rectangle of the damage it reaches,
// in the commands' order, and what they cost against painting the frame whole.
struct DamagePlan {
  std::vector<std::pair<size_t, size_t>> pieces;   // (command, rectangle)
  long long cost = 0;                              // pixels, with a charge for every piece
  long long wholeCost = 0;
};

// Damage over more than a third of the screen is painted whole without weighing the pieces.
constexpr long long WholeShare = 3;
// What one more drawing call costs beside its pixels, in pixels: small pieces are not free.
constexpr long long PieceCharge = 1000;
constexpr long long PlainPieceCharge = 50;

DamagePlan PlanDamaged(const QImage& target, const std::vector<DrawCommand>& list,
                       const Damage& damage) {
  DamagePlan plan;
  std::vector<size_t> reachedBy(damage.rects.size(), SIZE_MAX);
  for (size_t i = 0; i < list.size(); ++i) {
    const QRect r = list[i].bounds.intersected(ScreenRect());
    if (r.isEmpty()) continue;
    plan.wholeCost += PieceCharge + (long long)r.width() * r.height();
    for (int row = r.top() / DamageCell; row <= r.bottom() / DamageCell; ++row)
      for (int column = r.left() / DamageCell; column <= r.right() / DamageCell; ++column) {
        const int rect = damage.cellRect[size_t(row) * size_t(damage.columns) + size_t(column)];
        if (rect < 0 || reachedBy[size_t(rect)] == i) continue;
        reachedBy[size_t(rect)] = i;
        const QRect part = r.intersected(damage.rects[size_t(rect)]);
        if (part.isEmpty()) continue;
        plan.pieces.push_back({i, size_t(rect)});
        const long long charge = IsPlainPiece(target, list[i]) ? PlainPieceCharge : PieceCharge;
        plan.cost += charge + (long long)part.width() * part.height();
      }
  }
  return plan;
}

// A clear followed by an opaque picture over all it clears (the background) need not be painted.
bool IsHiddenByNext(const std::vector<DrawCommand>& list, size_t i) {
  if (list[i].kind != CommandClear || i + 1 >= list.size()) return false;
  const DrawCommand& next = list[i + 1];
  return next.kind == CommandPicture && next.opacity >= 255 && next.source.isNull() &&
         next.picture.format() == QImage::Format_RGB32 && next.area.contains(list[i].area);
}

void PaintPlan(QImage& target, const std::vector<DrawCommand>& list, const Damage& damage,
               const DamagePlan& plan) {
  QPainter painter(&target);
  for (const auto& [command, rect] : plan.pieces)
    if (!IsHiddenByNext(list, command))
      PaintWithin(target, painter, list[command], damage.rects[rect]);
}

void PaintWhole(QImage& target, const std::vector<DrawCommand>& list) {
  QPainter painter(&target);
  for (size_t i = 0; i < list.size(); ++i)
    if (!IsHiddenByNext(list, i)) PaintDrawCommand(painter, list[i]);
}

// What is sent to the window: the damage's rectangles, or when they are many their bounding
// rectangle, since the window's repaint of a region of many pieces costs more than copying more.
constexpr size_t MaxPresentedRects = 32;

QRegion PresentedRegion(const Damage& damage) {
  QRegion region;
  if (damage.rects.size() > MaxPresentedRects) {
    QRect bounds;
    for (const QRect& r : damage.rects) bounds |= r;
    return QRegion(bounds);
  }
  for (const QRect& r : damage.rects) region += r;
  return region;
}

long long AreaOf(const Damage& damage) {
  long long pixels = 0;
  for (const QRect& r : damage.rects) pixels += (long long)r.width() * r.height();
  return pixels;
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

void FlipScreen() {
  ScreenState& s = gScreen;
  if (!s.open || s.frame.empty()) return;   // nothing drawn: the shown frame stays
  ResolveTexts(s.frame);
  const bool fromClear = StartsWithClear(s.frame);
  if (s.fullPresentation || (fromClear && !s.shownListKnown)) {
    PaintWhole(s.shown, s.frame);
    ScalePresented({ScreenRect()});
    s.stats.presentations += 1;
    s.stats.pixels += (long long)s.shown.width() * s.shown.height();
    s.stats.shownPixels += RepaintWindowRegion(s.window, QRegion(ScreenRect().translated(s.x, s.y)));
  } else {
    const Damage damage = fromClear ? FrameDamage(s.shownList, s.frame) : OverdrawDamage(s.frame);
    if (!damage.rects.empty()) {
      // A frame that changes nearly everywhere is cheaper to paint whole; either way only the
      // damage is sent on.
      DamagePlan plan;
      if (AreaOf(damage) * WholeShare < (long long)s.shown.width() * s.shown.height())
        plan = PlanDamaged(s.shown, s.frame, damage);
      if (!plan.pieces.empty() && plan.cost < plan.wholeCost)
        PaintPlan(s.shown, s.frame, damage, plan);
      else
        PaintWhole(s.shown, s.frame);
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

void ClearScreen(int colour) {
  ScreenState& s = gScreen;
  if (!s.open) return;
  // A clear covers everything drawn before it in this frame.
  s.frame.clear();
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
  if (IsDrawLogOn())
    AddDrawRecord({DrawnSprite, sprite, x, y, SpriteWidth(sprite), SpriteHeight(sprite), opacity,
                   0, std::string()});
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

// The shown frame as the window shows it, for the painted copy.
QImage ShownFrameAsShown() {
  ScreenState& s = gScreen;
  const ShownClient shown = ShownClientOf(s.window);
  if (!shown.IsScaled()) return s.shown.copy();
  if (!IsPresentedFor(shown)) ScalePresented({});
  return s.presented.copy();
}

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
