// The program: entry and loop, the GL window, the window procedure. Written
// once above the platform seam (platform/platform.h), over the game.
#pragma once

#include "platform/handles.h"
#include "platform/platform.h"

// Asked for full screen; set by the start-up answer, flipped on F1, stored and
// possibly cleared by createGLWindow, read by destroyGLWindow.
extern bool fullscreen;

// True when the last createGLWindow ended because the player answered No to
// the offer of a window (full screen refused): an end the player chose.
extern bool windowDeclined;

// The program's entry: asks, creates the window, seeds, loops, tears down.
// Called by the backend's main/WinMain. Returns the exit status: 1 after a
// failed window creation, so that a launcher can tell; 0 after every end the
// player chose (Escape, closing the window, declining the window).
int appMain();
// Window, display mode, GL context, viewport and graphics set-up. Called by
// appMain at start and on F1. False: the reason was shown in a box.
bool createGLWindow(const char* title, int width, int height, int bits, bool fullscreenFlag);
// Releases whatever is held, in reverse order. appMain and createGLWindow.
void destroyGLWindow();
// The window procedure; backends call it for every message of our window.
intptr_t windowProc(PlatformHandle window, unsigned message, uintptr_t wParam, intptr_t lParam);
