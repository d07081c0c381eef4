// The tile faces: 42 faces of 48 x 60 in a normal and a highlighted row, and 42 small faces
// of 20 x 25. Outside the tile shape every pixel is pure black, the sheets' key colour.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>

#include "mapdata/level_model.h"
constexpr int FaceWidth = 48;         // face picture, thickness included
constexpr int FaceHeight = 60;
constexpr int SmallFaceWidth = 20;    // small face picture
constexpr int SmallFaceHeight = 25;

// Face code groups, in the order of the sheets.
constexpr int FirstDots = 1;
constexpr int FirstCharacters = 10;
constexpr int FirstBamboo = 19;
constexpr int FirstWind = 28;
constexpr int FirstFlower = 32;
constexpr int RedDragon = 36;
constexpr int GreenDragon = 37;
constexpr int WhiteDragon = 38;
constexpr int FirstSeason = 39;

// One face, 48 x 60, RGB32: the tile on black.
QImage DrawFace(int faceCode);
// The same face tinted blue for selected and flying tiles; the black outside stays black.
QImage HighlightFace(const QImage& face);
// The face with its black key turned transparent, for pictures that show tiles.
QImage FaceWithAlpha(int faceCode);
// One small face, 20 x 25, RGB32.
QImage DrawSmallFace(int faceCode);

// 2016 x 120: normal faces 1..42 in the top row, highlighted faces below.
QImage BuildFaceSheet();
// 840 x 25: small faces 1..42.
QImage BuildSmallFaceSheet();

// Paints a tile's body with its top-left corner at the origin: the thickness first (deepest
// slice first, one unit each), then the front with its gradient and thin edge.
void PaintTileBody(QPainter& painter, int frontWidth, int frontHeight, int depth, double corner);
// Paints the symbol of a face into the front rectangle of a tile (face_symbols.cpp).
void PaintFaceSymbol(QPainter& painter, int faceCode, const QRectF& front);
// Paints the simplified symbol of a small face (small_faces.cpp).
void PaintSmallFaceSymbol(QPainter& painter, int faceCode, const QRectF& front);

// Turns a tile drawn on a transparent canvas into an opaque tile on the black key: pixels
// mostly inside the shape become fully opaque with their own colour (no dark fringe), the
// rest pure black, and no opaque pixel is left pure black.
QImage FlattenOntoKey(const QImage& canvas);
