// The window system's start and end, standing in for the window class.
// Supports: the class "OpenGL" as a flag over SDL's video subsystem, which
// the first registration starts and main's SDL_Quit ends; unregistering what
// was never registered fails, as on Windows. Not supported: more than one
// registration at a time; SDL's
// invisible drivers (offscreen, dummy) unless SDL_VIDEODRIVER asks for one;
// Wayland without XDG_RUNTIME_DIR (no Wayland display can be reached then,
// so SDL is not left to try one and complain on stderr).
#include "sdl/sdl_backend.h"

#include <cstring>

// Only its being non-null matters to the window code.
static char moduleMarker = 0;
// Between platformRegisterClass and platformUnregisterClass.
static bool registered = false;

PlatformHandle platformModuleHandle()
{
    return &moduleMarker;
}

// SDL's drivers but Wayland, for SDL_HINT_VIDEODRIVER.
static void skipWayland()
{
    char drivers[256] = {};
    for (int i = 0; i < SDL_GetNumVideoDrivers(); i++) {
        const char* name = SDL_GetVideoDriver(i);
        if (SDL_strcmp(name, "wayland") == 0 || std::strlen(drivers) + std::strlen(name) + 2 > sizeof drivers)
            continue;
        if (drivers[0] != '\0')
            SDL_strlcat(drivers, ",", sizeof drivers);
        SDL_strlcat(drivers, name, sizeof drivers);
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers);
}

// SDL gives no reason when all it found is an invisible driver.
static void noteNoDisplay()
{
    char reason[sizeof failureReason];
    const char* display = SDL_getenv("DISPLAY");
    if (display == nullptr)
        SDL_snprintf(reason, sizeof reason, "no display to open: DISPLAY is not set");
    else
        SDL_snprintf(reason, sizeof reason, "cannot open the display \"%s\"", display);
    noteFailure(reason);
}

bool platformRegisterClass(PlatformHandle)
{
    // The game holds nothing off: screen saver and power saving stay as the
    // user set them.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    if (SDL_getenv("XDG_RUNTIME_DIR") == nullptr && SDL_getenv("SDL_VIDEODRIVER") == nullptr)
        skipWayland();
    // A refused X connection makes SDL fall through to an invisible driver.
    registered = SDL_WasInit(SDL_INIT_VIDEO) || retryRefusedConnection([] {
                     if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
                         noteFailure();
                         return false;
                     }
                     // Without a display SDL falls back to a driver that shows nothing: a
                     // game nobody can see or close is worse than the error message.
                     const char* driver = SDL_GetCurrentVideoDriver();
                     const bool invisible = driver != nullptr
                         && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
                     if (!invisible || SDL_getenv("SDL_VIDEODRIVER") != nullptr)
                         return true;
                     SDL_QuitSubSystem(SDL_INIT_VIDEO);
                     noteNoDisplay();
                     return false;
                 });
    return registered;
}

bool platformUnregisterClass(PlatformHandle)
{
    if (!registered)
        return false;
    registered = false;
    // The display connection stays open for the next window (F1): an X
    // server left without clients resets, and its reset moves the pointer
    // to the middle of the screen. The old window's events go with it.
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    return true;
}
