// The one random source: a Mersenne Twister seeded once from the tick count and the thread.

#include <chrono>
#include <functional>
#include <random>
#include <thread>

#include "platform/random.h"

namespace {

struct RandomSource {
  std::mt19937 generator;   // the program's only generator
  bool seeded = false;      // set by the first use or by SeedRandom
};

RandomSource gRandom;

}  // namespace

void SeedRandom(uint32_t seed) {
  gRandom.generator.seed(seed);
  gRandom.seeded = true;
}

int Random(int n) {
  RandomSource& r = gRandom;
  if (!r.seeded) {
    auto ticks = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch()).count();
    size_t thread = std::hash<std::thread::id>{}(std::this_thread::get_id());
    SeedRandom(uint32_t(ticks) ^ uint32_t(thread) ^ uint32_t(uint64_t(thread) >> 32));
  }
  if (n <= 0) return 0;
  return std::uniform_int_distribution<int>(0, n)(r.generator);
}
