// Window class "OpenGL" and the module handle, on the Win32 API.
// Supports: one registration per window creation, own DC, stock icon and
// arrow. Does not: paint a background, give a menu or class extra bytes.
#include <windows.h>

#include "app/app.h"
#include "platform/platform.h"
#include "win32/win32_backend.h"

const char* const windowClassName = "OpenGL";

// Windows calls this; the window code's procedure takes neutral types.
static LRESULT CALLBACK windowProcEntry(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return windowProc(window, message, wParam, lParam);
}

PlatformHandle platformModuleHandle()
{
    return GetModuleHandleA(nullptr);
}

bool platformRegisterClass(PlatformHandle instance)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = windowProcEntry;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = static_cast<HINSTANCE>(instance);
    windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = nullptr;
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = windowClassName;
    return RegisterClassA(&windowClass) != 0;
}

bool platformUnregisterClass(PlatformHandle instance)
{
    return UnregisterClassA(windowClassName, static_cast<HINSTANCE>(instance)) != 0;
}
