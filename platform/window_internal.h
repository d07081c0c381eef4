// Shared between the window, event, gadget, status-bar and dialog sources of the platform only.
#pragma once

#include <QPointer>
#include <QWidget>

#include <map>

#include "platform/window.h"

// One open window: its top-level frame and the client widget that fills it.
struct WindowSlot {
  QPointer<QWidget> frame;   // the top-level widget; null once Qt has deleted it
  QWidget* client;           // fills the frame; gadgets and the screen live on it
  int width, height;         // fixed client size
};

struct WindowRegistry {
  std::map<int, WindowSlot> open;   // by the program's window number
  int cursorCount = 0;              // system cursor display counter, visible while >= 0
};

extern WindowRegistry gWindows;

// The frame of an open window, or nullptr.
QWidget* WindowFrame(int window);
// The program's active window as a dialog parent (centres dialogs on it), or nullptr.
QWidget* DialogParent();

// Called by events.cpp when a window goes away: its timers stop.
void StopWindowTimers(int window);
// Called by window.cpp when a window goes away: its gadgets and status bar are forgotten.
void ForgetWindowGadgets(int window);
void ForgetWindowStatusBar(int window);
// Stops and releases every timer (shut-down).
void ReleaseTimers();
