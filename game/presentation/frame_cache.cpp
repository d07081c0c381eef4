#include "game/presentation/frame_cache.h"

#include "game/presentation/sprites.h"
#include "platform/picture.h"

namespace {

struct FrameCache {
  bool enabled = true;   // off: every frame is drawn whole
  bool valid = false;    // the sprite holds a grabbed part
  uint64_t key = 0;      // what it was grabbed under
};

FrameCache gFrameCache;

}  // namespace

void SetFrameCacheEnabled(bool enabled) {
  gFrameCache.enabled = enabled;
  gFrameCache.valid = false;
}

bool IsFrameCacheEnabled() { return gFrameCache.enabled; }

bool DrawCachedFrameBase(uint64_t key) {
  const FrameCache& c = gFrameCache;
  if (!c.enabled || !c.valid || c.key != key) return false;
  DisplaySprite(SpriteFrameCache, 0, 0);
  return true;
}

void StoreFrameBase(uint64_t key) {
  if (!gFrameCache.enabled) return;
  gFrameCache.valid = GrabScreenSprite(SpriteFrameCache);
  gFrameCache.key = key;
}
