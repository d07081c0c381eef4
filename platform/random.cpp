// The one random source: a xorshift64* generator seeded once from the tick count and the thread.
// The shuffles draw millions of numbers in a row, so the generator and the mapping onto 0..n
// (a multiply and a shift, with a rare rejection that keeps it uniform) are kept cheap.

#include <chrono>
#include <functional>
#include <thread>

#include "platform/random.h"

namespace {

struct RandomSource {
  uint64_t state = 0;       // never 0 once seeded
  bool seeded = false;      // set by the first use or by SeedRandom
  uint64_t draws = 0;       // calls of Random
};

RandomSource gRandom;

uint32_t NextRandomBits() {
  uint64_t& s = gRandom.state;
  s ^= s >> 12;
  s ^= s << 25;
  s ^= s >> 27;
  return uint32_t((s * 2685821657736338717ull) >> 32);
}

}  // namespace

void SeedRandom(uint32_t seed) {
  // Spread the seed over all 64 bits (splitmix64 finaliser); the state must not be 0.
  uint64_t z = uint64_t(seed) + 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  gRandom.state = z != 0 ? z : 1;
  gRandom.seeded = true;
}

uint64_t RandomDraws() { return gRandom.draws; }

int Random(int n) {
  ++gRandom.draws;
  RandomSource& r = gRandom;
  if (!r.seeded) {
    auto ticks = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch()).count();
    size_t thread = std::hash<std::thread::id>{}(std::this_thread::get_id());
    SeedRandom(uint32_t(ticks) ^ uint32_t(thread) ^ uint32_t(uint64_t(thread) >> 32));
  }
  if (n <= 0) return 0;
  const uint32_t range = uint32_t(n) + 1;
  uint64_t product = uint64_t(NextRandomBits()) * range;
  if (uint32_t(product) < range) {
    const uint32_t threshold = (0u - range) % range;
    while (uint32_t(product) < threshold) product = uint64_t(NextRandomBits()) * range;
  }
  return int(product >> 32);
}
