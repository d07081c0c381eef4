// State of the map editor besides the map itself (gEditorMap of mapdata/level_model.h), and the
// numbers of its windows, gadgets, timers, sprites, images, fonts, status bars and shortcuts.
// One instance, gEditor, lives for the whole run.
#pragma once

#include <string>

#include "mapdata/map_writer.h"
#include "mapdata/message_titles.h"

// ---- Windows and layout -----------------------------------------------------------------------

constexpr int EditorWindow = 0;
constexpr int NewLevelWindow = 1;
constexpr int SaveWindow = 2;

constexpr const char* EditorTitle = "Vorle麻将连连看地图编辑器";

constexpr int EditorWidth = 930;
constexpr int EditorHeight = 625;
constexpr int DrawingHeight = 570;          // the drawing area: the client area less 55 rows
constexpr int LeftPaintLimitY = 595;        // a left press below this starts nothing
constexpr int RightPaintLimitY = 600;       // a right press below this starts nothing

// ---- Timers (on the main window) --------------------------------------------------------------

constexpr int FrameTimer = 0;
constexpr int StatusTimer = 1;
constexpr int FramePeriodMs = 10;
constexpr int StatusPeriodMs = 200;
constexpr int PumpPacingMs = 10;            // PumpOnce pause while saving and reading

// ---- Gadgets ----------------------------------------------------------------------------------

enum EditorGadget {
  GadgetNewLevel = 1,
  GadgetLevelList,
  GadgetNewLayer,
  GadgetLayerList,
  GadgetOpenMap,
  GadgetSaveMap,
  GadgetInstructions,
  GadgetTypePicture1 = 11,   // 11..14: the pictures of types 1..4 in the new-level window
  GadgetSaveCaption1 = 21,   // 21..24: the captions beside the four fields of the save window
  GadgetAuthor = 25,
  GadgetContact,
  GadgetPassword,
  GadgetIntroduction,
  GadgetSaveButton,
};

// ---- Status bars ------------------------------------------------------------------------------

constexpr int MainStatusBar = 0;
constexpr int SaveStatusBar = 1;

// ---- Pictures and fonts -----------------------------------------------------------------------

constexpr int SpriteBackground = 0;
constexpr int SpriteTitle = 1;
constexpr int SpriteTypePicture1 = 11;      // 11..14: panels of types 1..4
constexpr int SpriteFaceBase = 100;         // 100 + f: normal face f
constexpr int SpritePointer = 600;
constexpr int SpriteKeptView = 700;        // background, title and level, kept while unchanged

constexpr int ImageFaceSheet = 0;
constexpr int ImageTypePicture = 1;

constexpr int FontLoading = 0;

// ---- Shortcut event numbers -------------------------------------------------------------------

constexpr int ShortcutLayer1 = 1;           // 1..9: keys 1..9
constexpr int ShortcutNewLevelWindow = 10;  // Ctrl+N
constexpr int ShortcutNewLayer = 11;        // Alt+N
constexpr int ShortcutNewLevelType1 = 21;   // 21..24: Ctrl+1..Ctrl+4

// ---- State ------------------------------------------------------------------------------------

enum PaintMode {
  PaintClear,   // left button: cells become hidden
  PaintShow,    // right button: cells become shown
};

struct EditorState {
  int currentLevel = 0;          // 0 while the map has no level
  int currentLayer = 0;          // layer being painted, 1..layer count
  int currentLayerCount = 0;     // copy of the level table for the current level
  int currentType = 0;           // copy of the level table for the current level
  int saved = 1;                 // 1 while everything painted is saved, 0 after painting
  bool dragging = false;         // a button that started painting is held
  PaintMode paintMode = PaintClear;
  int shownCells = 0;            // shown cells of the current level, counted by DrawLevel
  bool loading = false;          // a map is being read: the loading bar is drawn
  int declaredLevelCount = 0;    // the `e` element of the map being read
  bool refused = false;          // the password was refused: the rest of the file is skipped
  bool busy = false;             // a save or an open runs its paced loop: commands are ignored
  bool paintedWhileBusy = false; // painting went on during the save that runs or ran last
  bool quit = false;             // set by closing the main window
  std::string workingDirectory;  // current directory at start-up, ending in a separator
  std::string filePath;          // the map opened last, the target of later saves
  MapInfo info;                  // author, contact, introduction and edit password
  bool operator==(const EditorState&) const = default;
};

extern EditorState gEditor;
