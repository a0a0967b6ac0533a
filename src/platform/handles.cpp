#include "platform/handles.h"

PlatformHandle hInstance = nullptr;
PlatformHandle hWnd = nullptr;
PlatformHandle hDC = nullptr;
PlatformHandle hRC = nullptr;
