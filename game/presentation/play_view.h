// The board in play, the in-game panel and the main-menu page.
#pragma once

// The live board of the current level: shadows and faces, layer by layer; nothing while paused.
void DrawBoard();
// The in-game panel on the bottom bar: level, score, clock, tile counts, the five buttons and
// the item counts.
void DrawPanel();
// The seven main-menu buttons with the hovered one highlighted, and the stars along the bottom.
void DrawMenuPage();
