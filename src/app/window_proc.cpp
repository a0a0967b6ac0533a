#include "app/app.h"
#include "platform/input.h"
#include "platform/winapi_names.h"
#include "render/render.h"

intptr_t windowProc(PlatformHandle window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        windowActive = loWord(wParam) != WA_INACTIVE && hiWord(wParam) == 0;
        return 0;
    case WM_CLOSE:
        // The loop ends on the WM_QUIT this posts and tears the window down.
        platformPostQuitMessage(0);
        return 0;
    case WM_KEYDOWN:
        // Backends hand only codes below 256; guard the table all the same.
        if (wParam < 256)
            keys[wParam] = true;
        return 0;
    case WM_KEYUP:
        if (wParam < 256)
            keys[wParam] = false;
        return 0;
    case WM_SIZE:
        resizeViewport(static_cast<int>(loWord(static_cast<unsigned long long>(lParam))),
                       static_cast<int>(hiWord(static_cast<unsigned long long>(lParam))));
        return 0;
    default:
        return platformDefWindowProc(window, message, wParam, lParam);
    }
}
