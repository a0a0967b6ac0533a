// Play: turn requests and their animation, row/column selection, the game
// states and the frame driver.
#pragma once

// ---- Turn requests and animation ----

extern bool turnFinished;            // raised by the turn clock, lowered after the pass
extern int turnStartClock;           // run clock when the running turn was accepted
extern double turnElapsed;           // ms into the turn as of the latest pass
extern int turnDuration;             // 1000 on the title screen, 300 in play
extern bool turnLockWhileAnimating;  // requests during a turn are dropped

// Selection, operated by the play keys; a turn consumes it.
extern bool selectionActive;
extern int selectedColumn;
extern int selectedRow;

// Starts a quarter turn about X (dirX) or Y (dirY), of the selected layer or
// of the whole cube. handleGameKeys on an arrow; menuDemoTurn.
void requestTurn(int dirX, int dirY);
// Brings turnElapsed up to date and ends a turn whose time has run out.
// drawCube, first step of every pass.
void advanceTurnClock();
// Rotates the current matrix by the turn's angle when (x, y, z) is turning.
// drawCube, per cubie, between the view spin and the cubie's translation.
void applyTurnRotation(int x, int y, int z);
// Zeroes the axes of a turn that ended in this pass. drawCube, after the cubies.
void clearFinishedTurn();
// A random turn in the first 500 ms of every 2 s. drawFrame, title screen.
void menuDemoTurn();

// ---- Selection and play keys ----

// Selects (col, row), or deselects when it is already selected. handleGameKeys.
void toggleSelection(int col, int row);
// True for the front cubie at the selected column and row, in play. drawCube.
bool isSelectedCubie(int x, int y, int z);
// Arrow keys, the letter grid and (4-cube) the extra grid. drawFrame, in play.
void handleGameKeys();

// ---- Game states and frame driver ----

extern int frameClock;      // run clock sampled at the start of each frame
extern int gameStartClock;  // run clock when the current game started
extern float viewAngleY;    // spin of the whole cube about Y, degrees
extern float viewAngleX;    // spin about X, applied after the Y spin

// One whole frame: clear, clock, texts, keys, cube. Main loop, once per pass
// with an empty queue while the window is active. Always true.
bool drawFrame();
// New game of size n on a fresh scramble. handleMenuKeys.
void startGame(int n);
// "1" / "2" on the title screen. drawFrame.
void handleMenuKeys();
// Delete: back to the title screen. drawFrame, every frame.
void handleMenuReturn();
// Advances the view spin by one frame's step. drawFrame, title and winner.
void spinView();
