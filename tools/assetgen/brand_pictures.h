// The maker's pictures carried inside the game: the logo and the lettering of the two intro
// cards (both shown on a yellow card) and the credit picture of the credit window.
#pragma once

#include <QImage>

#include "tools/assetgen/picture_words.h"

constexpr int LogoWidth = 382;
constexpr int LogoHeight = 187;
constexpr int LetteringWidth = 737;
constexpr int LetteringHeight = 162;
constexpr int CreditWidth = 297;
constexpr int CreditHeight = 149;

// The brand "Vorle" with a small pair of tiles; ARGB32 with a transparent surround.
QImage DrawLogo(ArtLanguage language);
// The game's name in white with a soft dark outline; ARGB32.
QImage DrawLettering(ArtLanguage language);
// The maker's credit card; opaque RGB32.
QImage DrawCreditPicture(ArtLanguage language);
