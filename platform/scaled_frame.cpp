// A frame scaled to the size its window is shown at: bilinear filtering, or repeated pixels at a
// whole multiple, computed for any part of the shown area from that part's place alone.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/qt_internal.h"

namespace {

// Filter weights are in 256ths of a pixel.
constexpr int WeightBits = 8;
constexpr int WeightOne = 1 << WeightBits;
constexpr size_t BytesPerPixel = 4;

// For every shown pixel of one axis: the two frame pixels its centre lies between and the weight
// of the second.
struct AxisSamples {
  std::vector<int> first;
  std::vector<int> second;         // the first one again at the frame's end
  std::vector<uint16_t> weight;    // in 256ths
};

// The shown pixels of an area of `size` pixels over `clientSize` client pixels, for a frame
// lying at `at` of the client axis and `frameSize` long.
AxisSamples SampleAxis(int size, int clientSize, int at, int frameSize) {
  AxisSamples samples;
  samples.first.resize(size_t(size));
  samples.second.resize(size_t(size));
  samples.weight.resize(size_t(size));
  const bool repeat = size % clientSize == 0;
  const long long last = (long long)(frameSize - 1) * WeightOne;
  for (int i = 0; i < size; ++i) {
    const long long shown = i;
    long long position;   // in the client area, in 256ths, of the shown pixel's centre
    if (repeat) {
      position = shown / (size / clientSize) * WeightOne;
    } else {
      position = ((2 * shown + 1) * clientSize * WeightOne) / (2LL * size) - WeightOne / 2;
    }
    position = std::clamp(position - (long long)at * WeightOne, 0LL, last);
    const int first = int(position >> WeightBits);
    samples.first[size_t(i)] = first;
    samples.second[size_t(i)] = std::min(first + 1, frameSize - 1);
    samples.weight[size_t(i)] = uint16_t(position & (WeightOne - 1));
  }
  return samples;
}

// a + (b - a) * weight / 256, byte by byte, each byte with its own weight. Opaque pixels stay
// opaque. Kept to bytes in plain loops so that the compiler blends many at once.
void BlendBytes(const uint32_t* a, const uint32_t* b, const uint16_t* weights, size_t pixels,
                uint32_t* out) {
  const auto* x = reinterpret_cast<const uint8_t*>(a);
  const auto* y = reinterpret_cast<const uint8_t*>(b);
  auto* o = reinterpret_cast<uint8_t*>(out);
  for (size_t k = 0; k < BytesPerPixel * pixels; ++k)
    o[k] = uint8_t((x[k] * (WeightOne - weights[k]) + y[k] * weights[k]) >> WeightBits);
}

// The same with one weight for all.
void BlendRows(const uint32_t* a, const uint32_t* b, uint32_t weight, size_t pixels,
               uint32_t* out) {
  const auto* x = reinterpret_cast<const uint8_t*>(a);
  const auto* y = reinterpret_cast<const uint8_t*>(b);
  auto* o = reinterpret_cast<uint8_t*>(out);
  const uint32_t keep = WeightOne - weight;
  for (size_t k = 0; k < BytesPerPixel * pixels; ++k)
    o[k] = uint8_t((x[k] * keep + y[k] * weight) >> WeightBits);
}

// What scaling a frame to its shown area needs: the samples of every shown column and row and
// the rows being scaled, made again only when the area, the client size or the frame change.
struct ScaleTables {
  QRect area;                          // the shown area the samples are for
  QSize client;                        // its client size
  QPoint at;                           // the frame's place in the client area
  QSize frame;                         // the frame's size
  AxisSamples columns, rows;           // of every shown column and row of the area
  std::vector<uint16_t> byteWeights;   // the column weights, one a byte
  std::vector<uint32_t> left, right;   // the pixels on each side of every shown column
  std::vector<uint32_t> upper, lower;  // two frame rows scaled across
};

ScaleTables gScaleTables;

ScaleTables& TablesFor(const QImage& frame, QPoint at, const ShownClient& shown) {
  ScaleTables& t = gScaleTables;
  if (t.area == shown.area && t.client == shown.size && t.at == at && t.frame == frame.size())
    return t;
  t.area = shown.area;
  t.client = shown.size;
  t.at = at;
  t.frame = frame.size();
  t.columns = SampleAxis(shown.area.width(), shown.size.width(), at.x(), frame.width());
  t.rows = SampleAxis(shown.area.height(), shown.size.height(), at.y(), frame.height());
  t.byteWeights.resize(t.columns.weight.size() * BytesPerPixel);
  for (size_t k = 0; k < t.byteWeights.size(); ++k)
    t.byteWeights[k] = t.columns.weight[k / BytesPerPixel];
  const size_t width = size_t(shown.area.width());
  for (std::vector<uint32_t>* row : {&t.left, &t.right, &t.upper, &t.lower}) row->resize(width);
  return t;
}

// One frame row scaled across to the shown columns [first, first + count).
void ScaleRowAcross(ScaleTables& t, const uint32_t* row, size_t first, size_t count,
                    uint32_t* out) {
  const int* from = t.columns.first.data() + first;
  const int* to = t.columns.second.data() + first;
  for (size_t i = 0; i < count; ++i) {
    t.left[i] = row[from[i]];
    t.right[i] = row[to[i]];
  }
  BlendBytes(t.left.data(), t.right.data(), t.byteWeights.data() + first * BytesPerPixel, count,
             out);
}

}  // namespace

// Each frame row the part needs is scaled across once; every shown row blends the two it lies
// between.
void ScaleFramePart(const QImage& frame, QPoint at, const ShownClient& shown, const QRect& part,
                    QImage& target, QPoint to) {
  if (part.isEmpty() || part.intersected(shown.area) != part || frame.isNull() ||
      !target.rect().contains(QRect(to, part.size())))
    return;
  ScaleTables& t = TablesFor(frame, at, shown);
  const auto frameRow = [&frame](int row) {
    return reinterpret_cast<const uint32_t*>(frame.constScanLine(row));
  };
  const size_t firstColumn = size_t(part.left() - shown.area.left());
  const size_t width = size_t(part.width());
  int upperRow = -2;   // the frame row in upper; lower holds the one below it
  for (int j = 0; j < part.height(); ++j) {
    const size_t shownRow = size_t(part.top() - shown.area.top() + j);
    const int row = t.rows.first[shownRow];
    if (row == upperRow + 1) {
      t.upper.swap(t.lower);
      ScaleRowAcross(t, frameRow(t.rows.second[shownRow]), firstColumn, width, t.lower.data());
    } else if (row != upperRow) {
      ScaleRowAcross(t, frameRow(row), firstColumn, width, t.upper.data());
      ScaleRowAcross(t, frameRow(t.rows.second[shownRow]), firstColumn, width, t.lower.data());
    }
    upperRow = row;
    auto* out = reinterpret_cast<uint32_t*>(target.scanLine(to.y() + j)) + to.x();
    const uint16_t down = t.rows.weight[shownRow];
    if (down == 0)
      std::memcpy(out, t.upper.data(), width * sizeof(uint32_t));
    else
      BlendRows(t.upper.data(), t.lower.data(), down, width, out);
  }
}
