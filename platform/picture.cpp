// Numbered images and sprites: making, keying, zooming and releasing them.
//
// Sections: the store, images, sprites, access for the other picture sources, release.
// A sprite keeps its own picture (what drawing into it changes), the same with the key colour
// baked into alpha, and that at the zoomed size; the last two are rebuilt only when the picture,
// the key or the zoom changes, so putting a sprite on the screen never converts or scales.
#include <algorithm>
#include <deque>

#include "platform/colour.h"
#include "platform/picture_internal.h"
#include "platform/qt_internal.h"

namespace {

// Numbers above this are refused: the programs use a few hundred.
constexpr int MaxPictureNumber = 65535;
constexpr int NoKey = -1;
constexpr QImage::Format PictureFormat = QImage::Format_ARGB32_Premultiplied;
constexpr QImage::Format OpaqueFormat = QImage::Format_RGB32;

// ---- The store --------------------------------------------------------------------------------

struct SpriteSlot {
  QImage picture;        // the sprite's own pixels; null when the number holds nothing
  int key = NoKey;       // colour (0x00BBGGRR) that becomes transparent, or NoKey
  int zoomWidth = 0;     // size at which the sprite is drawn
  int zoomHeight = 0;
  QImage keyed;          // picture with the key colour made transparent
  QImage drawn;          // keyed at the zoomed size; null when zoomed to nothing
};

// Deques, so that growing the store never moves a picture that a painter is drawing into.
struct PictureStore {
  std::deque<SpriteSlot> sprites;    // by sprite number, grown on demand
  std::deque<QImage> images;         // by image number, grown on demand
};

PictureStore gPictures;

bool IsValidNumber(int number) { return number >= 0 && number <= MaxPictureNumber; }

// The slot of a number that may be written, or nullptr for a number out of range.
template <typename T>
T* SlotFor(std::deque<T>& store, int number) {
  if (!IsValidNumber(number)) return nullptr;
  if (size_t(number) >= store.size()) store.resize(size_t(number) + 1);
  return &store[size_t(number)];
}

// The slot of a number that is only read, or nullptr when it was never filled.
template <typename T>
T* ExistingSlot(std::deque<T>& store, int number) {
  if (number < 0 || size_t(number) >= store.size()) return nullptr;
  return &store[size_t(number)];
}

SpriteSlot* FilledSprite(int sprite) {
  SpriteSlot* slot = ExistingSlot(gPictures.sprites, sprite);
  return slot != nullptr && !slot->picture.isNull() ? slot : nullptr;
}

QImage* FilledImage(int image) {
  QImage* slot = ExistingSlot(gPictures.images, image);
  return slot != nullptr && !slot->isNull() ? slot : nullptr;
}

// The opaque premultiplied pixel of a 0x00BBGGRR colour.
QRgb KeyPixel(int colour) { return qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

// Opaque pictures stay in the screen's own format, so that showing them is a plain copy.
QImage InStoredFormat(const QImage& picture) {
  return picture.format() == OpaqueFormat ? picture : picture.convertToFormat(PictureFormat);
}

// A picture in which the key colour never occurs is drawn as it is, without a keyed copy.
QImage ApplyKey(const QImage& picture, int key) {
  if (key == NoKey) return picture;
  const QImage source = picture.convertToFormat(PictureFormat);
  const QRgb keyPixel = KeyPixel(key);
  QImage keyed;
  for (int y = 0; y < source.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    for (int x = 0; x < source.width(); ++x) {
      if (row[x] != keyPixel) continue;
      if (keyed.isNull()) keyed = source.copy();
      reinterpret_cast<QRgb*>(keyed.scanLine(y))[x] = 0;
    }
  }
  return keyed.isNull() ? picture : keyed;
}

void RebuildDrawn(SpriteSlot& slot) {
  if (slot.zoomWidth <= 0 || slot.zoomHeight <= 0)
    slot.drawn = QImage();
  else if (slot.zoomWidth == slot.keyed.width() && slot.zoomHeight == slot.keyed.height())
    slot.drawn = slot.keyed;
  else
    slot.drawn = slot.keyed.scaled(slot.zoomWidth, slot.zoomHeight, Qt::IgnoreAspectRatio,
                                   Qt::SmoothTransformation);
}

void RebuildKeyed(SpriteSlot& slot) {
  slot.keyed = ApplyKey(slot.picture, slot.key);
  RebuildDrawn(slot);
}

// A new picture for a sprite: no key, drawn at its own size.
bool SetSpritePicture(int sprite, QImage picture) {
  SpriteSlot* slot = SlotFor(gPictures.sprites, sprite);
  if (slot == nullptr) return false;
  StopDrawingInto(DrawingOnSprite, sprite);
  if (picture.isNull()) {
    *slot = SpriteSlot();
    return false;
  }
  slot->picture = InStoredFormat(picture);
  slot->key = NoKey;
  slot->zoomWidth = slot->picture.width();
  slot->zoomHeight = slot->picture.height();
  RebuildKeyed(*slot);
  return true;
}

bool SetImage(int image, QImage picture) {
  QImage* slot = SlotFor(gPictures.images, image);
  if (slot == nullptr) return false;
  StopDrawingInto(DrawingOnImage, image);
  *slot = picture.isNull() ? QImage() : InStoredFormat(picture);
  return !slot->isNull();
}

QImage FilledPicture(int width, int height, int colour) {
  if (width <= 0 || height <= 0) return QImage();
  QImage picture(width, height, OpaqueFormat);
  if (!picture.isNull()) picture.fill(QtColour(colour));
  return picture;
}

// A picture file, or its translation where the chosen language has one.
QImage ReadPictureOrTranslation(const std::string& path, QSize cover = QSize()) {
  QImage translated = ReadTranslatedPicture(path, cover);
  return translated.isNull() ? ReadPictureFile(path, cover) : translated;
}

}  // namespace

// ---- Images -----------------------------------------------------------------------------------

bool CatchImage(int image, const unsigned char* data, size_t size) {
  return SetImage(image, DecodePicture(data, size));
}

bool CatchImageForLanguage(int image, const std::string& path, const unsigned char* data,
                           size_t size) {
  QImage translated = ReadTranslatedPicture(path);
  return translated.isNull() ? CatchImage(image, data, size) : SetImage(image, translated);
}

bool LoadImageFile(int image, const std::string& path) {
  return SetImage(image, ReadPictureOrTranslation(path));
}

bool LoadImageFileToCover(int image, const std::string& path, int width, int height) {
  return SetImage(image, ReadPictureOrTranslation(path, QSize(width, height)));
}

bool CreateImage(int image, int width, int height, int colour) {
  return SetImage(image, FilledPicture(width, height, colour));
}

void FreeImage(int image) { SetImage(image, QImage()); }

bool ImageFromSprite(int image, int sprite) {
  const QImage* picture = SpriteAsDrawn(sprite);
  return picture != nullptr && SetImage(image, *picture);
}

bool SaveImagePng(int image, const std::string& path) {
  const QImage* picture = FilledImage(image);
  return picture != nullptr && picture->save(QString::fromStdString(path), "PNG");
}

bool IsImage(int image) { return FilledImage(image) != nullptr; }

int ImageWidth(int image) {
  const QImage* picture = FilledImage(image);
  return picture != nullptr ? picture->width() : 0;
}

int ImageHeight(int image) {
  const QImage* picture = FilledImage(image);
  return picture != nullptr ? picture->height() : 0;
}

// ---- Sprites ----------------------------------------------------------------------------------

bool LoadSprite(int sprite, const std::string& path, SpriteMode mode) {
  QImage picture = ReadPictureOrTranslation(path);
  if (mode == SpriteOpaque && !picture.isNull())
    picture = picture.convertToFormat(OpaqueFormat);
  return SetSpritePicture(sprite, picture);
}

bool CreateSprite(int sprite, int width, int height, int colour) {
  return SetSpritePicture(sprite, FilledPicture(width, height, colour));
}

bool CopySpriteFromImage(int sprite, int image, int x, int y, int width, int height) {
  const QImage* source = FilledImage(image);
  if (source == nullptr || width <= 0 || height <= 0) return SetSpritePicture(sprite, QImage());
  return SetSpritePicture(sprite, source->copy(x, y, width, height));
}

bool SpriteFromImage(int sprite, int image, int width, int height) {
  const QImage* source = FilledImage(image);
  if (source == nullptr || width < 0 || height < 0) return SetSpritePicture(sprite, QImage());
  const int drawnWidth = width > 0 ? width : source->width();
  const int drawnHeight = height > 0 ? height : source->height();
  if (drawnWidth == source->width() && drawnHeight == source->height())
    return SetSpritePicture(sprite, *source);
  return SetSpritePicture(sprite, source->scaled(drawnWidth, drawnHeight, Qt::IgnoreAspectRatio,
                                                 Qt::SmoothTransformation));
}

void TransparentSpriteColour(int sprite, int colour) {
  SpriteSlot* slot = FilledSprite(sprite);
  if (slot == nullptr) return;
  slot->key = colour < 0 ? NoKey : (colour & 0xFFFFFF);
  RebuildKeyed(*slot);
}

void ZoomSprite(int sprite, int width, int height) {
  SpriteSlot* slot = FilledSprite(sprite);
  if (slot == nullptr || (slot->zoomWidth == width && slot->zoomHeight == height)) return;
  slot->zoomWidth = width;
  slot->zoomHeight = height;
  RebuildDrawn(*slot);
}

void FreeSprite(int sprite) { SetSpritePicture(sprite, QImage()); }

bool IsSprite(int sprite) { return FilledSprite(sprite) != nullptr; }

int SpriteWidth(int sprite) {
  const SpriteSlot* slot = FilledSprite(sprite);
  return slot != nullptr ? std::max(slot->zoomWidth, 0) : 0;
}

int SpriteHeight(int sprite) {
  const SpriteSlot* slot = FilledSprite(sprite);
  return slot != nullptr ? std::max(slot->zoomHeight, 0) : 0;
}

unsigned int SpritePixel(int sprite, int x, int y) {
  const QImage* drawn = SpriteAsDrawn(sprite);
  if (drawn == nullptr || !drawn->valid(x, y)) return 0;
  const QColor colour = drawn->pixelColor(x, y);
  return unsigned(colour.red()) | unsigned(colour.green()) << 8 | unsigned(colour.blue()) << 16 |
         unsigned(colour.alpha()) << 24;
}

// ---- Access for the other picture sources -----------------------------------------------------

const QImage* SpriteAsDrawn(int sprite) {
  const SpriteSlot* slot = FilledSprite(sprite);
  return slot != nullptr && !slot->drawn.isNull() ? &slot->drawn : nullptr;
}

QImage* SpritePictureForDrawing(int sprite) {
  SpriteSlot* slot = FilledSprite(sprite);
  return slot != nullptr ? &slot->picture : nullptr;
}

void RefreshSprite(int sprite) {
  SpriteSlot* slot = FilledSprite(sprite);
  if (slot != nullptr) RebuildKeyed(*slot);
}

QImage* ImageForDrawing(int image) { return FilledImage(image); }

QImage SpriteImage(int sprite) {
  const QImage* drawn = SpriteAsDrawn(sprite);
  return drawn != nullptr ? *drawn : QImage();
}

// ---- Release ----------------------------------------------------------------------------------

void ReleasePictures() {
  StopDrawing();
  CloseScreen();
  gPictures.sprites.clear();
  gPictures.images.clear();
  FreeAllFonts();
}
