// 24-bit BMP encoding: file header, info header, bottom-up rows padded to four bytes.
#include "tools/assetgen/bmp_writer.h"

#include <cstdint>

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr int BitsPerPixel = 24;
constexpr int BytesPerPixel = 3;
constexpr int RowAlignment = 4;

void AppendLittle(QByteArray& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
}

}  // namespace

QByteArray EncodeBmp24(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const int width = rgb.width();
  const int height = rgb.height();
  const int rowBytes = (width * BytesPerPixel + RowAlignment - 1) / RowAlignment * RowAlignment;
  const uint32_t pixelBytes = static_cast<uint32_t>(rowBytes) * height;
  const uint32_t offset = FileHeaderSize + InfoHeaderSize;

  QByteArray out;
  out.reserve(static_cast<qsizetype>(offset + pixelBytes));
  out.append("BM");
  AppendLittle(out, offset + pixelBytes, 4);
  AppendLittle(out, 0, 4);  // reserved
  AppendLittle(out, offset, 4);
  AppendLittle(out, InfoHeaderSize, 4);
  AppendLittle(out, static_cast<uint32_t>(width), 4);
  AppendLittle(out, static_cast<uint32_t>(height), 4);  // positive: rows bottom-up
  AppendLittle(out, 1, 2);                               // planes
  AppendLittle(out, BitsPerPixel, 2);
  AppendLittle(out, 0, 4);  // no compression
  AppendLittle(out, pixelBytes, 4);
  AppendLittle(out, 0, 4);  // horizontal resolution unspecified
  AppendLittle(out, 0, 4);  // vertical resolution unspecified
  AppendLittle(out, 0, 4);  // no palette
  AppendLittle(out, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < width; ++x) {
      out.append(static_cast<char>(qBlue(line[x])));
      out.append(static_cast<char>(qGreen(line[x])));
      out.append(static_cast<char>(qRed(line[x])));
    }
    out.append(rowBytes - width * BytesPerPixel, '\0');
  }
  return out;
}
