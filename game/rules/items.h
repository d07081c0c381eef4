// The hint, shuffle and bomb items, the pair search, the dead-end check and their overlays' runs.
#pragma once

// Finds the removable pair of the scan order (see items.cpp); on success stores its tile
// positions and shows the sparkle. Does not select the tiles.
bool FindHint();
// The same search without any effect.
bool AnyMoveExists();
// Clears the first selection and redistributes the faces over the same tile places.
void ShuffleBoard();
// After every pair click: re-shuffles a board without moves, or ends the game without items.
void CheckDeadEnd();
// Blows up the tile of the first selection.
void UseBomb();

// The three item buttons of the in-game bar.
void PressHintButton();
void PressBombButton();
void PressShuffleButton();

// Developer shortcuts: one more item, up to 99.
void RaiseHintCount();
void RaiseBombCount();
void RaiseShuffleCount();

// The sparkle lasts until the next click.
void SwitchHintSparkleOff();
// Stops a running explosion and forgets where it was (a level start).
void StopBombAnimation();

// Each moves its overlay on by one frame; true when it is drawn this frame. The sparkle's stars
// of the frame are in gItems.hintStars.
bool StepHintSparkle();
bool StepBombAnimation();
