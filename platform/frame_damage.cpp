// Repainting a frame where it differs from the one shown.
//
// Sections: the damage grid, the damage between two frames, painting pieces, the plan, painting
// and presenting.
//
// The places where commands differ are gathered on two grids of square cells, each covered by
// disjoint rectangles. The coarse one gives few rectangles however many small pictures moved:
// each command is painted into each rectangle it reaches, in the commands' order, unless painting
// the frame whole costs less. The fine one follows every small picture with a rectangle of its
// own, a few pixels larger at most: only those pixels are scaled and presented.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/picture_internal.h"

namespace {

// ---- The damage grids ------------------------------------------------------------------------

// Sides of the grid cells in pixels: the painting grid, and the presenting grid, whose fine
// cells pay where the window is shown bigger and every pixel is scaled and sent many times over.
constexpr int DamageCell = 16;
constexpr int ShownCell = 2;

// The marked cells, a bit each, every row of cells in whole words.
class DamageGrid {
 public:
  DamageGrid(QRect screen, int cell)
      : screen_(screen), cell_(cell), columns_((screen.width() + cell - 1) / cell),
        rows_((screen.height() + cell - 1) / cell), words_((columns_ + WordBits - 1) / WordBits),
        marked_(size_t(rows_) * words_, 0) {}

  void Add(const QRect& rect) {
    const QRect r = rect.intersected(screen_);
    if (r.isEmpty()) return;
    const int first = r.left() / cell_, end = r.right() / cell_ + 1;
    for (int row = r.top() / cell_; row <= r.bottom() / cell_; ++row)
      SetRun(Row(marked_, row), first, end, true);
  }

  // Runs of marked cells along each row of cells, each run grown down over the rows below that
  // repeat it exactly; with the rectangle of every cell when indexed.
  std::vector<QRect> Cover(std::vector<int>* cellRect = nullptr) const {
    std::vector<QRect> rects;
    if (cellRect != nullptr) cellRect->assign(size_t(rows_) * size_t(columns_), -1);
    std::vector<uint64_t> open = marked_;
    for (int row = 0; row < rows_; ++row) {
      for (int column = NextOf(Row(open, row), 0, true); column < columns_;
           column = NextOf(Row(open, row), column, true)) {
        const int end = NextOf(Row(open, row), column, false);
        int last = row;
        while (last + 1 < rows_ && IsExactRun(Row(open, last + 1), column, end)) ++last;
        for (int r = row; r <= last; ++r) {
          SetRun(Row(open, r), column, end, false);
          if (cellRect != nullptr)
            std::fill_n(cellRect->begin() + ptrdiff_t(size_t(r) * size_t(columns_) + size_t(column)),
                        end - column, int(rects.size()));
        }
        rects.push_back(QRect(column * cell_, row * cell_, (end - column) * cell_,
                              (last - row + 1) * cell_)
                            .intersected(screen_));
        column = end;
      }
    }
    return rects;
  }

  int Columns() const { return columns_; }

  // Some cell the rectangle covers is marked.
  bool Touches(const QRect& rect) const {
    const QRect r = rect.intersected(screen_);
    if (r.isEmpty()) return false;
    const int first = r.left() / cell_, end = r.right() / cell_ + 1;
    for (int row = r.top() / cell_; row <= r.bottom() / cell_; ++row)
      if (NextOf(Row(marked_, row), first, true) < end) return true;
    return false;
  }

 private:
  static constexpr int WordBits = 64;

  uint64_t* Row(std::vector<uint64_t>& bits, int row) const { return &bits[size_t(row) * words_]; }
  const uint64_t* Row(const std::vector<uint64_t>& bits, int row) const {
    return &bits[size_t(row) * words_];
  }
  static void SetRun(uint64_t* row, int first, int end, bool on) {
    for (int word = first / WordBits; word * WordBits < end; ++word) {
      const int from = std::max(first - word * WordBits, 0);
      const int to = std::min(end - word * WordBits, WordBits);
      const uint64_t mask = (to == WordBits ? ~0ull : (1ull << to) - 1) & ~((1ull << from) - 1);
      row[word] = on ? row[word] | mask : row[word] & ~mask;
    }
  }
  // The first column from `from` on whose bit is `on`, or the number of columns.
  int NextOf(const uint64_t* row, int from, bool on) const {
    for (int word = from / WordBits; word < int(words_); ++word) {
      uint64_t bits = on ? row[word] : ~row[word];
      if (word == from / WordBits) bits &= ~0ull << (from % WordBits);
      if (bits != 0) return std::min(word * WordBits + __builtin_ctzll(bits), columns_);
    }
    return columns_;
  }
  bool IsSet(const uint64_t* row, int column) const {
    return (row[column / WordBits] >> (column % WordBits)) & 1;
  }
  // Exactly the run [first, end) of the row is open: no open cell just before or after it.
  bool IsExactRun(const uint64_t* row, int first, int end) const {
    return IsSet(row, first) && NextOf(row, first, false) == end &&
           (first == 0 || !IsSet(row, first - 1)) && (end == columns_ || !IsSet(row, end));
  }

  QRect screen_;
  int cell_, columns_, rows_;
  size_t words_;
  std::vector<uint64_t> marked_;
};

// Both grids, marked together; the presenting grid only when asked for.
struct DamageGrids {
  DamageGrids(QRect screen, bool finely)
      : finely(finely), painted(screen, DamageCell), shown(screen, finely ? ShownCell : DamageCell) {}
  void Add(const QRect& rect) {
    painted.Add(rect);
    if (finely) shown.Add(rect);
  }
  // A text drawn directly is shaped again for every piece it is cut into: where the damage
  // touches one, all of it is painted again, at once.
  void PaintTextsWhole(const std::vector<DrawCommand>& next) {
    for (const DrawCommand& c : next)
      if (c.kind == CommandPicture && c.picture.isNull() && painted.Touches(c.bounds))
        painted.Add(c.bounds);
  }
  FrameDamage Cover() const {
    FrameDamage d;
    d.rects = painted.Cover(&d.cellRect);
    d.columns = painted.Columns();
    d.shown = finely ? shown.Cover() : d.rects;
    return d;
  }
  bool finely;
  DamageGrid painted, shown;
};

}  // namespace

// ---- The damage between two frames ----------------------------------------------------------

// A pixel that no differing command touches is drawn by the same commands in the same order in
// both frames. Lists of one length are compared command by command; others after their common
// start and end.
FrameDamage DamageBetween(const QRect& screen, const std::vector<DrawCommand>& shown,
                          const std::vector<DrawCommand>& next, bool finely) {
  const size_t common = std::min(shown.size(), next.size());
  size_t head = 0;
  while (head < common && SameDrawCommand(shown[head], next[head])) ++head;
  if (head == common && shown.size() == next.size()) return {};   // the same frame
  DamageGrids grid(screen, finely);
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
  grid.PaintTextsWhole(next);
  return grid.Cover();
}

FrameDamage DamageOfOverdraw(const QRect& screen, const std::vector<DrawCommand>& next,
                             bool finely) {
  DamageGrids grid(screen, finely);
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

// The pieces of a damaged repaint: each command with each rectangle of the damage it reaches, or
// once whole when it lies wholly inside the damage, in the commands' order, and what they cost
// against painting the frame whole.
constexpr size_t WholeCommand = SIZE_MAX;
struct DamagePlan {
  std::vector<std::pair<size_t, size_t>> pieces;   // (command, rectangle or WholeCommand)
  long long cost = 0;                              // pixels, with a charge for every piece
  long long wholeCost = 0;
};

// Damage over more than a third of the screen is painted whole without weighing the pieces.
constexpr long long WholeShare = 3;
// What one more drawing call costs beside its pixels, in pixels: small pieces are not free.
constexpr long long PieceCharge = 1000;
constexpr long long PlainPieceCharge = 50;

// Every pixel of the rectangle is painted again: a command inside it is painted whole, once,
// instead of piece by piece.
bool IsInsideDamage(const FrameDamage& damage, const QRect& r) {
  for (int row = r.top() / DamageCell; row <= r.bottom() / DamageCell; ++row)
    for (int column = r.left() / DamageCell; column <= r.right() / DamageCell; ++column)
      if (damage.cellRect[size_t(row) * size_t(damage.columns) + size_t(column)] < 0) return false;
  return true;
}

DamagePlan PlanDamaged(const QImage& target, const std::vector<DrawCommand>& list,
                       const FrameDamage& damage) {
  DamagePlan plan;
  std::vector<size_t> reachedBy(damage.rects.size(), SIZE_MAX);
  for (size_t i = 0; i < list.size(); ++i) {
    const QRect r = list[i].bounds.intersected(target.rect());
    if (r.isEmpty()) continue;
    const long long charge = IsPlainPiece(target, list[i]) ? PlainPieceCharge : PieceCharge;
    plan.wholeCost += PieceCharge + (long long)r.width() * r.height();
    if (IsInsideDamage(damage, r)) {
      plan.pieces.push_back({i, WholeCommand});
      plan.cost += charge + (long long)r.width() * r.height();
      continue;
    }
    for (int row = r.top() / DamageCell; row <= r.bottom() / DamageCell; ++row)
      for (int column = r.left() / DamageCell; column <= r.right() / DamageCell; ++column) {
        const int rect = damage.cellRect[size_t(row) * size_t(damage.columns) + size_t(column)];
        if (rect < 0 || reachedBy[size_t(rect)] == i) continue;
        reachedBy[size_t(rect)] = i;
        const QRect part = r.intersected(damage.rects[size_t(rect)]);
        if (part.isEmpty()) continue;
        plan.pieces.push_back({i, size_t(rect)});
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

void PaintPlan(QImage& target, const std::vector<DrawCommand>& list, const FrameDamage& damage,
               const DamagePlan& plan) {
  QPainter painter(&target);
  for (const auto& [command, rect] : plan.pieces) {
    if (IsHiddenByNext(list, command)) continue;
    if (rect == WholeCommand)
      PaintDrawCommand(painter, list[command]);
    else
      PaintWithin(target, painter, list[command], damage.rects[rect]);
  }
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
