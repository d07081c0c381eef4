// The texts of the dialogs the scripted responder was shown, in order.
#pragma once

#include <string>
#include <vector>

#include "platform/dialog.h"

inline std::vector<std::string> ShownTexts() {
  std::vector<std::string> texts;
  for (const ShownDialog& d : ShownDialogs()) texts.push_back(d.text);
  return texts;
}
