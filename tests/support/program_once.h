// The one start of a program per test program: the first call enters the built application
// directory with scripted dialogs and answers true; later calls answer false.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/dialog.h"

inline bool EnterProgramOnce() {
  static bool entered = false;
  if (entered) return false;
  entered = true;
  EXPECT_EQ(chdir(PELMORA_APP_DIR), 0);
  ScriptDialogs(true);
  return true;
}
