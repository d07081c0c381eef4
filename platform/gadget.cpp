// Gadgets: Qt widgets addressed by the program's numbers.
//
// Sections:
//   [Table]     the gadget table and the current gadget list
//   [Creation]  one function per kind of gadget
//   [Access]    state, text, items and geometry
//   [Tests]     simulated user changes
//
// A user change posts EventGadget from the widget's signal; every change made by the program
// runs under a QSignalBlocker so that it posts nothing.

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>

#include <vector>

#include "platform/gadget.h"
#include "platform/journal.h"
#include "platform/picture_internal.h"
#include "platform/qt_internal.h"
#include "platform/window_internal.h"

// ---- [Table] ----------------------------------------------------------------------------------

namespace {

enum GadgetKind { KindFrame, KindContainer, KindCheckBox, KindTrackBar, KindButton,
                  KindImageButton, KindComboBox, KindText, KindImage, KindString,
                  KindMultiLineString };

struct GadgetSlot {
  GadgetKind kind;
  QPointer<QWidget> widget;   // null once Qt deleted it with its parent
  int window;                 // the window it lives on
  std::string text;           // a text gadget's text as the program gave it
};

struct GadgetRegistry {
  std::map<int, GadgetSlot> gadgets;                  // by the program's gadget number
  int listWindow = -1;                                // window of the current gadget list
  std::vector<QPointer<QWidget>> openContainers;      // innermost last
};

GadgetRegistry gGadgets;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The live slot of a gadget, or nullptr.
GadgetSlot* FindGadget(int gadget) {
  auto it = gGadgets.gadgets.find(gadget);
  return it != gGadgets.gadgets.end() && it->second.widget ? &it->second : nullptr;
}

template <typename Widget>
Widget* WidgetOf(int gadget, GadgetKind kind) {
  GadgetSlot* slot = FindGadget(gadget);
  return slot && slot->kind == kind ? static_cast<Widget*>(slot->widget.data()) : nullptr;
}

QWidget* CurrentParent() {
  auto& open = gGadgets.openContainers;
  while (!open.empty() && !open.back()) open.pop_back();
  return open.empty() ? WindowClientWidget(gGadgets.listWindow) : open.back().data();
}

// Puts a new widget on the current gadget list under the number, replacing an older gadget.
template <typename Widget>
Widget* PlaceGadget(int gadget, GadgetKind kind, int x, int y, int width, int height) {
  JournalCall("gadget " + std::to_string(gadget) + " kind " + std::to_string(kind) + " at " +
              std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(width) + "x" +
              std::to_string(height));
  QWidget* parent = CurrentParent();
  if (!parent) return nullptr;
  FreeGadget(gadget);
  auto* widget = new Widget(parent);
  widget->setGeometry(x, y, width, height);
  widget->show();
  gGadgets.gadgets[gadget] = {kind, widget, gGadgets.listWindow, {}};
  return widget;
}

// Posts the gadget's event.
void PostGadgetEvent(int gadget) {
  if (GadgetSlot* slot = FindGadget(gadget)) PostEvent({EventGadget, slot->window, gadget});
}

// Windows line breaks become Qt's.
QString DisplayText(const std::string& text) {
  return Q(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

void UseGadgetList(int window) {
  gGadgets.listWindow = window;
  gGadgets.openContainers.clear();
}

void CloseGadgetList() {
  if (!gGadgets.openContainers.empty()) gGadgets.openContainers.pop_back();
}

void ForgetWindowGadgets(int window) {
  std::erase_if(gGadgets.gadgets, [window](const auto& entry) {
    return entry.second.window == window;
  });
  if (gGadgets.listWindow == window) UseGadgetList(-1);
}

bool IsGadget(int gadget) { return FindGadget(gadget) != nullptr; }

void FreeGadget(int gadget) {
  auto it = gGadgets.gadgets.find(gadget);
  if (it == gGadgets.gadgets.end()) return;
  QPointer<QWidget> widget = it->second.widget;
  gGadgets.gadgets.erase(it);
  delete widget.data();
}

// ---- [Creation] -------------------------------------------------------------------------------

bool FrameGadget(int gadget, int x, int y, int width, int height, const std::string& text) {
  JournalCall("gadget " + std::to_string(gadget) + " text [" + text + "]");
  auto* frame = PlaceGadget<QGroupBox>(gadget, KindFrame, x, y, width, height);
  if (frame) frame->setTitle(Q(text));
  return frame;
}

bool ContainerGadget(int gadget, int x, int y, int width, int height) {
  auto* container = PlaceGadget<QWidget>(gadget, KindContainer, x, y, width, height);
  if (container) gGadgets.openContainers.push_back(container);
  return container;
}

bool CheckBoxGadget(int gadget, int x, int y, int width, int height, const std::string& text) {
  JournalCall("gadget " + std::to_string(gadget) + " text [" + text + "]");
  auto* box = PlaceGadget<QCheckBox>(gadget, KindCheckBox, x, y, width, height);
  if (!box) return false;
  box->setText(Q(text));
  QObject::connect(box, &QCheckBox::clicked, [gadget] { PostGadgetEvent(gadget); });
  return true;
}

bool TrackBarGadget(int gadget, int x, int y, int width, int height, int minimum, int maximum) {
  auto* slider = PlaceGadget<QSlider>(gadget, KindTrackBar, x, y, width, height);
  if (!slider) return false;
  slider->setOrientation(Qt::Horizontal);
  slider->setTracking(true);
  slider->setRange(minimum, maximum);
  slider->setValue(minimum);
  QObject::connect(slider, &QSlider::valueChanged, [gadget] { PostGadgetEvent(gadget); });
  return true;
}

bool ButtonGadget(int gadget, int x, int y, int width, int height, const std::string& text) {
  JournalCall("gadget " + std::to_string(gadget) + " text [" + text + "]");
  auto* button = PlaceGadget<QPushButton>(gadget, KindButton, x, y, width, height);
  if (!button) return false;
  button->setText(Q(text));
  QObject::connect(button, &QPushButton::clicked, [gadget] { PostGadgetEvent(gadget); });
  return true;
}

bool ImageButtonGadget(int gadget, int x, int y, int width, int height, int sprite) {
  auto* button = PlaceGadget<QPushButton>(gadget, KindImageButton, x, y, width, height);
  if (!button) return false;
  QImage picture = SpriteImage(sprite);
  if (!picture.isNull()) {
    QSize size(width, height);
    button->setIcon(QPixmap::fromImage(
        picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    button->setIconSize(size);
  }
  QObject::connect(button, &QPushButton::clicked, [gadget] { PostGadgetEvent(gadget); });
  return true;
}

bool ComboBoxGadget(int gadget, int x, int y, int width, int height) {
  auto* list = PlaceGadget<QComboBox>(gadget, KindComboBox, x, y, width, height);
  if (!list) return false;
  QObject::connect(list, &QComboBox::currentIndexChanged, [gadget] { PostGadgetEvent(gadget); });
  return true;
}

bool TextGadget(int gadget, int x, int y, int width, int height, const std::string& text) {
  JournalCall("gadget " + std::to_string(gadget) + " text [" + text + "]");
  auto* label = PlaceGadget<QLabel>(gadget, KindText, x, y, width, height);
  if (!label) return false;
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  SetGadgetText(gadget, text);
  return true;
}

bool ImageGadget(int gadget, int x, int y, int width, int height, int image) {
  auto* label = PlaceGadget<QLabel>(gadget, KindImage, x, y, width, height);
  if (!label) return false;
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (const QImage* picture = ImageForDrawing(image)) label->setPixmap(QPixmap::fromImage(*picture));
  return true;
}

bool StringGadget(int gadget, int x, int y, int width, int height, const std::string& text,
                  int flags) {
  JournalCall("gadget " + std::to_string(gadget) + " text [" + text + "]");
  if (flags & StringMultiLine) {
    auto* edit = PlaceGadget<QPlainTextEdit>(gadget, KindMultiLineString, x, y, width, height);
    if (!edit) return false;
    edit->setPlainText(DisplayText(text));
    QObject::connect(edit, &QPlainTextEdit::textChanged, [gadget] { PostGadgetEvent(gadget); });
    return true;
  }
  auto* edit = PlaceGadget<QLineEdit>(gadget, KindString, x, y, width, height);
  if (!edit) return false;
  edit->setText(Q(text));
  if (flags & StringMasked) edit->setEchoMode(QLineEdit::Password);
  QObject::connect(edit, &QLineEdit::textEdited, [gadget] { PostGadgetEvent(gadget); });
  return true;
}

// ---- [Access] ---------------------------------------------------------------------------------

// Sets the state without a journal line: the user's own changes go through here too.
static void ApplyGadgetState(int gadget, int state) {
  GadgetSlot* slot = FindGadget(gadget);
  if (!slot) return;
  QSignalBlocker quiet(slot->widget);
  if (auto* box = WidgetOf<QCheckBox>(gadget, KindCheckBox)) box->setChecked(state != 0);
  if (auto* slider = WidgetOf<QSlider>(gadget, KindTrackBar)) slider->setValue(state);
  if (auto* list = WidgetOf<QComboBox>(gadget, KindComboBox))
    list->setCurrentIndex(state >= 0 && state < list->count() ? state : -1);
}

void SetGadgetState(int gadget, int state) {
  if (!FindGadget(gadget)) return;
  JournalCall("gadget " + std::to_string(gadget) + " state " + std::to_string(state));
  ApplyGadgetState(gadget, state);
}

int GadgetState(int gadget) {
  if (auto* box = WidgetOf<QCheckBox>(gadget, KindCheckBox)) return box->isChecked() ? 1 : 0;
  if (auto* slider = WidgetOf<QSlider>(gadget, KindTrackBar)) return slider->value();
  if (auto* list = WidgetOf<QComboBox>(gadget, KindComboBox)) return list->currentIndex();
  return 0;
}

void SetGadgetText(int gadget, const std::string& text) {
  GadgetSlot* slot = FindGadget(gadget);
  if (!slot) return;
  JournalCall("gadget " + std::to_string(gadget) + " text [" + text + "]");
  QSignalBlocker quiet(slot->widget);
  switch (slot->kind) {
    case KindFrame: static_cast<QGroupBox*>(slot->widget.data())->setTitle(Q(text)); break;
    case KindCheckBox:
    case KindButton: static_cast<QAbstractButton*>(slot->widget.data())->setText(Q(text)); break;
    case KindText:
      slot->text = text;
      static_cast<QLabel*>(slot->widget.data())->setText(DisplayText(text));
      break;
    case KindString: static_cast<QLineEdit*>(slot->widget.data())->setText(Q(text)); break;
    case KindMultiLineString:
      static_cast<QPlainTextEdit*>(slot->widget.data())->setPlainText(DisplayText(text));
      break;
    case KindComboBox: {
      auto* list = static_cast<QComboBox*>(slot->widget.data());
      list->setCurrentIndex(list->findText(Q(text)));
      break;
    }
    case KindContainer:
    case KindTrackBar:
    case KindImageButton:
    case KindImage: break;
  }
}

std::string GadgetText(int gadget) {
  GadgetSlot* slot = FindGadget(gadget);
  if (!slot) return {};
  QWidget* widget = slot->widget;
  switch (slot->kind) {
    case KindFrame: return static_cast<QGroupBox*>(widget)->title().toStdString();
    case KindCheckBox:
    case KindButton: return static_cast<QAbstractButton*>(widget)->text().toStdString();
    case KindText: return slot->text;
    case KindString: return static_cast<QLineEdit*>(widget)->text().toStdString();
    case KindMultiLineString:
      return static_cast<QPlainTextEdit*>(widget)->toPlainText().toStdString();
    case KindComboBox: return static_cast<QComboBox*>(widget)->currentText().toStdString();
    case KindContainer:
    case KindTrackBar:
    case KindImageButton:
    case KindImage: break;
  }
  return {};
}

void AddGadgetItem(int gadget, const std::string& text) {
  auto* list = WidgetOf<QComboBox>(gadget, KindComboBox);
  if (!list) return;
  JournalCall("gadget " + std::to_string(gadget) + " item [" + text + "]");
  QSignalBlocker quiet(list);
  int selected = list->currentIndex();
  list->addItem(Q(text));
  // Qt selects the first item added; the program's lists start with no selection.
  list->setCurrentIndex(selected);
}

void ClearGadgetItems(int gadget) {
  auto* list = WidgetOf<QComboBox>(gadget, KindComboBox);
  if (!list) return;
  JournalCall("gadget " + std::to_string(gadget) + " clear");
  QSignalBlocker quiet(list);
  list->clear();
}

int CountGadgetItems(int gadget) {
  auto* list = WidgetOf<QComboBox>(gadget, KindComboBox);
  return list ? list->count() : 0;
}

std::string GadgetItemText(int gadget, int index) {
  auto* list = WidgetOf<QComboBox>(gadget, KindComboBox);
  return list ? list->itemText(index).toStdString() : std::string();
}

int GadgetX(int gadget) {
  GadgetSlot* slot = FindGadget(gadget);
  return slot ? slot->widget->x() : 0;
}

int GadgetY(int gadget) {
  GadgetSlot* slot = FindGadget(gadget);
  return slot ? slot->widget->y() : 0;
}

int GadgetWidth(int gadget) {
  GadgetSlot* slot = FindGadget(gadget);
  return slot ? slot->widget->width() : 0;
}

int GadgetHeight(int gadget) {
  GadgetSlot* slot = FindGadget(gadget);
  return slot ? slot->widget->height() : 0;
}

// A text gadget's lines and a button's caption are measured as drawn, unwrapped; the style's
// smallest button, wider than some captions need, does not count.
int GadgetNeededWidth(int gadget) {
  GadgetSlot* slot = FindGadget(gadget);
  if (!slot) return 0;
  QWidget* widget = slot->widget.data();
  const QFontMetrics metrics(widget->font());
  if (slot->kind == KindText) {
    const auto* label = static_cast<QLabel*>(widget);
    int widest = 0;
    for (const QString& line : Q(slot->text).split(QLatin1Char('\n')))
      widest = std::max(widest, metrics.horizontalAdvance(line.trimmed()));
    return widest + 2 * (label->margin() + label->frameWidth());
  }
  if (slot->kind == KindButton) {
    const QStyle* style = widget->style();
    const int padding = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, widget) +
                        style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widget);
    return metrics.horizontalAdvance(static_cast<QPushButton*>(widget)->text()) + 2 * padding;
  }
  return widget->sizeHint().width();
}

void SetGadgetFont(int gadget, const std::string& face, int pixelSize) {
  GadgetSlot* slot = FindGadget(gadget);
  if (!slot) return;
  QFont font(Q(face));
  font.setPixelSize(pixelSize);
  slot->widget->setFont(font);
}

// ---- [Tests] ----------------------------------------------------------------------------------

// Each change goes through the widget's own user signal, so the wiring is what is exercised.
// The value is first moved away under a blocker, so the signal fires even when the state is
// already the requested one (a click on a checked box still reaches the program).
void SimulateGadgetChange(int gadget, int state) {
  GadgetSlot* slot = FindGadget(gadget);
  if (!slot) return;
  if (auto* box = WidgetOf<QCheckBox>(gadget, KindCheckBox)) {
    ApplyGadgetState(gadget, state ? 0 : 1);
    box->click();
  } else if (auto* slider = WidgetOf<QSlider>(gadget, KindTrackBar)) {
    int away = state == slider->minimum() ? slider->maximum() : slider->minimum();
    if (away == state) {
      PostGadgetEvent(gadget);
      return;
    }
    ApplyGadgetState(gadget, away);
    slider->setValue(state);
  } else if (auto* list = WidgetOf<QComboBox>(gadget, KindComboBox)) {
    ApplyGadgetState(gadget, -1);
    list->setCurrentIndex(state);
  } else if (slot->kind == KindButton || slot->kind == KindImageButton) {
    static_cast<QPushButton*>(slot->widget.data())->click();
  } else {
    PostGadgetEvent(gadget);
  }
}
