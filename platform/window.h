// Windows, events, timers, the pointer, the system cursor and keyboard shortcuts.
//
// Windows are addressed by the program's own numbers. Events come back as (kind, window,
// number). Timer callbacks run on the one UI thread: inside WaitEvent, inside PumpOnce and inside
// every modal dialog.
#pragma once

#include <string>

// ---- Windows ----------------------------------------------------------------------------------

enum WindowFlag {
  WindowMinimiseBox = 1,   // a minimise box in the caption
};

constexpr int NoOwner = -1;

// Opens a window with a fixed inner (client) size, a caption and a system menu. Without an owner
// it is centred on the desktop; with one it is centred on the owner and stays above it. Opening a
// number that is open replaces that window. False on failure.
bool OpenWindow(int window, int width, int height, const std::string& title, int flags = 0,
                int owner = NoOwner);
void CloseWindow(int window);
bool IsWindowOpen(int window);
void SetWindowTitle(int window, const std::string& title);
std::string WindowTitle(int window);
// True when the window has the keyboard focus of the desktop.
bool IsWindowActive(int window);
// Makes the window the active one (tests and start-up).
void ActivateWindow(int window);

// ---- Events -----------------------------------------------------------------------------------

enum EventKind {
  EventNone = 0,
  EventCloseWindow,    // the close box or the window manager asked to close
  EventMouseMove,
  EventLeftButtonDown,
  EventLeftButtonUp,
  EventRightButtonDown,
  EventRightButtonUp,
  EventShortcut,       // number = the event number given to AddShortcut
  EventGadget,         // number = the gadget that the user changed or clicked
};

struct Event {
  EventKind kind = EventNone;
  int window = -1;
  int number = 0;
};

// Blocks until the next event and returns it; timers fire meanwhile.
Event WaitEvent();

// Returns the next pending event without waiting (kind EventNone when there is none). Pending
// timers fire first.
Event PollEvent();

// The program's handler for one event; PumpOnce hands the event it takes to it.
using EventHandler = void (*)(const Event& event);
void SetEventHandler(EventHandler handler);

// Takes one pending event and hands it to the event handler, or sleeps the given number of
// milliseconds when nothing was pending (no event and no timer due).
void PumpOnce(int milliseconds);

// Puts an event in the queue as if the user had caused it (tests).
void PostEvent(const Event& event);

// ---- Timers -----------------------------------------------------------------------------------

using TimerCallback = void (*)();

// Starts a repeating timer of a window. Starting a number that runs replaces its period and
// callback.
void StartTimer(int window, int timer, int periodMs, TimerCallback callback);
void StopTimer(int window, int timer);
bool IsTimerRunning(int window, int timer);

// ---- Pointer and system cursor ----------------------------------------------------------------

// Pointer position in the window's client area; each coordinate is -1 when outside it.
int WindowMouseX(int window);
int WindowMouseY(int window);
// Puts the pointer at a position of the window's client area (tests).
void MovePointer(int window, int x, int y);

// The system cursor's display counter: visible while it is 0 or more. Each call changes the
// counter by one and returns the new value.
int ShowSystemCursor();
int HideSystemCursor();
int SystemCursorCount();

// ---- Keyboard shortcuts -----------------------------------------------------------------------

enum ShortcutModifier { ModShift = 1, ModCtrl = 2, ModAlt = 4 };

// key is an upper-case letter 'A'..'Z' or a digit '0'..'9'. The event number is delivered as an
// EventShortcut of that window while the window is active.
void AddShortcut(int window, char key, int modifiers, int eventNumber);
// Delivers a key press with modifiers to the window as if typed (tests); it reaches the
// window's shortcuts only while the window is active.
void SimulateKeyPress(int window, char key, int modifiers);
