// Game set-up shared by the GL tests of play and rendering.
#pragma once

// Makes the software context current and runs the game's own GL set-up
// (viewport, fixed state, fonts, a reset and scrambled cube), once.
void useGameGraphics();
// A known starting point: size n, solved, no turn, no selection, menu state,
// view angles 0, clock at ms.
void resetGame(int n, int ms = 0);
