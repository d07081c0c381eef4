// Platform start and end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/app.h"
#include "platform/window.h"

namespace {

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
 public:
  void Set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    saved_.push_back({name, old ? old : "", old != nullptr});
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~ScopedEnvironment() {
    for (const Saved& s : saved_) {
      if (s.present) setenv(s.name.c_str(), s.value.c_str(), 1);
      else unsetenv(s.name.c_str());
    }
  }

 private:
  struct Saved { std::string name, value; bool present; };
  std::vector<Saved> saved_;
};

void NoteTick() {}

}  // namespace

TEST(PlatformStart, SecondInitIsHarmless) {
  EXPECT_TRUE(InitPlatform());
  EXPECT_TRUE(InitPlatform());
}

// The test program's entry ends with code 1 when InitPlatform fails; Qt itself would abort.
TEST(PlatformStart, WithoutAnyDisplayInitFailsInsteadOfAborting) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ScopedEnvironment environment;
  environment.Set("QT_QPA_PLATFORM", nullptr);
  environment.Set("DISPLAY", "");
  environment.Set("WAYLAND_DISPLAY", nullptr);
  EXPECT_EXIT(InitPlatform(), testing::ExitedWithCode(1), "");
}

TEST(PlatformStart, WithAnUnreachableDisplayInitFailsInsteadOfAborting) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ScopedEnvironment environment;
  environment.Set("QT_QPA_PLATFORM", nullptr);
  environment.Set("DISPLAY", ":97");
  environment.Set("WAYLAND_DISPLAY", nullptr);
  EXPECT_EXIT(InitPlatform(), testing::ExitedWithCode(1), "");
}

TEST(PlatformEnd, ShutdownClosesWindowsStopsTimersAndShowsTheCursor) {
  ASSERT_TRUE(OpenWindow(0, 200, 100, "主窗口"));
  ASSERT_TRUE(OpenWindow(1, 100, 50, "设置", 0, 0));
  StartTimer(0, 0, 10, NoteTick);
  int base = SystemCursorCount();
  HideSystemCursor();
  HideSystemCursor();
  ShutdownPlatform();
  EXPECT_FALSE(IsWindowOpen(0));
  EXPECT_FALSE(IsWindowOpen(1));
  EXPECT_FALSE(IsTimerRunning(0, 0));
  EXPECT_EQ(SystemCursorCount(), base < 0 ? 0 : base);
  // The platform stays usable afterwards.
  ASSERT_TRUE(OpenWindow(0, 200, 100, "又一次"));
  CloseWindow(0);
}
