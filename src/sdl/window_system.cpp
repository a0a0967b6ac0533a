// The window system's start and end, standing in for the window class.
// Supports: the SDL video subsystem as the class "OpenGL" (registered =
// initialised); unregistering what was never registered fails, as on
// Windows. Not supported: more than one registration at a time; SDL's
// invisible drivers (offscreen, dummy) unless SDL_VIDEODRIVER asks for one.
#include "sdl/sdl_backend.h"

// Only its being non-null matters to the window code.
static char moduleMarker = 0;

PlatformHandle platformModuleHandle()
{
    return &moduleMarker;
}

bool platformRegisterClass(PlatformHandle)
{
    // The game holds nothing off: screen saver and power saving stay as the
    // user set them.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // A refused X connection makes SDL fall through to an invisible driver.
    return retryRefusedConnection([] {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            return false;
        // Without a display SDL falls back to a driver that shows nothing: a
        // game nobody can see or close is worse than the error message.
        const char* driver = SDL_GetCurrentVideoDriver();
        const bool invisible =
            driver != nullptr && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
        if (!invisible || SDL_getenv("SDL_VIDEODRIVER") != nullptr)
            return true;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    });
}

bool platformUnregisterClass(PlatformHandle)
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return false;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return true;
}
