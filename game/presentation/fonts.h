// The game's fonts, all bold, addressed by number.
#pragma once

enum GameFont {
  FontHugeHei = 0,     // 黑体 120
  FontSmallHei = 1,    // 黑体 15
  FontTitleHei = 2,    // 黑体 90
  FontImpact36 = 3,    // Impact 36
  FontImpact48 = 4,    // Impact 48
  FontBannerHei = 5,   // 黑体 26
};

// Loads the six fonts (start-up).
void LoadGameFonts();
