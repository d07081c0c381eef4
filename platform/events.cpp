// The event queue, the waits that drive Qt, and window timers.
//
// Sections:
//   [Queue]   posting, waiting, polling and pumping events
//   [Timers]  repeating timers per (window, number)

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <deque>
#include <map>
#include <utility>

#include "platform/qt_internal.h"
#include "platform/window_internal.h"

namespace {

struct TimerSlot {
  QTimer* timer;            // kept for the whole run; stopping only stops it
  TimerCallback callback;   // replaced by every start
};

struct EventState {
  std::deque<Event> queue;                          // posted, not yet taken, oldest first
  EventHandler handler = nullptr;                   // receives what PumpOnce takes
  unsigned dispatched = 0;                          // Qt events and timer callbacks run so far
  std::map<std::pair<int, int>, TimerSlot> timers;  // by (window, timer number)
};

EventState gEvents;

}  // namespace

// ---- [Queue] ----------------------------------------------------------------------------------

void NoteDispatched() { ++gEvents.dispatched; }

void PostEvent(const Event& event) {
  gEvents.queue.push_back(event);
  NoteDispatched();
}

static Event TakeEvent() {
  if (gEvents.queue.empty()) return {};
  Event event = gEvents.queue.front();
  gEvents.queue.pop_front();
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

void PumpOnce(int milliseconds) {
  unsigned before = gEvents.dispatched;
  QCoreApplication::processEvents();
  Event event = TakeEvent();
  if (event.kind != EventNone) {
    if (gEvents.handler) gEvents.handler(event);
    return;
  }
  if (gEvents.dispatched == before && milliseconds > 0) QThread::msleep(milliseconds);
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
      if (found->second.callback) found->second.callback();
    });
    it = gEvents.timers.emplace(key, TimerSlot{qtTimer, nullptr}).first;
  }
  it->second.callback = callback;
  it->second.timer->start(periodMs < 0 ? 0 : periodMs);
}

void StopTimer(int window, int timer) {
  auto it = gEvents.timers.find({window, timer});
  if (it != gEvents.timers.end()) it->second.timer->stop();
}

bool IsTimerRunning(int window, int timer) {
  auto it = gEvents.timers.find({window, timer});
  return it != gEvents.timers.end() && it->second.timer->isActive();
}

void StopWindowTimers(int window) {
  for (auto& [key, slot] : gEvents.timers)
    if (key.first == window) slot.timer->stop();
}

void ReleaseTimers() {
  for (auto& [key, slot] : gEvents.timers) delete slot.timer;
  gEvents.timers.clear();
  gEvents.queue.clear();
}
