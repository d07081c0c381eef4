// The intro, the frame tick and the routing of window events.
#include "game/app/input.h"
#include "game/presentation/sprites.h"
#include "game/rules/level_flow.h"
#include "tests/game/app_support.h"

namespace {

struct IntroFrame {
  int counter;   // the counter after the tick lowered it
  int sprite;    // the card drawn, 0 for none
  int opacity;
};

class IntroTest : public AppTest {};

TEST_F(IntroTest, CounterChoosesCardAndOpacity) {
  const IntroFrame frames[] = {
      {400, SpriteIntroCard1, 255}, {256, SpriteIntroCard1, 255}, {254, SpriteIntroCard1, 254},
      {0, SpriteIntroCard1, 0},     {-2, SpriteIntroCard2, 1},    {-254, SpriteIntroCard2, 253},
      {-256, SpriteIntroCard2, 255}, {-298, SpriteIntroCard2, 255},
  };
  for (const IntroFrame& f : frames) {
    gApp.screenState = ScreenIntro;
    gApp.introCounter = f.counter + 2;
    StartDrawLog();
    IntroTick();
    std::vector<DrawRecord> sprites = DrawnSprites();
    ASSERT_FALSE(sprites.empty()) << "counter " << f.counter;
    EXPECT_EQ(sprites[0].number, f.sprite) << "counter " << f.counter;
    EXPECT_EQ(sprites[0].opacity, f.opacity) << "counter " << f.counter;
    EXPECT_EQ(sprites[0].x, 0);
    EXPECT_EQ(gApp.screenState, ScreenIntro);
    EXPECT_EQ(gApp.introCounter, f.counter);
  }
}

TEST_F(IntroTest, LastTickHandsOverToTheMainMenu) {
  gApp.screenState = ScreenIntro;
  gApp.introCounter = -298;
  StartTimer(GameWindow, FrameTimer, FramePeriodMs, IntroTick);
  StartDrawLog();
  IntroTick();
  EXPECT_EQ(gApp.introCounter, -300);
  EXPECT_EQ(gApp.screenState, ScreenMainMenu);
  EXPECT_EQ(CountSprite(SpriteIntroCard1) + CountSprite(SpriteIntroCard2), 0);
  EXPECT_TRUE(IsTimerRunning(GameWindow, FrameTimer));
  EXPECT_TRUE(IsTimerRunning(GameWindow, MusicCheckTimer));
  StopTimer(GameWindow, MusicCheckTimer);
}

class FrameTickTest : public AppTest {};

TEST_F(FrameTickTest, FixedPicturesComeFirstThenTheMenu) {
  StartDrawLog();
  FrameTick();
  std::vector<DrawRecord> s = DrawnSprites();
  ASSERT_GE(s.size(), 11u);
  const int fixed[][3] = {{SpriteBackground, 0, 0}, {SpriteTitleBanner, 260, 10},
                          {SpriteBottomBar, 0, 550}, {SpriteSettingsButton, 835, 5}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(s[i].number, fixed[i][0]);
    EXPECT_EQ(s[i].x, fixed[i][1]);
    EXPECT_EQ(s[i].y, fixed[i][2]);
    EXPECT_EQ(s[i].opacity, 255);
  }
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(s[4 + i].number, SpriteMenuButton1 + i);
    EXPECT_EQ(s[4 + i].opacity, 200);
  }
  // 51 stars along the bottom finish the page.
  EXPECT_EQ(CountSprite(SpriteStar), 51);
}

TEST_F(FrameTickTest, InPlayThePanelPrecedesTheBoardAndTheEffectsFollow) {
  PlayEmptyLevel(1);
  gLevel.board.cell[2][3][4] = 5;
  gEffects.flyingRunning = true;
  gEffects.flying[0] = {7, 100, 100};
  gEffects.flying[1] = {7, 200, 100};
  gEffects.popupOpacity = 255;
  StartDrawLog();
  FrameTick();
  std::vector<DrawRecord> s = DrawnSprites();
  auto position = [&](int sprite) {
    for (size_t i = 0; i < s.size(); ++i)
      if (s[i].number == sprite) return static_cast<int>(i);
    return -1;
  };
  int panel = position(SpriteCaptionTileCount);
  int shadow = position(SpriteShadow);
  int face = position(SpriteFace0 + 5);
  int flying = position(SpriteFaceHighlighted0 + 7);
  ASSERT_GE(panel, 0);
  ASSERT_GE(shadow, 0);
  EXPECT_LT(panel, shadow);
  EXPECT_EQ(face, shadow + 1);
  EXPECT_GT(flying, face);
  EXPECT_EQ(CountSprite(SpriteMenuButton1), 0);
}

TEST_F(FrameTickTest, PauseAnimationSweepsAndSwapsItsAxes) {
  PlayEmptyLevel(1);
  gPlay.paused = true;
  gApp.pauseA = 0;
  gApp.pauseB = 500;
  gApp.pausePhase = 0;
  StartDrawLog();
  FrameTick();
  // a fell below 0 and b passed 500: both wrap and the phase turns odd, so (b, a) is used.
  EXPECT_EQ(gApp.pauseA, 500);
  EXPECT_EQ(gApp.pauseB, 0);
  EXPECT_EQ(gApp.pausePhase, 1);
  for (const DrawRecord& r : DrawnSprites()) {
    if (r.number != SpritePausePicture) continue;
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 500);
  }
  EXPECT_EQ(CountSprite(SpritePausePicture), 1);
  EXPECT_EQ(CountSprite(SpriteStar), 101);
}

class EventRoutingTest : public AppTest {};

TEST_F(EventRoutingTest, LeftClicksAreNotHandledDuringTheIntro) {
  gApp.screenState = ScreenIntro;
  HandleGameEvent({EventLeftButtonDown, GameWindow, 0});
  EXPECT_EQ(gApp.screenState, ScreenIntro);
  EXPECT_FALSE(IsWindowOpen(SettingsWindow));
  // The help page takes any click, wherever it lands.
  gApp.screenState = ScreenHelp;
  HandleGameEvent({EventLeftButtonDown, GameWindow, 0});
  EXPECT_EQ(gApp.screenState, ScreenMainMenu);
}

TEST_F(EventRoutingTest, RightButtonAndReleasesChangeNothing) {
  gApp.screenState = ScreenHelp;
  for (EventKind kind : {EventRightButtonDown, EventRightButtonUp, EventLeftButtonUp}) {
    HandleGameEvent({kind, GameWindow, 0});
    EXPECT_EQ(gApp.screenState, ScreenHelp);
  }
}

TEST_F(EventRoutingTest, MouseMovesDuringTheIntroHoverNothing) {
  gApp.screenState = ScreenIntro;
  gApp.hoveredButton = 3;
  HandleGameEvent({EventMouseMove, GameWindow, 0});
  EXPECT_EQ(gApp.hoveredButton, 0);
}

TEST_F(EventRoutingTest, CloseRequestEndsTheLoop) {
  HandleGameEvent({EventCloseWindow, GameWindow, 0});
  EXPECT_TRUE(gApp.quit);
  gApp.quit = false;
}

TEST_F(EventRoutingTest, ShortcutEventsReachTheShortcutHandler) {
  gItems.hints = 98;
  HandleGameEvent({EventShortcut, GameWindow, ShortcutMoreHints});
  EXPECT_EQ(gItems.hints, 99);
}

}  // namespace
