// Level start and end, game reset, pause, the level buttons and the introduction click.
#pragma once

// Copies level n of the map into the live board and starts it in the current mode.
void StartLevel(int n);
// The board part of a level start: level n of the map copied into the live board (an odd last
// tile dropped, the selections cleared) and shuffled until a move exists, at most 500 times.
void DealLevel(int n);
// The last tile of the level in play is gone.
void LevelCleared();
// Back to a new game at level 1 (game over, the home button).
void ResetGame();
// Sets the current level and its text.
void SetCurrentLevel(int level);
// The in-game buttons 4, 6 and 7.
void PressPauseButton();
void PressPreviousLevelButton();
void PressNextLevelButton();
// Any click on the level introduction page starts play.
void ClickLevelIntro();
