// The overlays of a removed pair.
//
// Sections: flying tiles and score pop-up | particle burst
#include "game/rules/removal_effects.h"

#include "game/app/app_state.h"
#include "game/presentation/sprites.h"
#include "game/rules/rules_state.h"
#include "mapdata/geometry.h"
#include "platform/picture.h"
#include "platform/random.h"

// ---- Flying tiles and score pop-up -----------------------------------------------------------

constexpr int FlyingStepPx = 5;        // per frame, sideways and by the drift pattern
constexpr int FlyingLeftEndX = -40;    // tile 1 has left the screen at or beyond this x
constexpr int PopupRisePx = 1;
constexpr int PopupFadeStep = 2;
constexpr int SwayTurnFrame = 25;      // the sway grows up to this frame, then shrinks
constexpr int SwayCycleFrames = 50;    // the sway frame counter returns to 0 after this
constexpr int PopupSignOffsetX = -30;  // pop-up pictures relative to the removal point
constexpr int PopupTensOffsetX = 0;
constexpr int PopupUnitsOffsetX = 30;

enum DriftPattern { DriftNone = 0, DriftApart = 1, DriftTogether = 2, DriftDown = 3, DriftUp = 4 };

void StartRemovalEffects() {
  gEffects.flyingRunning = true;
  gEffects.particlesRunning = true;
}

// Vertical steps of tiles 1 and 2 for a drift pattern.
static void DriftSteps(int drift, int& dy1, int& dy2) {
  switch (drift) {
    case DriftApart: dy1 = -FlyingStepPx; dy2 = FlyingStepPx; break;
    case DriftTogether: dy1 = FlyingStepPx; dy2 = -FlyingStepPx; break;
    case DriftDown: dy1 = FlyingStepPx; dy2 = FlyingStepPx; break;
    case DriftUp: dy1 = -FlyingStepPx; dy2 = -FlyingStepPx; break;
    default: dy1 = 0; dy2 = 0; break;
  }
}

void DrawFlyingTiles() {
  EffectState& fx = gEffects;
  if (!fx.flyingRunning) return;

  int dy1 = 0, dy2 = 0;
  DriftSteps(fx.drift, dy1, dy2);
  fx.flying[0].x -= FlyingStepPx;
  fx.flying[1].x += FlyingStepPx;
  fx.flying[0].y += dy1;
  fx.flying[1].y += dy2;
  fx.popupY[0] -= PopupRisePx;
  fx.popupY[1] -= PopupRisePx;
  fx.popupOpacity -= PopupFadeStep;
  fx.swayFrame += 1;
  fx.sway += fx.swayFrame <= SwayTurnFrame ? 1 : -1;
  if (fx.swayFrame > SwayCycleFrames) fx.swayFrame = 0;

  for (const FlyingTile& tile : fx.flying) {
    DisplaySprite(SpriteFaceHighlighted0 + tile.face, tile.x, tile.y);
  }
  if (fx.popupOpacity > 0) {
    for (int k = 0; k < 2; ++k) {
      const int x = fx.removalX[k] + fx.sway;
      DisplaySprite(SpritePopupSign, x + PopupSignOffsetX, fx.popupY[k], fx.popupOpacity);
      DisplaySprite(SpritePopupDigit0 + fx.popupTens, x + PopupTensOffsetX, fx.popupY[k],
                    fx.popupOpacity);
      DisplaySprite(SpritePopupDigit0 + fx.popupUnits, x + PopupUnitsOffsetX, fx.popupY[k],
                    fx.popupOpacity);
    }
  }
  if (fx.flying[0].x <= FlyingLeftEndX && fx.flying[1].x > ScreenWidthPx && fx.popupY[0] < 0) {
    fx.flyingRunning = false;
  }
}

// ---- Particle burst --------------------------------------------------------------------------

constexpr int ParticleSteps = 16;       // the burst ends when the step counter passes this
constexpr int ParticlesPerTile = 80;    // particles around each removal point per frame

void DrawParticleBurst() {
  EffectState& fx = gEffects;
  if (!fx.particlesRunning) return;

  fx.particleFrame += 1;
  if (fx.particleFrame % 2 == 0) {
    fx.particleStep += 1;
    if (fx.particleStep > ParticleSteps) {
      fx.particleStep = 1;
      fx.particlesRunning = false;
    }
  }
  for (int k = 0; k < 2; ++k) {
    for (int i = 0; i < ParticlesPerTile; ++i) {
      const int x = fx.removalX[k] + Random(CellPitchX) - CellPitchX / 2;
      const int y = fx.removalY[k] + Random(CellPitchY) - CellPitchY / 2;
      DisplaySprite(SpriteParticle, x, y);
    }
  }
}
