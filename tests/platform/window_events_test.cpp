// Windows, the event queue, the pump, timers, the pointer, the system cursor and shortcuts.
#include <gtest/gtest.h>

#include "platform/process.h"
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
  struct Press { char key; int modifiers; int expected; };
  const Press presses[] = {
      {'Z', ModCtrl | ModAlt, 110}, {'Z', ModShift | ModCtrl | ModAlt, 103},
      {'A', ModShift | ModCtrl | ModAlt, 101}, {'N', ModCtrl, 30}, {'N', ModAlt, 31},
      {'5', 0, 5}, {'1', ModCtrl, 41}};
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
  for (char key : {'Z', '1'}) SimulateKeyPress(MainWindow, key, 0);
  SimulateKeyPress(MainWindow, 'Z', ModCtrl);
  EXPECT_TRUE(DrainEvents().empty()) << "unregistered keys and modifiers";

  ASSERT_TRUE(OpenWindow(OtherWindow, 100, 80, "其他"));
  ActivateWindow(OtherWindow);
  SimulateKeyPress(MainWindow, 'Z', ModCtrl | ModAlt);
  SimulateKeyPress(OtherWindow, 'Z', ModCtrl | ModAlt);
  for (const Event& event : DrainEvents()) EXPECT_NE(event.kind, EventShortcut);
}
