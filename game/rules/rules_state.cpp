#include "game/rules/rules_state.h"

PlayState gPlay;
LevelState gLevel;
ItemState gItems;
ScoreState gScore;
EffectState gEffects;
ResultState gResult;
