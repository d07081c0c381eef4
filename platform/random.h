// The one random source of the program.
#pragma once

#include <cstdint>

// Uniform integer from 0 to n, both ends included (0 when n <= 0). Seeded on first use from the
// millisecond tick count and the thread identity.
int Random(int n);

// Fixes the sequence, for tests and benchmarks.
void SeedRandom(uint32_t seed);

// Numbers drawn so far: equal before and after a piece of work when it drew none.
uint64_t RandomDraws();
