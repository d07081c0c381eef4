// Shared between the window (window.cpp, window_scale.cpp), event, gadget, status-bar and dialog
// sources of the platform only.
#pragma once

#include <QPointer>
#include <QWidget>

#include <map>

#include "platform/window.h"

// One open window: its top-level frame and the client widget that fills it.
struct WindowSlot {
  QPointer<QWidget> frame;   // the top-level widget; null once Qt has deleted it
  QWidget* client = nullptr; // fills the frame; gadgets and the screen live on it
  int width = 0, height = 0; // fixed client size, as the program sees it
  int owner = NoOwner;       // the window it is centred on, or NoOwner
  int scale = 100;           // percent of the client size it is shown at, out of full screen
  bool fullScreen = false;   // fills its screen, the client area fitted in between bars
  QSize decoration;          // what the desktop's frame adds around it, out of full screen
  QPoint normalCentre;       // centre of the client area before full screen, on the desktop
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

// The title of the program's main window: the lowest-numbered open window without an owner.
// Empty when none is open.
std::string MainWindowTitle();

// Centres a window on its owner, or on the desktop's available area without one; window_scale.cpp
// centres the owned windows again when their owner changes size.
void CentreWindow(WindowSlot& slot);

// Called by events.cpp when a window goes away: its timers stop.
void StopWindowTimers(int window);
// Called by window.cpp when a window goes away: its gadgets and status bar are forgotten.
void ForgetWindowGadgets(int window);
void ForgetWindowStatusBar(int window);
// Stops and releases every timer (shut-down).
void ReleaseTimers();
