// Test entry: the platform needs its application object before any test touches a window, and
// releases what the tests left open afterwards, so that the leak check sees only real leaks.
#include <gtest/gtest.h>

#include "platform/app.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!InitPlatform()) return 1;
  const int result = RUN_ALL_TESTS();
  ShutdownPlatform();
  return result;
}
