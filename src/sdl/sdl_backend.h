// What the SDL backend's files share among themselves. Nothing here is seen
// above src/sdl/.
#pragma once

#include "platform/platform.h"

#include <SDL.h>

// The one window the game owns. The window code's hWnd and hDC are both the
// address of this record, which stays put while the SDL window behind it
// comes and goes: X11 binds a GL visual when a window is made, and the pixel
// format is known only at SetPixelFormat, so that is where the SDL window is
// made (sdl_window.cpp). The event translation reads it.
struct BackendWindow {
    bool created;     // written by platformCreateWindow / platformDestroyWindow
    SDL_Window* sdl;  // written by platformSetPixelFormat / platformDestroyWindow
    Uint32 id;        // SDL's id of sdl, to tell its events
    char title[64];   // the creation's arguments, kept for SetPixelFormat
    int x, y;
    Uint32 flags;
    int width, height;  // the client size; follows SDL's size events
    bool focused;       // focus and minimised flag follow SDL's window events
    bool minimised;
};
extern BackendWindow backendWindow;

// The display mode full screen will use: written by platformChangeDisplayMode
// (which only finds it; SDL switches when the full-screen window is made),
// read by the window's creation, cleared by platformRestoreDisplayMode.
extern bool fullscreenModePending;
extern SDL_DisplayMode fullscreenMode;

// Why the last primitive that failed did, for the next message box to print
// on stderr after its own text: SDL's error text, or ours where SDL has none.
// Written by noteFailure, emptied by platformMessageBox once printed.
extern char failureReason[256];
// Notes reason, or SDL's error text when reason is null.
void noteFailure(const char* reason = nullptr);

// The lParam bit Windows sets on a key pressed with Alt.
const intptr_t ALT_CONTEXT_BIT = intptr_t(1) << 29;

// A busy X server refuses a connection now and then (EAGAIN while its listen
// queue is full): attempt() again, 50 ms apart, ten tries in all, until one
// succeeds. For the window system's start and the message boxes, which open
// a connection each.
template <typename Attempt> bool retryRefusedConnection(Attempt attempt)
{
    for (int tries = 0; tries < 10; tries++) {
        if (tries > 0)
            SDL_Delay(50);
        if (attempt())
            return true;
    }
    return false;
}

// The SDL window behind a handle of ours, null for anything else.
SDL_Window* sdlWindowOf(PlatformHandle handle);

// The Windows virtual-key code for an SDL key, 0 for a key the game has no
// code for. Always below 256. The keypad's codes depend on NumLock.
int virtualKeyFor(SDL_Keycode key, bool numLock);

// Turns one SDL event into at most maxOut window messages for our window;
// returns how many (0: the event means nothing to the game).
int translateEvent(const SDL_Event& event, PlatformMessage* out, int maxOut);
