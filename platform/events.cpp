// The event queue, the waits that drive Qt, and window timers.
//
// Sections:
//   [Queue]   posting, waiting, polling and pumping events
//   [Timers]  repeating timers per (window, number)
//   [Virtual] the virtual clock of the tests

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <climits>
#include <deque>
#include <map>
#include <utility>

#include "platform/journal.h"
#include "platform/qt_internal.h"
#include "platform/window_internal.h"

namespace {

struct TimerSlot {
  QTimer* timer;            // kept for the whole run; stopping only stops it
  TimerCallback callback;   // replaced by every start
  bool virtualActive = false;   // running on the virtual clock
  long long due = 0;            // virtual time of its next tick
  int periodMs = 0;
  long long started = 0;        // order of starts: of two timers due at once, the older first
  bool asleep = false;          // running, its callback skipped until WakeTimers
  bool wakesOthers = true;      // its callback wakes the sleeping timers
};

struct VirtualClock {
  bool on = false;
  long long now = 0;         // milliseconds
  long long starts = 0;      // timers started so far
};

struct EventState {
  std::deque<Event> queue;                          // posted, not yet taken, oldest first
  EventHandler handler = nullptr;                   // receives what PumpOnce takes
  unsigned dispatched = 0;                          // Qt events and timer callbacks run so far
  std::map<std::pair<int, int>, TimerSlot> timers;  // by (window, timer number)
};

EventState gEvents;
VirtualClock gClock;

bool FireDueTimer(long long until);

// Wakes every sleeping timer but the one named (the one whose callback wakes them).
void WakeOtherTimers(std::pair<int, int> except) {
  for (auto& [key, slot] : gEvents.timers) {
    if (!slot.asleep || key == except) continue;
    slot.asleep = false;
    if (!gClock.on) slot.timer->start(slot.timer->interval());
  }
}

}  // namespace

// ---- [Queue] ----------------------------------------------------------------------------------

void NoteDispatched() { ++gEvents.dispatched; }

void PostEvent(const Event& event) {
  gEvents.queue.push_back(event);
  NoteDispatched();
  WakeTimers();
}

// A timer that slept since the event was posted wakes again: the event is handled after its
// last tick.
static Event TakeEvent() {
  if (gEvents.queue.empty()) return {};
  Event event = gEvents.queue.front();
  gEvents.queue.pop_front();
  WakeTimers();
  return event;
}

Event WaitEvent() {
  while (gEvents.queue.empty()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return TakeEvent();
}

Event PollEvent() {
  QCoreApplication::processEvents();
  return TakeEvent();
}

void SetEventHandler(EventHandler handler) { gEvents.handler = handler; }

// The program pumps from inside long work that may change what its frames show: sleeping timers
// wake.
void PumpOnce(int milliseconds) {
  WakeTimers();
  unsigned before = gEvents.dispatched;
  QCoreApplication::processEvents();
  if (gClock.on) {
    // Each timer due now fires once, as Qt fires a late timer once.
    while (FireDueTimer(gClock.now)) {
    }
  }
  Event event = TakeEvent();
  if (event.kind != EventNone) {
    if (gEvents.handler) gEvents.handler(event);
    return;
  }
  if (gEvents.dispatched == before && milliseconds > 0) {
    if (gClock.on)
      gClock.now += milliseconds;
    else
      QThread::msleep(milliseconds);
  }
}

// ---- [Timers] ---------------------------------------------------------------------------------

void StartTimer(int window, int timer, int periodMs, TimerCallback callback) {
  std::pair<int, int> key{window, timer};
  auto it = gEvents.timers.find(key);
  if (it == gEvents.timers.end()) {
    auto* qtTimer = new QTimer;
    qtTimer->setTimerType(Qt::PreciseTimer);
    // The callback is looked up at each tick, so a re-arm from inside a callback takes effect.
    QObject::connect(qtTimer, &QTimer::timeout, [key] {
      auto found = gEvents.timers.find(key);
      if (found == gEvents.timers.end() || !found->second.timer->isActive()) return;
      NoteDispatched();
      if (found->second.wakesOthers) WakeOtherTimers(key);
      if (found->second.callback) found->second.callback();
    });
    it = gEvents.timers.emplace(key, TimerSlot{qtTimer, nullptr}).first;
  }
  TimerSlot& slot = it->second;
  slot.callback = callback;
  slot.asleep = false;
  const int period = periodMs < 0 ? 0 : periodMs;
  if (IsCallJournalOn())
    JournalCall("timer start " + std::to_string(window) + " " + std::to_string(timer) + " " +
                std::to_string(period) + " " +
                JournalCallbackName(reinterpret_cast<const void*>(callback)));
  if (gClock.on) {
    slot.timer->stop();
    slot.virtualActive = true;
    slot.periodMs = period;
    slot.due = gClock.now + period;
    slot.started = ++gClock.starts;
    return;
  }
  slot.timer->start(period);
}

void StopTimer(int window, int timer) {
  JournalCall("timer stop " + std::to_string(window) + " " + std::to_string(timer));
  auto it = gEvents.timers.find({window, timer});
  if (it == gEvents.timers.end()) return;
  it->second.timer->stop();
  it->second.virtualActive = false;
  it->second.asleep = false;
}

bool IsTimerRunning(int window, int timer) {
  auto it = gEvents.timers.find({window, timer});
  if (it == gEvents.timers.end()) return false;
  const TimerSlot& slot = it->second;
  return slot.asleep || (gClock.on ? slot.virtualActive : slot.timer->isActive());
}

void SleepTimer(int window, int timer) {
  auto it = gEvents.timers.find({window, timer});
  if (it == gEvents.timers.end() || !IsTimerRunning(window, timer)) return;
  TimerSlot& slot = it->second;
  slot.asleep = true;
  // On the real clock nothing need run at all; under virtual time the schedule goes on.
  if (!gClock.on) slot.timer->stop();
}

bool IsTimerAsleep(int window, int timer) {
  auto it = gEvents.timers.find({window, timer});
  return it != gEvents.timers.end() && it->second.asleep;
}

void WakeTimers() { WakeOtherTimers({INT_MIN, INT_MIN}); }

void SetTimerWakesOthers(int window, int timer, bool wakes) {
  auto it = gEvents.timers.find({window, timer});
  if (it != gEvents.timers.end()) it->second.wakesOthers = wakes;
}

void StopWindowTimers(int window) {
  for (auto& [key, slot] : gEvents.timers)
    if (key.first == window) {
      slot.timer->stop();
      slot.virtualActive = false;
    }
}

void ReleaseTimers() {
  for (auto& [key, slot] : gEvents.timers) delete slot.timer;
  gEvents.timers.clear();
  gEvents.queue.clear();
}

// ---- [Virtual] --------------------------------------------------------------------------------

namespace {

// Fires the earliest timer due at or before `until`, moving the clock to its time; false when
// none is due.
bool FireDueTimer(long long until) {
  TimerSlot* next = nullptr;
  std::pair<int, int> nextKey;
  for (auto& [key, slot] : gEvents.timers) {
    if (!slot.virtualActive || slot.due > until) continue;
    if (next == nullptr || slot.due < next->due ||
        (slot.due == next->due && slot.started < next->started)) {
      next = &slot;
      nextKey = key;
    }
  }
  if (next == nullptr) return false;
  if (next->due > gClock.now) gClock.now = next->due;
  // A timer of period 0 fires once per pump, not endlessly.
  next->due = gClock.now + (next->periodMs > 0 ? next->periodMs : 1);
  if (next->asleep) return true;   // a tick skipped: it would have changed nothing
  NoteDispatched();
  if (next->wakesOthers) WakeOtherTimers(nextKey);
  if (next->callback) next->callback();
  return true;
}

}  // namespace

void UseVirtualTime(bool on) {
  if (on == gClock.on) return;
  gClock.on = on;
  for (auto& [key, slot] : gEvents.timers) {
    if (on && slot.timer->isActive()) {
      slot.periodMs = slot.timer->interval();
      slot.due = gClock.now + slot.periodMs;
      slot.started = ++gClock.starts;
      slot.virtualActive = true;
      slot.timer->stop();
    } else if (!on && slot.virtualActive) {
      slot.virtualActive = false;
      slot.timer->start(slot.periodMs);
    }
  }
}

bool IsVirtualTimeOn() { return gClock.on; }

void AdvanceVirtualTime(int milliseconds) {
  const long long target = gClock.now + (milliseconds > 0 ? milliseconds : 0);
  while (FireDueTimer(target)) {
  }
  gClock.now = target;
}
