// The intro, the frame tick and the routing of window events.
#include <algorithm>

#include "game/app/input.h"
#include "game/presentation/background.h"
#include "game/presentation/sprites.h"
#include "game/rules/level_flow.h"
#include "game/rules/removal_effects.h"
#include "game/rules/scoring.h"
#include "platform/journal.h"
#include "platform/colour.h"
#include "tests/game/app_support.h"

namespace {

class MainLoopTest : public AppTest {};

TEST_F(MainLoopTest, IntroCounterChoosesCardAndOpacityThenHandsOver) {
  struct IntroFrame {
    int counter;   // the counter after the tick lowered it
    int sprite;    // the card drawn
    int opacity;
  };
  const IntroFrame frames[] = {
      {400, SpriteIntroCard1, 255}, {256, SpriteIntroCard1, 255}, {254, SpriteIntroCard1, 254},
      {0, SpriteIntroCard1, 0},     {-2, SpriteIntroCard2, 1},    {-254, SpriteIntroCard2, 253},
      {-256, SpriteIntroCard2, 255}, {-298, SpriteIntroCard2, 255},
  };
  for (const IntroFrame& f : frames) {
    SCOPED_TRACE(f.counter);
    gApp.screenState = ScreenIntro;
    gApp.introCounter = f.counter + 2;
    StartDrawLog();
    IntroTick();
    std::vector<DrawRecord> sprites = DrawnSprites();
    ASSERT_FALSE(sprites.empty());
    EXPECT_EQ(sprites[0].number, f.sprite);
    EXPECT_EQ(sprites[0].opacity, f.opacity);
    EXPECT_EQ(sprites[0].x, 0);
    EXPECT_EQ(gApp.screenState, ScreenIntro);
    EXPECT_EQ(gApp.introCounter, f.counter);
  }
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

TEST_F(MainLoopTest, MenuFrameDrawsFixedPicturesFirstThenTheMenu) {
  StartDrawLog();
  FrameTick();
  std::vector<DrawRecord> s = DrawnSprites();
  ASSERT_GE(s.size(), 11u);
  const int fixed[][3] = {{SpriteBackground, 0, 0}, {SpriteTitleBanner, 260, 10},
                          {SpriteBottomBar, 0, 550}, {SpriteSettingsButton, 835, 5}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(std::vector<int>({s[i].number, s[i].x, s[i].y, s[i].opacity}),
              std::vector<int>({fixed[i][0], fixed[i][1], fixed[i][2], 255}));
  }
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(s[4 + i].number, SpriteMenuButton1 + i);
    EXPECT_EQ(s[4 + i].opacity, 200);
  }
  EXPECT_EQ(CountSprite(SpriteStar), 51) << "stars along the bottom finish the page";
}

TEST_F(MainLoopTest, InPlayThePanelPrecedesTheBoardAndTheEffectsFollow) {
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
  const int panel = position(SpriteCaptionTileCount), shadow = position(SpriteShadow);
  ASSERT_GE(panel, 0);
  EXPECT_LT(panel, shadow);
  EXPECT_EQ(position(SpriteFace0 + 5), shadow + 1);
  EXPECT_GT(position(SpriteFaceHighlighted0 + 7), shadow + 1);
  EXPECT_EQ(CountSprite(SpriteMenuButton1), 0);
}

// A frame first shows the one drawn before it, then draws the overlays in their fixed order and
// the pointer over everything.
TEST_F(MainLoopTest, FlipFirstThenOverlaysInTheirOrderAndThePointerLast) {
  gSettings.backgroundColour = Rgb(10, 20, 30);
  ChooseBackground();
  ClearScreen(Rgb(1, 2, 3));   // the frame drawn last time
  PlayEmptyLevel(1);
  gPlay.paused = true;
  gEffects.particlesRunning = true;
  gItems.bombRunning = true;
  gEffects.flyingRunning = true;
  gEffects.flying[0] = {7, 100, 100};
  gEffects.flying[1] = {7, 200, 100};
  gItems.hintShown = true;
  gScore.bannerShown = true;
  gScore.bannerStreak = true;
  gScore.bannerX = 600;
  ActivateWindow(GameWindow);
  MovePointer(GameWindow, 400, 300);
  StartDrawLog();
  FrameTick();
  EXPECT_EQ(VisibleScreenPixel(900, 400), Rgb(1, 2, 3)) << "the flip comes before the drawing";
  EXPECT_EQ(ScreenPixel(900, 400), Rgb(10, 20, 30));
  const std::vector<DrawRecord>& log = DrawLog();
  auto first = [&](auto matches, size_t from = 0) {
    for (size_t i = from; i < log.size(); ++i)
      if (matches(log[i])) return static_cast<int>(i);
    return -1;
  };
  auto sprite = [](int low, int high) {
    return [=](const DrawRecord& r) {
      return r.kind == DrawnSprite && r.number >= low && r.number <= high;
    };
  };
  const int particles = first(sprite(SpriteParticle, SpriteParticle));
  const int bomb = first(sprite(SpriteExplosion1, SpriteExplosion1 + 15));
  const int pause = first(sprite(SpritePausePicture, SpritePausePicture));
  const int flying = first(sprite(SpriteFaceHighlighted0 + 7, SpriteFaceHighlighted0 + 7));
  const int hint = first(sprite(SpriteStar, SpriteStar), static_cast<size_t>(std::max(flying, 0)));
  const int banner =
      first([](const DrawRecord& r) { return r.kind == DrawnText && r.number == FontBannerHei; });
  const std::vector<int> order = {particles, bomb, pause, flying, hint, banner};
  EXPECT_GE(particles, 0);
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << ::testing::PrintToString(order);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().number, SpritePointer);
  EXPECT_EQ(log.back().kind, DrawnSprite);
  EXPECT_LT(banner, static_cast<int>(log.size()) - 1);
}

// A tick that changed nothing and drew the frame shown lets the frame timer sleep; an event, the
// level clock or a pump wakes it on its schedule, and a running effect never lets it sleep.
TEST_F(MainLoopTest, TheFrameTimerSleepsAtRestAndWakesForWhatMayChangeTheFrame) {
  UseVirtualTime(true);
  ActivateWindow(GameWindow);
  MovePointer(GameWindow, 400, 300);
  PlayEmptyLevel(1);
  gLevel.board.cell[2][3][4] = 5;
  StartTimer(GameWindow, FrameTimer, FramePeriodMs, FrameTick);
  auto tick = [] { AdvanceVirtualTime(FramePeriodMs); };
  auto asleep = [] { return IsTimerAsleep(GameWindow, FrameTimer); };
  tick();
  EXPECT_FALSE(asleep()) << "the first frame of the board differs from the one shown";
  tick();
  EXPECT_TRUE(asleep()) << "the same frame again";
  EXPECT_TRUE(IsTimerRunning(GameWindow, FrameTimer)) << "asleep, not stopped";

  MovePointer(GameWindow, 410, 300);
  PostEvent({EventMouseMove, GameWindow, 0, 410, 300});
  EXPECT_FALSE(asleep()) << "an event wakes it";
  HandleGameEvent(PollEvent());
  tick();
  EXPECT_FALSE(asleep()) << "the pointer moved";
  tick();
  EXPECT_TRUE(asleep());

  StartTimer(GameWindow, LevelClockTimer, LevelClockPeriodMs, ClockTick);
  AdvanceVirtualTime(LevelClockPeriodMs - FramePeriodMs);
  EXPECT_TRUE(asleep()) << "nothing ran but skipped ticks";
  AdvanceVirtualTime(FramePeriodMs);
  EXPECT_FALSE(asleep()) << "the clock's tick wakes it";
  tick();
  EXPECT_FALSE(asleep()) << "the clock's digits appeared";
  tick();
  EXPECT_TRUE(asleep());
  PumpOnce(0);
  EXPECT_FALSE(asleep()) << "a pump from inside long work wakes it";
  StopTimer(GameWindow, LevelClockTimer);
  tick();
  tick();
  ASSERT_TRUE(asleep());

  gEffects.removalX[0] = gEffects.removalX[1] = 300;
  gEffects.removalY[0] = gEffects.removalY[1] = 200;
  StartRemovalEffects();
  gEffects.flyingRunning = false;
  WakeTimers();
  int frames = 0;
  for (; gEffects.particlesRunning && frames < 100; ++frames) {
    tick();
    EXPECT_FALSE(asleep()) << "frame " << frames << " of the particle burst";
  }
  EXPECT_EQ(frames, 32);
  tick();
  tick();
  EXPECT_TRUE(asleep()) << "the burst is over";
  StopTimer(GameWindow, FrameTimer);
  UseVirtualTime(false);
}

TEST_F(MainLoopTest, EventRouting) {
  gApp.screenState = ScreenIntro;
  MovePointer(GameWindow, 880, 20);   // over the settings button, which acts on every page
  HandleGameEvent({EventLeftButtonDown, GameWindow, 0});
  EXPECT_EQ(gApp.screenState, ScreenIntro) << "clicks are not handled during the intro";
  EXPECT_FALSE(IsWindowOpen(SettingsWindow));
  gApp.screenState = ScreenHelp;
  for (EventKind kind : {EventRightButtonDown, EventRightButtonUp, EventLeftButtonUp}) {
    HandleGameEvent({kind, GameWindow, 0});
    EXPECT_EQ(gApp.screenState, ScreenHelp) << "right button and releases change nothing";
  }
  MovePointer(GameWindow, 400, 300);
  HandleGameEvent({EventLeftButtonDown, GameWindow, 0});
  EXPECT_EQ(gApp.screenState, ScreenMainMenu) << "the help page takes any click";
  HandleGameEvent({EventCloseWindow, GameWindow, 0});
  EXPECT_TRUE(gApp.quit);
  gApp.quit = false;
}

}  // namespace
