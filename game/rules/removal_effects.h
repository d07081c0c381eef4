// The overlays of a removed pair: flying tiles with the score pop-up, and the particle burst.
#pragma once

// Starts both effects for the pair just taken from the board (data already in gEffects).
void StartRemovalEffects();
// One frame of the flying tiles and the pop-up; nothing when they are not running.
void DrawFlyingTiles();
// One frame of the particle burst; nothing when it is not running.
void DrawParticleBurst();
