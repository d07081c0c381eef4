#include "game/presentation/sparkles.h"

#include "platform/picture.h"
#include "platform/random.h"

namespace {
constexpr int MaxOpacity = 255;
}

void DrawSparkles(int sprite, int count, int x, int spreadX, int y, int spreadY) {
  for (int i = 0; i < count; ++i) {
    int sx = x + Random(spreadX);
    int sy = y + Random(spreadY);
    DisplaySprite(sprite, sx, sy, Random(MaxOpacity));
  }
}
