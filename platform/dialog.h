// Modal dialogs. Timers keep firing while a dialog is open.
//
// Tests switch on the scripted responder: dialogs then never block; each one takes the next
// queued answer (or the cancel/OK default when none is queued) and is recorded.
#pragma once

#include <string>
#include <vector>

// Message box with an OK button.
void ShowMessage(const std::string& title, const std::string& text);
enum YesNoAnswer {
  AnswerYes,
  AnswerNo,
  AnswerCancelled,   // Esc or the close box: neither button was chosen
};
// Message box with Yes and No.
YesNoAnswer AskYesNo(const std::string& title, const std::string& text);
// One-line input box; the empty text when cancelled.
std::string AskText(const std::string& title, const std::string& prompt,
                    const std::string& defaultText);
// File dialogs. filter is "description|pattern" pairs joined by '|' ("地图文件 (*.xml)|*.xml").
// The chosen path, or the empty text when cancelled.
std::string ChooseOpenFile(const std::string& title, const std::string& startDirectory,
                           const std::string& filter);
std::string ChooseSaveFile(const std::string& title, const std::string& startDirectory,
                           const std::string& filter);
// Folder chooser: a path ending in '/', or the empty text when cancelled. A Windows start folder
// such as "C:\" starts in the user's home directory.
std::string ChooseFolder(const std::string& prompt, const std::string& startFolder);
// Colour chooser: a colour 0x00BBGGRR, or -1 when cancelled.
int ChooseColour(int initialColour);

// ---- Scripted responder (tests) ---------------------------------------------------------------

enum DialogKind { DialogMessage, DialogYesNo, DialogText, DialogOpenFile, DialogSaveFile,
                  DialogFolder, DialogColour };

struct ShownDialog {
  DialogKind kind;
  std::string title;
  std::string text;   // message, prompt or filter
  std::string start;  // default text or start directory
};

// Switches the responder on (clearing answers and record) or off.
void ScriptDialogs(bool on);
// Queues the answer of the next dialog: "yes"/"no" for AskYesNo, a text or path, a colour in
// decimal, "" for cancel (Esc or the close box).
void QueueDialogAnswer(const std::string& answer);
// A callback run inside the next dialog instead of taking a queued answer (to check what the
// program does while a dialog is open); it returns the answer.
using DialogProbe = std::string (*)();
void QueueDialogProbe(DialogProbe probe);
const std::vector<ShownDialog>& ShownDialogs();
// The title of the real modal dialog that is open, empty when none is (tests).
std::string OpenDialogTitle();
enum DismissWay { DismissByCloseBox, DismissByEscape };
// Closes the real modal dialog that is open, as its close box or the Esc key would (tests: called
// from a timer callback while a dialog runs).
void DismissDialog(DismissWay way = DismissByCloseBox);
