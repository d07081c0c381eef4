// A window shown bigger than the program draws it: at a scale, or full screen with bars around
// the client area; and where the client area then lies in the client widget.

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

#include "platform/journal.h"
#include "platform/qt_internal.h"
#include "platform/shown_area.h"
#include "platform/window_internal.h"

namespace {

constexpr int OwnSize = 100;   // percent

WindowSlot* FindSlot(int window) {
  auto it = gWindows.open.find(window);
  return it == gWindows.open.end() || !it->second.frame ? nullptr : &it->second;
}

QScreen* ScreenOf(const WindowSlot& slot) {
  QScreen* screen = slot.frame->screen();
  return screen ? screen : QGuiApplication::primaryScreen();
}

// What the desktop's frame adds around the client area; kept from before full screen.
QSize DecorationOf(WindowSlot& slot) {
  if (!slot.fullScreen) slot.decoration = slot.frame->frameGeometry().size() - slot.frame->size();
  return slot.decoration;
}

// The windows centred on this one are centred again.
void CentreOwnedWindows(int window) {
  for (auto& [number, slot] : gWindows.open)
    if (slot.owner == window && slot.frame) CentreWindow(slot);
}

// The window at its scale, its client area centred on centre but kept inside the available area.
void ShowAtScale(WindowSlot& slot, QPoint centre) {
  const ShownArea size = ScaleClientArea(slot.width, slot.height, slot.scale);
  QWidget* frame = slot.frame;
  frame->setFixedSize(size.width, size.height);
  slot.client->setGeometry(0, 0, size.width, size.height);
  const QRect available = ScreenOf(slot)->availableGeometry();
  const QSize outer = QSize(size.width, size.height) + DecorationOf(slot);
  // move() places the frame; the client area lies inside it by the frame's top and left.
  const QPoint inset = frame->geometry().topLeft() - frame->pos();
  QPoint at = centre - QPoint(size.width / 2, size.height / 2) - inset;
  at.setX(std::max(available.left(), std::min(at.x(), available.right() + 1 - outer.width())));
  at.setY(std::max(available.top(), std::min(at.y(), available.bottom() + 1 - outer.height())));
  frame->move(at);
  slot.client->update();
}

}  // namespace

bool CanScaleWindow(int window, int percent) {
  WindowSlot* slot = FindSlot(window);
  if (!slot || percent < OwnSize) return false;
  const ShownArea size = ScaleClientArea(slot->width, slot->height, percent);
  const QSize outer = QSize(size.width, size.height) + DecorationOf(*slot);
  const QRect available = ScreenOf(*slot)->availableGeometry();
  return outer.width() <= available.width() && outer.height() <= available.height();
}

bool SetWindowScale(int window, int percent) {
  WindowSlot* slot = FindSlot(window);
  if (!slot || !CanScaleWindow(window, percent)) return false;
  JournalCall("window scale " + std::to_string(window) + " " + std::to_string(percent));
  slot->scale = percent;
  if (!slot->fullScreen) {
    ShowAtScale(*slot, slot->frame->geometry().center());
    CentreOwnedWindows(window);
  }
  return true;
}

int WindowScale(int window) {
  WindowSlot* slot = FindSlot(window);
  return slot ? slot->scale : OwnSize;
}

void SetWindowFullScreen(int window, bool on) {
  WindowSlot* slot = FindSlot(window);
  if (!slot || slot->fullScreen == on) return;
  JournalCall("window full screen " + std::to_string(window) + " " + (on ? "on" : "off"));
  QWidget* frame = slot->frame;
  if (on) {
    DecorationOf(*slot);
    slot->normalCentre = frame->geometry().center();
    slot->fullScreen = true;
    frame->setMinimumSize(0, 0);
    frame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // Without a window manager nothing would give the window the screen's size, so it takes it
    // itself; first, since a geometry set afterwards ends the full-screen state.
    frame->setGeometry(ScreenOf(*slot)->geometry());
    frame->showFullScreen();
    slot->client->update();
  } else {
    slot->fullScreen = false;
    frame->showNormal();
    ShowAtScale(*slot, slot->normalCentre);
  }
  CentreOwnedWindows(window);
}

bool IsWindowFullScreen(int window) {
  WindowSlot* slot = FindSlot(window);
  return slot && slot->fullScreen;
}

int ShownWindowWidth(int window) {
  WindowSlot* slot = FindSlot(window);
  return slot ? slot->client->width() : 0;
}

int ShownWindowHeight(int window) {
  WindowSlot* slot = FindSlot(window);
  return slot ? slot->client->height() : 0;
}

ShownClient ShownClientOf(int window) {
  WindowSlot* slot = FindSlot(window);
  if (!slot) return {};
  const QRect widget = slot->client->rect();
  ShownClient shown{widget, QSize(slot->width, slot->height)};
  if (slot->fullScreen) {
    const ShownArea a = FitClientArea(slot->width, slot->height, widget.width(), widget.height());
    shown.area = QRect(a.x, a.y, a.width, a.height);
  }
  return shown;
}
