// Decoding of picture files: PNG (libpng), JPEG (libjpeg), BMP (Qt's reader).
//
// Sections: format recognition, PNG, JPEG, BMP, entry points.
// A damaged or truncated file gives a null image; nothing is printed and nothing aborts.
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include <QSysInfo>

#include <jpeglib.h>
#include <jerror.h>
#include <png.h>

#include "platform/picture_internal.h"
#include "platform/process.h"

namespace {

// Larger pictures are refused rather than allocated: no picture of the programs comes close.
constexpr int MaxPictureSide = 16384;
constexpr std::uintmax_t MaxPictureFileBytes = 256u << 20;
// Decoding a picture this large leaves much freed memory behind; it is given back at once.
constexpr qsizetype LargePictureBytes = 8 << 20;
// libjpeg decodes at 1/1, 1/2, 1/4 or 1/8 of the size.
constexpr int LargestJpegReduction = 8;

// ---- Format recognition -----------------------------------------------------------------------

enum PictureFormat { FormatUnknown, FormatPng, FormatJpeg, FormatBmp };

PictureFormat RecogniseFormat(const unsigned char* data, size_t size) {
  static const unsigned char pngMagic[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= sizeof pngMagic && std::equal(pngMagic, pngMagic + sizeof pngMagic, data))
    return FormatPng;
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return FormatJpeg;
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return FormatBmp;
  return FormatUnknown;
}

bool IsSensibleSize(long width, long height) {
  return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide;
}

// ---- PNG --------------------------------------------------------------------------------------

QImage DecodePng(const unsigned char* data, size_t size) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data, size)) return QImage();
  if (!IsSensibleSize(png.width, png.height)) {
    png_image_free(&png);
    return QImage();
  }
  // Every colour type comes out as straight 8-bit RGBA, byte-ordered like Format_RGBA8888.
  png.format = PNG_FORMAT_RGBA;
  QImage picture(int(png.width), int(png.height), QImage::Format_RGBA8888);
  if (picture.isNull()) {
    png_image_free(&png);
    return QImage();
  }
  if (!png_image_finish_read(&png, nullptr, picture.bits(), picture.bytesPerLine(), nullptr))
    return QImage();
  return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// ---- JPEG -------------------------------------------------------------------------------------

struct JpegErrorTrap {
  jpeg_error_mgr manager;   // libjpeg's own part; must stay first
  jmp_buf escape;           // where a fatal error returns to
};

[[noreturn]] void EscapeJpegError(j_common_ptr info) {
  longjmp(reinterpret_cast<JpegErrorTrap*>(info->err)->escape, 1);
}

// A file that ends early is only a warning to libjpeg (it pads with grey); here it fails.
void TrapJpegWarning(j_common_ptr info, int level) {
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) EscapeJpegError(info);
}

void IgnoreJpegMessage(j_common_ptr) {}

// The largest reduction at which the picture still covers `cover` once scaled to cover it.
int JpegReduction(long width, long height, QSize cover) {
  if (cover.isEmpty()) return 1;
  const double scale = std::max(cover.width() / double(width), cover.height() / double(height));
  int reduction = 1;
  while (reduction < LargestJpegReduction && scale * reduction * 2 <= 1.0) reduction *= 2;
  return reduction;
}

// Kept out of DecodeJpeg so that no object with a destructor lives across the setjmp. The
// pixels come out as 0xffRRGGBB words, the layout of Format_RGB32.
bool DecodeJpegInto(const unsigned char* data, size_t size, QSize cover, QImage& picture) {
  jpeg_decompress_struct info;
  JpegErrorTrap trap;
  info.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = EscapeJpegError;
  trap.manager.emit_message = TrapJpegWarning;
  trap.manager.output_message = IgnoreJpegMessage;
  if (setjmp(trap.escape)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  if (!IsSensibleSize(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space =
      QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;
  info.scale_num = 1;
  info.scale_denom = unsigned(JpegReduction(info.image_width, info.image_height, cover));
  jpeg_start_decompress(&info);
  picture = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
  if (picture.isNull()) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = picture.scanLine(int(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

QImage DecodeJpeg(const unsigned char* data, size_t size, QSize cover) {
  QImage picture;
  if (!DecodeJpegInto(data, size, cover, picture)) return QImage();
  return picture;
}

// ---- BMP --------------------------------------------------------------------------------------

QImage DecodeBmp(const unsigned char* data, size_t size) {
  QImage picture;
  if (!picture.loadFromData(data, int(size), "BMP")) return QImage();
  if (!IsSensibleSize(picture.width(), picture.height())) return QImage();
  return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

// ---- Entry points -----------------------------------------------------------------------------

QImage DecodePicture(const unsigned char* data, size_t size, QSize cover) {
  if (data == nullptr) return QImage();
  switch (RecogniseFormat(data, size)) {
    case FormatPng: return DecodePng(data, size);
    case FormatJpeg: return DecodeJpeg(data, size, cover);
    case FormatBmp: return DecodeBmp(data, size);
    case FormatUnknown: break;
  }
  return QImage();
}

QImage ReadPictureFile(const std::string& path, QSize cover) {
  std::error_code failure;
  if (!std::filesystem::is_regular_file(path, failure)) return QImage();
  const std::uintmax_t size = std::filesystem::file_size(path, failure);
  if (failure || size == 0 || size > MaxPictureFileBytes) return QImage();
  std::vector<unsigned char> bytes(static_cast<size_t>(size));
  std::ifstream file(path, std::ios::binary);
  if (!file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size))) return QImage();
  QImage picture = DecodePicture(bytes.data(), bytes.size(), cover);
  if (picture.sizeInBytes() >= LargePictureBytes || bytes.size() >= size_t(LargePictureBytes)) {
    bytes = std::vector<unsigned char>();
    ReleaseFreedMemory();
  }
  return picture;
}
