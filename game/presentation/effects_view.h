// The overlays drawn over a frame: the removal effects, the bomb, the hint sparkle and the reward
// banner. Each draws its effect as its run in the rules left it for this frame.
#pragma once

void DrawParticleBurst();
void DrawBombAnimation();
void DrawFlyingTiles();
void DrawHintSparkle();
void DrawRewardBanner();
