// The spine of the editor: start-up, the frame and status ticks, the pointer and the event loop.
//
// Sections: start-up | frame tick | status tick | event loop
#include "editor/main_loop.h"

#include <cstdio>
#include <string>

#include "editor/drawing.h"
#include "editor/editing.h"
#include "editor/editor_state.h"
#include "editor/map_files.h"
#include "mapdata/level_model.h"
#include "platform/app.h"
#include "platform/colour.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/gadget.h"
#include "platform/picture.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/translation.h"
#include "carried/carried_pictures.h"

EditorState gEditor;

namespace {

constexpr const char* NoDisplayMessage = "无法打开窗口";
constexpr const char* EditorDesktopEntry = "org.example.pelmora.kestrand";
constexpr const char* UnsavedQuestion = "地图还没保存是否需要保存？";
// The game's settings in the same folder: the editor speaks the language chosen there.
constexpr const char* GameSettingsFile = "Config.ini";
constexpr const char* LanguageSection = "Window";
constexpr const char* LanguageKey = "Language";
constexpr int Black = Rgb(0, 0, 0);
constexpr int LoadingFontPoints = 12;
constexpr int HiddenCursorCount = -1;   // the system cursor's display counter while hidden
constexpr int ShownCursorCount = 1;     // and while shown

// One control of the row along the bottom of the main window.
struct ControlSpec {
  int gadget;
  bool isList;
  int x, y, width, height;
  const char* text;
};
constexpr ControlSpec MainControls[] = {
    {GadgetNewLevel, false, 3, 575, 80, 24, "新建立一关"},
    {GadgetLevelList, true, 88, 577, 100, 20, ""},
    {GadgetNewLayer, false, 193, 575, 80, 24, "新建立一层"},
    {GadgetLayerList, true, 278, 577, 100, 20, ""},
    {GadgetOpenMap, false, 383, 575, 75, 24, "打开地图"},
    {GadgetSaveMap, false, 463, 575, 75, 24, "保存地图"},
};
constexpr int InstructionsX = 543, InstructionsY = 583;
constexpr int InstructionsWidth = 320, InstructionsHeight = 16;
constexpr const char* InstructionsText = "说明:点鼠标左键清除麻将，右键显示麻将，也可按住拖动。";

// The main status bar: a caption, three live fields and a tip.
constexpr int StatusFieldWidths[] = {70, 210, 210, 180, -1};
constexpr int StatusCaptionField = 0;
constexpr int StatusLevelField = 1;
constexpr int StatusLayerField = 2;
constexpr int StatusCountField = 3;
constexpr int StatusTipField = 4;
constexpr const char* StatusCaption = "状态提示：";
constexpr const char* StatusTip = "小提示：显示的麻将牌必须是双数才能保存。";

constexpr int EditorLayerKeys = 9;   // keys 1..9
constexpr int TypeCount = 4;         // Ctrl+1..Ctrl+4

// ---- Start-up ---------------------------------------------------------------------------------

void ApplyEditorLanguage() {
  const std::string& folder = gEditor.workingDirectory;
  const std::string catalogues = folder + CatalogueFolder;
  const std::string setting = ReadIni(LanguageSection, LanguageKey, folder + GameSettingsFile);
  UseLanguage(ChooseLanguage(setting, catalogues), catalogues);
  SetPictureLanguage(CurrentLanguage() == OriginalLanguage ? std::string() : CurrentLanguage());
}

void CreateMainControls() {
  for (const ControlSpec& c : MainControls) {
    if (c.isList) {
      ComboBoxGadget(c.gadget, c.x, c.y, c.width, c.height);
    } else {
      ButtonGadget(c.gadget, c.x, c.y, c.width, c.height, TranslateText(c.text));
    }
  }
  TextGadget(GadgetInstructions, InstructionsX, InstructionsY, InstructionsWidth,
             InstructionsHeight, TranslateText(InstructionsText));
  CreateStatusBar(MainStatusBar, EditorWindow);
  for (int width : StatusFieldWidths) AddStatusBarField(MainStatusBar, width);
  StatusBarText(MainStatusBar, StatusCaptionField, TranslateText(StatusCaption), StatusCentred);
  StatusBarText(MainStatusBar, StatusTipField, TranslateText(StatusTip), StatusCentred);
}

void AddEditorShortcuts() {
  for (int n = 1; n <= EditorLayerKeys; ++n) {
    AddShortcut(EditorWindow, static_cast<char>('0' + n), 0, ShortcutLayer1 + n - 1);
  }
  AddShortcut(EditorWindow, 'N', ModCtrl, ShortcutNewLevelWindow);
  AddShortcut(EditorWindow, 'N', ModAlt, ShortcutNewLayer);
  for (int t = 1; t <= TypeCount; ++t) {
    AddShortcut(EditorWindow, static_cast<char>('0' + t), ModCtrl, ShortcutNewLevelType1 + t - 1);
  }
}

// The pointer picture over the drawing area; the system cursor everywhere else.
void DrawPointer() {
  int x = WindowMouseX(EditorWindow);
  int y = WindowMouseY(EditorWindow);
  if (IsWindowActive(EditorWindow) && x > -1 && y > -1 && y < DrawingHeight) {
    while (SystemCursorCount() > HiddenCursorCount) HideSystemCursor();
    while (SystemCursorCount() < HiddenCursorCount) ShowSystemCursor();
    DisplaySprite(SpritePointer, x, y);
  } else {
    while (SystemCursorCount() < ShownCursorCount) ShowSystemCursor();
    while (SystemCursorCount() > ShownCursorCount) HideSystemCursor();
  }
}

void HandleShortcut(int number) {
  if (number >= ShortcutLayer1 && number < ShortcutLayer1 + EditorLayerKeys) {
    ChooseLayer(number - ShortcutLayer1 + 1);
  } else if (number == ShortcutNewLevelWindow) {
    OpenNewLevelWindow();
  } else if (number == ShortcutNewLayer) {
    NewLayerCommand();
  } else if (number >= ShortcutNewLevelType1 && number < ShortcutNewLevelType1 + TypeCount) {
    NewLevel(number - ShortcutNewLevelType1 + 1);
  }
}

void HandleMainGadget(int gadget) {
  gEditor.dragging = false;
  switch (gadget) {
    case GadgetNewLevel: OpenNewLevelWindow(); break;
    case GadgetLevelList: GoToLevel(GadgetState(GadgetLevelList) + 1); break;
    case GadgetNewLayer: NewLayerCommand(); break;
    case GadgetLayerList: ChooseLayer(GadgetState(GadgetLayerList) + 1); break;
    case GadgetOpenMap: OpenMapCommand(); break;
    case GadgetSaveMap: SaveCommand(); break;
    default: break;
  }
}

// Only an explicit 否 throws the painted changes away; Esc and the close box go back to editing.
void HandleCloseRequest() {
  if (gEditor.saved == 0) {
    switch (AskYesNo(TranslateText(MessageTitle), TranslateText(UnsavedQuestion))) {
      case AnswerYes: SaveCommand(); return;
      case AnswerCancelled: return;
      case AnswerNo: break;
    }
  }
  gEditor.quit = true;
}

// A list pick that was ignored: the lists show the current level and layer again.
void ReselectCurrentLevelAndLayer() {
  if (gEditor.currentLevel >= 1) SetGadgetState(GadgetLevelList, gEditor.currentLevel - 1);
  if (gEditor.currentLayer >= 1) SetGadgetState(GadgetLayerList, gEditor.currentLayer - 1);
}

void HandleMainWindowEvent(const Event& event) {
  const int x = event.x;
  const int y = event.y;
  switch (event.kind) {
    case EventCloseWindow: HandleCloseRequest(); break;
    case EventShortcut: HandleShortcut(event.number); break;
    case EventGadget: HandleMainGadget(event.number); break;
    case EventLeftButtonDown: PressLeftButton(x, y); break;
    case EventRightButtonDown: PressRightButton(x, y); break;
    case EventMouseMove: MovePointerTo(x, y); break;
    case EventLeftButtonUp:
    case EventRightButtonUp: ReleaseButton(); break;
    default: break;
  }
}

}  // namespace

bool StartEditor() {
  CreateEditorGrid();
  ClearEditorMap(gEditorMap);
  gEditor = EditorState{};
  gEditor.workingDirectory = CurrentDirectory();
  ApplyEditorLanguage();
  DecodeCarriedPictures();
  if (!OpenWindow(EditorWindow, EditorWidth, EditorHeight, TranslateText(EditorTitle),
                  WindowMinimiseBox)) {
    return false;
  }
  CreateMainControls();
  AddEditorShortcuts();
  if (!OpenScreen(EditorWindow, 0, 0, EditorWidth, DrawingHeight)) return false;
  LoadFont(FontLoading, "黑体", LoadingFontPoints, false);
  PrepareSprites();
  StartTimer(EditorWindow, StatusTimer, StatusPeriodMs, StatusTick);
  // The status fields are controls of their own: the drawing area need not wake for them.
  SetTimerWakesOthers(EditorWindow, StatusTimer, false);
  StartTimer(EditorWindow, FrameTimer, FramePeriodMs, FrameTick);
  LoadPointer();
  // Decoding the pictures left much freed memory behind.
  ReleaseFreedMemory();
  return true;
}

// ---- Frame tick -------------------------------------------------------------------------------

// A tick that changed nothing of the editor's state and drew the frame shown would do the same
// again until an event or another timer changes something: its timer sleeps.
void FrameTick() {
  const EditorState before = gEditor;
  if (WindowMouseX(EditorWindow) == -1 || WindowMouseY(EditorWindow) == -1) {
    gEditor.dragging = false;
  }
  FlipScreen();
  ClearScreen(Black);
  DrawLevelView();
  if (gEditor.loading) DrawLoadingBar();
  DrawPointer();
  if (gEditor == before && IsDrawnFrameShown()) SleepTimer(EditorWindow, FrameTimer);
}

// ---- Status tick ------------------------------------------------------------------------------

void StatusTick() {
  const EditorState& e = gEditor;
  StatusBarText(MainStatusBar, StatusLevelField,
                TranslateText("当前地图共有%1关，正在编辑第%2关。",
                              {gEditorMap.levelCount, e.currentLevel}),
                StatusCentred);
  StatusBarText(MainStatusBar, StatusLayerField,
                TranslateText("当前关卡共有%1层，正在编辑第%2层。",
                              {e.currentLayerCount, e.currentLayer}),
                StatusCentred);
  StatusBarText(MainStatusBar, StatusCountField,
                TranslateText("当前关卡显示了%1张麻将牌", {e.shownCells}), StatusCentred);
}

// ---- Event loop -------------------------------------------------------------------------------

void HandleEditorEvent(const Event& event) {
  // While a save or an open pumps messages, a command could replace or reshape the map under
  // the writer or the reader; only painting and the windows themselves go on.
  if (gEditor.busy && (event.kind == EventGadget || event.kind == EventShortcut)) {
    ReselectCurrentLevelAndLayer();
    return;
  }
  switch (event.window) {
    case EditorWindow: HandleMainWindowEvent(event); break;
    case NewLevelWindow:
      if (event.kind == EventCloseWindow) {
        CloseWindow(NewLevelWindow);
      } else if (event.kind == EventGadget) {
        HandleNewLevelGadget(event.number);
      }
      break;
    case SaveWindow:
      if (event.kind == EventCloseWindow) {
        CloseWindow(SaveWindow);
      } else if (event.kind == EventGadget && event.number == GadgetSaveButton) {
        PressSaveButton();
      }
      break;
    default: break;
  }
}

int RunEditor() {
  if (!InitPlatform()) {
    gEditor.workingDirectory = CurrentDirectory();
    ApplyEditorLanguage();
    std::fprintf(stderr, "%s\n", TranslateText(NoDisplayMessage).c_str());
    return 1;
  }
  std::vector<EncodedPicture> icon;
  for (const CarriedPicture& picture : gEditorIcons) icon.push_back({picture.data, picture.size});
  SetProgramIdentity(EditorDesktopEntry, icon);
  SetEventHandler(HandleEditorEvent);
  if (StartEditor()) {
    while (!gEditor.quit) HandleEditorEvent(WaitEvent());
  }
  ShutdownPlatform();
  return 0;
}
