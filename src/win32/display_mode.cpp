// Full-screen display mode and the cursor, on the Win32 API.
// Supports: a temporary switch to exactly width x height x bits (no refresh
// rate asked) and the switch back to the user's stored mode. Does not: pick
// a nearby mode when the exact one is refused; the window code asks instead.
#include <windows.h>

#include <cstddef>
#include <cstring>

#include "platform/platform.h"

// The 148-byte ANSI record, without the panning fields newer headers add;
// Windows reads as many bytes as dmSize says.
static const WORD requestSize = offsetof(DEVMODEA, dmPanningWidth);
static_assert(requestSize == 148, "the display-mode request is the 148-byte ANSI record");

bool platformChangeDisplayMode(int width, int height, int bits)
{
    DEVMODEA request;
    std::memset(&request, 0, sizeof request);
    request.dmSize = requestSize;
    request.dmPelsWidth = static_cast<DWORD>(width);
    request.dmPelsHeight = static_cast<DWORD>(height);
    request.dmBitsPerPel = static_cast<DWORD>(bits);
    request.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsA(&request, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

void platformRestoreDisplayMode()
{
    ChangeDisplaySettingsA(nullptr, 0);
}

void platformShowCursor(bool show)
{
    // A counter on Windows: the loop's many shows outweigh the one hide.
    ShowCursor(show ? TRUE : FALSE);
}
