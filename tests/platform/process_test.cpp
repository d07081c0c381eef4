// Starting programs, sleeping and the monotonic clock.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

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

TEST(Process, DelaySleepsAtLeastTheGivenTime) {
  uint32_t start = ElapsedMilliseconds();
  Delay(30);
  EXPECT_GE(ElapsedMilliseconds() - start, 30u);
  start = ElapsedMilliseconds();
  Delay(-5);
  EXPECT_LT(ElapsedMilliseconds() - start, 20u);
}
