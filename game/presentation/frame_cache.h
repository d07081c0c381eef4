// The unchanging part of a frame, kept as one picture.
//
// A board or a page of thumbnails changes only on events, but drawing its thousands of tiles
// every 10 ms is costly. The frame's lower part (background, fixed pictures and the tiles) is
// grabbed from the screen once and drawn back as one picture while nothing in it has changed,
// identified by a key over everything that went into it.
#pragma once

#include <cstdint>

// Off in tests that follow the drawing order of every picture.
void SetFrameCacheEnabled(bool enabled);
bool IsFrameCacheEnabled();

// Draws the kept picture when it was grabbed under this key; false when the part must be drawn.
bool DrawCachedFrameBase(uint64_t key);
// Keeps what the screen holds now under the key.
void StoreFrameBase(uint64_t key);

// Builds a key: start with FrameKeyStart and mix in every value the kept part depends on.
constexpr uint64_t FrameKeyStart = 1469598103934665603ull;
// Tags that keep the keys of different frames apart.
enum FrameKeyTag { FrameKeyBoard = 1, FrameKeySelectPage = 2 };
inline uint64_t MixFrameKey(uint64_t key, int64_t value) {
  return (key ^ static_cast<uint64_t>(value)) * 1099511628211ull;
}

// Counts the background pictures chosen, so that a new background makes a new key.
int BackgroundGeneration();
