// Shared between the picture, screen, drawing and font sources of the platform only.
#pragma once

#include <QImage>
#include <QPainter>

#include <cstddef>
#include <string>

#include "platform/picture.h"

// ---- Decoding (picture_decode.cpp) ----------------------------------------------------------

// PNG, JPEG or BMP recognised by its first bytes, as Format_ARGB32_Premultiplied; a null image
// when the bytes are no picture or are damaged.
QImage DecodePicture(const unsigned char* data, size_t size);
// The same for a whole file; a null image when the file cannot be read.
QImage ReadPictureFile(const std::string& path);

// ---- Pictures (picture.cpp) -----------------------------------------------------------------

// The sprite as it is put on the screen (key applied, zoomed), or nullptr when it holds no
// picture or is zoomed to nothing.
const QImage* SpriteAsDrawn(int sprite);
// The sprite's own picture for drawing into, or nullptr; RefreshSprite after the drawing.
QImage* SpritePictureForDrawing(int sprite);
void RefreshSprite(int sprite);
// An image for drawing into or from, or nullptr.
QImage* ImageForDrawing(int image);

// ---- Screen (screen.cpp) --------------------------------------------------------------------

// The painter on the back buffer, opened on first use after each flip or clear; nullptr while
// no screen is open.
QPainter* ScreenPainter();

// ---- Fonts (font.cpp) ------------------------------------------------------------------------

void FreeAllFonts();
// Pixels from the top of a text cell to the baseline.
int FontAscent(int font);

// ---- Drawing (drawing.cpp) ------------------------------------------------------------------

enum DrawingTargetKind { DrawingNowhere, DrawingOnScreen, DrawingOnSprite, DrawingOnImage };
// Ends the drawing when it goes into this sprite or image (before the picture is released).
void StopDrawingInto(DrawingTargetKind kind, int number);
bool IsDrawLogOn();
void AddDrawRecord(DrawRecord record);
// Colour of a 0x00BBGGRR value, opaque.
QColor QtColour(int colour);
