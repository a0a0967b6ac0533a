// The SDL backend's state, all of it; who writes and reads each part is said
// in sdl_backend.h.
#include "sdl/sdl_backend.h"

BackendWindow backendWindow = {};
bool fullscreenModePending = false;
SDL_DisplayMode fullscreenMode = {};

char failureReason[256] = {};

void noteFailure(const char* reason)
{
    SDL_snprintf(failureReason, sizeof failureReason, "%s", reason != nullptr ? reason : SDL_GetError());
}

SDL_Window* sdlWindowOf(PlatformHandle handle)
{
    return handle == &backendWindow && backendWindow.created ? backendWindow.sdl : nullptr;
}
