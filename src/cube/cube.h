// The cube model: grids of cubies, the layer turn, the scramble and the
// solved test. Plain global state in fixed static storage; nothing here
// allocates, fails or draws.
#pragma once

#include <cstdint>

// Sticker colour code. Only stored, copied and compared here; the palette
// that draws them is the renderer's.
typedef int32_t StickerColor;
const StickerColor NO_STICKER = 0;  // an inner side, drawn black
const StickerColor BLUE = 1;
const StickerColor WHITE = 2;
const StickerColor RED = 3;
const StickerColor ORANGE = 4;
const StickerColor YELLOW = 5;
const StickerColor GREEN = 6;

// Index of a cubie side, by the direction it faces.
typedef int FaceIndex;
const FaceIndex FACE_LEFT = 0;    // -X
const FaceIndex FACE_RIGHT = 1;   // +X
const FaceIndex FACE_BOTTOM = 2;  // -Y
const FaceIndex FACE_TOP = 3;     // +Y
const FaceIndex FACE_BACK = 4;    // -Z
const FaceIndex FACE_FRONT = 5;   // +Z

// Six sticker codes, indexed by FaceIndex.
typedef StickerColor Cubie[6];

// Capacity along each axis; a cube of size N uses cells [0, N) on all three.
const int CUBE_CAPACITY = 10;
typedef Cubie CubeGrid[CUBE_CAPACITY][CUBE_CAPACITY][CUBE_CAPACITY];

// ---- Cube grid ----

// N, the edge length, and N - 1, the largest coordinate; written together
// by setCubeSize alone.
extern int cubeSize;
extern int cubeLast;
// The cube that is shown and tested. Written by the reset and by turn commits.
extern CubeGrid cubeLive;
// cubeLive as it was when the current turn began: the source of its commit.
extern CubeGrid cubeSnapshot;
// Colours of the cubie last handled by computeCubieColors; read right after
// by drawCubie and checkCubieFaces.
extern Cubie cubieColors;

// The edge length for the game start (and the tools that draw a cube).
void setCubeSize(int n);
// Solved pattern for the current size into both grids. Called by the graphics
// set-up at every window creation and by the game start.
void resetCubeSolved();
// Entries 0..5 of source into destination. Inline: computeCubieColors makes
// one per cubie of every frame.
inline void copyCubie(Cubie& destination, const Cubie& source)
{
    for (int f = 0; f < 6; f++)
        destination[f] = source[f];
}
// cubeSnapshot := cubeLive over the N-cube. Called when a turn begins.
void snapshotCube();

// ---- Layer turn ----

// Which turn is pending. Written by the scramble and the turn requests/clock.
extern bool turnAnimating;  // animating; colours not yet committed
extern int turnAxisX;       // -1, 0, +1: component of the turn about X
extern int turnAxisY;       // the same about Y
extern int turnAxisZ;       // never set non-zero; passed to the animation
extern int turnLayer;       // 0 whole cube, k >= 1 the layer at k - 1

// Fills cubieColors for cubie (x, y, z) and, while a turn is set and not
// animating, commits that cubie's turned colours into cubeLive. Called by the
// cube pass for every cubie of every frame; the scramble applies the same
// rule (turn_commit.h) to every cubie of a move at once.
void computeCubieColors(int x, int y, int z);

// ---- Scramble and random integers ----

// One draw from the generator, scaled onto [lo, hi]. The only source of
// random numbers: the scramble and the title screen's demo turns.
int randomInt(int lo, int hi);
// Seeds the generator from the calendar time in whole seconds. Called by the
// program entry after the first window and by every game start.
void seedRandomFromTime();
// Seeds the generator with a given value; seedRandomFromTime and tests use it.
void seedRandom(uint32_t seed);
// count random instant quarter turns. Called after every resetCubeSolved.
void scrambleCube(int count);

// ---- Solved detection ----

// Per-face run of equal stickers, fed during the cube pass.
extern int faceColor[6];
extern int faceMatchCount[6];

// Clears the tallies; first thing of every cube pass after the turn clock.
void resetFaceCheck();
// Feeds cubie (x, y, z)'s outer stickers from cubieColors; cube pass, in play.
void checkCubieFaces(int x, int y, int z);
// Sets STATE_WON when all six faces are uniform; end of the cube pass, in play.
void checkSolved();
