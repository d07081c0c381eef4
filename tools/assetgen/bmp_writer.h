// Writing 24-bit BMP files (the format of the carried face sheets).
#pragma once

#include <QByteArray>
#include <QImage>

// The image as an uncompressed 24-bit bottom-up BMP file; alpha is dropped.
QByteArray EncodeBmp24(const QImage& image);
