// Windows, the event queue, the pump, timers, the pointer, the system cursor and shortcuts.
#include <gtest/gtest.h>

#include "platform/process.h"
#include "platform/shown_area.h"
#include "platform/window.h"

namespace {

constexpr int MainWindow = 0;
constexpr int OwnedWindow = 1;
constexpr int OtherWindow = 2;

void PumpFor(uint32_t milliseconds) {
  uint32_t start = ElapsedMilliseconds();
  while (ElapsedMilliseconds() - start < milliseconds) PumpOnce(1);
}

std::vector<Event> DrainEvents() {
  std::vector<Event> events;
  for (Event e = PollEvent(); e.kind != EventNone; e = PollEvent()) events.push_back(e);
  return events;
}

std::vector<Event> gHandled;
void RecordEvent(const Event& event) { gHandled.push_back(event); }
int gTicks = 0, gOtherTicks = 0;
void CountTick() { ++gTicks; }
void CountOtherTick() { ++gOtherTicks; }
void PostOnThirdTick() {
  if (++gTicks == 3) PostEvent({EventGadget, MainWindow, 99});
}
void StopSelf() {
  ++gTicks;
  StopTimer(MainWindow, 3);
}
void RearmSelf() {
  ++gOtherTicks;
  StartTimer(MainWindow, 3, 5, CountTick);
}

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenWindow(MainWindow, 300, 200, "主窗口", WindowMinimiseBox));
    DrainEvents();
    gHandled.clear();
    gTicks = gOtherTicks = 0;
  }
  void TearDown() override {
    SetEventHandler(nullptr);
    for (int window : {OtherWindow, OwnedWindow, MainWindow}) CloseWindow(window);
    DrainEvents();
  }
};

}  // namespace

// ---- Windows and the pointer ------------------------------------------------------------------

TEST_F(WindowTest, TitleClientSizeAndPointer) {
  EXPECT_EQ(WindowTitle(MainWindow), "主窗口");
  SetWindowTitle(MainWindow, "Vorle麻将连连看");
  EXPECT_EQ(WindowTitle(MainWindow), "Vorle麻将连连看");
  // Each coordinate reads -1 on its own when outside the client area.
  struct Point { int x, y, wantX, wantY; };
  for (const Point& p : {Point{299, 199, 299, 199}, Point{300, 50, -1, 50}, Point{0, -1, 0, -1}}) {
    MovePointer(MainWindow, p.x, p.y);
    EXPECT_EQ(WindowMouseX(MainWindow), p.wantX) << p.x << "," << p.y;
    EXPECT_EQ(WindowMouseY(MainWindow), p.wantY) << p.x << "," << p.y;
  }
  EXPECT_EQ(WindowMouseX(OtherWindow), -1);
  // Reopening a number replaces the window, size included.
  ASSERT_TRUE(OpenWindow(MainWindow, 100, 80, "新的"));
  EXPECT_EQ(WindowTitle(MainWindow), "新的");
  MovePointer(MainWindow, 150, 79);
  EXPECT_EQ(WindowMouseX(MainWindow), -1);
}

TEST_F(WindowTest, OwnershipAndActivation) {
  ASSERT_TRUE(OpenWindow(OwnedWindow, 100, 80, "游戏设置", 0, MainWindow));
  ASSERT_TRUE(OpenWindow(OtherWindow, 100, 80, "独立"));
  ActivateWindow(MainWindow);
  EXPECT_TRUE(IsWindowActive(MainWindow));
  EXPECT_FALSE(IsWindowActive(OtherWindow));
  ActivateWindow(OtherWindow);
  EXPECT_FALSE(IsWindowActive(MainWindow));
  EXPECT_TRUE(IsWindowActive(OtherWindow));
  CloseWindow(MainWindow);
  EXPECT_FALSE(IsWindowOpen(OwnedWindow)) << "owned windows go with their owner";
  EXPECT_TRUE(IsWindowOpen(OtherWindow));
}

// ---- A window shown bigger --------------------------------------------------------------------

// 930 x 625 at every offered scale, and fitted into desktops with bars above and below, at the
// sides, smaller than the area and exactly twice it.
TEST(ShownAreaTest, SizesRoundHalvesUpAndFittingKeepsTheAspect) {
  struct Row { ShownArea got, want; };
  const Row rows[] = {
      {ScaleClientArea(930, 625, 100), {0, 0, 930, 625}},
      {ScaleClientArea(930, 625, 125), {0, 0, 1163, 781}},
      {ScaleClientArea(930, 625, 150), {0, 0, 1395, 938}},
      {ScaleClientArea(930, 625, 175), {0, 0, 1628, 1094}},
      {ScaleClientArea(930, 625, 200), {0, 0, 1860, 1250}},
      {FitClientArea(930, 625, 1280, 1024), {0, 82, 1280, 860}},
      {FitClientArea(930, 625, 1920, 1080), {156, 0, 1607, 1080}},
      {FitClientArea(930, 625, 800, 600), {0, 31, 800, 538}},
      {FitClientArea(930, 625, 1860, 1250), {0, 0, 1860, 1250}},
  };
  for (const Row& r : rows)
    EXPECT_EQ(std::vector<int>({r.got.x, r.got.y, r.got.width, r.got.height}),
              std::vector<int>({r.want.x, r.want.y, r.want.width, r.want.height}));
}

// Shown pixels read back where the picture under them was drawn: the corners, the edges of the
// in-game hint button (270 < x < 340, 560 < y < 620), the settings button, the inside of the
// tile at row 1, column 1 of a type 1 level, 闯关模式 and the bars, which read -1.
TEST(ShownAreaTest, ShownPointsMapBackToWhatIsDrawnUnderThem) {
  struct Row { ShownArea area; int shownX, shownY, wantX, wantY; };
  const ShownArea at150 = ScaleClientArea(930, 625, 150);
  const ShownArea at200 = ScaleClientArea(930, 625, 200);
  const ShownArea at125 = ScaleClientArea(930, 625, 125);
  const ShownArea wide = FitClientArea(930, 625, 1920, 1080);
  const ShownArea tall = FitClientArea(930, 625, 1280, 1024);
  const Row rows[] = {
      {at150, 0, 0, 0, 0},          {at150, 1394, 937, 929, 624},  {at150, 1395, 938, -1, -1},
      {at150, 406, 841, 270, 560},  {at150, 407, 842, 271, 561},   {at150, 509, 929, 339, 619},
      {at150, 510, 930, 340, 619},  {at150, 1321, 37, 880, 24},    {at150, 127, 124, 84, 82},
      {at200, 541, 1121, 270, 560}, {at200, 542, 1122, 271, 561},  {at200, 1859, 1249, 929, 624},
      {at125, 338, 701, 270, 560},  {at125, 339, 702, 271, 561},   {at125, 1162, 780, 929, 624},
      {wide, 155, 540, -1, 312},    {wide, 156, 0, 0, 0},          {wide, 1762, 1079, 929, 624},
      {wide, 1763, 540, -1, 312},   {wide, 622, 403, 269, 233},    {tall, 640, 81, 465, -1},
      {tall, 0, 82, 0, 0},          {tall, 1279, 941, 929, 624},   {tall, 640, 942, 465, -1},
  };
  for (const Row& r : rows) {
    const int x = MapShownToClient(r.shownX, r.area.x, r.area.width, 930);
    const int y = MapShownToClient(r.shownY, r.area.y, r.area.height, 625);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(r.wantX, r.wantY))
        << r.area.width << "x" << r.area.height << " at " << r.shownX << "," << r.shownY;
  }
}

// At every scale each client pixel is shown by a run of shown pixels one or two long (exactly
// two at 200 %), in order, none skipped, and the first of its run maps back to it.
TEST(ShownAreaTest, EveryClientPixelIsShownByAnEvenRunOfPixels) {
  for (int percent : {100, 125, 150, 175, 200}) {
    const ShownArea a = ScaleClientArea(930, 625, percent);
    struct Axis { int start, size, client; };
    for (const Axis& axis : {Axis{a.x, a.width, 930}, Axis{a.y, a.height, 625}}) {
      std::vector<int> run(size_t(axis.client), 0);
      int previous = 0;
      for (int shown = axis.start; shown < axis.start + axis.size; ++shown) {
        const int client = MapShownToClient(shown, axis.start, axis.size, axis.client);
        ASSERT_TRUE(client == previous || client == previous + 1) << percent << " " << shown;
        run[size_t(client)] += 1;
        previous = client;
      }
      for (int client = 0; client < axis.client; ++client) {
        EXPECT_GE(run[size_t(client)], percent == 200 ? 2 : 1) << percent << " " << client;
        EXPECT_LE(run[size_t(client)], 2) << percent << " " << client;
        const int first = MapClientToShown(client, axis.start, axis.size, axis.client);
        EXPECT_EQ(MapShownToClient(first, axis.start, axis.size, axis.client), client);
        EXPECT_NE(MapShownToClient(first - 1, axis.start, axis.size, axis.client), client);
      }
    }
  }
}

TEST_F(WindowTest, ScaledWindowShowsItsClientAreaBiggerAndMapsThePointerBack) {
  ASSERT_TRUE(OpenWindow(MainWindow, 930, 625, "主窗口", WindowMinimiseBox));
  ASSERT_TRUE(OpenWindow(OwnedWindow, 450, 300, "游戏设置", 0, MainWindow));
  // The test desktop is 1920 x 1080.
  EXPECT_TRUE(CanScaleWindow(MainWindow, 150));
  EXPECT_FALSE(CanScaleWindow(MainWindow, 175)) << "1094 rows do not fit";
  EXPECT_FALSE(CanScaleWindow(MainWindow, 99));
  EXPECT_FALSE(SetWindowScale(MainWindow, 200));
  EXPECT_EQ(WindowScale(MainWindow), 100);
  ASSERT_TRUE(SetWindowScale(MainWindow, 150));
  PumpFor(20);
  EXPECT_EQ(std::make_pair(ShownWindowWidth(MainWindow), ShownWindowHeight(MainWindow)),
            std::make_pair(1395, 938));
  EXPECT_EQ(WindowScale(MainWindow), 150);

  struct Point { int shownX, shownY, wantX, wantY; };
  for (const Point& p : {Point{0, 0, 0, 0}, Point{1394, 937, 929, 624}, Point{1395, 500, -1, 333},
                         Point{407, 842, 271, 561}}) {
    MovePointerShown(MainWindow, p.shownX, p.shownY);
    EXPECT_EQ(std::make_pair(WindowMouseX(MainWindow), WindowMouseY(MainWindow)),
              std::make_pair(p.wantX, p.wantY)) << p.shownX << "," << p.shownY;
  }
  MovePointer(MainWindow, 305, 590);
  EXPECT_EQ(std::make_pair(WindowMouseX(MainWindow), WindowMouseY(MainWindow)),
            std::make_pair(305, 590));

  // Full screen: the client area between bars at the sides of the 1920 x 1080 desktop.
  SetWindowFullScreen(MainWindow, true);
  PumpFor(20);
  EXPECT_TRUE(IsWindowFullScreen(MainWindow));
  EXPECT_EQ(std::make_pair(ShownWindowWidth(MainWindow), ShownWindowHeight(MainWindow)),
            std::make_pair(1920, 1080));
  for (const Point& p : {Point{155, 540, -1, 312}, Point{156, 0, 0, 0},
                         Point{1762, 1079, 929, 624}, Point{1763, 540, -1, 312}}) {
    MovePointerShown(MainWindow, p.shownX, p.shownY);
    EXPECT_EQ(std::make_pair(WindowMouseX(MainWindow), WindowMouseY(MainWindow)),
              std::make_pair(p.wantX, p.wantY)) << p.shownX << "," << p.shownY;
  }
  // The scale waits for the end of full screen.
  EXPECT_TRUE(SetWindowScale(MainWindow, 125));
  EXPECT_EQ(ShownWindowWidth(MainWindow), 1920);
  SetWindowFullScreen(MainWindow, false);
  PumpFor(20);
  EXPECT_FALSE(IsWindowFullScreen(MainWindow));
  EXPECT_EQ(std::make_pair(ShownWindowWidth(MainWindow), ShownWindowHeight(MainWindow)),
            std::make_pair(1163, 781));
  MovePointer(MainWindow, 929, 624);
  EXPECT_EQ(std::make_pair(WindowMouseX(MainWindow), WindowMouseY(MainWindow)),
            std::make_pair(929, 624));
}

// The owned window stays centred on its owner however the owner is shown: the pointer at the
// owned window's centre lies at the owner's centre.
TEST_F(WindowTest, OwnedWindowStaysCentredOnItsOwnerShownBigger) {
  ASSERT_TRUE(OpenWindow(MainWindow, 930, 625, "主窗口", WindowMinimiseBox));
  ASSERT_TRUE(OpenWindow(OwnedWindow, 450, 300, "游戏设置", 0, MainWindow));
  const auto expectCentred = [](const char* how) {
    PumpFor(20);
    MovePointerShown(OwnedWindow, 225, 150);
    EXPECT_NEAR(WindowMouseX(MainWindow), 465, 3) << how;
    EXPECT_NEAR(WindowMouseY(MainWindow), 312, 3) << how;
  };
  expectCentred("as opened");
  ASSERT_TRUE(SetWindowScale(MainWindow, 150));
  expectCentred("at 150 %");
  SetWindowFullScreen(MainWindow, true);
  expectCentred("full screen");
  SetWindowFullScreen(MainWindow, false);
  expectCentred("back at 150 %");
}

// ---- Event queue and pump ---------------------------------------------------------------------

TEST_F(WindowTest, WaitEventTakesPostedEventsInOrderAndRunsTimersUntilOneArrives) {
  PostEvent({EventLeftButtonDown, MainWindow, 0});
  PostEvent({EventGadget, OwnedWindow, 27});
  EXPECT_EQ(WaitEvent().kind, EventLeftButtonDown);
  Event second = WaitEvent();
  EXPECT_EQ(second.kind, EventGadget);
  EXPECT_EQ(second.window, OwnedWindow);
  EXPECT_EQ(second.number, 27);
  EXPECT_EQ(PollEvent().kind, EventNone);
  StartTimer(MainWindow, 5, 5, PostOnThirdTick);
  EXPECT_EQ(WaitEvent().number, 99);
  EXPECT_EQ(gTicks, 3);
  StopTimer(MainWindow, 5);
}

TEST_F(WindowTest, PumpOnceTakesOneEventOrSleepsWhenNothingIsDue) {
  SetEventHandler(RecordEvent);
  PumpFor(20);   // lets the window's first paint go by
  uint32_t start = ElapsedMilliseconds();
  PumpOnce(40);
  EXPECT_GE(ElapsedMilliseconds() - start, 40u);
  EXPECT_TRUE(gHandled.empty());

  PostEvent({EventRightButtonDown, MainWindow, 0});
  PostEvent({EventRightButtonUp, MainWindow, 0});
  start = ElapsedMilliseconds();
  PumpOnce(500);
  EXPECT_LT(ElapsedMilliseconds() - start, 400u) << "must not sleep when an event was taken";
  ASSERT_EQ(gHandled.size(), 1u) << "one event a call";
  DrainEvents();
  StartTimer(MainWindow, 0, 5, CountOtherTick);
  Delay(15);
  start = ElapsedMilliseconds();
  PumpOnce(300);
  EXPECT_LT(ElapsedMilliseconds() - start, 250u) << "must not sleep when a timer fired";
  EXPECT_GE(gOtherTicks, 1);
}

// ---- Timers -----------------------------------------------------------------------------------

TEST_F(WindowTest, TimerRepeatsUntilStoppedOrItsWindowCloses) {
  ASSERT_TRUE(OpenWindow(OwnedWindow, 100, 80, "", 0, MainWindow));
  StartTimer(MainWindow, 2, 5, CountTick);
  StartTimer(OwnedWindow, 2, 5, CountOtherTick);
  EXPECT_TRUE(IsTimerRunning(MainWindow, 2));
  EXPECT_FALSE(IsTimerRunning(OtherWindow, 2));
  CloseWindow(OwnedWindow);
  EXPECT_FALSE(IsTimerRunning(OwnedWindow, 2));
  PumpFor(100);
  EXPECT_GE(gTicks, 3);
  EXPECT_EQ(gOtherTicks, 0);
  StopTimer(MainWindow, 2);
  EXPECT_FALSE(IsTimerRunning(MainWindow, 2));
  int stoppedAt = gTicks;
  PumpFor(40);
  EXPECT_EQ(gTicks, stoppedAt);
}

TEST_F(WindowTest, StartingARunningTimerReplacesPeriodAndCallback) {
  StartTimer(MainWindow, 1, 5000, CountOtherTick);
  StartTimer(MainWindow, 1, 5, CountTick);
  PumpFor(100);
  EXPECT_EQ(gOtherTicks, 0);
  EXPECT_GE(gTicks, 3);
  StopTimer(MainWindow, 1);
  // From inside its own callback too, and a callback may stop its own timer.
  gTicks = gOtherTicks = 0;
  StartTimer(MainWindow, 3, 5, RearmSelf);
  PumpFor(100);
  EXPECT_EQ(gOtherTicks, 1);
  EXPECT_GE(gTicks, 3);
  gTicks = 0;
  StartTimer(MainWindow, 3, 5, StopSelf);
  PumpFor(80);
  EXPECT_EQ(gTicks, 1);
  EXPECT_FALSE(IsTimerRunning(MainWindow, 3));
}

// ---- System cursor ----------------------------------------------------------------------------

TEST_F(WindowTest, SystemCursorCounterCountsLikeADisplayCounter) {
  int base = SystemCursorCount();
  EXPECT_EQ(HideSystemCursor(), base - 1);
  EXPECT_EQ(HideSystemCursor(), base - 2);
  EXPECT_EQ(ShowSystemCursor(), base - 1);
  EXPECT_EQ(ShowSystemCursor(), base);
  EXPECT_EQ(ShowSystemCursor(), base + 1);
  EXPECT_EQ(SystemCursorCount(), base + 1);
  EXPECT_EQ(HideSystemCursor(), base);
}

// ---- Shortcuts --------------------------------------------------------------------------------

TEST_F(WindowTest, ShortcutsReachTheirNumbersOnlyInTheActiveWindow) {
  struct Press { int key; int modifiers; int expected; };
  const Press presses[] = {
      {'Z', ModCtrl | ModAlt, 110}, {'Z', ModShift | ModCtrl | ModAlt, 103},
      {'A', ModShift | ModCtrl | ModAlt, 101}, {'N', ModCtrl, 30}, {'N', ModAlt, 31},
      {'5', 0, 5}, {'1', ModCtrl, 41}, {FunctionKey(11), 0, 113}};
  for (const Press& press : presses)
    AddShortcut(MainWindow, press.key, press.modifiers, press.expected);
  ActivateWindow(MainWindow);
  ASSERT_TRUE(IsWindowActive(MainWindow));
  for (const Press& press : presses) {
    SimulateKeyPress(MainWindow, press.key, press.modifiers);
    std::vector<Event> events = DrainEvents();
    ASSERT_EQ(events.size(), 1u) << press.key << " " << press.modifiers;
    EXPECT_EQ(events[0].kind, EventShortcut);
    EXPECT_EQ(events[0].window, MainWindow);
    EXPECT_EQ(events[0].number, press.expected);
  }
  for (int key : {int('Z'), int('1'), FunctionKey(12)}) SimulateKeyPress(MainWindow, key, 0);
  SimulateKeyPress(MainWindow, 'Z', ModCtrl);
  SimulateKeyPress(MainWindow, FunctionKey(11), ModShift);
  EXPECT_TRUE(DrainEvents().empty()) << "unregistered keys and modifiers";

  ASSERT_TRUE(OpenWindow(OtherWindow, 100, 80, "其他"));
  ActivateWindow(OtherWindow);
  SimulateKeyPress(MainWindow, 'Z', ModCtrl | ModAlt);
  SimulateKeyPress(OtherWindow, 'Z', ModCtrl | ModAlt);
  for (const Event& event : DrainEvents()) EXPECT_NE(event.kind, EventShortcut);
}
