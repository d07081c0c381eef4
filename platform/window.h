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

// ---- Scale and full screen --------------------------------------------------------------------

// A window can be shown bigger than its client size: at a scale, or filling its screen. The
// program still sees and draws the client size; the screen on the window is scaled when shown,
// pointer positions are mapped back to the client area, and the windows it owns stay centred on
// it. Gadgets are not scaled. The desktop's own scale factor applies on top.

// Whether the window, its client area at percent of its size (100 or more), fits the available
// area of its screen.
bool CanScaleWindow(int window, int percent);
// Shows the client area at percent of its size (each side rounded, halves up), keeping the
// window's centre where the available area allows; while full screen, the scale waits for its
// end. False, and nothing changes, when that size does not fit. The user cannot resize it.
bool SetWindowScale(int window, int percent);
int WindowScale(int window);
// The window fills its screen, the client area fitted in with its aspect kept and black bars
// around it; off, back at its scale where it was.
void SetWindowFullScreen(int window, bool on);
bool IsWindowFullScreen(int window);
// The client area's size as the desktop shows it, bars included.
int ShownWindowWidth(int window);
int ShownWindowHeight(int window);

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
  int x = -1, y = -1;   // mouse events: where the pointer was in the client area, as WindowMouseX
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

// A running timer whose last tick changed nothing can sleep: it stays running but its callback
// is skipped until something wakes the program: an event, another timer's callback, the pointer
// entering or leaving a window, a window activated, a PumpOnce. Woken, it ticks again with its
// period (under virtual time on its old schedule, so that only the skipped ticks differ).
void SleepTimer(int window, int timer);
bool IsTimerAsleep(int window, int timer);
void WakeTimers();
// A timer whose callback changes nothing a frame shows (status fields, say) need not wake the
// others. Kept across starts of the timer.
void SetTimerWakesOthers(int window, int timer, bool wakes);

// ---- Pointer and system cursor ----------------------------------------------------------------

// Pointer position in the window's client area; each coordinate is -1 when outside it (on a
// window shown bigger, the position drawn under the pointer; on the bars, outside).
int WindowMouseX(int window);
int WindowMouseY(int window);
// Puts the pointer at a position of the window's client area (tests).
void MovePointer(int window, int x, int y);
// Puts the pointer at a pixel of the client area as the desktop shows it (tests).
void MovePointerShown(int window, int x, int y);
// Puts the pointer at a position of the client area and queues a mouse event of that kind there,
// as if the user had caused it (tests).
void SimulatePointerEvent(int window, EventKind kind, int x, int y);

// The system cursor's display counter: visible while it is 0 or more. Each call changes the
// counter by one and returns the new value.
int ShowSystemCursor();
int HideSystemCursor();
int SystemCursorCount();

// ---- Keyboard shortcuts -----------------------------------------------------------------------

enum ShortcutModifier { ModShift = 1, ModCtrl = 2, ModAlt = 4 };

// Function keys F1 to F12 as keys of shortcuts.
constexpr int LastFunctionKey = 12;
constexpr int FunctionKey(int n) { return 0x100 + n; }

// key is an upper-case letter 'A'..'Z', a digit '0'..'9' or a FunctionKey. The event number is
// delivered as an EventShortcut of that window while the window is active.
void AddShortcut(int window, int key, int modifiers, int eventNumber);
// Delivers a key press with modifiers to the window as if typed (tests); it reaches the
// window's shortcuts only while the window is active.
void SimulateKeyPress(int window, int key, int modifiers);
