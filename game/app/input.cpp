// Input of the game window: which button lies under the pointer, what a left click does on
// each page and in play, the keyboard shortcuts and the credit window.
//
// Sections: hit test | main menu | level selection | click handler | shortcuts
#include "game/app/input.h"

#include "game/app/app_state.h"
#include "game/app/guide.h"
#include "game/app/main_loop.h"
#include "game/app/map_loading.h"
#include "game/presentation/layout.h"
#include "game/presentation/resources.h"
#include "game/presentation/settings.h"
#include "game/presentation/sound.h"
#include "game/presentation/view_state.h"
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
#include "platform/translation.h"
#include "platform/window.h"

namespace {

constexpr const char* NoSelectionMessage = "请先选择需要炸掉的麻将";

constexpr int CreditWidth = 290, CreditHeight = 145;
constexpr int CreditImageGadget = 1000;

// ---- Hit test ---------------------------------------------------------------------------------

// The first button of the table whose box holds the point, 0 for none.
template <size_t N>
int HitButtons(const ButtonPlace (&buttons)[N], int x, int y) {
  for (const ButtonPlace& place : buttons)
    if (Inside(place.hit, x, y)) return place.button;
  return 0;
}

int HitPlayBar(int x, int y) {
  if (int button = HitButtons(BarButtons, x, y)) return button;
  return gPlay.freeMode ? HitButtons(LevelButtons, x, y) : 0;
}

int HitLevelSelect(int x, int y) {
  if (int button = HitButtons(ThumbnailButtons, x, y)) return button;
  return HitButtons(PageButtons, x, y);
}

// ---- Main menu --------------------------------------------------------------------------------

void LoadDefaultMap() {
  LoadMapFile(ResolvePath(gFiles.appDirectory + DefaultMapName));
}

void StartProgressMode() {
  gPlay.freeMode = false;
  if (!gApp.mapLoaded || !gApp.progressMap) {
    gApp.progressMap = true;
    LoadDefaultMap();
    gApp.mapLoaded = true;
  }
  StartLevel(1);
  RestartFrameTimer();
}

void StartFreeMode() {
  gPlay.freeMode = true;
  if (!gApp.mapLoaded || gApp.progressMap) {
    gApp.progressMap = false;
    LoadDefaultMap();
    gApp.mapLoaded = true;
  }
  RestartFrameTimer();
  gView.pageOffset = 0;
  gApp.screenState = ScreenLevelSelect;
}

// A new game on a map file chosen by the player, in progress mode.
void OpenMapFromDialog() {
  ShowSystemCursor();
  std::string path = ChooseOpenFile(TranslateText(OpenMapTitle), gFiles.appDirectory,
                                    TranslateText(MapFileFilter));
  if (path.empty()) return;
  gMap.levelCount = 0;
  SetCurrentLevel(1);
  ResetGameFigures();
  gPlay.freeMode = false;
  LoadMapFile(path);
  gApp.mapLoaded = true;
  StartLevel(1);
  RestartFrameTimer();
}

void PressMenuButton(int button) {
  switch (button) {
    case MenuProgressMode: StartProgressMode(); break;
    case MenuFreeMode: StartFreeMode(); break;
    case MenuEditor: RunProgram(ResolvePath(gFiles.appDirectory + EditorProgramName)); break;
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
  int& p = gView.pageOffset;
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
    button = HitButtons(MenuButtons, x, y);
  else if (gApp.screenState == ScreenLevelSelect)
    button = HitLevelSelect(x, y);
  gView.hoveredButton = button;
  return button;
}

void HandleClick(int x, int y) {
  AppState& a = gApp;
  a.pickedLayer = a.pickedRow = a.pickedColumn = -1;
  SwitchHintSparkleOff();
  PickBoardCell(gLevel.board, gLevel.arrangementType, x, y, a.pickedLayer, a.pickedRow,
                a.pickedColumn);
  if (Inside(SettingsButton.hit, x, y)) OpenSettingsWindow();

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
        ShowMessage(NoTitle, TranslateText(NoSelectionMessage));
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
  if (!OpenWindow(CreditWindow, CreditWidth, CreditHeight, NoTitle, 0, GameWindow)) return;
  UseGadgetList(CreditWindow);
  ImageGadget(CreditImageGadget, 0, 0, CreditWidth, CreditHeight, ImageCredit);
}
