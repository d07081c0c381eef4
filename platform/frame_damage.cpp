// Repainting a frame where it differs from the one shown.
//
// Sections: the damage grid, the damage between two frames, painting pieces, the plan, painting
// and presenting.
//
// The places where commands differ are gathered on a fine grid of square cells and covered by
// disjoint rectangles: a small picture that moved is a rectangle of its own, a few pixels larger
// at most, and overlapping ones are cut into pieces. Each command is then painted into each
// rectangle it reaches, in the commands' order, unless painting the frame whole costs less.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/picture_internal.h"

namespace {

// ---- The damage grid ------------------------------------------------------------------------

// Side of a grid cell in pixels. Finer cells follow small pictures more closely, which pays
// most where the window is shown bigger and every pixel is scaled and sent many times over.
constexpr int DamageCell = 4;

class DamageGrid {
 public:
  explicit DamageGrid(QRect screen)
      : screen_(screen), columns_((screen.width() + DamageCell - 1) / DamageCell),
        rows_((screen.height() + DamageCell - 1) / DamageCell),
        marked_(size_t(columns_) * size_t(rows_), 0) {}

  void Add(const QRect& rect) {
    const QRect r = rect.intersected(screen_);
    if (r.isEmpty()) return;
    const int first = r.left() / DamageCell, end = r.right() / DamageCell + 1;
    for (int row = r.top() / DamageCell; row <= r.bottom() / DamageCell; ++row)
      std::fill(marked_.begin() + ptrdiff_t(Cell(row, first)),
                marked_.begin() + ptrdiff_t(Cell(row, end)), uint8_t(1));
  }

  // Runs of marked cells along each row of cells, each run grown down over the rows below that
  // repeat it exactly.
  FrameDamage Cover() const {
    FrameDamage d;
    d.columns = columns_;
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
  bool IsOpen(const FrameDamage& d, int row, int column) const {
    return marked_[Cell(row, column)] && d.cellRect[Cell(row, column)] < 0;
  }
  // Exactly the run [first, end) of the row is open: no open cell just before or after it.
  bool IsRun(const FrameDamage& d, int row, int first, int end) const {
    for (int c = first; c < end; ++c)
      if (!IsOpen(d, row, c)) return false;
    return (first == 0 || !IsOpen(d, row, first - 1)) && (end == columns_ || !IsOpen(d, row, end));
  }

  QRect screen_;
  int columns_, rows_;
  std::vector<uint8_t> marked_;
};

}  // namespace

// ---- The damage between two frames ----------------------------------------------------------

// A pixel that no differing command touches is drawn by the same commands in the same order in
// both frames. Lists of one length are compared command by command; others after their common
// start and end.
FrameDamage DamageBetween(const QRect& screen, const std::vector<DrawCommand>& shown,
                          const std::vector<DrawCommand>& next) {
  DamageGrid grid(screen);
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

FrameDamage DamageOfOverdraw(const QRect& screen, const std::vector<DrawCommand>& next) {
  DamageGrid grid(screen);
  for (const DrawCommand& command : next) grid.Add(command.bounds);
  return grid.Cover();
}

namespace {

// ---- Painting pieces ------------------------------------------------------------------------

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

// ---- The plan -------------------------------------------------------------------------------

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
                       const FrameDamage& damage) {
  DamagePlan plan;
  std::vector<size_t> reachedBy(damage.rects.size(), SIZE_MAX);
  for (size_t i = 0; i < list.size(); ++i) {
    const QRect r = list[i].bounds.intersected(target.rect());
    if (r.isEmpty()) continue;
    plan.wholeCost += PieceCharge + (long long)r.width() * r.height();
    const long long charge = IsPlainPiece(target, list[i]) ? PlainPieceCharge : PieceCharge;
    const auto addPiece = [&](size_t rect) {
      const QRect part = r.intersected(damage.rects[rect]);
      if (part.isEmpty()) return;
      plan.pieces.push_back({i, rect});
      plan.cost += charge + (long long)part.width() * part.height();
    };
    // A large command looks at every rectangle, a small one at the cells it covers.
    const int firstRow = r.top() / DamageCell, lastRow = r.bottom() / DamageCell;
    const int firstColumn = r.left() / DamageCell, lastColumn = r.right() / DamageCell;
    const long long cells = (long long)(lastRow - firstRow + 1) * (lastColumn - firstColumn + 1);
    if (cells > (long long)damage.rects.size()) {
      for (size_t rect = 0; rect < damage.rects.size(); ++rect) addPiece(rect);
      continue;
    }
    for (int row = firstRow; row <= lastRow; ++row)
      for (int column = firstColumn; column <= lastColumn; ++column) {
        const int rect = damage.cellRect[size_t(row) * size_t(damage.columns) + size_t(column)];
        if (rect < 0 || reachedBy[size_t(rect)] == i) continue;
        reachedBy[size_t(rect)] = i;
        addPiece(size_t(rect));
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

void PaintPlan(QImage& target, const std::vector<DrawCommand>& list, const FrameDamage& damage,
               const DamagePlan& plan) {
  QPainter painter(&target);
  for (const auto& [command, rect] : plan.pieces)
    if (!IsHiddenByNext(list, command))
      PaintWithin(target, painter, list[command], damage.rects[rect]);
}

long long AreaOf(const FrameDamage& damage) {
  long long pixels = 0;
  for (const QRect& r : damage.rects) pixels += (long long)r.width() * r.height();
  return pixels;
}

}  // namespace

// ---- Painting and presenting ----------------------------------------------------------------

void PaintDamaged(QImage& target, const std::vector<DrawCommand>& frame,
                  const FrameDamage& damage) {
  DamagePlan plan;
  if (AreaOf(damage) * WholeShare < (long long)target.width() * target.height())
    plan = PlanDamaged(target, frame, damage);
  if (!plan.pieces.empty() && plan.cost < plan.wholeCost)
    PaintPlan(target, frame, damage, plan);
  else
    PaintWhole(target, frame);
}

void PaintWhole(QImage& target, const std::vector<DrawCommand>& list) {
  QPainter painter(&target);
  for (size_t i = 0; i < list.size(); ++i)
    if (!IsHiddenByNext(list, i)) PaintDrawCommand(painter, list[i]);
}

// What is sent to the window on Qt's path: the damage's rectangles, or when they are many their
// bounding rectangle, since Qt's repaint of a region of many pieces costs more than copying more.
constexpr size_t MaxPresentedRects = 32;

QRegion PresentedRegion(const FrameDamage& damage) {
  QRegion region;
  if (damage.rects.size() > MaxPresentedRects) {
    QRect bounds;
    for (const QRect& r : damage.rects) bounds |= r;
    return QRegion(bounds);
  }
  for (const QRect& r : damage.rects) region += r;
  return region;
}
