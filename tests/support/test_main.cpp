// Test entry: the platform needs its application object before any test touches a window.
#include <gtest/gtest.h>

#include "platform/app.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!InitPlatform()) return 1;
  return RUN_ALL_TESTS();
}
