// Random play over the game's own deals: the level start's deal, the free-tile test and the
// dead-end check are the game's; only the choice of the pair is the simulated player's.
#include "tools/mapcheck/deal_odds.h"

#include <vector>

#include "mapdata/level_model.h"
#include "game/rules/items.h"
#include "game/rules/level_flow.h"
#include "game/rules/rules_state.h"
#include "game/rules/tiles.h"
#include "platform/random.h"

namespace {

struct Tile {
  int layer, row, column;
};

// The free tiles of each face; faces outside 1..42 never pair.
struct FreeTiles {
  std::vector<Tile> ofFace[FaceCount + 1];
  int pairs = 0;   // pairs of free tiles with the same face
};

// The tile places of the live board; a deal keeps them and moves only faces.
std::vector<Tile> TilePlaces() {
  std::vector<Tile> places;
  const auto& cells = gLevel.board.cell;
  for (int layer = 1; layer <= GameTopLayer; ++layer)
    for (int row = 1; row <= BoardRows; ++row)
      for (int column = 1; column <= BoardColumns; ++column)
        if (cells[layer][row][column] > 0) places.push_back(Tile{layer, row, column});
  return places;
}

void GatherFreeTiles(const std::vector<Tile>& places, FreeTiles& free) {
  free.pairs = 0;
  for (auto& tiles : free.ofFace) tiles.clear();
  for (const Tile& t : places) {
    const int face = gLevel.board.cell[t.layer][t.row][t.column];
    if (face <= 0 || face > FaceCount || !IsTileFree(t.layer, t.row, t.column)) continue;
    std::vector<Tile>& same = free.ofFace[face];
    free.pairs += static_cast<int>(same.size());
    same.push_back(t);
  }
}

// Takes one of the free pairs, every pair equally likely.
void RemoveRandomPair(const FreeTiles& free) {
  int pick = Random(free.pairs - 1);
  for (const std::vector<Tile>& same : free.ofFace) {
    const int n = static_cast<int>(same.size());
    const int pairs = n * (n - 1) / 2;
    if (pick >= pairs) {
      pick -= pairs;
      continue;
    }
    const int first = Random(n - 1);
    int second = Random(n - 2);
    if (second >= first) ++second;
    for (const Tile& t : {same[first], same[second]}) gLevel.board.cell[t.layer][t.row][t.column] = 0;
    return;
  }
}

}  // namespace

DealOdds EstimateDealOdds(int level, int deals, uint32_t seed) {
  DealOdds odds;
  FreeTiles free;
  SeedRandom(seed);
  for (int deal = 0; deal < deals; ++deal) {
    // With items in hand the dead-end check re-shuffles instead of ending the game.
    gItems.hints = gItems.shuffles = gItems.bombs = StartItemCount;
    DealLevel(level);
    const std::vector<Tile> places = TilePlaces();
    int deadEnds = 0;
    bool stuck = false;
    for (int left = gLevel.startCount; left > 0 && !stuck; left -= 2) {
      GatherFreeTiles(places, free);
      if (free.pairs == 0) {
        ++deadEnds;
        CheckDeadEnd();
        GatherFreeTiles(places, free);
        stuck = free.pairs == 0;
      }
      if (!stuck) RemoveRandomPair(free);
    }
    odds.deals += 1;
    odds.deadEnds += deadEnds;
    odds.cleared += deadEnds == 0 ? 1 : 0;
    odds.stuck += stuck ? 1 : 0;
  }
  return odds;
}
