// The intro, the frame tick and the routing of window events.
#include "game/app/input.h"
#include "game/presentation/sprites.h"
#include "game/rules/level_flow.h"
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

TEST_F(MainLoopTest, EventRouting) {
  gApp.screenState = ScreenIntro;
  HandleGameEvent({EventLeftButtonDown, GameWindow, 0});
  EXPECT_EQ(gApp.screenState, ScreenIntro) << "clicks are not handled during the intro";
  EXPECT_FALSE(IsWindowOpen(SettingsWindow));
  gApp.screenState = ScreenHelp;
  for (EventKind kind : {EventRightButtonDown, EventRightButtonUp, EventLeftButtonUp}) {
    HandleGameEvent({kind, GameWindow, 0});
    EXPECT_EQ(gApp.screenState, ScreenHelp) << "right button and releases change nothing";
  }
  HandleGameEvent({EventLeftButtonDown, GameWindow, 0});
  EXPECT_EQ(gApp.screenState, ScreenMainMenu) << "the help page takes any click";
  HandleGameEvent({EventCloseWindow, GameWindow, 0});
  EXPECT_TRUE(gApp.quit);
  gApp.quit = false;
}

}  // namespace
