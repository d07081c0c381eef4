// Start-up, the frame and status ticks, the event loop and the pointer of the editor.
#pragma once

#include "platform/window.h"

// Runs the whole program: start-up, the event loop until the quit flag, shut-down.
int RunEditor();

// Start-up up to the timers: grid, carried pictures, main window with its controls, status bar
// and shortcuts, screen and pictures. False when the window or the screen cannot be opened.
bool StartEditor();

// Timer 0: flip, clear, background, title, level, loading bar, pointer.
void FrameTick();
// Timer 1: fields 1 to 3 of the main status bar.
void StatusTick();
// Routes one window event (the event loop and PumpOnce call it).
void HandleEditorEvent(const Event& event);
