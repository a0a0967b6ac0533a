// Full-screen display mode and the cursor.
// Supports: display-mode switch: exact width x height only (SDL's closest
// mode must match exactly); depth: the closest the display offers (X11
// cannot change depth); the switch happens when the full-screen window is
// shown and is undone at teardown. Not supported: a display other than the
// first, refresh-rate choice.
#include "sdl/sdl_backend.h"

static Uint32 formatForBits(int bits)
{
    if (bits <= 16)
        return SDL_PIXELFORMAT_RGB565;
    if (bits <= 24)
        return SDL_PIXELFORMAT_RGB888;
    return SDL_PIXELFORMAT_ARGB8888;
}

bool platformChangeDisplayMode(int width, int height, int bits)
{
    SDL_DisplayMode wanted = {formatForBits(bits), width, height, 0, nullptr};
    SDL_DisplayMode closest = {};
    if (SDL_GetClosestDisplayMode(0, &wanted, &closest) == nullptr)
        return false;
    if (closest.w != width || closest.h != height)
        return false;
    fullscreenMode = closest;
    fullscreenModePending = true;
    return true;
}

void platformRestoreDisplayMode()
{
    fullscreenModePending = false;
    // Leaving full screen gives the desktop its own mode back; a window that
    // was never made (a failed creation) never changed it.
    if (backendWindow.sdl != nullptr)
        SDL_SetWindowFullscreen(backendWindow.sdl, 0);
}

void platformShowCursor(bool show)
{
    // An on/off switch, not Windows' counter: the loop shows it on every
    // presented pass, which gives the same visible result.
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}
