// The closing page after the last level: the score breakdown counting up, under stars.
#pragma once

#include <cstdint>

// Item values of the breakdown (64-bit, as the screen adds them up).
int64_t HintValue();
int64_t ShuffleValue();
int64_t BombValue();

// The points every figure of the breakdown has counted up to so far.
int64_t ResultCountUp();
// One frame more of the page: the count-up moves on and the stars take new places.
void StepResultScreen();
