// The window's handles: held while the window lives, empty (null) when not.
// The window code's createGLWindow fills them and destroyGLWindow empties
// them; the game reads hDC to select its fonts (buildFont).
#pragma once

#include "platform/platform.h"

extern PlatformHandle hInstance;
extern PlatformHandle hWnd;
extern PlatformHandle hDC;
extern PlatformHandle hRC;
