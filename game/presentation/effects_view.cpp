// The overlays of a frame.
//
// Sections: removal effects | bomb and hint | reward banner
#include "game/presentation/effects_view.h"

#include "game/presentation/fonts.h"
#include "game/presentation/sprites.h"
#include "game/rules/rules_state.h"
#include "platform/colour.h"
#include "platform/picture.h"
#include "platform/translation.h"

// ---- Removal effects --------------------------------------------------------------------------

namespace {

constexpr int PopupSignOffsetX = -30;  // pop-up pictures relative to the removal point
constexpr int PopupTensOffsetX = 0;
constexpr int PopupUnitsOffsetX = 30;

}  // namespace

void DrawParticleBurst() {
  for (const EffectDot& dot : gEffects.particles) DisplaySprite(SpriteParticle, dot.x, dot.y);
}

void DrawFlyingTiles() {
  const EffectState& fx = gEffects;
  for (const FlyingTile& tile : fx.flying) {
    DisplaySprite(SpriteFaceHighlighted0 + tile.face, tile.x, tile.y);
  }
  if (fx.popupOpacity <= 0) return;
  for (int k = 0; k < 2; ++k) {
    const int x = fx.removalX[k] + fx.sway;
    DisplaySprite(SpritePopupSign, x + PopupSignOffsetX, fx.popupY[k], fx.popupOpacity);
    DisplaySprite(SpritePopupDigit0 + fx.popupTens, x + PopupTensOffsetX, fx.popupY[k],
                  fx.popupOpacity);
    DisplaySprite(SpritePopupDigit0 + fx.popupUnits, x + PopupUnitsOffsetX, fx.popupY[k],
                  fx.popupOpacity);
  }
}

// ---- Bomb and hint ----------------------------------------------------------------------------

void DrawBombAnimation() {
  DisplaySprite(SpriteExplosion1 + gItems.bombPicture - 1, gItems.bombX, gItems.bombY);
}

void DrawHintSparkle() {
  for (const EffectDot& star : gItems.hintStars)
    DisplaySprite(SpriteStar, star.x, star.y, star.opacity);
}

// ---- Reward banner ----------------------------------------------------------------------------

namespace {

constexpr int BannerFirstTop = 5;
constexpr int BannerShuffleSecondTop = 43;
constexpr int BannerBombSecondTop = 42;
constexpr int BannerBombThirdTop = 80;
constexpr int BannerHighlightOffset = 2;   // the white copy sits up-left of the coloured one
constexpr int BannerColourOffset = 1;

void DrawBannerLine(const char* source, int top, int colour) {
  const int x = gScore.bannerX;
  const std::string text = TranslateText(source);
  DrawText(FontBannerHei, x - BannerHighlightOffset, top - BannerHighlightOffset, text,
           Rgb(255, 255, 255));
  DrawText(FontBannerHei, x - BannerColourOffset, top - BannerColourOffset, text, colour);
}

}  // namespace

void DrawRewardBanner() {
  const ScoreState& sc = gScore;
  if (sc.bannerStreak) DrawBannerLine("连击奖励 1000 分", BannerFirstTop, Rgb(0, 0, 255));
  if (sc.bannerShuffle) {
    const int top = sc.bannerStreak ? BannerShuffleSecondTop : BannerFirstTop;
    DrawBannerLine("奖励洗牌 1 个", top, Rgb(255, 255, 0));
  }
  if (sc.bannerBomb) {
    const int others = (sc.bannerStreak ? 1 : 0) + (sc.bannerShuffle ? 1 : 0);
    const int top = others == 2 ? BannerBombThirdTop
                    : others == 1 ? BannerBombSecondTop
                                  : BannerFirstTop;
    DrawBannerLine("奖励炸弹 1 个", top, Rgb(255, 0, 0));
  }
}
