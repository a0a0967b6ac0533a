// The top-level window and its device context, on the Win32 API.
// Supports: frame adjustment without a menu, creation hidden at a given
// place and size, show/foreground/focus, the class's own DC. Does not: give
// a parent, a menu or creation data.
#include <windows.h>

#include "platform/platform.h"
#include "win32/win32_backend.h"

static HWND asWindow(PlatformHandle window)
{
    return static_cast<HWND>(window);
}

void platformAdjustWindowRect(PlatformRect* rect, unsigned long style, unsigned long exStyle)
{
    RECT r = {rect->left, rect->top, rect->right, rect->bottom};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    *rect = PlatformRect{r.left, r.top, r.right, r.bottom};
}

PlatformHandle platformCreateWindow(unsigned long exStyle, const char* title, unsigned long style, int x,
                                    int y, int width, int height, PlatformHandle instance)
{
    return CreateWindowExA(exStyle, windowClassName, title, style, x, y, width, height, nullptr, nullptr,
                           static_cast<HINSTANCE>(instance), nullptr);
}

PlatformHandle platformGetDC(PlatformHandle window)
{
    return GetDC(asWindow(window));
}

void platformShowWindow(PlatformHandle window)
{
    ShowWindow(asWindow(window), SW_SHOW);
}

void platformSetForegroundWindow(PlatformHandle window)
{
    SetForegroundWindow(asWindow(window));
}

void platformSetFocus(PlatformHandle window)
{
    SetFocus(asWindow(window));
}

bool platformReleaseDC(PlatformHandle window, PlatformHandle dc)
{
    return ReleaseDC(asWindow(window), static_cast<HDC>(dc)) != 0;
}

bool platformDestroyWindow(PlatformHandle window)
{
    return DestroyWindow(asWindow(window)) != 0;
}
