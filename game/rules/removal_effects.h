// The run of the overlays of a removed pair: flying tiles with the score pop-up, and the
// particle burst. Each step moves its effect on by one frame and says whether it is drawn.
#pragma once

// Starts both effects for the pair just taken from the board (data already in gEffects).
void StartRemovalEffects();
// One frame of the flying tiles and the pop-up; false when they are not running.
bool StepFlyingTiles();
// One frame of the particle burst with this frame's particles; false when it is not running.
bool StepParticleBurst();
