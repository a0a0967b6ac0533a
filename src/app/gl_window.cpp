#include "app/app.h"
#include "platform/winapi_names.h"
#include "render/render.h"

bool fullscreen = true;
bool windowDeclined = false;

// Filled at the first creation and reused unchanged by every later one.
static PixelFormatRequest pixelFormat = {};
static bool pixelFormatFilled = false;

static void fillPixelFormat(int bits)
{
    pixelFormat = PixelFormatRequest{};
    pixelFormat.size = 40;
    pixelFormat.version = 1;
    pixelFormat.flags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pixelFormat.pixelType = PFD_TYPE_RGBA;
    pixelFormat.colorBits = static_cast<unsigned char>(bits);
    pixelFormat.depthBits = 16;
    pixelFormat.layerType = PFD_MAIN_PLANE;
    pixelFormatFilled = true;
}

// A failed step after the window exists: release, then tell.
static bool failCreation(const char* text)
{
    destroyGLWindow();
    platformMessageBox(text, "ERROR", MB_OK | MB_ICONWARNING);
    return false;
}

bool createGLWindow(const char* title, int width, int height, int bits, bool fullscreenFlag)
{
    fullscreen = fullscreenFlag;
    windowDeclined = false;
    PlatformRect rect = {0, 0, width, height};

    hInstance = platformModuleHandle();
    if (!platformRegisterClass(hInstance)) {
        platformMessageBox("Failed To Register The Window Class.", "ERROR", MB_OK | MB_ICONWARNING);
        return false;
    }

    if (fullscreen && !platformChangeDisplayMode(width, height, bits)) {
        if (platformMessageBox(
                "Le mode plein \xE9"
                "cran n'est pas support\xE9.\r\nVoulez-vous lancez le programme en mode fen\xEA"
                "tre?",
                "Torvelo by Pelmaz", MB_YESNO | MB_ICONWARNING)
            == IDYES) {
            fullscreen = false;
        } else {
            platformMessageBox("Le programme va maintenant \xEAtre ferm\xE9.", "ERROR", MB_OK | MB_ICONERROR);
            windowDeclined = true;
            return false;
        }
    }

    unsigned long exStyle, style;
    if (fullscreen) {
        exStyle = WS_EX_APPWINDOW;
        style = WS_POPUP;
        platformShowCursor(false);
    } else {
        exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
        style = WS_OVERLAPPEDWINDOW;
    }
    platformAdjustWindowRect(&rect, style, exStyle);

    hWnd = platformCreateWindow(exStyle, title, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                                static_cast<int>(rect.right - rect.left),
                                static_cast<int>(rect.bottom - rect.top), hInstance);
    if (!hWnd)
        return failCreation("Window Creation Error.");

    hDC = platformGetDC(hWnd);
    if (!hDC)
        return failCreation("Can't Create A GL Device Context.");

    if (!pixelFormatFilled)
        fillPixelFormat(bits);
    const int format = platformChoosePixelFormat(hDC, &pixelFormat);
    if (format == 0)
        return failCreation("Can't Find A Suitable PixelFormat.");
    if (!platformSetPixelFormat(hDC, format, &pixelFormat))
        return failCreation("Can't Set The PixelFormat.");

    hRC = platformCreateContext(hDC);
    if (!hRC)
        return failCreation("Can't Create A GL Rendering Context.");
    if (!platformMakeCurrent(hDC, hRC))
        return failCreation("Can't Activate The GL Rendering Context.");

    platformShowWindow(hWnd);
    platformSetForegroundWindow(hWnd);
    platformSetFocus(hWnd);
    resizeViewport(width, height);

    if (!initGraphics())
        return failCreation("Initialization Failed.");
    return true;
}

static void shutdownError(const char* text)
{
    platformMessageBox(text, "SHUTDOWN ERROR", MB_OK | MB_ICONINFORMATION);
}

void destroyGLWindow()
{
    if (fullscreen) {
        platformRestoreDisplayMode();
        platformShowCursor(true);
    }
    if (hRC) {
        if (!platformMakeCurrent(nullptr, nullptr))
            shutdownError("Release Of DC And RC Failed.");
        if (!platformDeleteContext(hRC))
            shutdownError("Release Rendering Context Failed.");
        hRC = nullptr;
    }
    if (hDC) {
        if (!platformReleaseDC(hWnd, hDC))
            shutdownError("Release Device Context Failed.");
        hDC = nullptr;
    }
    if (hWnd) {
        if (!platformDestroyWindow(hWnd))
            shutdownError("Could Not Release hWnd.");
        hWnd = nullptr;
    }
    if (!platformUnregisterClass(hInstance))
        shutdownError("Could Not Unregister Class.");
}
