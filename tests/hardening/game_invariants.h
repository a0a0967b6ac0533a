// What must hold after every frame, whatever keys and clock led there.
// Used by the key fuzzing (tests, the long-run program and the libFuzzer
// target) and by the wrapped-clock tests.
#pragma once

// Learns the solved cube of both sizes and the GL stack depths a frame must
// leave behind. Once, with the game's context current and no frame running;
// it resets the cube, so call it before setting up a game.
void recordInvariantBaseline();

// The first rule that does not hold now, as a sentence, or nullptr:
// the outer stickers are a permutation of the solved cube's (colour counts,
// and every cubie a solved cubie of its kind with its corner twist intact),
// inner sides black, an active selection inside the cube, a known game
// state, no turn axis left set outside a turn and one axis during it, the
// view spin in [0, 360), the timer text within its length, the matrix
// stacks, matrix mode, attribute stack and list base as before the frame,
// and no GL error. The text lives until the next call.
const char* brokenInvariant();
