// Windows, the pointer, the system cursor and keyboard shortcuts on Qt widgets; a window shown
// bigger (a scale, full screen) is in window_scale.cpp.
//
// Sections:
//   [Widgets]    the frame and client widget classes
//   [Windows]    open, close, title, activation
//   [Pointer]    pointer position and the system cursor counter
//   [Shortcuts]  keyboard shortcuts and their simulation

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>

#include "platform/gadget.h"
#include "platform/journal.h"
#include "platform/qt_internal.h"
#include "platform/shown_area.h"
#include "platform/window_internal.h"

WindowRegistry gWindows;

// ---- [Widgets] --------------------------------------------------------------------------------

namespace {

// Top-level frame: the close box asks the program instead of closing.
class FrameWidget : public QWidget {
 public:
  FrameWidget(int window, QWidget* owner, Qt::WindowFlags flags)
      : QWidget(owner, flags), window_(window) {}
  // Allows painting on screen (x11_present.cpp); Qt's own painting goes to the backing store.
  QPaintEngine* paintEngine() const override { return nullptr; }

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    PostEvent({EventCloseWindow, window_, 0});
  }
  // The client widget fills the frame, also when full screen makes it the screen's size.
  void resizeEvent(QResizeEvent*) override {
    if (QWidget* client = WindowClientWidget(window_)) client->setGeometry(rect());
  }

 private:
  int window_;
};

// Client area: shows the screen and turns mouse input into events.
// A point of the client widget as the program sees its client area: on a window shown bigger,
// the pixel drawn there; -1 outside [0, size), on the bars.
int ShownToClientX(int window, int shownX) {
  const ShownClient shown = ShownClientOf(window);
  return MapShownToClient(shownX, shown.area.x(), shown.area.width(), shown.size.width());
}

int ShownToClientY(int window, int shownY) {
  const ShownClient shown = ShownClientOf(window);
  return MapShownToClient(shownY, shown.area.y(), shown.area.height(), shown.size.height());
}

class ClientWidget : public QWidget {
 public:
  ClientWidget(int window, QWidget* frame) : QWidget(frame), window_(window) {
    setMouseTracking(true);
    // The screen paints every pixel it covers: Qt need not fill a background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  // Painting on screen (x11_present.cpp) no painter is made: the screen presents itself, and
  // only the black of the bars is around it.
  QPaintEngine* paintEngine() const override { return nullptr; }
  void paintEvent(QPaintEvent* event) override {
    NoteDispatched();
    if (IsSharedPresent(window_)) {
      PresentScreenShared(window_, event->region());
      return;
    }
    QPainter painter(this);
    const QRect screen = PaintScreenOnWindow(window_, painter, event->region());
    const auto it = gWindows.open.find(window_);
    const bool bars = it != gWindows.open.end() && it->second.fullScreen;
    for (const QRect& rest : event->region() - screen)
      painter.fillRect(rest, bars ? QBrush(Qt::black) : palette().window());
  }
  void mouseMoveEvent(QMouseEvent* event) override { PostMouse(EventMouseMove, event); }
  void mousePressEvent(QMouseEvent* event) override { PostButton(event, true); }
  void mouseReleaseEvent(QMouseEvent* event) override { PostButton(event, false); }

 private:
  void PostButton(QMouseEvent* event, bool down) {
    if (event->button() == Qt::LeftButton)
      PostMouse(down ? EventLeftButtonDown : EventLeftButtonUp, event);
    else if (event->button() == Qt::RightButton)
      PostMouse(down ? EventRightButtonDown : EventRightButtonUp, event);
  }
  void PostMouse(EventKind kind, QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    PostEvent({kind, window_, 0, ShownToClientX(window_, at.x()), ShownToClientY(window_, at.y())});
  }

  int window_;
};

}  // namespace

// ---- [Windows] --------------------------------------------------------------------------------

QWidget* WindowFrame(int window) {
  auto it = gWindows.open.find(window);
  return it == gWindows.open.end() ? nullptr : it->second.frame.data();
}

QWidget* WindowClientWidget(int window) {
  return WindowFrame(window) ? gWindows.open[window].client : nullptr;
}

void RepaintWindow(int window) {
  if (QWidget* client = WindowClientWidget(window)) client->update();
}

long long AreaOf(const QRegion& region) {
  long long pixels = 0;
  for (const QRect& r : region) pixels += (long long)r.width() * r.height();
  return pixels;
}

long long RepaintWindowRegion(int window, const QRegion& region) {
  QWidget* client = WindowClientWidget(window);
  if (!client) return 0;
  client->update(region);
  return AreaOf(region);
}

QWidget* DialogParent() {
  QWidget* active = QApplication::activeWindow();
  for (auto& [number, slot] : gWindows.open)
    if (slot.frame && slot.frame == active) return active;
  return nullptr;
}

std::string MainWindowTitle() {
  for (auto& [number, slot] : gWindows.open)
    if (slot.frame && slot.owner == NoOwner) return slot.frame->windowTitle().toStdString();
  return {};
}

// Drops what belongs to a window number once its frame is gone (closed, or deleted with its
// owner).
static void ForgetWindow(int window, const QWidget* frame) {
  auto it = gWindows.open.find(window);
  if (it == gWindows.open.end() || (it->second.frame && it->second.frame != frame)) return;
  gWindows.open.erase(it);
  StopWindowTimers(window);
  ForgetWindowGadgets(window);
  ForgetWindowStatusBar(window);
}

void CentreWindow(WindowSlot& slot) {
  QWidget* ownerFrame = slot.owner == NoOwner ? nullptr : WindowFrame(slot.owner);
  QRect around = ownerFrame ? ownerFrame->geometry()
                            : QGuiApplication::primaryScreen()->availableGeometry();
  slot.frame->move(around.center() - QPoint(slot.frame->width() / 2, slot.frame->height() / 2));
}

bool OpenWindow(int window, int width, int height, const std::string& title, int flags,
                int owner) {
  CloseWindow(window);
  JournalCall("window open " + std::to_string(window) + " " + std::to_string(width) + "x" +
              std::to_string(height) + " [" + title + "]");
  QWidget* ownerFrame = owner == NoOwner ? nullptr : WindowFrame(owner);
  Qt::WindowFlags qtFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (flags & WindowMinimiseBox) qtFlags |= Qt::WindowMinimizeButtonHint;
  auto* frame = new FrameWidget(window, ownerFrame, qtFlags);
  frame->setWindowTitle(QString::fromStdString(title));
  frame->setFixedSize(width, height);
  auto* client = new ClientWidget(window, frame);
  client->setGeometry(0, 0, width, height);

  WindowSlot& slot = gWindows.open[window];
  slot = WindowSlot{};
  slot.frame = frame;
  slot.client = client;
  slot.width = width;
  slot.height = height;
  slot.owner = ownerFrame ? owner : NoOwner;
  CentreWindow(slot);
  QObject::connect(frame, &QObject::destroyed, [window, frame] { ForgetWindow(window, frame); });
  frame->show();
  UseGadgetList(window);
  return true;
}

void CloseWindow(int window) {
  QWidget* frame = WindowFrame(window);
  if (frame != nullptr) JournalCall("window close " + std::to_string(window));
  ForgetWindow(window, frame);
  delete frame;
}

bool IsWindowOpen(int window) { return WindowFrame(window) != nullptr; }

void SetWindowTitle(int window, const std::string& title) {
  JournalCall("window title " + std::to_string(window) + " [" + title + "]");
  if (QWidget* frame = WindowFrame(window)) frame->setWindowTitle(QString::fromStdString(title));
}

std::string WindowTitle(int window) {
  QWidget* frame = WindowFrame(window);
  return frame ? frame->windowTitle().toStdString() : std::string();
}

bool IsWindowActive(int window) {
  QWidget* frame = WindowFrame(window);
  return frame && QApplication::activeWindow() == frame;
}

void ActivateWindow(int window) {
  QWidget* frame = WindowFrame(window);
  if (!frame) return;
  frame->raise();
  frame->activateWindow();
  QCoreApplication::processEvents();
}

// ---- [Pointer] --------------------------------------------------------------------------------

namespace {

// Asking the X server where the pointer is costs a round trip, and the programs ask every frame.
// The answer is kept until a mouse or window event of the program may have changed it, and for
// a short while at most, for the pointer moving over other programs' windows.
constexpr int PointerAgeLimitMs = 100;

struct PointerState {
  bool known = false;       // global holds the pointer position
  QPoint global;            // on the desktop
  QElapsedTimer age;        // since global was read
  bool watching = false;    // the event filter is installed
  int mappedWindow = -1;    // the window whose client area `mapped` is in, or -1
  QPoint mapped;            // global in that client area
};

PointerState gPointer;

// Sees every event of the application, also mouse moves over widgets that do not track them.
class PointerWatcher : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseMove:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::Enter:
      case QEvent::Leave:
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Show:
      case QEvent::Hide:
      case QEvent::WindowActivate:
      case QEvent::WindowDeactivate:
        gPointer.known = false;
        // What a frame shows of the pointer may change: a sleeping frame timer ticks again.
        WakeTimers();
        break;
      default: break;
    }
    return false;
  }
};

// The pointer in the client area of a window, read anew only when it may have moved.
QPoint PointerInClient(int window, QWidget* client) {
  PointerState& p = gPointer;
  if (!p.watching && qApp != nullptr) {
    qApp->installEventFilter(new PointerWatcher);
    p.watching = true;
  }
  if (!p.known || p.age.elapsed() > PointerAgeLimitMs) {
    p.global = QCursor::pos();
    p.age.start();
    p.known = true;
    p.mappedWindow = -1;
  }
  if (p.mappedWindow != window) {
    p.mapped = client->mapFromGlobal(p.global);
    p.mappedWindow = window;
  }
  return p.mapped;
}

}  // namespace

// One coordinate of the pointer in the client area, -1 outside [0, size): on a window shown
// bigger, where it is drawn; on the bars around it, outside.
static int PointerCoordinate(int window, bool horizontal) {
  QWidget* client = WindowClientWidget(window);
  if (!client) return -1;
  const QPoint at = PointerInClient(window, client);
  return horizontal ? ShownToClientX(window, at.x()) : ShownToClientY(window, at.y());
}

int WindowMouseX(int window) { return PointerCoordinate(window, true); }
int WindowMouseY(int window) { return PointerCoordinate(window, false); }

void MovePointerShown(int window, int x, int y) {
  QWidget* client = WindowClientWidget(window);
  if (!client) return;
  QCursor::setPos(client->mapToGlobal(QPoint(x, y)));
  gPointer.known = false;
}

void MovePointer(int window, int x, int y) {
  const ShownClient shown = ShownClientOf(window);
  const QRect& a = shown.area;
  MovePointerShown(window, MapClientToShown(x, a.x(), a.width(), shown.size.width()),
                   MapClientToShown(y, a.y(), a.height(), shown.size.height()));
}

void SimulatePointerEvent(int window, EventKind kind, int x, int y) {
  MovePointer(window, x, y);
  PostEvent({kind, window, 0, x, y});
}

int ShowSystemCursor() {
  if (++gWindows.cursorCount == 0) QApplication::restoreOverrideCursor();
  return gWindows.cursorCount;
}

int HideSystemCursor() {
  if (--gWindows.cursorCount == -1) QApplication::setOverrideCursor(Qt::BlankCursor);
  return gWindows.cursorCount;
}

int SystemCursorCount() { return gWindows.cursorCount; }

// ---- [Shortcuts] ------------------------------------------------------------------------------

// The Qt key combination of a letter, digit or function key with Shift/Ctrl/Alt.
static QKeyCombination KeyCombinationOf(int key, int modifiers) {
  Qt::KeyboardModifiers qtModifiers;
  if (modifiers & ModShift) qtModifiers |= Qt::ShiftModifier;
  if (modifiers & ModCtrl) qtModifiers |= Qt::ControlModifier;
  if (modifiers & ModAlt) qtModifiers |= Qt::AltModifier;
  if (key >= FunctionKey(1) && key <= FunctionKey(LastFunctionKey))
    return QKeyCombination(qtModifiers, Qt::Key(Qt::Key_F1 + key - FunctionKey(1)));
  // Qt's key codes for letters and digits are their upper-case character codes.
  int upper = key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key;
  return QKeyCombination(qtModifiers, Qt::Key(upper));
}

void AddShortcut(int window, int key, int modifiers, int eventNumber) {
  QWidget* frame = WindowFrame(window);
  if (!frame) return;
  auto* shortcut = new QShortcut(QKeySequence(KeyCombinationOf(key, modifiers)), frame);
  shortcut->setContext(Qt::WindowShortcut);
  shortcut->setAutoRepeat(false);
  QObject::connect(shortcut, &QShortcut::activated,
                   [window, eventNumber] { PostEvent({EventShortcut, window, eventNumber}); });
}

void SimulateKeyPress(int window, int key, int modifiers) {
  QWidget* frame = WindowFrame(window);
  if (!frame) return;
  QKeyCombination combination = KeyCombinationOf(key, modifiers);
  QWidget* target = frame->focusWidget() ? frame->focusWidget() : frame;
  QKeyEvent press(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, combination.key(), combination.keyboardModifiers());
  QCoreApplication::sendEvent(target, &release);
}
