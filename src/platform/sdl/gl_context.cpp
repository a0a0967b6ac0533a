// The GL context and presenting.
// Supports: SDL's default profile (a compatibility context: the game uses
// fixed-function GL 1.1), double-buffered RGB with depth >= 16, swap
// interval 1 when the driver allows it (Xvfb does not; a refusal is fine).
// The visual is bound when the window is made, so choosing and setting the
// pixel format only check that the window got one.
// Not supported: choosing among several formats.
#include "platform/sdl/sdl_backend.h"
#include "platform/winapi_names.h"

static bool windowHasGL(PlatformHandle dc)
{
    return dc != nullptr && (SDL_GetWindowFlags(static_cast<SDL_Window*>(dc)) & SDL_WINDOW_OPENGL) != 0;
}

static bool requestFits(const PixelFormatRequest* request)
{
    const unsigned long needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    return request != nullptr && (request->flags & needed) == needed && request->pixelType == PFD_TYPE_RGBA;
}

int platformChoosePixelFormat(PlatformHandle dc, const PixelFormatRequest* request)
{
    return windowHasGL(dc) && requestFits(request) ? 1 : 0;
}

bool platformSetPixelFormat(PlatformHandle dc, int format, const PixelFormatRequest* request)
{
    return format == 1 && windowHasGL(dc) && requestFits(request);
}

PlatformHandle platformCreateContext(PlatformHandle dc)
{
    return SDL_GL_CreateContext(static_cast<SDL_Window*>(dc));
}

bool platformMakeCurrent(PlatformHandle dc, PlatformHandle context)
{
    if (SDL_GL_MakeCurrent(static_cast<SDL_Window*>(dc), context) != 0)
        return false;
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
    SDL_GL_SwapWindow(static_cast<SDL_Window*>(dc));
}
