#include "game/presentation/view_state.h"

ViewState gView;
