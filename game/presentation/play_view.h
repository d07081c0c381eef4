// The board in play, the in-game panel and the main-menu page.
#pragma once

#include <cstdint>

// The live board of the current level: shadows and faces, layer by layer; nothing while paused.
void DrawBoard();
// Key of everything the board's tiles depend on, for the frame cache. False when the tiles reach
// down to the panel: the panel is drawn under them then, so the two cannot be drawn apart.
bool BoardFrameKey(uint64_t& key);
// The in-game panel on the bottom bar: level, score, clock, tile counts, the five buttons and
// the item counts.
void DrawPanel();
// The seven main-menu buttons with the hovered one highlighted, and the stars along the bottom.
void DrawMenuPage();
