// What the Win32 backend's files share among themselves. Nothing here is seen
// above src/win32/.
#pragma once

// The window class: registered by window_class.cpp, named by window.cpp for
// every window it makes.
extern const char* const windowClassName;
