// What the SDL backend's files share among themselves. Nothing here is seen
// above src/platform/sdl/.
#pragma once

#include "platform/platform.h"

#include <SDL.h>

// The one window the game owns, as the event translation needs to know it.
// Set when the window is created, reset when it is destroyed; the size,
// focus and minimised flag follow the window's events.
struct TrackedWindow {
    PlatformHandle handle;
    Uint32 id;
    int width, height;
    bool focused;
    bool minimised;
};
extern TrackedWindow trackedWindow;

// The display mode that full screen will use, found by the display-mode
// change and applied when the full-screen window is created.
extern bool fullscreenModePending;
extern SDL_DisplayMode fullscreenMode;

// The Windows virtual-key code for an SDL key, 0 for a key the game has no
// code for. Always below 256.
int virtualKeyFor(SDL_Keycode key);

// Turns one SDL event into at most maxOut window messages for the tracked
// window; returns how many (0: the event means nothing to the game).
int translateEvent(const SDL_Event& event, PlatformMessage* out, int maxOut);
