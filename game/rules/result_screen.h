// The closing page after the last level: the title and the score breakdown counting up.
#pragma once

#include <cstdint>

// Item values of the breakdown (64-bit, as the screen adds them up).
int64_t HintValue();
int64_t ShuffleValue();
int64_t BombValue();

// One frame of the page, on the background that the frame tick drew.
void DrawResultScreen();
