// A frame scaled to the size its window is shown at: bilinear filtering, or repeated pixels at a
// whole multiple, computed for any part of the shown area from that part's place alone.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
  std::vector<int> lastRead;       // the last frame pixel read: second, or first at weight 0
  bool repeats = true;             // every weight 0: each shown pixel is one frame pixel
  // By frame pixel: the first shown pixel that reads it or one after it, and the first that
  // reads only pixels after it. The samples only grow along the axis.
  std::vector<int> readFrom, readBefore;
};

// The shown pixels of an area of `size` pixels over `clientSize` client pixels, for a frame
// lying at `at` of the client axis and `frameSize` long.
AxisSamples SampleAxis(int size, int clientSize, int at, int frameSize) {
  AxisSamples samples;
  samples.first.resize(size_t(size));
  samples.second.resize(size_t(size));
  samples.weight.resize(size_t(size));
  samples.lastRead.resize(size_t(size));
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
    const bool blends = samples.weight[size_t(i)] != 0;
    samples.lastRead[size_t(i)] = blends ? samples.second[size_t(i)] : first;
    samples.repeats = samples.repeats && !blends;
  }
  samples.readFrom.assign(size_t(frameSize), size);
  samples.readBefore.assign(size_t(frameSize), size);
  for (int i = 0, from = 0, before = 0; i < size; ++i) {
    for (; from < frameSize && from <= samples.lastRead[size_t(i)]; ++from)
      samples.readFrom[size_t(from)] = i;
    for (; before < frameSize && before < samples.first[size_t(i)]; ++before)
      samples.readBefore[size_t(before)] = i;
  }
  return samples;
}

// The shown pixels [begin, end) of an axis that read a frame pixel of [first, last]: what a
// change there reaches.
std::pair<int, int> SpanReading(const AxisSamples& samples, int first, int last) {
  const int begin = samples.readFrom[size_t(first)];
  return {begin, std::max(begin, samples.readBefore[size_t(last)])};
}

// (a * (256 - weight) + b * weight) / 256, byte by byte: at most 255 * 256 before the division,
// so sixteen bits hold it and eight bytes blend at once.
#if defined(__SSE2__)
inline __m128i BlendHalves(__m128i a, __m128i b, __m128i weight) {
  const __m128i keep = _mm_sub_epi16(_mm_set1_epi16(WeightOne), weight);
  return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(a, keep), _mm_mullo_epi16(b, weight)),
                        WeightBits);
}

inline __m128i Blend16Bytes(__m128i a, __m128i b, __m128i lowWeights, __m128i highWeights) {
  const __m128i zero = _mm_setzero_si128();
  return _mm_packus_epi16(
      BlendHalves(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), lowWeights),
      BlendHalves(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), highWeights));
}

inline __m128i Load16(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
#endif

constexpr size_t VectorBytes = 16;
constexpr size_t PixelsPerVector = VectorBytes / BytesPerPixel;

// Each byte with its own weight. Opaque pixels stay opaque.
void BlendBytes(const uint32_t* a, const uint32_t* b, const uint16_t* weights, size_t pixels,
                uint32_t* out) {
  const auto* x = reinterpret_cast<const uint8_t*>(a);
  const auto* y = reinterpret_cast<const uint8_t*>(b);
  auto* o = reinterpret_cast<uint8_t*>(out);
  const size_t bytes = BytesPerPixel * pixels;
  size_t k = 0;
#if defined(__SSE2__)
  for (; k + VectorBytes <= bytes; k += VectorBytes)
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o + k),
                     Blend16Bytes(Load16(x + k), Load16(y + k), Load16(weights + k),
                                  Load16(weights + k + VectorBytes / 2)));
#endif
  for (; k < bytes; ++k)
    o[k] = uint8_t((x[k] * (WeightOne - weights[k]) + y[k] * weights[k]) >> WeightBits);
}

// The same with one weight for all.
void BlendRows(const uint32_t* a, const uint32_t* b, uint32_t weight, size_t pixels,
               uint32_t* out) {
  const auto* x = reinterpret_cast<const uint8_t*>(a);
  const auto* y = reinterpret_cast<const uint8_t*>(b);
  auto* o = reinterpret_cast<uint8_t*>(out);
  const size_t bytes = BytesPerPixel * pixels;
  size_t k = 0;
#if defined(__SSE2__)
  const __m128i weights = _mm_set1_epi16(short(weight));
  for (; k + VectorBytes <= bytes; k += VectorBytes)
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o + k),
                     Blend16Bytes(Load16(x + k), Load16(y + k), weights, weights));
#endif
  const uint32_t keep = WeightOne - weight;
  for (; k < bytes; ++k) o[k] = uint8_t((x[k] * keep + y[k] * weight) >> WeightBits);
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
  std::vector<uint32_t> upper, lower;  // two frame rows scaled across
};

ScaleTables gScaleTables;

ScaleTables& TablesFor(QSize frame, QPoint at, const ShownClient& shown) {
  ScaleTables& t = gScaleTables;
  if (t.area == shown.area && t.client == shown.size && t.at == at && t.frame == frame) return t;
  t.area = shown.area;
  t.client = shown.size;
  t.at = at;
  t.frame = frame;
  t.columns = SampleAxis(shown.area.width(), shown.size.width(), at.x(), frame.width());
  t.rows = SampleAxis(shown.area.height(), shown.size.height(), at.y(), frame.height());
  t.byteWeights.resize(t.columns.weight.size() * BytesPerPixel);
  for (size_t k = 0; k < t.byteWeights.size(); ++k)
    t.byteWeights[k] = t.columns.weight[k / BytesPerPixel];
  const size_t width = size_t(shown.area.width());
  t.upper.resize(width);
  t.lower.resize(width);
  return t;
}

// One frame row scaled across to the shown columns [first, first + count); at a whole multiple
// each shown pixel is one frame pixel.
void ScaleRowAcross(ScaleTables& t, const uint32_t* row, size_t first, size_t count,
                    uint32_t* out) {
  const int* from = t.columns.first.data() + first;
  if (t.columns.repeats) {
    for (size_t i = 0; i < count; ++i) out[i] = row[from[i]];
    return;
  }
  const int* to = t.columns.second.data() + first;
  const uint16_t* weights = t.byteWeights.data() + first * BytesPerPixel;
  size_t i = 0;
#if defined(__SSE2__)
  // Four shown pixels at once, their frame pixels gathered straight into the registers.
  for (; i + PixelsPerVector <= count; i += PixelsPerVector) {
    const __m128i left = _mm_set_epi32(int(row[from[i + 3]]), int(row[from[i + 2]]),
                                       int(row[from[i + 1]]), int(row[from[i]]));
    const __m128i right = _mm_set_epi32(int(row[to[i + 3]]), int(row[to[i + 2]]),
                                        int(row[to[i + 1]]), int(row[to[i]]));
    const uint16_t* w = weights + i * BytesPerPixel;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                     Blend16Bytes(left, right, Load16(w), Load16(w + VectorBytes / 2)));
  }
#endif
  for (; i < count; ++i) {
    const uint32_t left = row[from[i]], right = row[to[i]];
    BlendBytes(&left, &right, weights + i * BytesPerPixel, 1, out + i);
  }
}

// A frame covering the client area shown at its own size: rows copied as they are.
void CopyFramePart(const QImage& frame, QPoint at, const ShownClient& shown, const QRect& part,
                   QImage& target, QPoint to) {
  const QPoint from = part.topLeft() - shown.area.topLeft() - at;
  for (int j = 0; j < part.height(); ++j)
    std::memcpy(target.scanLine(to.y() + j) + size_t(to.x()) * BytesPerPixel,
                frame.constScanLine(from.y() + j) + size_t(from.x()) * BytesPerPixel,
                size_t(part.width()) * BytesPerPixel);
}

}  // namespace

QRect ShownRectReached(const ShownClient& shown, QSize frame, QPoint at, const QRect& rect) {
  const QRect inFrame = rect.translated(-at) & QRect(QPoint(), frame);
  if (inFrame.isEmpty()) return QRect();
  if (!shown.IsScaled()) return inFrame.translated(at + shown.area.topLeft());
  const ScaleTables& t = TablesFor(frame, at, shown);
  const auto [left, right] = SpanReading(t.columns, inFrame.left(), inFrame.right());
  const auto [top, bottom] = SpanReading(t.rows, inFrame.top(), inFrame.bottom());
  return QRect(shown.area.left() + left, shown.area.top() + top, right - left, bottom - top);
}

// Each frame row the part needs is scaled across once; every shown row blends the two it lies
// between.
void ScaleFramePart(const QImage& frame, QPoint at, const ShownClient& shown, const QRect& part,
                    QImage& target, QPoint to) {
  if (part.isEmpty() || part.intersected(shown.area) != part || frame.isNull() ||
      !target.rect().contains(QRect(to, part.size())))
    return;
  if (!shown.IsScaled() && QRect(at, frame.size()).contains(part.translated(-shown.area.topLeft()))) {
    CopyFramePart(frame, at, shown, part, target, to);
    return;
  }
  ScaleTables& t = TablesFor(frame.size(), at, shown);
  const auto frameRow = [&frame](int row) {
    return reinterpret_cast<const uint32_t*>(frame.constScanLine(row));
  };
  const size_t firstColumn = size_t(part.left() - shown.area.left());
  const size_t width = size_t(part.width());
  int upperRow = -1, lowerRow = -1;   // the frame rows scaled across into upper and lower
  for (int j = 0; j < part.height(); ++j) {
    const size_t shownRow = size_t(part.top() - shown.area.top() + j);
    const int row = t.rows.first[shownRow];
    if (row != upperRow) {
      if (row == lowerRow) {
        t.upper.swap(t.lower);
        lowerRow = upperRow;
      } else {
        ScaleRowAcross(t, frameRow(row), firstColumn, width, t.upper.data());
      }
      upperRow = row;
    }
    auto* out = reinterpret_cast<uint32_t*>(target.scanLine(to.y() + j)) + to.x();
    const uint16_t down = t.rows.weight[shownRow];
    if (down == 0) {
      std::memcpy(out, t.upper.data(), width * sizeof(uint32_t));
      continue;
    }
    const int below = t.rows.second[shownRow];
    if (below != lowerRow) {
      ScaleRowAcross(t, frameRow(below), firstColumn, width, t.lower.data());
      lowerRow = below;
    }
    BlendRows(t.upper.data(), t.lower.data(), down, width, out);
  }
}
