// The GL context and presenting.
// Supports: SDL's default profile (a compatibility context: the game uses
// fixed-function GL 1.1) on the window's visual, swap interval 1 when the
// driver allows it (Xvfb does not; a refusal is fine).
#include "sdl/sdl_backend.h"

PlatformHandle platformCreateContext(PlatformHandle dc)
{
    SDL_Window* window = sdlWindowOf(dc);
    SDL_GLContext context = window != nullptr ? SDL_GL_CreateContext(window) : nullptr;
    if (context == nullptr)
        noteFailure();
    return context;
}

bool platformMakeCurrent(PlatformHandle dc, PlatformHandle context)
{
    if (SDL_GL_MakeCurrent(sdlWindowOf(dc), context) != 0) {
        noteFailure();
        return false;
    }
    if (context != nullptr)
        SDL_GL_SetSwapInterval(1);
    return true;
}

bool platformDeleteContext(PlatformHandle context)
{
    if (context == nullptr)
        return false;
    SDL_GL_DeleteContext(context);
    return true;
}

void platformSwapBuffers(PlatformHandle dc)
{
    if (SDL_Window* window = sdlWindowOf(dc))
        SDL_GL_SwapWindow(window);
}
