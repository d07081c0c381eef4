// Input of the game window: the hit test, the click handler, the shortcuts and the pointer.
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

// Buttons of the in-game bar (hover numbers in play).
enum PlayButton {
  ButtonHint = 1, ButtonBomb = 2, ButtonShuffle = 3, ButtonPause = 4, ButtonHome = 5,
  ButtonPreviousLevel = 6, ButtonNextLevel = 7,
};

// Buttons of the main menu.
enum MenuButton {
  MenuProgressMode = 1, MenuFreeMode = 2, MenuEditor = 3, MenuOpenMap = 4, MenuSettings = 5,
  MenuHelp = 6, MenuWebSite = 7,
};

// Buttons of the level selection: 1..4 the thumbnails, then the page buttons.
enum SelectButton {
  SelectMainMenu = 5, SelectPreviousPage = 6, SelectFirstPage = 7, SelectNextPage = 8,
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
// The game's own pointer, or the system cursor outside the drawing area.
void DrawPointer();
// Opens window 100 with the credit picture.
void OpenCreditWindow();
