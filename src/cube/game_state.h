// The game's state. The frame driver changes it; the solved test only ever
// sets STATE_WON. It lives with the cube model because that test writes it.
#pragma once

enum GameState {
    STATE_MENU = 0,     // title screen
    STATE_PLAYING = 2,  // timed game
    STATE_WON = 3,      // winner screen
};

// Current state; STATE_MENU at start.
extern int gameState;
