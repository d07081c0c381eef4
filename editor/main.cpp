// Kestrand: the map editor of Pelmora.
#include "editor/main_loop.h"

int main() { return RunEditor(); }
