// Input of the game window: the hit test, the click handler and the shortcuts. The buttons of
// each page are declared in game/presentation/layout.h.
#pragma once

// Event numbers of the keyboard shortcuts.
enum GameShortcut {
  ShortcutPreviousLevel = 101,   // Shift+Ctrl+Alt+A
  ShortcutNextLevel = 102,       // Shift+Ctrl+Alt+S
  ShortcutFindHint = 103,        // Shift+Ctrl+Alt+Z
  ShortcutShuffle = 104,         // Shift+Ctrl+Alt+X
  ShortcutBomb = 105,            // Shift+Ctrl+Alt+C
  ShortcutCredit = 106,          // Shift+Ctrl+Alt+Q
  ShortcutMoreHints = 110,       // Ctrl+Alt+Z
  ShortcutMoreBombs = 111,       // Ctrl+Alt+X
  ShortcutMoreShuffles = 112,    // Ctrl+Alt+C
  ShortcutFullScreen = 113,      // F11, the desktop's usual key for it
};

// The map editor, started beside the game.
constexpr const char* EditorProgramName = "Kestrand";
constexpr const char* DefaultMapName = "Maps\\Duzuz.xml";

// The button under (x, y) for the current page, 0 for none; also stored as the hovered button.
int HitTest(int x, int y);
// A left-button press at (x, y) while the screen state is below the intro.
void HandleClick(int x, int y);
// A keyboard shortcut of the game window.
void HandleShortcut(int eventNumber);
// Opens window 100 with the credit picture.
void OpenCreditWindow();
