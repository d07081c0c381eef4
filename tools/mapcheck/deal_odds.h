// How hard a level is for a player without a plan: deals made as the game makes them, played
// by taking a random free pair each move, with the game's dead-end check re-shuffling whenever
// no pair is free.
#pragma once

#include <cstdint>

constexpr int DefaultDeals = 200;

struct DealOdds {
  int deals = 0;      // deals played
  int cleared = 0;    // deals played to the last tile without a single dead end
  int deadEnds = 0;   // dead ends over all deals, each met by the dead-end check's re-shuffles
  int stuck = 0;      // deals where no re-shuffle found a pair: only a bomb goes on
};

// Plays `deals` deals of level `level` of the game's map store, with the random source seeded
// by `seed` so that the same map gives the same figures. Uses the live board of the game rules.
DealOdds EstimateDealOdds(int level, int deals, uint32_t seed);
