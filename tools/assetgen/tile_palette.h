// The colours and the lettering font of the tile faces and the carried pictures, so that the
// faces, the logo, the credit and the type picture share one look.
#pragma once

#include <QColor>
#include <QFont>

// Palette. None of the opaque colours is pure black: that is the key colour of the sheets.
struct TilePalette {
  QColor ivory{252, 247, 232};        // top-left of a tile face
  QColor ivoryShade{236, 226, 202};   // bottom-right of a tile face
  QColor edge{176, 156, 118};         // thin outline of the face
  QColor sideLight{222, 208, 176};    // upper slices of the tile's thickness
  QColor sideBack{38, 118, 86};       // lower slices: the jade back of the tile
  QColor sideOutline{24, 78, 58};     // silhouette of the thickness
  QColor ink{20, 20, 28};             // numerals, winds, outlines
  QColor vermilion{206, 44, 32};      // 萬, red dragon, accents
  QColor jade{24, 130, 92};           // bamboo, green dragon
  QColor jadeDark{14, 92, 64};        // joints of the bamboo
  QColor gold{214, 164, 42};          // accents
  QColor goldDark{160, 112, 20};      // corner numbers of the flowers
  QColor blue{34, 78, 168};           // white dragon frame, seasons, dots
  QColor plum{176, 42, 96};           // flower glyphs
  QColor highlight{70, 130, 255};     // tint of the highlighted row
};

inline const TilePalette gPalette;

// The one lettering family of the generated art (installed with the system).
inline constexpr const char* LetteringFamily = "WenQuanYi Zen Hei";

// A lettering font at a pixel size, antialiased, optionally bold; the Chinese face unless named.
inline QFont LetteringFont(int pixelSize, bool bold = false,
                           const char* family = LetteringFamily) {
  QFont font(family);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}
