// Input of the game window: which button lies under the pointer, what a left click does on
// each page and in play, the keyboard shortcuts, the pointer and the credit window.
//
// Sections: hit test | main menu | level selection | click handler | shortcuts | pointer
#include "game/app/input.h"

#include "game/app/app_state.h"
#include "game/app/guide.h"
#include "game/app/main_loop.h"
#include "game/presentation/resources.h"
#include "game/presentation/settings.h"
#include "game/presentation/sound.h"
#include "game/presentation/sprites.h"
#include "game/rules/items.h"
#include "game/rules/level_flow.h"
#include "game/rules/rules_state.h"
#include "game/rules/scoring.h"
#include "game/rules/tiles.h"
#include "mapdata/geometry.h"
#include "mapdata/level_model.h"
#include "mapdata/map_reader.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/gadget.h"
#include "platform/picture.h"
#include "platform/process.h"
#include "platform/window.h"

namespace {

constexpr const char* NoSelectionMessage = "请先选择需要炸掉的麻将";

// A button's open rectangle: left < x < right and top < y < bottom.
struct HitBox {
  int left, right, top, bottom;
};

bool Inside(const HitBox& box, int x, int y) {
  return box.left < x && x < box.right && box.top < y && y < box.bottom;
}

// The in-game bar: five buttons at a 70-pixel pitch, then the level buttons of free mode.
constexpr int BarTop = 560, BarBottom = 620, BarLeft = 270, BarPitch = 70, BarButtons = 5;
constexpr HitBox LevelButtonRows = {0, 0, 563, 616};
constexpr HitBox PreviousLevelBox = {25, 123, 563, 616};
constexpr HitBox NextLevelBox = {131, 230, 563, 616};

constexpr HitBox MenuBoxes[] = {
    {250, 460, 150, 300}, {500, 710, 150, 300}, {105, 217, 400, 515}, {255, 370, 400, 515},
    {405, 520, 400, 515}, {555, 670, 400, 515}, {705, 820, 400, 515},
};

// The four quarters of the selection page, then its page buttons.
constexpr int QuarterSplitX = 460, QuarterSplitY = 280, QuarterBottom = 550;
constexpr HitBox PageButtonBoxes[] = {
    {50, 130, 575, 615}, {290, 370, 575, 615}, {440, 520, 575, 615}, {560, 640, 575, 615},
};
constexpr int LevelsPerPage = 4;

// The settings button at the top right acts on every page.
constexpr int SettingsAreaLeft = 840, SettingsAreaBottom = 45;

constexpr int MaxItemCount = 99;
constexpr int PointerTopRows = 2;   // the pointer is not drawn over the top two rows

constexpr int CreditWidth = 290, CreditHeight = 145;
constexpr int CreditImageGadget = 1000;

// ---- Hit test ---------------------------------------------------------------------------------

int HitPlayBar(int x, int y) {
  if (BarTop < y && y < BarBottom) {
    for (int k = 1; k <= BarButtons; ++k)
      if (BarLeft + BarPitch * (k - 1) < x && x < BarLeft + BarPitch * k) return k;
  }
  if (gApp.freeMode && LevelButtonRows.top < y && y < LevelButtonRows.bottom) {
    if (Inside(PreviousLevelBox, x, y)) return ButtonPreviousLevel;
    if (Inside(NextLevelBox, x, y)) return ButtonNextLevel;
  }
  return 0;
}

int HitMenu(int x, int y) {
  for (int i = 0; i < static_cast<int>(std::size(MenuBoxes)); ++i)
    if (Inside(MenuBoxes[i], x, y)) return i + 1;
  return 0;
}

int HitLevelSelect(int x, int y) {
  if (0 < x && x < QuarterSplitX && y < QuarterSplitY) return 1;
  if (x > QuarterSplitX && y < QuarterSplitY) return 2;
  if (0 < x && x < QuarterSplitX && QuarterSplitY < y && y < QuarterBottom) return 3;
  if (x > QuarterSplitX && QuarterSplitY < y && y < QuarterBottom) return 4;
  for (int i = 0; i < static_cast<int>(std::size(PageButtonBoxes)); ++i)
    if (Inside(PageButtonBoxes[i], x, y)) return SelectMainMenu + i;
  return 0;
}

// ---- Main menu --------------------------------------------------------------------------------

void LoadDefaultMap() {
  LoadMapFile(ResolvePath(gApp.appDirectory + DefaultMapName));
}

void StartProgressMode() {
  gApp.freeMode = false;
  if (!gApp.mapLoaded || !gApp.progressMap) {
    gApp.progressMap = true;
    LoadDefaultMap();
    gApp.mapLoaded = true;
  }
  StartLevel(1);
  RestartFrameTimer();
}

void StartFreeMode() {
  gApp.freeMode = true;
  if (!gApp.mapLoaded || gApp.progressMap) {
    gApp.progressMap = false;
    LoadDefaultMap();
    gApp.mapLoaded = true;
  }
  RestartFrameTimer();
  gApp.pageOffset = 0;
  gApp.screenState = ScreenLevelSelect;
}

// A new game on a map file chosen by the player, in progress mode.
void OpenMapFromDialog() {
  ShowSystemCursor();
  std::string path = ChooseOpenFile(OpenMapTitle, gApp.appDirectory, MapFileFilter);
  if (path.empty()) return;
  gMap.levelCount = 0;
  SetCurrentLevel(1);
  ResetGameFigures();
  gApp.freeMode = false;
  LoadMapFile(path);
  gApp.mapLoaded = true;
  StartLevel(1);
  RestartFrameTimer();
}

void PressMenuButton(int button) {
  switch (button) {
    case MenuProgressMode: StartProgressMode(); break;
    case MenuFreeMode: StartFreeMode(); break;
    case MenuEditor: RunProgram(ResolvePath(gApp.appDirectory + EditorProgramName)); break;
    case MenuOpenMap: OpenMapFromDialog(); break;
    case MenuSettings:
      ShowSystemCursor();
      OpenSettingsWindow();
      break;
    case MenuHelp: gApp.screenState = ScreenHelp; break;
    case MenuWebSite: OpenGuide(); break;
    default: break;
  }
}

// ---- Level selection --------------------------------------------------------------------------

void PressSelectButton(int button) {
  int& p = gApp.pageOffset;
  if (button >= 1 && button <= LevelsPerPage) {
    // A thumbnail beyond the last level has no tiles to play; an empty map still starts
    // level 1 so that its error is shown.
    int level = p + button;
    if (gMap.levelCount > 0 && level > gMap.levelCount) return;
    StartLevel(level);
    return;
  }
  switch (button) {
    case SelectMainMenu:
      gApp.screenState = ScreenMainMenu;
      gApp.inPlay = false;
      SetCurrentLevel(1);
      ResetGameFigures();
      StopTimer(GameWindow, LevelClockTimer);
      break;
    case SelectPreviousPage:
      if (p >= LevelsPerPage) {
        PlayEffect(SoundSelect);
        p -= LevelsPerPage;
      }
      FrameTick();
      break;
    case SelectFirstPage:
      PlayEffect(SoundSelect);
      p = 0;
      FrameTick();
      break;
    case SelectNextPage:
      if (p < gMap.levelCount - LevelsPerPage) {
        PlayEffect(SoundSelect);
        p += LevelsPerPage;
      }
      FrameTick();
      break;
    default: break;
  }
}

// ---- Click handler ----------------------------------------------------------------------------

void PressPlayButton(int button) {
  if (button == ButtonPause) {
    PressPauseButton();
    return;
  }
  if (gPlay.paused) return;
  switch (button) {
    case ButtonHint: PressHintButton(); break;
    case ButtonBomb: PressBombButton(); break;
    case ButtonShuffle: PressShuffleButton(); break;
    case ButtonHome: ResetGame(); break;
    case ButtonPreviousLevel: PressPreviousLevelButton(); break;
    case ButtonNextLevel: PressNextLevelButton(); break;
    default: break;
  }
}

}  // namespace

int HitTest(int x, int y) {
  int button = 0;
  if (gApp.inPlay)
    button = HitPlayBar(x, y);
  else if (gApp.screenState == ScreenMainMenu)
    button = HitMenu(x, y);
  else if (gApp.screenState == ScreenLevelSelect)
    button = HitLevelSelect(x, y);
  gApp.hoveredButton = button;
  return button;
}

void HandleClick(int x, int y) {
  AppState& a = gApp;
  a.pickedLayer = a.pickedRow = a.pickedColumn = -1;
  SwitchHintSparkleOff();
  PickBoardCell(gLevel.board, gLevel.arrangementType, x, y, a.pickedLayer, a.pickedRow,
                a.pickedColumn);
  if (x > SettingsAreaLeft && y < SettingsAreaBottom) OpenSettingsWindow();

  if (a.inPlay) {
    if (a.pickedLayer != -1) {
      if (!gPlay.paused) SelectTile(a.pickedLayer, a.pickedRow, a.pickedColumn, x, y);
    } else {
      PressPlayButton(HitTest(x, y));
    }
    return;
  }
  switch (a.screenState) {
    case ScreenMainMenu: PressMenuButton(HitTest(x, y)); break;
    case ScreenLevelIntro: ClickLevelIntro(); break;
    case ScreenLevelSelect: PressSelectButton(HitTest(x, y)); break;
    case ScreenHelp: a.screenState = ScreenMainMenu; break;
    default: break;
  }
}

// ---- Shortcuts --------------------------------------------------------------------------------

void HandleShortcut(int eventNumber) {
  switch (eventNumber) {
    case ShortcutPreviousLevel:
      if (gPlay.currentLevel > 1) StartLevel(gPlay.currentLevel - 1);
      break;
    case ShortcutNextLevel:
      if (gPlay.currentLevel < gMap.levelCount) StartLevel(gPlay.currentLevel + 1);
      break;
    case ShortcutFindHint: FindHint(); break;
    case ShortcutShuffle: ShuffleBoard(); break;
    case ShortcutBomb:
      if (gLevel.first.layer == -1)
        ShowMessage("", NoSelectionMessage);
      else
        UseBomb();
      break;
    case ShortcutCredit: OpenCreditWindow(); break;
    case ShortcutMoreHints: RaiseHintCount(); break;
    case ShortcutMoreBombs: RaiseBombCount(); break;
    case ShortcutMoreShuffles: RaiseShuffleCount(); break;
    case ShortcutFullScreen:
      SwitchFullScreen(!gSettings.fullScreen);
      if (IsWindowOpen(SettingsWindow)) RefreshSettingsWindow();
      break;
    default: break;
  }
}

void OpenCreditWindow() {
  if (!OpenWindow(CreditWindow, CreditWidth, CreditHeight, "", 0, GameWindow)) return;
  UseGadgetList(CreditWindow);
  ImageGadget(CreditImageGadget, 0, 0, CreditWidth, CreditHeight, ImageCredit);
}

// ---- Pointer ----------------------------------------------------------------------------------

void DrawPointer() {
  int x = WindowMouseX(GameWindow);
  int y = WindowMouseY(GameWindow);
  if (IsWindowActive(GameWindow) && x >= 0 && y >= PointerTopRows) {
    if (HideSystemCursor() < -1) ShowSystemCursor();
    DisplaySprite(SpritePointer, x, y);
  } else {
    if (ShowSystemCursor() > 1) HideSystemCursor();
  }
}
