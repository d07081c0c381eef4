#include "game/presentation/fonts.h"

#include "platform/picture.h"

namespace {

struct FontSpec {
  int font;
  const char* face;
  int points;
};
constexpr FontSpec GameFonts[] = {
    {FontHugeHei, "黑体", 120},  {FontSmallHei, "黑体", 15},    {FontTitleHei, "黑体", 90},
    {FontImpact36, "Impact", 36}, {FontImpact48, "Impact", 48}, {FontBannerHei, "黑体", 26},
};

}  // namespace

void LoadGameFonts() {
  for (const FontSpec& f : GameFonts) LoadFont(f.font, f.face, f.points, true);
}
