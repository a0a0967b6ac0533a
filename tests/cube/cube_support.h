// Helpers shared by the cube model tests.
#pragma once

#include "cube/cube.h"

// Sets size N and clears every cell of both grids and all turn selectors.
void freshCube(int n);
// Gives every entry of the N-cube (inner sides included) its own code, so a
// misplaced entry anywhere shows.
void labelEveryEntry();
// Commits one quarter turn at once, the way the scramble does.
void commitTurn(int axisX, int axisY, int layer);
// True when the two grids agree on every entry of the N-cube.
bool sameCube(const CubeGrid& a, const CubeGrid& b);
// Copies the N-cube of cubeLive into a grid of the test's own.
void saveCube(CubeGrid& into);
