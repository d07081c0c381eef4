// A frame scaled to the size its window is shown at: bilinear filtering, or repeated pixels at a
// whole multiple, computed for any part of the shown area from that part's place alone.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/qt_internal.h"

namespace {

// Filter weights are in 256ths of a pixel.
constexpr int WeightBits = 8;
constexpr int WeightOne = 1 << WeightBits;
constexpr uint32_t OpaqueAlpha = 0xFF000000u;

// For every shown pixel of one axis: the frame pixel it starts from and the weight of the next.
struct AxisSamples {
  std::vector<int> first;
  std::vector<int> weight;
};

// Shown pixels [from, from + count) of an area of `size` pixels over `clientSize` client
// pixels, for a frame lying at `at` of the client axis and `frameSize` long.
AxisSamples SampleAxis(int from, int count, int size, int clientSize, int at, int frameSize) {
  AxisSamples samples;
  samples.first.resize(size_t(count));
  samples.weight.resize(size_t(count));
  const bool repeat = size % clientSize == 0;
  for (int i = 0; i < count; ++i) {
    const long long shown = from + i;
    long long position;   // in the client area, in 256ths, of the shown pixel's centre
    if (repeat) {
      position = shown / (size / clientSize) * WeightOne;
    } else {
      position = ((2 * shown + 1) * clientSize * WeightOne) / (2LL * size) - WeightOne / 2;
    }
    position -= (long long)at * WeightOne;
    const long long last = (long long)(frameSize - 1) * WeightOne;
    if (position < 0) position = 0;
    if (position > last) position = last;
    samples.first[size_t(i)] = int(position >> WeightBits);
    samples.weight[size_t(i)] = int(position & (WeightOne - 1));
  }
  return samples;
}

// a + (b - a) * weight / 256 in each colour channel, two channels at a time.
inline uint32_t Blend(uint32_t a, uint32_t b, uint32_t weight) {
  const uint32_t keep = WeightOne - weight;
  const uint32_t redBlue = (((a & 0xFF00FFu) * keep + (b & 0xFF00FFu) * weight) >> WeightBits);
  const uint32_t green = (((a & 0x00FF00u) * keep + (b & 0x00FF00u) * weight) >> WeightBits);
  return (redBlue & 0xFF00FFu) | (green & 0x00FF00u);
}

}  // namespace

void ScaleFramePart(const QImage& frame, QPoint at, const ShownClient& shown, const QRect& part,
                    QImage& scratch) {
  if (part.isEmpty() || frame.isNull() || shown.size.isEmpty()) return;
  if (scratch.width() < part.width() || scratch.height() < part.height())
    scratch = QImage(std::max(scratch.width(), part.width()),
                     std::max(scratch.height(), part.height()), QImage::Format_RGB32);
  const AxisSamples columns =
      SampleAxis(part.left() - shown.area.left(), part.width(), shown.area.width(),
                 shown.size.width(), at.x(), frame.width());
  const AxisSamples rows =
      SampleAxis(part.top() - shown.area.top(), part.height(), shown.area.height(),
                 shown.size.height(), at.y(), frame.height());
  const int lastColumn = frame.width() - 1;
  const int lastRow = frame.height() - 1;
  for (int j = 0; j < part.height(); ++j) {
    const int row = rows.first[size_t(j)];
    const uint32_t down = uint32_t(rows.weight[size_t(j)]);
    const auto* upper = reinterpret_cast<const uint32_t*>(frame.constScanLine(row));
    const auto* lower =
        reinterpret_cast<const uint32_t*>(frame.constScanLine(row < lastRow ? row + 1 : row));
    auto* out = reinterpret_cast<uint32_t*>(scratch.scanLine(j));
    for (int i = 0; i < part.width(); ++i) {
      const int column = columns.first[size_t(i)];
      const uint32_t across = uint32_t(columns.weight[size_t(i)]);
      const int next = column < lastColumn ? column + 1 : column;
      const uint32_t top = Blend(upper[column], upper[next], across);
      const uint32_t bottom = Blend(lower[column], lower[next], across);
      out[i] = Blend(top, bottom, down) | OpaqueAlpha;
    }
  }
}
