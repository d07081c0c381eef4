// Windows, the event queue, the pump, timers, the pointer, the system cursor and shortcuts.
#include <gtest/gtest.h>

#include "platform/dialog.h"
#include "platform/process.h"
#include "platform/window.h"

namespace {

constexpr int MainWindow = 0;
constexpr int OwnedWindow = 1;
constexpr int OtherWindow = 2;

// Runs the pump for about the given time.
void PumpFor(uint32_t milliseconds) {
  uint32_t start = ElapsedMilliseconds();
  while (ElapsedMilliseconds() - start < milliseconds) PumpOnce(1);
}

// Takes every event that is pending now.
std::vector<Event> DrainEvents() {
  std::vector<Event> events;
  for (Event e = PollEvent(); e.kind != EventNone; e = PollEvent()) events.push_back(e);
  return events;
}

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenWindow(MainWindow, 300, 200, "主窗口", WindowMinimiseBox));
    DrainEvents();
  }
  void TearDown() override {
    SetEventHandler(nullptr);
    ScriptDialogs(false);
    CloseWindow(OtherWindow);
    CloseWindow(OwnedWindow);
    CloseWindow(MainWindow);
    DrainEvents();
  }
};

}  // namespace

// ---- Windows ----------------------------------------------------------------------------------

TEST_F(WindowTest, OpenWindowHasTitleAndFixedClientSize) {
  EXPECT_TRUE(IsWindowOpen(MainWindow));
  EXPECT_EQ(WindowTitle(MainWindow), "主窗口");
  SetWindowTitle(MainWindow, "Vorle麻将连连看");
  EXPECT_EQ(WindowTitle(MainWindow), "Vorle麻将连连看");
  MovePointer(MainWindow, 299, 199);
  EXPECT_EQ(WindowMouseX(MainWindow), 299);
  EXPECT_EQ(WindowMouseY(MainWindow), 199);
}

TEST_F(WindowTest, PointerOutsideClientAreaReadsMinusOnePerCoordinate) {
  MovePointer(MainWindow, 300, 50);
  EXPECT_EQ(WindowMouseX(MainWindow), -1);
  EXPECT_EQ(WindowMouseY(MainWindow), 50);
  MovePointer(MainWindow, 0, -1);
  EXPECT_EQ(WindowMouseX(MainWindow), 0);
  EXPECT_EQ(WindowMouseY(MainWindow), -1);
  EXPECT_EQ(WindowMouseX(OtherWindow), -1);
}

TEST_F(WindowTest, ReopeningANumberReplacesTheWindow) {
  ASSERT_TRUE(OpenWindow(MainWindow, 100, 80, "新的"));
  EXPECT_EQ(WindowTitle(MainWindow), "新的");
  MovePointer(MainWindow, 99, 79);
  EXPECT_EQ(WindowMouseX(MainWindow), 99);
  MovePointer(MainWindow, 150, 79);
  EXPECT_EQ(WindowMouseX(MainWindow), -1);
}

TEST_F(WindowTest, ClosingTheOwnerClosesOwnedWindows) {
  ASSERT_TRUE(OpenWindow(OwnedWindow, 100, 80, "游戏设置", 0, MainWindow));
  ASSERT_TRUE(OpenWindow(OtherWindow, 100, 80, "独立"));
  CloseWindow(MainWindow);
  EXPECT_FALSE(IsWindowOpen(MainWindow));
  EXPECT_FALSE(IsWindowOpen(OwnedWindow));
  EXPECT_TRUE(IsWindowOpen(OtherWindow));
  EXPECT_EQ(WindowTitle(OwnedWindow), "");
}

TEST_F(WindowTest, ActivationFollowsActivateWindow) {
  ASSERT_TRUE(OpenWindow(OtherWindow, 100, 80, "其他"));
  ActivateWindow(MainWindow);
  EXPECT_TRUE(IsWindowActive(MainWindow));
  EXPECT_FALSE(IsWindowActive(OtherWindow));
  ActivateWindow(OtherWindow);
  EXPECT_FALSE(IsWindowActive(MainWindow));
  EXPECT_TRUE(IsWindowActive(OtherWindow));
  EXPECT_FALSE(IsWindowActive(OwnedWindow));
}

// ---- Event queue and pump ---------------------------------------------------------------------

TEST_F(WindowTest, WaitEventReturnsPostedEventsInOrder) {
  PostEvent({EventLeftButtonDown, MainWindow, 0});
  PostEvent({EventGadget, OwnedWindow, 27});
  PostEvent({EventShortcut, MainWindow, 101});
  Event first = WaitEvent(), second = WaitEvent(), third = WaitEvent();
  EXPECT_EQ(first.kind, EventLeftButtonDown);
  EXPECT_EQ(second.kind, EventGadget);
  EXPECT_EQ(second.window, OwnedWindow);
  EXPECT_EQ(second.number, 27);
  EXPECT_EQ(third.kind, EventShortcut);
  EXPECT_EQ(third.number, 101);
  EXPECT_EQ(PollEvent().kind, EventNone);
}

namespace {
std::vector<Event> gHandled;
void RecordEvent(const Event& event) { gHandled.push_back(event); }
int gTicks = 0;
void CountTick() { ++gTicks; }
}  // namespace

namespace {
int gPostTicks = 0;
void PostOnThirdTick() {
  if (++gPostTicks == 3) PostEvent({EventGadget, MainWindow, 99});
}
}  // namespace

TEST_F(WindowTest, WaitEventRunsTimersUntilAnEventArrives) {
  gPostTicks = 0;
  StartTimer(MainWindow, 5, 5, PostOnThirdTick);
  Event event = WaitEvent();
  EXPECT_EQ(gPostTicks, 3);
  EXPECT_EQ(event.kind, EventGadget);
  EXPECT_EQ(event.number, 99);
  StopTimer(MainWindow, 5);
}

TEST_F(WindowTest, PumpOnceHandsOneEventToTheHandler) {
  gHandled.clear();
  SetEventHandler(RecordEvent);
  PostEvent({EventRightButtonDown, MainWindow, 0});
  PostEvent({EventRightButtonUp, MainWindow, 0});
  uint32_t start = ElapsedMilliseconds();
  PumpOnce(500);
  EXPECT_LT(ElapsedMilliseconds() - start, 400u) << "must not sleep when an event was taken";
  ASSERT_EQ(gHandled.size(), 1u);
  EXPECT_EQ(gHandled[0].kind, EventRightButtonDown);
  PumpOnce(500);
  ASSERT_EQ(gHandled.size(), 2u);
  EXPECT_EQ(gHandled[1].kind, EventRightButtonUp);
}

TEST_F(WindowTest, PumpOnceSleepsWhenIdle) {
  gHandled.clear();
  SetEventHandler(RecordEvent);
  PumpFor(20);   // lets the window's first paint go by
  uint32_t start = ElapsedMilliseconds();
  PumpOnce(40);
  EXPECT_GE(ElapsedMilliseconds() - start, 40u);
  EXPECT_TRUE(gHandled.empty());
}

TEST_F(WindowTest, PumpOnceDoesNotSleepWhenATimerFired) {
  gTicks = 0;
  StartTimer(MainWindow, 0, 5, CountTick);
  Delay(15);
  uint32_t start = ElapsedMilliseconds();
  PumpOnce(300);
  EXPECT_LT(ElapsedMilliseconds() - start, 250u);
  EXPECT_GE(gTicks, 1);
}

// ---- Timers -----------------------------------------------------------------------------------

namespace {
int gOldTicks = 0, gNewTicks = 0, gSelfStopTicks = 0, gRearmTicks = 0;
void OldTick() { ++gOldTicks; }
void NewTick() { ++gNewTicks; }
void StopSelf() {
  ++gSelfStopTicks;
  StopTimer(MainWindow, 3);
}
void RearmSelf() {
  ++gRearmTicks;
  StartTimer(MainWindow, 3, 5, NewTick);
}
}  // namespace

TEST_F(WindowTest, TimerRepeatsUntilStopped) {
  gTicks = 0;
  StartTimer(MainWindow, 2, 5, CountTick);
  EXPECT_TRUE(IsTimerRunning(MainWindow, 2));
  EXPECT_FALSE(IsTimerRunning(OwnedWindow, 2));
  PumpFor(100);
  EXPECT_GE(gTicks, 3);
  StopTimer(MainWindow, 2);
  EXPECT_FALSE(IsTimerRunning(MainWindow, 2));
  int stoppedAt = gTicks;
  PumpFor(40);
  EXPECT_EQ(gTicks, stoppedAt);
}

TEST_F(WindowTest, StartingARunningTimerReplacesPeriodAndCallback) {
  gOldTicks = gNewTicks = 0;
  StartTimer(MainWindow, 1, 5000, OldTick);
  StartTimer(MainWindow, 1, 5, NewTick);
  PumpFor(100);
  EXPECT_EQ(gOldTicks, 0);
  EXPECT_GE(gNewTicks, 3);
  StopTimer(MainWindow, 1);
}

TEST_F(WindowTest, TimerMayStopItselfFromItsCallback) {
  gSelfStopTicks = 0;
  StartTimer(MainWindow, 3, 5, StopSelf);
  PumpFor(80);
  EXPECT_EQ(gSelfStopTicks, 1);
  EXPECT_FALSE(IsTimerRunning(MainWindow, 3));
}

TEST_F(WindowTest, TimerMayRearmItselfFromItsCallback) {
  gRearmTicks = gNewTicks = 0;
  StartTimer(MainWindow, 3, 5, RearmSelf);
  PumpFor(100);
  EXPECT_EQ(gRearmTicks, 1);
  EXPECT_GE(gNewTicks, 3);
  StopTimer(MainWindow, 3);
}

TEST_F(WindowTest, ClosingAWindowStopsItsTimers) {
  ASSERT_TRUE(OpenWindow(OwnedWindow, 100, 80, "", 0, MainWindow));
  gTicks = 0;
  StartTimer(OwnedWindow, 0, 5, CountTick);
  CloseWindow(OwnedWindow);
  EXPECT_FALSE(IsTimerRunning(OwnedWindow, 0));
  PumpFor(40);
  EXPECT_EQ(gTicks, 0);
}

namespace {
int gDialogTicks = 0;
void TickThenDismiss() {
  if (++gDialogTicks == 5) DismissDialog();
}
}  // namespace

TEST_F(WindowTest, TimersKeepFiringInsideARealMessageBox) {
  ScriptDialogs(false);
  gDialogTicks = 0;
  StartTimer(MainWindow, 0, 5, TickThenDismiss);
  uint32_t start = ElapsedMilliseconds();
  ShowMessage("提示", "计时器继续运行");
  EXPECT_GE(gDialogTicks, 5);
  EXPECT_LT(ElapsedMilliseconds() - start, 5000u);
  StopTimer(MainWindow, 0);
}

TEST_F(WindowTest, DismissedYesNoBoxAnswersNo) {
  ScriptDialogs(false);
  gDialogTicks = 0;
  StartTimer(MainWindow, 0, 5, TickThenDismiss);
  EXPECT_FALSE(AskYesNo("提示", "地图还没保存是否需要保存？"));
  StopTimer(MainWindow, 0);
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

TEST_F(WindowTest, CursorCounterSettlesAtMinusOneAndOne) {
  // The pattern the programs use: hide or show once more only if needed.
  ShowSystemCursor();
  for (int frame = 0; frame < 5; ++frame)
    if (SystemCursorCount() >= 0) HideSystemCursor();
  EXPECT_EQ(SystemCursorCount(), -1);
  for (int frame = 0; frame < 5; ++frame)
    if (SystemCursorCount() < 1) ShowSystemCursor();
  EXPECT_EQ(SystemCursorCount(), 1);
  HideSystemCursor();
  EXPECT_EQ(SystemCursorCount(), 0);
}

// ---- Shortcuts --------------------------------------------------------------------------------

TEST_F(WindowTest, ShortcutsWithModifiersReachTheirOwnEventNumbers) {
  AddShortcut(MainWindow, 'A', ModShift | ModCtrl | ModAlt, 101);
  AddShortcut(MainWindow, 'Z', ModShift | ModCtrl | ModAlt, 103);
  AddShortcut(MainWindow, 'Z', ModCtrl | ModAlt, 110);
  AddShortcut(MainWindow, 'N', ModCtrl, 30);
  AddShortcut(MainWindow, 'N', ModAlt, 31);
  AddShortcut(MainWindow, '5', 0, 5);
  AddShortcut(MainWindow, '1', ModCtrl, 41);
  ActivateWindow(MainWindow);
  ASSERT_TRUE(IsWindowActive(MainWindow));

  struct Press { char key; int modifiers; int expected; };
  const Press presses[] = {
      {'Z', ModCtrl | ModAlt, 110}, {'Z', ModShift | ModCtrl | ModAlt, 103},
      {'A', ModShift | ModCtrl | ModAlt, 101}, {'N', ModCtrl, 30}, {'N', ModAlt, 31},
      {'5', 0, 5}, {'1', ModCtrl, 41}};
  for (const Press& press : presses) {
    SimulateKeyPress(MainWindow, press.key, press.modifiers);
    std::vector<Event> events = DrainEvents();
    ASSERT_EQ(events.size(), 1u) << press.key << " " << press.modifiers;
    EXPECT_EQ(events[0].kind, EventShortcut);
    EXPECT_EQ(events[0].window, MainWindow);
    EXPECT_EQ(events[0].number, press.expected);
  }
}

TEST_F(WindowTest, UnregisteredKeysAndInactiveWindowsDeliverNothing) {
  AddShortcut(MainWindow, 'Z', ModCtrl | ModAlt, 110);
  ActivateWindow(MainWindow);
  SimulateKeyPress(MainWindow, 'Z', ModCtrl);
  SimulateKeyPress(MainWindow, 'Z', 0);
  SimulateKeyPress(MainWindow, '1', 0);
  EXPECT_TRUE(DrainEvents().empty());

  ASSERT_TRUE(OpenWindow(OtherWindow, 100, 80, "其他"));
  ActivateWindow(OtherWindow);
  SimulateKeyPress(MainWindow, 'Z', ModCtrl | ModAlt);
  SimulateKeyPress(OtherWindow, 'Z', ModCtrl | ModAlt);
  for (const Event& event : DrainEvents()) EXPECT_NE(event.kind, EventShortcut);
}
