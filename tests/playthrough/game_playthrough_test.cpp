// The recorded play-through of the game: the intro, the menu, progress mode with removals,
// streaks, rewards and every item, pause, level changes, free mode with its selection pages,
// the settings window, maps opened through the dialog and the result page, all compared with
// game.golden. The same play-through in English shows no Chinese anywhere.
#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "game/app/app_state.h"
#include "game/app/main_loop.h"
#include "game/presentation/frame_cache.h"
#include "game/rules/rules_state.h"
#include "game/rules/tiles.h"
#include "mapdata/geometry.h"
#include "platform/dialog.h"
#include "platform/gadget.h"
#include "game/presentation/resources.h"
#include "platform/media.h"
#include "platform/picture.h"
#include "platform/profile.h"
#include "platform/random.h"
#include "platform/window.h"
#include "tests/playthrough/playthrough_support.h"
#include "tests/support/cjk_text.h"

namespace {

constexpr uint32_t Seed = 20261209;

// Gadgets of the settings window.
constexpr int DefaultPicturesBox = 12;
constexpr int OwnPicturesBox = 13;
constexpr int ColourBackgroundBox = 14;
constexpr int MusicSwitchBox = 22;
constexpr int DefaultMusicBox = 23;
constexpr int OwnMusicBox = 24;
constexpr int EffectsSwitchBox = 25;
constexpr int VolumeSlider = 27;

// Points of the pages' buttons.
struct Point {
  int x, y;
};
constexpr Point ProgressModeButton = {350, 220}, FreeModeButton = {600, 220};
constexpr Point EditorButton = {160, 450}, OpenMapButton = {310, 450};
constexpr Point HelpButton = {610, 450}, WebSiteButton = {760, 450};
constexpr Point SettingsButton = {880, 20};
constexpr Point HintButton = {305, 590}, BombButton = {375, 590}, ShuffleButton = {445, 590};
constexpr Point PauseButton = {515, 590}, HomeButton = {585, 590};
constexpr Point PreviousLevelButton = {70, 590}, NextLevelButton = {180, 590};
constexpr Point SelectMainMenu = {90, 595}, SelectPrevious = {330, 595};
constexpr Point SelectFirst = {480, 595}, SelectNext = {600, 595};
constexpr Point Thumbnail[4] = {{200, 150}, {700, 150}, {200, 400}, {700, 400}};
constexpr Point Elsewhere = {450, 300};

// ---- Driving ----------------------------------------------------------------------------------

using playthrough::Step;

// Run after every delivery of events and every stretch of time, while set.
void (*gAfterDriving)() = nullptr;

void Deliver() {
  playthrough::DeliverEvents(HandleGameEvent);
  if (gAfterDriving) gAfterDriving();
}
void Ticks(int count) {
  playthrough::AdvanceTicks(HandleGameEvent, count);
  if (gAfterDriving) gAfterDriving();
}

void Pointer(EventKind kind, Point p) {
  SimulatePointerEvent(GameWindow, kind, p.x, p.y);
  Deliver();
}

void MoveTo(Point p) { Pointer(EventMouseMove, p); }

void Click(Point p) {
  Pointer(EventMouseMove, p);
  Pointer(EventLeftButtonDown, p);
  Pointer(EventLeftButtonUp, p);
}

void Key(int key, int modifiers) { playthrough::PressKey(HandleGameEvent, GameWindow, key, modifiers); }

void ChangeSetting(int gadget, int state) {
  SimulateGadgetChange(gadget, state);
  Deliver();
}

// ---- The board --------------------------------------------------------------------------------

struct Tile {
  int layer, row, column, face;
  Point click;   // a point that picks this tile
};

// Free tiles of the live board in scan order, each with a point that picks it.
std::vector<Tile> FreeTiles() {
  std::vector<Tile> tiles;
  const int type = gLevel.arrangementType;
  for (int layer = 1; layer <= GameTopLayer; ++layer)
    for (int row = 1; row <= BoardRows; ++row)
      for (int column = 1; column <= BoardColumns; ++column) {
        const int face = gLevel.board.cell[layer][row][column];
        int x = 0, y = 0;
        if (face <= 0 || !IsTileFree(layer, row, column) ||
            !GameTilePosition(type, layer, row, column, x, y))
          continue;
        for (Point offset : {Point{24, 30}, Point{10, 10}, Point{38, 10}, Point{10, 50}}) {
          int l = -1, r = -1, c = -1;
          const Point p{x + offset.x, y + offset.y};
          if (PickBoardCell(gLevel.board, type, p.x, p.y, l, r, c) && l == layer && r == row &&
              c == column) {
            tiles.push_back({layer, row, column, face, p});
            break;
          }
        }
      }
  return tiles;
}

bool FindPair(Tile& a, Tile& b) {
  const std::vector<Tile> tiles = FreeTiles();
  for (size_t i = 0; i < tiles.size(); ++i)
    for (size_t j = i + 1; j < tiles.size(); ++j)
      if (tiles[i].face == tiles[j].face) {
        a = tiles[i];
        b = tiles[j];
        return true;
      }
  return false;
}

bool FindMismatch(Tile& a, Tile& b) {
  const std::vector<Tile> tiles = FreeTiles();
  for (size_t i = 1; i < tiles.size(); ++i)
    if (tiles[i].face != tiles[0].face) {
      a = tiles[0];
      b = tiles[i];
      return true;
    }
  return false;
}

// Takes one pair, waiting the given ticks between the clicks and after them.
bool TakePair(int between, int after) {
  Tile a, b;
  if (!FindPair(a, b)) return false;
  Click(a.click);
  Ticks(between);
  Click(b.click);
  Ticks(after);
  return true;
}

// Selects the first free tile.
bool SelectSomeTile() {
  const std::vector<Tile> tiles = FreeTiles();
  if (tiles.empty()) return false;
  Click(tiles.front().click);
  return true;
}

// ---- Maps -------------------------------------------------------------------------------------

// A level text of type 1 with one layer whose first row holds `tiles` tiles.
std::string RowLevel(int tiles) {
  std::string text = "1$";
  for (int row = 1; row <= BoardRows; ++row) {
    for (int column = 1; column <= BoardColumns; ++column)
      text += (row == 3 && column > 4 && column <= 4 + tiles) ? "1," : "0,";
    text += "|";
  }
  return text + "$";
}

std::string WriteMap(const std::string& directory, const std::string& name,
                     const std::vector<std::string>& levels) {
  const std::string path = directory + "/" + name;
  std::ofstream out(path, std::ios::binary);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a>\r\n<b>Tester</b>\r\n<c></c>\r\n"
      << "<d>Two short rows.</d>\r\n<e>" << levels.size() << "</e>\r\n<f></f>\r\n";
  for (const std::string& level : levels) out << "<o>" << level << "</o>\r\n";
  out << "</a>";
  return path;
}

// ---- The play-through -------------------------------------------------------------------------

// Everything up to start-up, in the scratch directory: a fixed seed, scripted dialogs, recorded
// media, virtual time and the journal.
void PrepareRun(const std::string& app) {
  ASSERT_EQ(chdir(app.c_str()), 0);
  SeedRandom(Seed);
  ScriptDialogs(true);
  RecordMediaCalls(true);
  UseVirtualTime(true);
  StartCallJournal();
  SetFrameCacheEnabled(false);   // every frame's drawing calls, not a kept picture of them
  SetEventHandler(HandleGameEvent);
}

// The play-through from start-up to the result page.
void PlayThrough(const std::string& app) {
  Step("start");
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(OpenGameScreen());
  ActivateWindow(GameWindow);
  MoveTo(Elsewhere);

  Step("intro");
  Ticks(360);
  ASSERT_EQ(gApp.screenState, ScreenMainMenu);

  Step("menu hover");
  MoveTo(ProgressModeButton);
  Ticks(4);
  MoveTo(FreeModeButton);
  Ticks(3);
  MoveTo(EditorButton);
  Ticks(2);
  MoveTo(WebSiteButton);
  Ticks(2);

  Step("help page");
  Click(HelpButton);
  Ticks(3);
  Click(Elsewhere);
  Ticks(2);

  Step("web site and editor");
  Click(WebSiteButton);
  Click(EditorButton);
  Ticks(2);

  Step("progress mode");
  Click(ProgressModeButton);
  Ticks(20);
  ASSERT_EQ(gApp.screenState, ScreenLevelIntro);
  Click(Elsewhere);
  Ticks(5);
  ASSERT_TRUE(gApp.inPlay);

  Step("selections");
  Tile a, b;
  ASSERT_TRUE(FindMismatch(a, b));
  Click(a.click);
  Ticks(3);
  Click(b.click);   // a mismatch: the second tile becomes the selection
  Ticks(3);
  Click(b.click);   // the same tile again: nothing stays selected
  Ticks(3);

  Step("quick removals");
  for (int i = 0; i < 12; ++i) ASSERT_TRUE(TakePair(1, 2));
  Ticks(40);
  Step("slow removal");
  ASSERT_TRUE(TakePair(30, 160));
  Step("clear level 1");
  for (int guard = 0; gPlay.currentLevel == 1 && guard < 60; ++guard)
    ASSERT_TRUE(TakePair(1, guard % 5 == 0 ? 25 : 3));
  ASSERT_EQ(gPlay.currentLevel, 2);
  Ticks(120);

  Step("level 2 introduction");
  ASSERT_EQ(gApp.screenState, ScreenLevelIntro);
  Click(Elsewhere);
  Ticks(3);

  Step("pause");
  Click(PauseButton);
  Ticks(30);
  Click(HintButton);   // only the pause button works while paused
  Click(PauseButton);
  Ticks(3);

  Step("hints");
  Click(HintButton);
  Ticks(12);
  ASSERT_TRUE(TakePair(1, 3));
  for (int guard = 0; gItems.hints > 0 && guard < 30; ++guard) {
    Click(HintButton);
    Ticks(2);
  }
  Click(HintButton);   // none left
  Ticks(3);

  Step("shuffles");
  for (int guard = 0; gItems.shuffles > 0 && guard < 30; ++guard) {
    Click(ShuffleButton);
    Ticks(2);
  }
  Click(ShuffleButton);   // none left
  Ticks(3);

  Step("bombs");
  Click(BombButton);   // nothing selected
  ASSERT_TRUE(SelectSomeTile());
  Click(BombButton);
  Ticks(4);
  ASSERT_TRUE(SelectSomeTile());
  Click(BombButton);   // the last one still explodes
  Ticks(40);
  for (int guard = 0; gItems.bombs > 0 && guard < 30; ++guard) {
    ASSERT_TRUE(SelectSomeTile());
    Click(BombButton);
    Ticks(36);
  }
  ASSERT_TRUE(SelectSomeTile());
  Click(BombButton);   // none left
  Ticks(3);

  Step("shortcuts");
  Key('Z', ModCtrl | ModAlt);                   // one more hint
  Key('Z', ModShift | ModCtrl | ModAlt);        // find a pair
  Ticks(6);
  Key('C', ModCtrl | ModAlt);                   // one more shuffle
  Key('X', ModShift | ModCtrl | ModAlt);        // shuffle
  Ticks(3);
  Key('S', ModShift | ModCtrl | ModAlt);        // next level
  Ticks(5);
  Click(Elsewhere);
  Ticks(3);
  Key('A', ModShift | ModCtrl | ModAlt);        // previous level
  Ticks(5);
  Click(Elsewhere);
  Ticks(3);

  Step("home");
  Click(HomeButton);
  Ticks(3);
  ASSERT_FALSE(gApp.inPlay);

  Step("free mode");
  Click(FreeModeButton);
  Ticks(5);
  ASSERT_EQ(gApp.screenState, ScreenLevelSelect);
  MoveTo(Thumbnail[0]);
  Ticks(4);
  MoveTo(Thumbnail[3]);
  Ticks(3);
  Click(SelectNext);
  Ticks(2);
  Click(SelectNext);
  Ticks(2);
  Click(SelectPrevious);
  Ticks(2);
  Click(SelectFirst);
  Ticks(2);
  Click(SelectPrevious);   // already on the first page
  Ticks(2);
  Click(SelectMainMenu);
  Ticks(2);
  Click(FreeModeButton);
  Ticks(3);
  Click(Thumbnail[1]);
  Ticks(5);
  ASSERT_TRUE(gApp.inPlay);
  ASSERT_TRUE(TakePair(1, 4));
  MoveTo(PreviousLevelButton);
  Ticks(2);
  Click(PreviousLevelButton);
  Ticks(4);
  Click(PreviousLevelButton);   // already the first level
  Ticks(2);
  Click(NextLevelButton);
  Ticks(4);
  Click(HomeButton);
  Ticks(3);

  Step("settings");
  Click(SettingsButton);
  Ticks(2);
  ASSERT_TRUE(IsWindowOpen(SettingsWindow));
  ChangeSetting(EffectsSwitchBox, 0);
  ChangeSetting(EffectsSwitchBox, 1);
  ChangeSetting(MusicSwitchBox, 0);
  Ticks(120);
  ChangeSetting(MusicSwitchBox, 1);
  Ticks(3);
  ChangeSetting(DefaultMusicBox, 1);
  ChangeSetting(VolumeSlider, 420);
  QueueDialogAnswer("3381759");
  ChangeSetting(ColourBackgroundBox, 1);
  Ticks(2);
  QueueDialogAnswer("");
  ChangeSetting(ColourBackgroundBox, 1);   // cancelled: nothing changes
  ChangeSetting(DefaultPicturesBox, 1);
  Ticks(2);
  FinishRecordedMedia(MediaMusicAlias);   // the track ends: the next check starts another
  Ticks(110);
  PostEvent({EventCloseWindow, SettingsWindow, 0});
  Deliver();
  Ticks(3);

  Step("a map without levels");
  QueueDialogAnswer(WriteMap(app, "Empty.xml", {}));
  Click(OpenMapButton);
  Ticks(3);
  ASSERT_EQ(gApp.screenState, ScreenMainMenu);
  QueueDialogAnswer("");
  Click(OpenMapButton);   // cancelled
  Ticks(2);

  Step("a map of two levels");
  QueueDialogAnswer(WriteMap(app, "Rows.xml", {RowLevel(4), RowLevel(2)}));
  Click(OpenMapButton);
  Ticks(10);
  ASSERT_EQ(gApp.screenState, ScreenLevelIntro);
  Click(Elsewhere);
  Ticks(3);
  ASSERT_TRUE(TakePair(1, 3));
  ASSERT_TRUE(TakePair(1, 3));
  Ticks(10);
  ASSERT_EQ(gApp.screenState, ScreenLevelIntro);
  Click(Elsewhere);
  Ticks(3);
  ASSERT_TRUE(TakePair(2, 2));

  Step("result page");
  ASSERT_EQ(gApp.screenState, ScreenResult);
  Ticks(80);
  MoveTo(Thumbnail[0]);
  Click(Elsewhere);   // the page takes no clicks
  Ticks(20);
}

TEST(GamePlaythrough, MatchesTheGoldenRecord) {
  if (!playthrough::TakeFreshProcess()) GTEST_SKIP() << "needs a process of its own";
  const std::string app = playthrough::MakeScratchAppDirectory("pelmora-playthrough");
  ASSERT_NO_FATAL_FAILURE(PrepareRun(app));
  ASSERT_NO_FATAL_FAILURE(PlayThrough(app));
  StopCallJournal();
  UseVirtualTime(false);
  playthrough::ExpectJournalMatchesGolden("game.golden", app);
  ASSERT_EQ(chdir(PELMORA_APP_DIR), 0);
  playthrough::fs::remove_all(app);
}

// ---- In English -------------------------------------------------------------------------------

// With English chosen in Config.ini, the same play-through and what it leaves out of the
// settings window, the credit window and the resource check: no text drawn, in a window title,
// a control or a dialog is Chinese (the maps it plays hold no Chinese of their own).
TEST(GamePlaythrough, InEnglishShowsNoChinese) {
  if (!playthrough::TakeFreshProcess()) GTEST_SKIP() << "needs a process of its own";
  const std::string app = playthrough::MakeScratchAppDirectory("pelmora-playthrough-en");
  ASSERT_TRUE(WriteIni("Window", "Language", "en", app + "/Config.ini"));
  ASSERT_NO_FATAL_FAILURE(PrepareRun(app));
  StartDrawLog();
  gAfterDriving = playthrough::CollectChineseDrawn;
  ASSERT_NO_FATAL_FAILURE(PlayThrough(app));
  EXPECT_EQ(WindowTitle(GameWindow), "Vorle Mahjong Connect");

  Step("settings left out");
  Click(SettingsButton);
  Ticks(2);
  ASSERT_TRUE(IsWindowOpen(SettingsWindow));
  EXPECT_EQ(WindowTitle(SettingsWindow), "Game Settings");
  QueueDialogAnswer("");
  ChangeSetting(OwnPicturesBox, 1);
  QueueDialogAnswer("");
  ChangeSetting(OwnMusicBox, 1);
  PostEvent({EventCloseWindow, SettingsWindow, 0});
  Deliver();
  Step("credit");
  Key('Q', ModShift | ModCtrl | ModAlt);
  Ticks(2);
  EXPECT_TRUE(IsWindowOpen(CreditWindow));
  PostEvent({EventCloseWindow, CreditWindow, 0});
  Deliver();
  Step("resource check");
  const GameFiles files = gFiles;
  gFiles.appDirectory = app + "/Maps/";
  EXPECT_FALSE(CheckResources());
  gFiles = files;

  gAfterDriving = nullptr;
  playthrough::CollectChineseDrawn();
  StopDrawLog();
  StopCallJournal();
  UseVirtualTime(false);
  for (const std::string& line : CallJournal())
    EXPECT_FALSE(HasCjk(line)) << playthrough::Neutral(line, app);
  EXPECT_EQ(playthrough::gChineseDrawn, std::vector<std::string>{}) << "Chinese texts drawn";
  const std::vector<ShownDialog>& dialogs = ShownDialogs();
  EXPECT_GT(dialogs.size(), 10u);
  EXPECT_EQ(dialogs.back().text, "The game's files are incomplete. Please download the game again.");
  ASSERT_EQ(chdir(PELMORA_APP_DIR), 0);
  playthrough::fs::remove_all(app);
}

}  // namespace
