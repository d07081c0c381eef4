// Scoring of pairs, streaks, item rewards, the level clock and the reward banner's run.
#pragma once

// Streak, streak bonus, speed points and the speed reset, for the pair just removed.
void ScorePair();
// At most one shuffle and one bomb for the score thresholds passed.
void AwardItems();
// Level clock callback, every 100 ms: speed value, elapsed time, clock texts.
void ClockTick();
// Sets the score and rewrites its text.
void SetScore(int score);
// A new game's figures: ten of each item, score 0, clock 0.
void ResetGameFigures();
// Moves the reward banner on by one frame; true when it is to be drawn this frame.
bool StepRewardBanner();
