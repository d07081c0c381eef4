// The editor's type picture: four panels side by side, one small level per arrangement type.
#pragma once

#include <QImage>

#include "tools/assetgen/picture_words.h"

constexpr int TypePanelWidth = 238;
constexpr int TypePanelHeight = 138;
constexpr int TypePanelCount = 4;
constexpr int TypePictureWidth = TypePanelWidth * TypePanelCount;  // 952
constexpr int TypePictureHeight = TypePanelHeight;

// 952 x 138, ARGB32: panel t (1..4) at x = 238 (t - 1), labelled 类型t (in the language), showing
// three layers stacked with the offsets of arrangement type t.
QImage DrawTypePicture(ArtLanguage language);
