// Modal dialogs on Qt, and the scripted responder that stands in for them in tests.
//
// Sections:
//   [Script]   the scripted responder
//   [Dialogs]  the dialogs themselves
//
// Every dialog runs its own modal loop (exec), in which Qt keeps delivering timer events. The
// dialog objects live on the heap behind a QPointer: a timer callback may close the window
// that parents an open dialog, and Qt then deletes the dialog with it.

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>

#include <deque>

#include "platform/colour.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/journal.h"
#include "platform/window_internal.h"

// ---- [Script] ---------------------------------------------------------------------------------

namespace {

struct ScriptedAnswer {
  std::string answer;          // used when probe is null
  DialogProbe probe = nullptr; // run inside the dialog call; its result is the answer
};

struct DialogScript {
  bool on = false;                     // dialogs are answered from the queue, never shown
  std::deque<ScriptedAnswer> answers;  // for the next dialogs, in order
  std::vector<ShownDialog> shown;      // every dialog asked for while on
};

DialogScript gScript;

// Records a dialog and gives its scripted answer; false when none is queued.
bool TakeScriptedAnswer(DialogKind kind, const std::string& title, const std::string& text,
                        const std::string& start, std::string& answer) {
  gScript.shown.push_back({kind, title, text, start});
  if (gScript.answers.empty()) return false;
  ScriptedAnswer next = gScript.answers.front();
  gScript.answers.pop_front();
  answer = next.probe ? next.probe() : next.answer;
  return true;
}

void JournalDialog(const char* kind, const std::string& title, const std::string& text,
                   const std::string& answer) {
  JournalCall(std::string("dialog ") + kind + " [" + title + "] [" + text + "] -> [" + answer +
              "]");
}

}  // namespace

void ScriptDialogs(bool on) {
  gScript.on = on;
  gScript.answers.clear();
  gScript.shown.clear();
}

void QueueDialogAnswer(const std::string& answer) { gScript.answers.push_back({answer, nullptr}); }

void QueueDialogProbe(DialogProbe probe) { gScript.answers.push_back({"", probe}); }

const std::vector<ShownDialog>& ShownDialogs() { return gScript.shown; }

std::string OpenDialogTitle() {
  QWidget* modal = QApplication::activeModalWidget();
  return modal ? modal->windowTitle().toStdString() : std::string();
}

void DismissDialog(DismissWay way) {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return;
  if (way == DismissByCloseBox) {
    modal->close();
    return;
  }
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(modal, &press);
}

// ---- [Dialogs] --------------------------------------------------------------------------------

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Runs a heap dialog modally; false when it was rejected or deleted meanwhile.
template <typename Dialog>
bool RunDialog(QPointer<Dialog>& dialog) {
  int result = dialog->exec();
  return dialog && result == QDialog::Accepted;
}

// "desc|pattern|desc|pattern" -> Qt's name filters ("desc (pattern)" keeps the patterns Qt
// reads from the parentheses, so the pattern part goes in as well when the description lacks it).
QStringList NameFilters(const std::string& filter) {
  QStringList parts = Q(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1].replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << (parts[i].contains(QLatin1Char('(')) ? parts[i]
                                                    : parts[i] + " (" + patterns + ")");
  }
  return filters;
}

// A start directory that exists here; Windows drive paths start at home.
QString StartDirectory(const std::string& start) {
  if (start.size() >= 2 && start[1] == ':') return QDir::homePath();
  std::string resolved = ResolvePath(start);
  return resolved.empty() ? QDir::currentPath() : Q(resolved);
}

std::string RunFileDialog(const std::string& title, const std::string& start,
                          const std::string& filter, bool save) {
  QPointer<QFileDialog> dialog = new QFileDialog(DialogParent(), Q(title), StartDirectory(start));
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  QStringList filters = NameFilters(filter);
  if (!filters.isEmpty()) dialog->setNameFilters(filters);
  std::string chosen;
  if (RunDialog(dialog) && !dialog->selectedFiles().isEmpty())
    chosen = dialog->selectedFiles().first().toStdString();
  delete dialog;
  return chosen;
}

std::string WithTrailingSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
  return folder;
}

// A box without a title would show the program's file name instead: it takes the title of the
// program's main window.
QString BoxTitle(const std::string& title) {
  return Q(title.empty() ? MainWindowTitle() : title);
}

// hidden names a button that is made but not shown.
QMessageBox::StandardButton RunMessageBox(const std::string& title, const std::string& text,
                                          QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton escape,
                                          QMessageBox::StandardButton hidden =
                                              QMessageBox::NoButton) {
  QPointer<QMessageBox> box =
      new QMessageBox(QMessageBox::NoIcon, BoxTitle(title), Q(text), buttons, DialogParent());
  box->setEscapeButton(escape);
  if (hidden != QMessageBox::NoButton) box->button(hidden)->hide();
  box->exec();
  auto answer = box ? box->standardButton(box->clickedButton()) : escape;
  delete box;
  return answer;
}

}  // namespace

void ShowMessage(const std::string& title, const std::string& text) {
  std::string answer;
  if (gScript.on) {
    TakeScriptedAnswer(DialogMessage, title, text, "", answer);
  } else {
    RunMessageBox(title, text, QMessageBox::Ok, QMessageBox::Ok);
  }
  JournalDialog("message", title, text, "ok");
}

static YesNoAnswer RunYesNo(const std::string& title, const std::string& text) {
  std::string answer;
  if (gScript.on) {
    if (!TakeScriptedAnswer(DialogYesNo, title, text, "", answer)) return AnswerCancelled;
    return answer == "yes" ? AnswerYes : answer == "no" ? AnswerNo : AnswerCancelled;
  }
  // Esc and the close box press a hidden Cancel button, so that they are told from 否.
  switch (RunMessageBox(title, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                        QMessageBox::Cancel, QMessageBox::Cancel)) {
    case QMessageBox::Yes: return AnswerYes;
    case QMessageBox::No: return AnswerNo;
    default: return AnswerCancelled;
  }
}

YesNoAnswer AskYesNo(const std::string& title, const std::string& text) {
  const YesNoAnswer answer = RunYesNo(title, text);
  JournalDialog("yesno", title, text,
                answer == AnswerYes ? "yes" : answer == AnswerNo ? "no" : "cancel");
  return answer;
}

static std::string RunAskText(const std::string& title, const std::string& prompt,
                              const std::string& defaultText) {
  std::string answer;
  if (gScript.on) {
    TakeScriptedAnswer(DialogText, title, prompt, defaultText, answer);
    return answer;
  }
  QPointer<QInputDialog> dialog = new QInputDialog(DialogParent());
  dialog->setWindowTitle(BoxTitle(title));
  dialog->setLabelText(Q(prompt));
  dialog->setTextValue(Q(defaultText));
  if (RunDialog(dialog)) answer = dialog->textValue().toStdString();
  delete dialog;
  return answer;
}

std::string AskText(const std::string& title, const std::string& prompt,
                    const std::string& defaultText) {
  std::string answer = RunAskText(title, prompt, defaultText);
  JournalDialog("text", title, prompt, answer);
  return answer;
}

std::string ChooseOpenFile(const std::string& title, const std::string& startDirectory,
                           const std::string& filter) {
  std::string answer;
  if (gScript.on)
    TakeScriptedAnswer(DialogOpenFile, title, filter, startDirectory, answer);
  else
    answer = RunFileDialog(title, startDirectory, filter, false);
  JournalDialog("open", title, filter, answer);
  return answer;
}

std::string ChooseSaveFile(const std::string& title, const std::string& startDirectory,
                           const std::string& filter) {
  std::string answer;
  if (gScript.on)
    TakeScriptedAnswer(DialogSaveFile, title, filter, startDirectory, answer);
  else
    answer = RunFileDialog(title, startDirectory, filter, true);
  JournalDialog("save", title, filter, answer);
  return answer;
}

static std::string RunFolderDialog(const std::string& prompt, const std::string& startFolder) {
  std::string answer;
  if (gScript.on) {
    TakeScriptedAnswer(DialogFolder, "", prompt, startFolder, answer);
    return WithTrailingSlash(answer);
  }
  QPointer<QFileDialog> dialog =
      new QFileDialog(DialogParent(), Q(prompt), StartDirectory(startFolder));
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setOption(QFileDialog::ShowDirsOnly);
  dialog->setFileMode(QFileDialog::Directory);
  if (RunDialog(dialog) && !dialog->selectedFiles().isEmpty())
    answer = dialog->selectedFiles().first().toStdString();
  delete dialog;
  return WithTrailingSlash(answer);
}

std::string ChooseFolder(const std::string& prompt, const std::string& startFolder) {
  std::string answer = RunFolderDialog(prompt, startFolder);
  JournalDialog("folder", "", prompt, answer);
  return answer;
}

static int RunColourDialog(int initialColour) {
  std::string answer;
  if (gScript.on) {
    if (!TakeScriptedAnswer(DialogColour, "", "", std::to_string(initialColour), answer) ||
        answer.empty())
      return -1;
    return std::atoi(answer.c_str());
  }
  QColor initial(RedOf(initialColour), GreenOf(initialColour), BlueOf(initialColour));
  QPointer<QColorDialog> dialog = new QColorDialog(initial, DialogParent());
  dialog->setOption(QColorDialog::DontUseNativeDialog);
  int colour = -1;
  if (RunDialog(dialog)) {
    QColor chosen = dialog->selectedColor();
    colour = Rgb(chosen.red(), chosen.green(), chosen.blue());
  }
  delete dialog;
  return colour;
}

int ChooseColour(int initialColour) {
  const int colour = RunColourDialog(initialColour);
  JournalDialog("colour", "", std::to_string(initialColour), std::to_string(colour));
  return colour;
}
