// Drawing of the board, the panel, the menu and the pages, checked through the draw log and
// pixel probes of the screen.
#include "game/presentation/background.h"
#include "game/presentation/pages.h"
#include "game/presentation/play_view.h"
#include "game/presentation/resources.h"
#include "game/presentation/result_view.h"
#include "game/presentation/sprites.h"
#include "game/rules/result_screen.h"
#include "game/rules/scoring.h"
#include "platform/colour.h"
#include "platform/translation.h"
#include "platform/shown_area.h"
#include "tests/game/app_support.h"

#include <cstdlib>
#include <cstring>

namespace {

class BoardViewTest : public AppTest {
 protected:
  // The face draw of the board at the given face sprite, as (x, y).
  static std::pair<int, int> FacePosition(int sprite) {
    for (const DrawRecord& r : DrawLog())
      if (r.kind == DrawnSprite && r.number == sprite) return {r.x, r.y};
    return {-1000, -1000};
  }
};

TEST_F(BoardViewTest, LayersShiftByTypeAndShadowsPrecedeTheirTiles) {
  PlayEmptyLevel(1);
  gLevel.board.cell[1][5][5] = 1;
  gLevel.board.cell[10][5][5] = 2;
  StartDrawLog();
  DrawBoard();
  auto low = FacePosition(SpriteFace0 + 1);
  auto high = FacePosition(SpriteFace0 + 2);
  EXPECT_EQ(low.first - high.first, 54) << "type 1: layer 10 is 54 px left of layer 1";
  EXPECT_EQ(low.second - high.second, 54);
  std::vector<DrawRecord> s = DrawnSprites();
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(s[0].number, SpriteShadow);
  EXPECT_EQ(std::make_pair(s[0].x, s[0].y), std::make_pair(low.first - 3, low.second - 3));
  PlayEmptyLevel(2);
  gLevel.board.cell[2][4][6] = 1;
  gLevel.board.cell[3][4][6] = 2;
  StartDrawLog();
  DrawBoard();
  EXPECT_EQ(FacePosition(SpriteFace0 + 2).first - FacePosition(SpriteFace0 + 1).first, 21)
      << "type 2: layer 3 is 21 px right of layer 2";
}

// Every tile of a crowded board of each type gets its shadow, 3 pixels up and left, right before
// its own face.
TEST_F(BoardViewTest, EachShadowComesRightBeforeItsOwnTile) {
  for (int type = 1; type <= 4; ++type) {
    PlayEmptyLevel(type);
    int tiles = 0;
    for (int layer = 2; layer <= 6; ++layer)
      for (int row = layer - 1; row <= 9; row += 2)
        for (int column = layer; column <= 20; column += 3, ++tiles)
          gLevel.board.cell[layer][row][column] = 1 + (layer * 7 + row + column) % 42;
    StartDrawLog();
    DrawBoard();
    std::vector<DrawRecord> s = DrawnSprites();
    ASSERT_EQ(s.size(), 2u * tiles) << type;
    for (size_t i = 0; i < s.size(); i += 2) {
      EXPECT_EQ(s[i].number, SpriteShadow) << type << " " << i;
      EXPECT_GT(s[i + 1].number, SpriteFace0) << type << " " << i;
      EXPECT_EQ(std::make_pair(s[i].x + 3, s[i].y + 3), std::make_pair(s[i + 1].x, s[i + 1].y));
    }
  }
}

TEST_F(BoardViewTest, SelectedTilesUseTheHighlightedFace) {
  PlayEmptyLevel(1);
  for (int column : {1, 5, 9}) gLevel.board.cell[2][1][column] = 9;
  gLevel.first = {2, 1, 1, 9, 0, 0};
  gLevel.second = {2, 1, 5, 9, 0, 0};
  StartDrawLog();
  DrawBoard();
  EXPECT_EQ(CountSprite(SpriteFaceHighlighted0 + 9), 2);
  EXPECT_EQ(CountSprite(SpriteFace0 + 9), 1);
}

TEST_F(BoardViewTest, PausedBoardDrawsNoTileButThePanel) {
  PlayEmptyLevel(1);
  gLevel.board.cell[2][4][6] = 1;
  gPlay.paused = true;
  StartDrawLog();
  FrameTick();
  EXPECT_EQ(CountSprite(SpriteShadow) + CountSprite(SpriteFace0 + 1), 0);
  EXPECT_EQ(CountSprite(SpriteCaptionTileCount) + CountSprite(SpritePauseButtonPaused), 2);
  EXPECT_EQ(CountSprite(SpritePanelButton1 + 3), 0);
}

TEST_F(BoardViewTest, TileReachesTheScreenWhereItIsDrawn) {
  PlayEmptyLevel(1);
  gLevel.board.cell[2][5][10] = 12;
  gSettings.backgroundColour = Rgb(10, 20, 30);
  ChooseBackground();
  FrameTick();   // draws the board into the back buffer
  // Layer 2 of type 1: (420 - 12 + 30, 270 - 12 + 10) = (438, 268); the face's middle differs
  // from the plain background colour around it.
  int inside = ScreenPixel(438 + 24, 268 + 30);
  int outside = ScreenPixel(438 + 24, 268 - 40);
  EXPECT_NE(inside, outside);
  EXPECT_EQ(outside, gSettings.backgroundColour);
}

class FrameCacheTest : public AppTest {
 protected:
  // The frame drawn with and without the kept picture must be the same, pixel for pixel.
  static void ExpectSameFrameWithCache() {
    SetFrameCacheEnabled(false);
    FrameTick();
    ASSERT_TRUE(GrabScreenSprite(900));
    SetFrameCacheEnabled(true);
    FrameTick();   // draws the part and keeps it
    FrameTick();   // draws the kept picture
    ASSERT_TRUE(GrabScreenSprite(901));
    int differing = 0;
    for (int y = 0; y < ScreenHeightPx; ++y)
      for (int x = 0; x < ScreenWidthPx; ++x) differing += SpritePixel(900, x, y) != SpritePixel(901, x, y);
    EXPECT_EQ(differing, 0);
    SetFrameCacheEnabled(false);
  }
};

TEST_F(FrameCacheTest, KeptBoardGivesTheSameFrame) {
  PlayEmptyLevel(2);
  for (int layer = 2; layer <= 5; ++layer)
    for (int row = 1; row <= 6; ++row)
      for (int column = 2; column <= 18; ++column) gLevel.board.cell[layer][row][column] = 1 + (row + column + layer) % 42;
  gLevel.first = {5, 2, 3, gLevel.board.cell[5][2][3], 0, 0};
  ExpectSameFrameWithCache();
}

TEST_F(FrameCacheTest, KeptThumbnailsGiveTheSameFrame) {
  gApp.screenState = ScreenLevelSelect;
  gView.pageOffset = 0;
  gMap.levelCount = 2;
  for (int level = 1; level <= 2; ++level) {
    gMap.arrangementType[level] = level + 2;
    for (int layer = 2; layer <= 4; ++layer)
      for (int row = 1; row <= 9; ++row)
        for (int column = 1; column <= 20; ++column) gMap.store->level[level].cell[layer][row][column] = 1;
  }
  ExpectSameFrameWithCache();
}

TEST_F(FrameCacheTest, ChangedBoardIsDrawnAnew) {
  PlayEmptyLevel(1);
  gLevel.board.cell[2][3][3] = 7;
  SetFrameCacheEnabled(true);
  FrameTick();
  gLevel.board.cell[2][3][3] = 0;
  StartDrawLog();
  FrameTick();
  EXPECT_EQ(CountSprite(SpriteFrameCache), 0);
  EXPECT_EQ(CountSprite(SpriteBackground), 1);
  StartDrawLog();
  FrameTick();
  EXPECT_EQ(CountSprite(SpriteFrameCache), 1);
  EXPECT_EQ(CountSprite(SpriteBackground), 0);
}

// Each part of the key a kept frame depends on makes the next frame draw it anew, and while
// nothing changes the kept picture is what is drawn.
TEST_F(FrameCacheTest, EveryPartOfTheKeyRedrawsAndAnUnchangedFrameIsKept) {
  struct Change {
    const char* name;
    bool selectPage;
    void (*apply)();
  };
  const Change changes[] = {
      {"a tile", false, [] { gLevel.board.cell[2][3][3] = 0; }},
      {"the type", false, [] { gLevel.arrangementType = 2; }},
      {"the first selection", false, [] { gLevel.first = {2, 3, 3, 7, 0, 0}; }},
      {"the second selection", false, [] { gLevel.second = {2, 3, 3, 7, 0, 0}; }},
      {"a new background", false, [] { ChooseBackground(); }},
      // Both pages hold empty levels: only the offset tells them apart.
      {"the page offset", true, [] { gView.pageOffset = 4; }},
      {"a thumbnail tile", true, [] { gMap.store->level[1].cell[2][1][1] = 5; }},
      {"a thumbnail type", true, [] { gMap.arrangementType[1] = 3; }},
      {"a new background behind the thumbnails", true, [] { ChooseBackground(); }},
  };
  for (const Change& c : changes) {
    SCOPED_TRACE(c.name);
    if (c.selectPage) {
      gApp.inPlay = false;
      gApp.screenState = ScreenLevelSelect;
      gView.pageOffset = 0;
      gMap.levelCount = 8;
      ClearGrid(*gMap.store);
      for (int level = 1; level <= 8; ++level) gMap.arrangementType[level] = 0;
    } else {
      PlayEmptyLevel(1);
      gLevel.board.cell[2][3][3] = 7;
    }
    SetFrameCacheEnabled(true);
    FrameTick();
    StartDrawLog();
    FrameTick();
    EXPECT_EQ(CountSprite(SpriteFrameCache), 1) << "nothing changed: the kept picture is drawn";
    EXPECT_EQ(CountSprite(SpriteBackground), 0);
    c.apply();
    StartDrawLog();
    FrameTick();
    EXPECT_EQ(CountSprite(SpriteFrameCache), 0);
    EXPECT_EQ(CountSprite(SpriteBackground), 1);
    SetFrameCacheEnabled(false);
  }
}

class PanelTest : public AppTest {};

TEST_F(PanelTest, ProgressModeShowsLevelClockAndCounts) {
  PlayEmptyLevel(1);
  gPlay.levelText = "12";
  gScore.scoreText = "345";
  gScore.minutesText = "07";
  gScore.secondsText = "59";
  gLevel.totalText = "144";
  gLevel.remainingText = "98";
  gItems.hints = 12;
  StartDrawLog();
  DrawPanel();
  const int expected[][3] = {
      {SpriteCaptionLevelBefore, 10, 565}, {SpriteLargeDigit0 + 1, 138, 566},
      {SpriteLargeDigit0 + 2, 158, 566},   {SpriteCaptionLevelAfter, 180, 565},
      {SpriteSmallDigit0 + 5, 130, 593},   {SpriteLargeDigit0 + 0, 780, 595},
      {SpriteLargeDigit0 + 7, 800, 595},   {SpriteClockColon, 820, 597},
      {SpriteLargeDigit0 + 9, 850, 595},   {SpriteLargeDigit0 + 4, 745, 566},
      {SpriteLargeDigit0 + 8, 867, 566},   {SpriteItemDigit0 + 1, 295, 571},
      {SpriteItemDigit0 + 2, 311, 575}};
  for (const auto& e : expected) {
    bool drawn = false;
    for (const DrawRecord& r : DrawnSprites())
      drawn |= r.number == e[0] && r.x == e[1] && r.y == e[2];
    EXPECT_TRUE(drawn) << e[0] << " at " << e[1] << "," << e[2];
  }
  EXPECT_EQ(CountSprite(SpritePreviousLevel), 0);
}

class PageTest : public AppTest {};

// The hovered item is drawn a second time: the first three opaque, the others as a second
// dimmed layer; the sparkles belong to the two modes only.
TEST_F(PageTest, TheHoveredMenuItemIsDrawnTwice) {
  for (int hovered = 1; hovered <= 7; ++hovered) {
    gView.hoveredButton = hovered;
    StartDrawLog();
    DrawMenuPage();
    std::vector<DrawRecord> s = DrawnSprites();
    ASSERT_GE(s.size(), 8u) << hovered;
    for (int item = 1; item <= 7; ++item)
      EXPECT_EQ(CountSprite(SpriteMenuButton1 + item - 1), item == hovered ? 2 : 1) << hovered;
    EXPECT_EQ(s[7].number, SpriteMenuButton1 + hovered - 1);
    EXPECT_EQ(s[7].x, s[hovered - 1].x);
    EXPECT_EQ(s[7].y, s[hovered - 1].y);
    EXPECT_EQ(s[7].opacity, hovered <= 3 ? 255 : 200) << hovered;
    EXPECT_EQ(CountSprite(SpriteStar2), hovered <= 2 ? 101 : 0) << hovered;
  }
}

// One tile of layer index 3, row 2, column 5 in each thumbnail, the four levels of the page of
// the four types; sprite 300 + layer index at the place of the type's row of the table.
TEST_F(PageTest, ThumbnailsPlaceTilesByTheirLevelsType) {
  gView.pageOffset = 4;
  gMap.levelCount = 8;
  for (int n = 1; n <= 4; ++n) {
    gMap.arrangementType[4 + n] = n;
    gMap.store->level[4 + n].cell[3][2][5] = 1;
  }
  StartDrawLog();
  DrawLevelThumbnails();
  const int k = 3, r = 2, c = 5;
  const std::pair<int, int> places[] = {
      {0 + 30 + 18 * c - 2 * k, 0 + 35 + 23 * r - 3 * k},        // type 1, top left
      {470 + 30 + 18 * c + 9 * k, 0 + 35 + 23 * r - 3 * k},      // type 2, top right
      {0 + 30 + 18 * c - 2 * k, 270 + 23 * r + 11 * k},          // type 3, bottom left
      {470 + 30 + 18 * c + 10 * k, 270 + 23 * r + 11 * k},       // type 4, bottom right
  };
  std::vector<DrawRecord> s = DrawnSprites();
  ASSERT_EQ(s.size(), 4u);
  for (int n = 0; n < 4; ++n) {
    EXPECT_EQ(s[n].number, 300 + k);
    EXPECT_EQ(std::make_pair(s[n].x, s[n].y), places[n]) << "type " << n + 1;
  }
}

TEST_F(PageTest, IntroTitleIsCentredOnX450) {
  gPlay.currentLevel = 12;
  gMap.levelCount = 30;
  StartDrawLog();
  DrawLevelIntroPage();
  std::vector<DrawRecord> t = DrawnTexts();
  ASSERT_GE(t.size(), 10u);
  EXPECT_EQ(t[0].text, "第12关");
  int width = TextWidth(FontHugeHei, "第12关");
  int x0 = t[0].x;
  EXPECT_LE(std::abs(x0 + width / 2 - 450), 1);
  EXPECT_EQ(t[6].x, x0 - 7);
  EXPECT_EQ(t[6].colour, Rgb(255, 255, 255));
  EXPECT_EQ(t[7].colour, Rgb(255, 200, 0));
  EXPECT_EQ(t[8].text, "共30关");
}

TEST_F(PageTest, LoadingPageCountsUpInQuarters) {
  gMap.declaredLevelCount = 4;
  const int bars[] = {0, 170, 340, 510};
  const char* percents[] = {"0%", "25%", "50%", "75%"};
  for (int read = 0; read < 4; ++read) {
    gMap.levelCount = read;
    StartDrawLog();
    DrawLoadingPage();
    std::vector<DrawRecord> t = DrawnTexts();
    ASSERT_GE(t.size(), 3u);
    EXPECT_EQ(t.back().text, percents[read]);
    int width = -1;
    for (const DrawRecord& r : DrawnSprites())
      if (r.number == SpriteLoadingBar) width = r.width;
    if (read == 0)
      EXPECT_LE(width, 0);
    else
      EXPECT_EQ(width, bars[read]);
  }
  gMap.declaredLevelCount = 0;   // nothing declared: nothing done
  StartDrawLog();
  DrawLoadingPage();
  EXPECT_EQ(DrawnTexts().back().text, "0%");
  // More levels than declared: the bar and its sparkles go past the frame up to the window's
  // right edge (x 930) and stop there.
  struct Excess { int declared, read, bar; };
  for (const Excess e : {Excess{8, 9, 765}, Excess{1, 300, 930 - 135}}) {
    gMap.declaredLevelCount = e.declared;
    gMap.levelCount = e.read;
    StartDrawLog();
    DrawLoadingPage();
    int barWidth = -1, rightmostStar = 0;
    for (const DrawRecord& r : DrawnSprites()) {
      if (r.number == SpriteLoadingBar) barWidth = r.width;
      if (r.number == SpriteStar) rightmostStar = std::max(rightmostStar, r.x);
    }
    EXPECT_EQ(barWidth, e.bar) << e.read << "/" << e.declared;
    EXPECT_GT(rightmostStar, 680 + 105 + 10) << e.read << "/" << e.declared;
    EXPECT_LE(rightmostStar, e.bar + 105 + 10) << e.read << "/" << e.declared;
  }
}

// Every text the pages draw lies inside its place in every language: a page button's caption
// within the button, a help line on the help panel, titles and figures on the screen, the
// level numbers at their longest.
TEST_F(PageTest, DrawnTextsFitTheirPlacesInEveryLanguage) {
  struct Page {
    const char* name;
    void (*draw)();
    int left, right;   // where the texts must lie
  };
  const Page pages[] = {
      {"help", DrawHelpPage, 30, 30 + 880},
      {"introduction", [] {
         gPlay.currentLevel = MaxLevels;
         gMap.levelCount = MaxLevels;
         DrawLevelIntroPage();
       }, 0, ScreenWidthPx},
      {"loading", [] {
         gMap.declaredLevelCount = 3;
         gMap.levelCount = 2;
         DrawLoadingPage();
       }, 0, ScreenWidthPx},
      {"result", [] {
         gItems.hints = 40;
         gItems.shuffles = 20;
         gItems.bombs = 20;
         SetScore(999999);
         for (int frame = 0; frame < 400; ++frame) StepResultScreen();
         DrawResultScreen();
       }, 0, ScreenWidthPx},
  };
  for (const char* language : {"zh", "en"}) {
    ASSERT_TRUE(UseLanguage(language, std::string(PELMORA_APP_DIR) + "/" + CatalogueFolder));
    for (const Page& page : pages) {
      StartDrawLog();
      page.draw();
      for (const DrawRecord& r : DrawnTexts()) {
        EXPECT_GE(r.x, page.left) << language << " " << page.name << ": " << r.text;
        EXPECT_LE(r.x + TextWidth(r.number, r.text), page.right)
            << language << " " << page.name << ": " << r.text;
      }
    }
    gView.pageOffset = MaxLevels - LevelsPerPage;
    StartDrawLog();
    DrawLevelSelectControls();
    int captions = 0;
    for (const DrawRecord& r : DrawnTexts())
      for (const ButtonPlace& place : PageButtons)
        if (r.y >= place.hit.top && std::abs(r.x - place.x) <= 1) {
          ++captions;
          EXPECT_LE(r.x + TextWidth(r.number, r.text), place.hit.right + 1)
              << language << ": " << r.text;
        }
    EXPECT_EQ(captions, 8) << language;
  }
  UseLanguage(OriginalLanguage, std::string(PELMORA_APP_DIR) + "/" + CatalogueFolder);
}

TEST_F(PageTest, HelpPageHasItsTwelveLines) {
  StartDrawLog();
  DrawHelpPage();
  std::vector<DrawRecord> t = DrawnTexts();
  ASSERT_EQ(t.size(), 12u);
  EXPECT_EQ(t[3].text, "          目标是把麻将全部消除掉后过关,继续探索下一关的奥秘。");
  EXPECT_EQ(t[3].y, 180);
  EXPECT_EQ(t[11].text, "奖励炸弹：根据所得分数每增加16000分奖励一个炸弹道具。");
  EXPECT_EQ(CountSprite(SpriteHelpPanel), 1);
}

}  // namespace

// ---- What reaches the window --------------------------------------------------------------------

namespace {

class PresentedFrameTest : public AppTest {
 protected:
  struct Scene {
    const char* name;
    void (*setUp)();   // the state the scene starts from
    bool intro;        // ticked by the intro tick, else by the frame tick
    int ticks;
  };

  // The scene's frames as the window receives them, into sprites 910 on; both runs start from
  // the same state.
  static void RunScene(const Scene& scene, bool whole) {
    gApp.screenState = ScreenMainMenu;
    gApp.inPlay = false;
    gView.hoveredButton = 0;
    gView.pauseA = 500, gView.pauseB = 0, gView.pausePhase = 0;
    gPlay = PlayState{};
    gLevel = LevelState{};
    gItems = ItemState{};
    gScore = ScoreState{};
    gEffects = EffectState{};
    scene.setUp();
    SeedRandom(11);
    ActivateWindow(GameWindow);
    MovePointer(GameWindow, 447, 333);
    SetFullPresentation(whole);
    // The first tick shows the frame drawn before the scene began.
    scene.intro ? IntroTick() : FrameTick();
    KeepPaintedScreen(true);
    for (int i = 0; i < scene.ticks; ++i) {
      scene.intro ? IntroTick() : FrameTick();
      PollEvent();   // the window's repaint of what the flip presented
      ASSERT_TRUE(GrabPaintedScreen(910 + (whole ? scene.ticks : 0) + i));
    }
    KeepPaintedScreen(false);
    SetFullPresentation(false);
  }

  static int DifferingPixels(int a, int b) {
    if (SpriteWidth(a) != SpriteWidth(b) || SpriteHeight(a) != SpriteHeight(b)) return -1;
    int differing = 0;
    for (int y = 0; y < SpriteHeight(a); ++y)
      for (int x = 0; x < SpriteWidth(a); ++x) differing += SpritePixel(a, x, y) != SpritePixel(b, x, y);
    return differing;
  }

  // How the game window is shown.
  struct Showing {
    const char* name;
    int percent;
    bool fullScreen;
  };
  static void ShowGameWindow(const Showing& showing) {
    SetWindowFullScreen(GameWindow, false);
    ASSERT_TRUE(SetWindowScale(GameWindow, showing.percent));
    SetWindowFullScreen(GameWindow, showing.fullScreen);
    PollEvent();
  }
  // The size of the screen as the window shows it.
  static std::pair<int, int> ShownScreenSize(const Showing& showing) {
    const ShownArea a =
        showing.fullScreen
            ? FitClientArea(ScreenWidthPx, ScreenHeightPx, ShownWindowWidth(GameWindow),
                            ShownWindowHeight(GameWindow))
            : ScaleClientArea(ScreenWidthPx, ScreenHeightPx, showing.percent);
    return {a.width, a.height};
  }

  // Under X11 the window is presented straight to the X server, elsewhere through Qt.
  static bool OnX11() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return platform != nullptr && std::strncmp(platform, "xcb", 3) == 0;
  }
  // The tests' desktop of 1920 x 1080 does not hold 200 %; the runs on a bigger desktop
  // (tests/CMakeLists.txt) say so and show every scale.
  static bool DesktopHoldsEveryScale() { return std::getenv("PELMORA_BIG_DESKTOP") != nullptr; }

  static void FillLevel() {
    PlayEmptyLevel(2);
    for (int layer = 2; layer <= 4; ++layer)
      for (int row = 2; row <= 8; ++row)
        for (int column = 3; column <= 17; ++column)
          gLevel.board.cell[layer][row][column] = 1 + (row * 3 + column + layer) % 42;
  }
};

}  // namespace

// Presenting only what changed gives the window, frame after frame, the very pixels that
// painting and presenting every frame whole gives.
TEST_F(PresentedFrameTest, TheWindowReceivesWhatWholeFramesGive) {
  LoadSprites();   // the intro's cards are given back when an intro ends
  const Scene scenes[] = {
      {"intro, first card", [] { gApp.screenState = ScreenIntro; gApp.introCounter = 264; }, true, 6},
      {"intro, cards crossing", [] { gApp.screenState = ScreenIntro; gApp.introCounter = 4; }, true, 6},
      {"intro, second card", [] { gApp.screenState = ScreenIntro; gApp.introCounter = -250; }, true, 6},
      {"main menu", [] {}, false, 4},
      {"main menu, an item hovered", [] { gView.hoveredButton = 3; }, false, 4},
      {"level selection, a level hovered",
       [] {
         gApp.screenState = ScreenLevelSelect;
         gMap.levelCount = 3;
         for (int level = 1; level <= 3; ++level) {
           gMap.arrangementType[level] = level;
           gMap.store->level[level].cell[2][3][level + 2] = 1;
         }
         gView.hoveredButton = 2;
       },
       false, 4},
      {"a level with a selection",
       [] {
         FillLevel();
         gLevel.first = {4, 2, 3, gLevel.board.cell[4][2][3], 0, 0};
       },
       false, 3},
      {"the hint sparkle",
       [] {
         FillLevel();
         gItems.hintShown = true;
         gItems.hintX[0] = 200, gItems.hintY[0] = 150, gItems.hintX[1] = 500, gItems.hintY[1] = 300;
       },
       false, 4},
      {"a removal in flight",
       [] {
         FillLevel();
         gEffects.flyingRunning = true;
         gEffects.particlesRunning = true;
         gEffects.flying[0] = {7, 300, 200};
         gEffects.flying[1] = {7, 420, 260};
         gEffects.popupOpacity = 255;
       },
       false, 6},
      {"the reward banner",
       [] {
         FillLevel();
         gScore.bannerShown = true;
         gScore.bannerStreak = gScore.bannerBomb = true;
         gScore.bannerX = 700;
       },
       false, 5},
      {"paused", [] { FillLevel(); gPlay.paused = true; }, false, 5},
      {"the result page", [] { gApp.screenState = ScreenResult; gResult.countUp = 570; }, false, 6},
      {"the level introduction",
       [] {
         gApp.screenState = ScreenLevelIntro;
         gPlay.currentLevel = 1;
         gMap.levelCount = 33;
       },
       false, 4},
  };
  // Full screen has bars at the sides; 200 % repeats every pixel.
  const Showing showings[] = {{"at its own size", 100, false},
                              {"at 150 %", 150, false},
                              {"at 200 %", 200, false},
                              {"full screen", 100, true}};
  EXPECT_EQ(IsScreenPresentedDirectly(), OnX11());
  for (const Showing& showing : showings) {
    SCOPED_TRACE(showing.name);
    if (!DesktopHoldsEveryScale() && !CanScaleWindow(GameWindow, showing.percent)) continue;
    ShowGameWindow(showing);
    for (const Scene& scene : scenes) {
      SCOPED_TRACE(scene.name);
      RunScene(scene, false);
      RunScene(scene, true);
      EXPECT_EQ(std::make_pair(SpriteWidth(910), SpriteHeight(910)), ShownScreenSize(showing));
      for (int i = 0; i < scene.ticks; ++i)
        EXPECT_EQ(DifferingPixels(910 + i, 910 + scene.ticks + i), 0) << "frame " << i;
    }
  }
  EXPECT_EQ(IsScreenPresentedDirectly(), OnX11());
  ShowGameWindow(showings[0]);
}

// A board at rest sends nothing after its first frame; the moving pointer sends its two places,
// on a window shown bigger only what they reach as shown.
TEST_F(PresentedFrameTest, ABoardAtRestPresentsNothingAndAPointerOnlyWhereItMoves) {
  FillLevel();
  ActivateWindow(GameWindow);
  for (const Showing& showing : {Showing{"at its own size", 100, false},
                                 Showing{"at 150 %", 150, false}}) {
    SCOPED_TRACE(showing.name);
    ShowGameWindow(showing);
    MovePointer(GameWindow, 400, 300);
    FrameTick();
    FrameTick();
    ResetPresentStats();
    for (int i = 0; i < 5; ++i) FrameTick();
    EXPECT_EQ(PresentStats().presentations, 0);
    MovePointer(GameWindow, 410, 305);
    FrameTick();   // draws the pointer at its new place
    FrameTick();   // shows it
    FrameTick();
    const ScreenPresentStats moved = PresentStats();
    EXPECT_EQ(moved.presentations, 1);
    // The pointer is 32 x 32: its old and new places, on the grid the changes are gathered on,
    // and as shown a few pixels more for the smooth scaling.
    EXPECT_GT(moved.pixels, 0);
    EXPECT_LE(moved.pixels, 64 * 64);
    const int shownSide = 64 * showing.percent / 100 + 8;
    EXPECT_GT(moved.shownPixels, 0);
    EXPECT_LE(moved.shownPixels, shownSide * shownSide);
  }
  ShowGameWindow({"at its own size", 100, false});
}
