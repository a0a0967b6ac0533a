#include "cube/game_state.h"

int gameState = STATE_MENU;
