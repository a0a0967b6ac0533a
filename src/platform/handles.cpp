#include "platform/app.h"

// Kept apart from the window code so the renderer and its tests can reach the
// device context without a window system.
bool fullscreen = true;
PlatformHandle hInstance = nullptr;
PlatformHandle hWnd = nullptr;
PlatformHandle hDC = nullptr;
PlatformHandle hRC = nullptr;
