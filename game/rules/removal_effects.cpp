// The run of the overlays of a removed pair: where the flying tiles, the score pop-up and the
// particles are in each frame.
//
// Sections: flying tiles and score pop-up | particle burst
#include "game/rules/removal_effects.h"

#include "game/rules/frame_steps.h"
#include "game/rules/game_numbers.h"
#include "game/rules/rules_state.h"
#include "mapdata/geometry.h"
#include "platform/random.h"

// ---- Flying tiles and score pop-up -----------------------------------------------------------

constexpr int FlyingStepPx = 5;        // per frame, sideways and by the drift pattern
constexpr int FlyingLeftEndX = -40;    // tile 1 has left the screen at or beyond this x
constexpr int PopupRisePx = 1;
constexpr int PopupFadeStep = 2;
constexpr int SwayTurnFrame = 25;      // the sway grows up to this frame, then shrinks
constexpr int SwayCycleFrames = 50;    // the sway frame counter returns to 0 after this

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

// The frame that takes the tiles off the screen is still drawn.
bool StepFlyingTiles() {
  EffectState& fx = gEffects;
  if (!fx.flyingRunning) return false;

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

  if (fx.flying[0].x <= FlyingLeftEndX && fx.flying[1].x > ScreenWidthPx && fx.popupY[0] < 0) {
    fx.flyingRunning = false;
  }
  return true;
}

// ---- Particle burst --------------------------------------------------------------------------

constexpr int ParticleSteps = 16;       // the burst ends when the step counter passes this

// The frame that ends the burst is still drawn, with particles of its own.
bool StepParticleBurst() {
  EffectState& fx = gEffects;
  if (!fx.particlesRunning) return false;

  if (AdvanceEveryOtherFrame(fx.particleFrame, fx.particleStep, ParticleSteps))
    fx.particlesRunning = false;
  EffectDot* dot = fx.particles;
  for (int k = 0; k < 2; ++k) {
    for (int i = 0; i < ParticlesPerTile; ++i, ++dot) {
      dot->x = fx.removalX[k] + Random(CellPitchX) - CellPitchX / 2;
      dot->y = fx.removalY[k] + Random(CellPitchY) - CellPitchY / 2;
    }
  }
  return true;
}
