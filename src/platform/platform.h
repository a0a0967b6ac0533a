// The seam between the game and its window code (src/app/) above, and a
// backend (src/sdl/ with src/freetype/, src/win32/, src/headless/ with the
// tests' fake) below. Each primitive stands for one Windows call and reports
// success or failure the way that call does, so the window code can take
// every step and every failure path it has on Windows.
// Only backends include SDL, X11 or Windows headers.
#pragma once

#include <cstdint>

typedef void* PlatformHandle;

// One queued window message, as the loop takes it.
struct PlatformMessage {
    PlatformHandle window;
    unsigned message;
    uintptr_t wParam;
    intptr_t lParam;
};

// A window rectangle; the adjustment grows it by the frame.
struct PlatformRect {
    long left, top, right, bottom;
};

// The pixel-format request, kept for the whole run by gl_window.
struct PixelFormatRequest {
    uint16_t size;
    uint16_t version;
    unsigned long flags;
    unsigned char pixelType;
    unsigned char colorBits;
    unsigned char alphaBits;
    unsigned char accumBits;
    unsigned char depthBits;
    unsigned char stencilBits;
    unsigned char auxBuffers;
    unsigned char layerType;
};

// ---- called by createGLWindow / destroyGLWindow, in their order ----

// GetModuleHandleA(NULL).
PlatformHandle platformModuleHandle();
// RegisterClassA of "OpenGL" (own DC, windowProc); false when it fails.
bool platformRegisterClass(PlatformHandle instance);
// ChangeDisplaySettingsA(width x height x bits, CDS_FULLSCREEN); true only on
// DISP_CHANGE_SUCCESSFUL.
bool platformChangeDisplayMode(int width, int height, int bits);
// ChangeDisplaySettingsA(NULL, 0): back to the user's mode.
void platformRestoreDisplayMode();
// ShowCursor(TRUE / FALSE).
void platformShowCursor(bool show);
// AdjustWindowRectEx(rect, style, no menu, exStyle).
void platformAdjustWindowRect(PlatformRect* rect, unsigned long style, unsigned long exStyle);
// CreateWindowExA(exStyle, "OpenGL", title, style, x, y, w, h, ...); null on failure.
PlatformHandle platformCreateWindow(unsigned long exStyle, const char* title, unsigned long style, int x,
                                    int y, int width, int height, PlatformHandle instance);
// GetDC; null on failure.
PlatformHandle platformGetDC(PlatformHandle window);
// ChoosePixelFormat; 0 when none fits.
int platformChoosePixelFormat(PlatformHandle dc, const PixelFormatRequest* request);
// SetPixelFormat.
bool platformSetPixelFormat(PlatformHandle dc, int format, const PixelFormatRequest* request);
// wglCreateContext; null on failure.
PlatformHandle platformCreateContext(PlatformHandle dc);
// wglMakeCurrent; (null, null) releases the current context.
bool platformMakeCurrent(PlatformHandle dc, PlatformHandle context);
// wglDeleteContext.
bool platformDeleteContext(PlatformHandle context);
// ShowWindow(SW_SHOW), SetForegroundWindow, SetFocus; results ignored.
void platformShowWindow(PlatformHandle window);
void platformSetForegroundWindow(PlatformHandle window);
void platformSetFocus(PlatformHandle window);
// ReleaseDC: false on failure.
bool platformReleaseDC(PlatformHandle window, PlatformHandle dc);
// DestroyWindow.
bool platformDestroyWindow(PlatformHandle window);
// UnregisterClassA("OpenGL", instance).
bool platformUnregisterClass(PlatformHandle instance);

// MessageBoxA with no owner; text and caption are Windows-1252. Returns the
// button (IDOK, IDYES, IDNO, ...). A box that cannot be shown answers with
// its default button.
int platformMessageBox(const char* text, const char* caption, unsigned flags);

// ---- called by buildFonts: the glyph lists, GDI's calls ----
// FreeType stands in for GDI on Linux (freetype/), GDI and WGL on Windows.

// CreateFontA(height, 0, 0, 0, weight, italic, 0, 0, ANSI_CHARSET,
// OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, 0, face).
// A positive height is the cell height, a negative one the em height.
PlatformHandle platformCreateFont(int height, int weight, bool italic, const char* face);
// SelectObject(dc, font): returns the object selected before.
PlatformHandle platformSelectObject(PlatformHandle dc, PlatformHandle object);
// wglUseFontBitmapsA(dc, first, count, listBase) with the selected font:
// list listBase + i draws the glyph of code first + i (Windows-1252) with
// glBitmap and advances by its width.
bool platformUseFontBitmaps(PlatformHandle dc, unsigned first, unsigned count, unsigned listBase);
// DeleteObject.
bool platformDeleteObject(PlatformHandle object);

// ---- called by the game: the run clock ----

// Whole milliseconds of wall time since the program started; monotonic, and
// wraps past 2^31 ms like the 32-bit value it is. Read by the frame driver
// once per frame and by requestTurn and the turn clock afresh.
int platformRunClock();
// Milliseconds from earlier to later, right across the clock's wrap.
inline int clockDifference(int later, int earlier)
{
    return static_cast<int>(static_cast<unsigned>(later) - static_cast<unsigned>(earlier));
}

// ---- called by the main loop ----

// PeekMessageA(PM_REMOVE): true when a message was taken.
bool platformPeekMessage(PlatformMessage* message);
// TranslateMessage, then DispatchMessageA (which calls windowProc).
void platformTranslateMessage(const PlatformMessage* message);
intptr_t platformDispatchMessage(const PlatformMessage* message);
// SwapBuffers.
void platformSwapBuffers(PlatformHandle dc);

// ---- called by windowProc ----

// PostQuitMessage(code): a WM_QUIT with wParam = code follows in the queue.
void platformPostQuitMessage(int code);
// DefWindowProcA.
intptr_t platformDefWindowProc(PlatformHandle window, unsigned message, uintptr_t wParam, intptr_t lParam);
