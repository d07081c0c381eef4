// Starting programs, sleeping and the monotonic clock.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/process.h"

namespace fs = std::filesystem;

TEST(Process, RunProgramStartsAnExistingProgramFoundWithoutRegardToCase) {
  fs::path previous = fs::current_path();
  fs::path root = fs::temp_directory_path() / ("pelmora_run_" + std::to_string(getpid()));
  fs::create_directories(root);
  fs::path marker = root / "started";
  {
    std::ofstream script(root / "Kestrand");
    script << "#!/bin/sh\ntouch '" << marker.string() << "'\n";
  }
  fs::permissions(root / "Kestrand", fs::perms::owner_all);
  fs::current_path(root);

  EXPECT_FALSE(RunProgram("Missing.exe"));
  EXPECT_TRUE(RunProgram("kestrand")) << "a bare name is looked for in the current directory";
  uint32_t start = ElapsedMilliseconds();
  while (!fs::exists(marker) && ElapsedMilliseconds() - start < 5000) Delay(10);
  EXPECT_TRUE(fs::exists(marker));

  fs::current_path(previous);
  fs::remove_all(root);
}

// BROWSER: the first command that starts gets the address, in place of %s or after its words.
TEST(Process, OpenWebPageRunsTheFirstBrowserOfBrowserThatStarts) {
  const char* kept = std::getenv("BROWSER");
  const std::string previous = kept ? kept : "";
  const fs::path root = fs::temp_directory_path() / ("pelmora_browser_" + std::to_string(getpid()));
  fs::create_directories(root);
  const fs::path browser = root / "browser", browsed = root / "browsed";
  std::ofstream(browser) << "#!/bin/sh\necho \"$*\" >'" << browsed.string() << ".new' && mv '"
                         << browsed.string() << ".new' '" << browsed.string() << "'\n";
  fs::permissions(browser, fs::perms::owner_all);
  struct Case { std::string browsers, expected; };
  const Case cases[] = {
      {browser.string(), "file:///guide/index.html"},
      {"/missing/browser:" + browser.string() + " --new-window %s",
       "--new-window file:///guide/index.html"},
  };
  for (const Case& c : cases) {
    fs::remove(browsed);
    setenv("BROWSER", c.browsers.c_str(), 1);
    EXPECT_TRUE(OpenWebPage("file:///guide/index.html")) << c.browsers;
    const uint32_t start = ElapsedMilliseconds();
    while (!fs::exists(browsed) && ElapsedMilliseconds() - start < 5000) Delay(10);
    std::ifstream in(browsed);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, c.expected) << c.browsers;
  }
  kept ? setenv("BROWSER", previous.c_str(), 1) : unsetenv("BROWSER");
  fs::remove_all(root);
}

TEST(Process, DelaySleepsAtLeastTheGivenTime) {
  uint32_t start = ElapsedMilliseconds();
  Delay(30);
  EXPECT_GE(ElapsedMilliseconds() - start, 30u);
  start = ElapsedMilliseconds();
  Delay(-5);
  EXPECT_LT(ElapsedMilliseconds() - start, 20u);
}
