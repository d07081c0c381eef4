// Status bars: a row of fixed-width fields along the bottom of a window's client area.
//
// The bar covers the bottom of the fixed client size (the window does not grow), like a
// status bar inside a window of fixed outer size.

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>

#include <vector>

#include "platform/gadget.h"
#include "platform/journal.h"
#include "platform/qt_internal.h"
#include "platform/window_internal.h"

namespace {

constexpr int StatusBarPixels = 23;   // height of every status bar
constexpr int RestOfBar = -1;         // field width that takes what the others leave

struct StatusField {
  int width;                       // pixels, or RestOfBar
  QLabel* label;                   // the field's text and frame
  QProgressBar* progress;          // created by the first StatusBarProgress, else nullptr
};

struct StatusBarSlot {
  int window;                      // the window it sits on
  QPointer<QFrame> bar;            // null once Qt deleted it with its window
  std::vector<StatusField> fields; // left to right
};

struct StatusBarRegistry {
  std::map<int, StatusBarSlot> bars;   // by the program's status bar number
};

StatusBarRegistry gStatusBars;

StatusBarSlot* FindBar(int bar) {
  auto it = gStatusBars.bars.find(bar);
  return it != gStatusBars.bars.end() && it->second.bar ? &it->second : nullptr;
}

StatusField* FindField(int bar, int field) {
  StatusBarSlot* slot = FindBar(bar);
  if (!slot || field < 0 || field >= int(slot->fields.size())) return nullptr;
  return &slot->fields[field];
}

void LayOutFields(StatusBarSlot& slot) {
  int x = 0;
  for (StatusField& field : slot.fields) {
    int width = field.width == RestOfBar ? std::max(0, slot.bar->width() - x) : field.width;
    field.label->setGeometry(x, 0, width, StatusBarPixels);
    if (field.progress) field.progress->setGeometry(field.label->contentsRect());
    x += width;
  }
}

void RemoveBar(int bar) {
  auto it = gStatusBars.bars.find(bar);
  if (it == gStatusBars.bars.end()) return;
  QPointer<QFrame> widget = it->second.bar;
  gStatusBars.bars.erase(it);
  delete widget.data();
}

}  // namespace

void ForgetWindowStatusBar(int window) {
  std::erase_if(gStatusBars.bars, [window](const auto& entry) {
    return entry.second.window == window;
  });
}

bool CreateStatusBar(int bar, int window) {
  QWidget* client = WindowClientWidget(window);
  if (!client) return false;
  RemoveBar(bar);
  for (auto& [number, slot] : gStatusBars.bars)
    if (slot.window == window) {
      RemoveBar(number);
      break;
    }
  auto* frame = new QFrame(client);
  frame->setGeometry(0, client->height() - StatusBarPixels, client->width(), StatusBarPixels);
  frame->show();
  frame->raise();
  gStatusBars.bars[bar] = {window, frame, {}};
  return true;
}

void AddStatusBarField(int bar, int width) {
  StatusBarSlot* slot = FindBar(bar);
  if (!slot) return;
  auto* label = new QLabel(slot->bar);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  label->show();
  slot->fields.push_back({width < 0 ? RestOfBar : width, label, nullptr});
  LayOutFields(*slot);
}

void StatusBarText(int bar, int field, const std::string& text, int flags) {
  StatusField* f = FindField(bar, field);
  if (!f) return;
  // The editor sets its fields five times a second: only a change repaints a field.
  const Qt::Alignment alignment =
      ((flags & StatusCentred) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
  const int frame = (flags & StatusBorderless) ? QFrame::NoFrame : QFrame::Panel | QFrame::Sunken;
  const QString shown = QString::fromStdString(text);
  if (f->label->alignment() != alignment) f->label->setAlignment(alignment);
  if (f->label->frameStyle() != frame) f->label->setFrameStyle(frame);
  if (f->label->text() != shown) {
    JournalCall("status " + std::to_string(bar) + " " + std::to_string(field) + " [" + text + "]");
    f->label->setText(shown);
  }
  if (f->progress) f->progress->setGeometry(f->label->contentsRect());
}

std::string StatusBarFieldText(int bar, int field) {
  StatusField* f = FindField(bar, field);
  return f ? f->label->text().toStdString() : std::string();
}

int StatusBarFieldWidth(int bar, int field) {
  StatusField* f = FindField(bar, field);
  return f ? f->label->width() : 0;
}

int StatusBarFieldNeededWidth(int bar, int field) {
  StatusField* f = FindField(bar, field);
  if (!f) return 0;
  const QFontMetrics metrics(f->label->font());
  return metrics.horizontalAdvance(f->label->text()) +
         2 * (f->label->margin() + f->label->frameWidth());
}

void StatusBarProgress(int bar, int field, int value, int minimum, int maximum) {
  StatusField* f = FindField(bar, field);
  if (!f) return;
  JournalCall("status " + std::to_string(bar) + " " + std::to_string(field) + " progress " +
              std::to_string(value));
  if (!f->progress) {
    f->progress = new QProgressBar(f->label);
    f->progress->setTextVisible(false);
    f->progress->setGeometry(f->label->contentsRect());
    f->progress->show();
  }
  f->progress->setRange(minimum, maximum);
  f->progress->setValue(value);
}

int StatusBarProgressValue(int bar, int field) {
  StatusField* f = FindField(bar, field);
  return f && f->progress ? f->progress->value() : 0;
}

int StatusBarHeight(int window) {
  for (auto& [number, slot] : gStatusBars.bars)
    if (slot.window == window && slot.bar) return StatusBarPixels;
  return 0;
}
