// The call journal of the tests.
#include "platform/journal.h"

#include <map>

namespace {

struct CallJournalState {
  bool on = false;
  std::vector<std::string> lines;              // in call order
  std::map<const void*, int> callbackNumbers;  // by first appearance, from 1
};

CallJournalState gJournal;

}  // namespace

void StartCallJournal() {
  gJournal.on = true;
  gJournal.lines.clear();
  gJournal.callbackNumbers.clear();
}

void StopCallJournal() { gJournal.on = false; }

bool IsCallJournalOn() { return gJournal.on; }

const std::vector<std::string>& CallJournal() { return gJournal.lines; }

// Line breaks inside a text are written as \n and \r, so that every call stays one line.
void JournalCall(const std::string& line) {
  if (!gJournal.on) return;
  std::string oneLine;
  for (char ch : line) {
    if (ch == '\n')
      oneLine += "\\n";
    else if (ch == '\r')
      oneLine += "\\r";
    else
      oneLine += ch;
  }
  gJournal.lines.push_back(oneLine);
}

std::string JournalCallbackName(const void* callback) {
  if (callback == nullptr) return "none";
  auto [it, added] = gJournal.callbackNumbers.emplace(
      callback, static_cast<int>(gJournal.callbackNumbers.size()) + 1);
  return "callback" + std::to_string(it->second);
}
