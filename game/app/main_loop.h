// Start-up, the intro, the frame tick and the event loop of the game.
#pragma once

#include "platform/window.h"

// Runs the whole program: start-up in its fixed order, the event loop, shut-down. Returns the
// exit code.
int RunGame();

// Start-up up to the resource check (grids, start values, fonts, sounds, settings, carried
// pictures); false when the program must end.
bool StartGame();
// Opens the window and the screen, prepares the sprites and starts the intro; false when the
// window or the screen cannot be opened.
bool OpenGameScreen();

// Timer 0 during the intro: the fading cards.
void IntroTick();
// Timer 0 after the intro: flip, clear, draw the whole screen.
void FrameTick();
// (Re)starts timer 0 with the frame tick.
void RestartFrameTimer();
// Routes one window event (the main loop and PumpOnce call it).
void HandleGameEvent(const Event& event);
