// The game's window.
// Supports: a hidden window at (0, 0), made by SetPixelFormat with the GL
// format the window code asks for (X11 binds the visual when a window is
// made) and shown once the GL context is current; windowed: resizable,
// decorated, client area as asked, and with the window manager's usual
// north-west gravity the frame's top-left lands on the screen's top-left, as
// on Windows; full screen: borderless, covering the display in the mode the
// display-mode change found.
// Not supported: the frame size before the window is shown, so the frame
// adjustment leaves the rectangle as it is (SDL sizes are client sizes);
// more than one window at a time.
#include "platform/winapi_names.h"
#include "sdl/sdl_backend.h"

#include <cstdio>

void platformAdjustWindowRect(PlatformRect*, unsigned long, unsigned long) { }

PlatformHandle platformCreateWindow(unsigned long, const char* title, unsigned long style, int x, int y,
                                    int width, int height, PlatformHandle)
{
    if (backendWindow.created)
        return nullptr;
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_OPENGL;
    if (style & WS_POPUP) {
        flags |= SDL_WINDOW_BORDERLESS;
        if (fullscreenModePending)
            flags |= SDL_WINDOW_FULLSCREEN;
    } else if ((style & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW) {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    backendWindow = BackendWindow{true, nullptr, 0, {}, x, y, flags, width, height, false, false};
    std::snprintf(backendWindow.title, sizeof backendWindow.title, "%s", title);
    return &backendWindow;
}

// The window's own device context is the window itself.
PlatformHandle platformGetDC(PlatformHandle window)
{
    return window == &backendWindow && backendWindow.created ? window : nullptr;
}

bool platformReleaseDC(PlatformHandle window, PlatformHandle dc)
{
    return platformGetDC(window) != nullptr && dc == window;
}

static bool requestFits(const PixelFormatRequest* request)
{
    const unsigned long needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    return request != nullptr && (request->flags & needed) == needed && request->pixelType == PFD_TYPE_RGBA;
}

int platformChoosePixelFormat(PlatformHandle dc, const PixelFormatRequest* request)
{
    return platformGetDC(dc) != nullptr && requestFits(request) ? 1 : 0;
}

// SDL's sizes are minimums: the closest visual at least as deep is taken.
static void requestGLFormat(const PixelFormatRequest& request)
{
    // Windows splits 16-bit colour 5/6/5; deeper colour has 8 bits a channel.
    const bool highColour = request.colorBits <= 16;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, highColour ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, highColour ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, highColour ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, request.alphaBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, request.depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, request.stencilBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (request.flags & PFD_DOUBLEBUFFER) ? 1 : 0);
}

bool platformSetPixelFormat(PlatformHandle dc, int format, const PixelFormatRequest* request)
{
    // A window's format is set once, as on Windows.
    if (format != 1 || platformGetDC(dc) == nullptr || backendWindow.sdl != nullptr || !requestFits(request))
        return false;
    requestGLFormat(*request);
    BackendWindow& w = backendWindow;
    SDL_Window* window = SDL_CreateWindow(w.title, w.x, w.y, w.width, w.height, w.flags);
    if (window == nullptr) {
        noteFailure();
        return false;
    }
    if ((w.flags & SDL_WINDOW_FULLSCREEN) && SDL_SetWindowDisplayMode(window, &fullscreenMode) != 0) {
        noteFailure();
        SDL_DestroyWindow(window);
        return false;
    }
    w.sdl = window;
    w.id = SDL_GetWindowID(window);
    return true;
}

void platformShowWindow(PlatformHandle window)
{
    if (SDL_Window* w = sdlWindowOf(window))
        SDL_ShowWindow(w);
}

void platformSetForegroundWindow(PlatformHandle window)
{
    if (SDL_Window* w = sdlWindowOf(window))
        SDL_RaiseWindow(w);
}

void platformSetFocus(PlatformHandle window)
{
    if (SDL_Window* w = sdlWindowOf(window))
        SDL_SetWindowInputFocus(w);
}

bool platformDestroyWindow(PlatformHandle window)
{
    if (platformGetDC(window) == nullptr)
        return false;
    if (backendWindow.sdl != nullptr)
        SDL_DestroyWindow(backendWindow.sdl);
    backendWindow = BackendWindow{};
    return true;
}
