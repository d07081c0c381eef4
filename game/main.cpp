// Pelmora: the Mahjong tile-matching game.
#include "game/app/main_loop.h"

int main() { return RunGame(); }
