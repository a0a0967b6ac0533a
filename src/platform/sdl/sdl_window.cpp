// The game's window.
// Supports: a hidden window made at (0, 0) and shown once the GL context is
// current; windowed: resizable, decorated, client area as asked, and with
// the window manager's usual north-west gravity the frame's top-left lands
// on the screen's top-left, as on Windows; full screen: borderless,
// covering the display in the mode the display-mode change found.
// Not supported: the frame size before the window is shown, so the frame
// adjustment leaves the rectangle as it is (SDL sizes are client sizes).
#include "platform/sdl/sdl_backend.h"
#include "platform/winapi_names.h"

// The request is fixed for this game (16-bit colour, 16-bit depth, double
// buffered); X11 picks the visual when the window is made, so it is set
// here, before the pixel-format calls that Windows makes later.
static void requestGLFormat()
{
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 6);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
}

void platformAdjustWindowRect(PlatformRect*, unsigned long, unsigned long) {}

PlatformHandle platformCreateWindow(unsigned long, const char* title, unsigned long style, int x, int y,
                                    int width, int height, PlatformHandle)
{
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (style & WS_POPUP) {
        flags |= SDL_WINDOW_BORDERLESS;
        if (fullscreenModePending)
            flags |= SDL_WINDOW_FULLSCREEN;
    } else if ((style & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW) {
        flags |= SDL_WINDOW_RESIZABLE;
    }

    requestGLFormat();
    SDL_Window* window = SDL_CreateWindow(title, x, y, width, height, flags | SDL_WINDOW_OPENGL);
    // No GL visual fits: make the window all the same, so that the pixel
    // format is what fails, with its own message.
    if (window == nullptr)
        window = SDL_CreateWindow(title, x, y, width, height, flags);
    if (window == nullptr)
        return nullptr;
    if ((flags & SDL_WINDOW_FULLSCREEN) && SDL_SetWindowDisplayMode(window, &fullscreenMode) != 0) {
        SDL_DestroyWindow(window);
        return nullptr;
    }

    trackedWindow = TrackedWindow{window, SDL_GetWindowID(window), width, height, false, false};
    return window;
}

// The window's own device context is the window itself.
PlatformHandle platformGetDC(PlatformHandle window)
{
    return window;
}

bool platformReleaseDC(PlatformHandle window, PlatformHandle dc)
{
    return window != nullptr && dc == window;
}

void platformShowWindow(PlatformHandle window)
{
    SDL_ShowWindow(static_cast<SDL_Window*>(window));
}

void platformSetForegroundWindow(PlatformHandle window)
{
    SDL_RaiseWindow(static_cast<SDL_Window*>(window));
}

void platformSetFocus(PlatformHandle window)
{
    SDL_SetWindowInputFocus(static_cast<SDL_Window*>(window));
}

bool platformDestroyWindow(PlatformHandle window)
{
    if (window == nullptr)
        return false;
    SDL_DestroyWindow(static_cast<SDL_Window*>(window));
    if (trackedWindow.handle == window)
        trackedWindow = TrackedWindow{nullptr, 0, 0, 0, false, false};
    return true;
}
