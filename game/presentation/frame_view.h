// What a frame shows under its overlays: the fixed pictures with the board and panel or with a
// page, and over everything the pause animation, the intro's cards and the pointer.
#pragma once

// The fixed pictures, the panel and the board of the level in play.
void DrawPlayFrame();
// The fixed pictures and the page of the screen state.
void DrawPageFrame(int screenState);
// One frame of the picture sweeping across the paused board with its stars.
void DrawPauseAnimation();
// The intro's card for its counter: the first card fading out, then the second fading in.
void DrawIntroCard(int counter);
// The game's own pointer, or the system cursor outside the drawing area.
void DrawPointer();
