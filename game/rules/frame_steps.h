// Animations of pictures numbered 1..steps that move on by one picture every other frame.
#pragma once

// Counts one more frame; on every second frame the step moves on, and past the last step it
// returns to 1. True when it returned: the animation has ended.
inline bool AdvanceEveryOtherFrame(int& frame, int& step, int steps) {
  frame += 1;
  if (frame % 2 != 0) return false;
  step += 1;
  if (step <= steps) return false;
  step = 1;
  return true;
}
