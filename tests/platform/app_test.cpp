// Platform start and end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/app.h"
#include "platform/window.h"

namespace {

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
 public:
  void Set(const std::string& name, const char* value) {
    const char* old = std::getenv(name.c_str());
    saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
    value ? setenv(name.c_str(), value, 1) : unsetenv(name.c_str());
  }
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_)
      value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

void NoteTick() {}

}  // namespace

// The test program's entry ends with code 1 when InitPlatform fails; Qt itself would abort.
TEST(PlatformStart, WithoutAUsableDisplayInitFailsInsteadOfAborting) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (const char* display : {"", ":97"}) {
    ScopedEnvironment environment;
    environment.Set("QT_QPA_PLATFORM", nullptr);
    environment.Set("DISPLAY", display);
    environment.Set("WAYLAND_DISPLAY", nullptr);
    EXPECT_EXIT(InitPlatform(), testing::ExitedWithCode(1), "") << display;
  }
}

TEST(PlatformEnd, ShutdownClosesWindowsStopsTimersAndShowsTheCursor) {
  EXPECT_TRUE(InitPlatform()) << "a second start is harmless";
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
