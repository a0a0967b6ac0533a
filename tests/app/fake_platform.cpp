#include "fake_platform.h"

#include "support/test_game.h"

#include <map>
#include <set>

std::vector<std::string> fakeLog;
std::string fakeFailAt;
std::vector<int> fakeAnswers;
std::vector<FakeMessage> fakeScript;
void (*fakeOnSwap)();

static std::map<std::string, int> calls;
static std::map<std::string, int> handlesMade;
static std::set<std::string> handleNames;  // never freed: handles point into it
static int emptyPasses;
static size_t boxes;

void fakeReset()
{
    fakeLog.clear();
    calls.clear();
    handlesMade.clear();
    emptyPasses = 0;
    boxes = 0;
}

bool fakeCall(const std::string& line)
{
    const std::string name = line.substr(0, line.find(' '));
    const bool succeeded = fakeFailAt != name + " " + std::to_string(++calls[name]);
    fakeLog.push_back(succeeded ? line : line + " failed");
    return succeeded;
}

static std::string text(PlatformHandle handle)
{
    return handle != nullptr ? static_cast<const char*>(handle) : "-";
}

static std::string text(const char* words)
{
    return words;
}

// Styles, flags and messages in hexadecimal, as Windows' headers write them.
static std::string text(unsigned long value)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "%#lx", value);
    return hex;
}

static std::string text(unsigned value)
{
    return text(static_cast<unsigned long>(value));
}

template <typename Number> static std::string text(Number value)
{
    return std::to_string(value);
}

template <typename... Args> static bool logged(const char* name, Args... args)
{
    std::string line = name;
    for (const std::string& arg : std::initializer_list<std::string>{text(args)...})
        line += " " + arg;
    return fakeCall(line);
}

// The next handle of a kind, when its call succeeded.
static PlatformHandle made(const char* kind, bool succeeded)
{
    const std::string name = kind + std::to_string(handlesMade[kind] + 1);
    handlesMade[kind] += succeeded;
    return succeeded ? const_cast<char*>(handleNames.insert(name).first->c_str()) : nullptr;
}

PlatformHandle platformModuleHandle()
{
    logged("ModuleHandle");
    return const_cast<char*>("i1");
}

bool platformRegisterClass(PlatformHandle instance)
{
    return logged("RegisterClass", instance);
}

bool platformChangeDisplayMode(int width, int height, int bits)
{
    return logged("ChangeDisplayMode", width, height, bits);
}

void platformRestoreDisplayMode()
{
    logged("RestoreDisplayMode");
}

void platformShowCursor(bool show)
{
    logged("ShowCursor", show);
}

void platformAdjustWindowRect(PlatformRect* rect, unsigned long style, unsigned long exStyle)
{
    // A theme's frame and caption around a framed window.
    if (logged("AdjustWindowRect", style, exStyle) && (style & WS_OVERLAPPEDWINDOW) != 0)
        *rect = {rect->left - 8, rect->top - 31, rect->right + 8, rect->bottom + 8};
}

PlatformHandle platformCreateWindow(unsigned long exStyle, const char* title, unsigned long style, int x,
                                    int y, int width, int height, PlatformHandle instance)
{
    return made("w", logged("CreateWindow", exStyle, title, style, x, y, width, height, instance));
}

PlatformHandle platformGetDC(PlatformHandle window)
{
    return made("dc", logged("GetDC", window));
}

int platformChoosePixelFormat(PlatformHandle dc, const PixelFormatRequest* r)
{
    return logged("ChoosePixelFormat", dc, r->size, r->version, r->flags, r->pixelType, r->colorBits,
                  r->alphaBits, r->accumBits, r->depthBits, r->stencilBits, r->auxBuffers, r->layerType);
}

bool platformSetPixelFormat(PlatformHandle dc, int format, const PixelFormatRequest*)
{
    return logged("SetPixelFormat", dc, format);
}

PlatformHandle platformCreateContext(PlatformHandle dc)
{
    return made("rc", logged("CreateContext", dc));
}

bool platformMakeCurrent(PlatformHandle dc, PlatformHandle rc)
{
    useGameGraphics();
    // A new window's viewport is not yet its client size.
    glViewport(0, 0, 1, 1);
    return logged("MakeCurrent", dc, rc);
}

bool platformDeleteContext(PlatformHandle rc)
{
    return logged("DeleteContext", rc);
}

void platformShowWindow(PlatformHandle window)
{
    logged("ShowWindow", window);
}

void platformSetForegroundWindow(PlatformHandle window)
{
    logged("SetForegroundWindow", window);
}

void platformSetFocus(PlatformHandle window)
{
    logged("SetFocus", window);
}

bool platformReleaseDC(PlatformHandle window, PlatformHandle dc)
{
    return logged("ReleaseDC", window, dc);
}

bool platformDestroyWindow(PlatformHandle window)
{
    return logged("DestroyWindow", window);
}

bool platformUnregisterClass(PlatformHandle instance)
{
    return logged("UnregisterClass", instance);
}

int platformMessageBox(const char* words, const char* caption, unsigned flags)
{
    logged("MessageBox", caption, flags, words);
    return boxes < fakeAnswers.size() ? fakeAnswers[boxes++] : 0;
}

bool platformPeekMessage(PlatformMessage* message)
{
    // A loop that does not end gets a quit no run expects.
    if (emptyPasses == 500)
        fakeScript.push_back({0, WM_QUIT, 99, 0});
    for (auto due = fakeScript.begin(); due != fakeScript.end(); ++due)
        if (due->afterEmptyPasses <= emptyPasses) {
            *message = {hWnd, due->message, due->wParam, due->lParam};
            fakeScript.erase(due);
            return logged("PeekMessage", message->message, message->wParam, message->lParam);
        }
    emptyPasses++;
    return !logged("PeekMessage");
}

void platformTranslateMessage(const PlatformMessage*)
{
    logged("TranslateMessage");
}

intptr_t platformDispatchMessage(const PlatformMessage* m)
{
    return windowProc(m->window, m->message, m->wParam, m->lParam);
}

void platformSwapBuffers(PlatformHandle dc)
{
    logged("SwapBuffers", dc);
    fakeOnSwap();
}

void platformPostQuitMessage(int code)
{
    logged("PostQuitMessage", code);
    fakeScript.push_back({0, WM_QUIT, static_cast<uintptr_t>(code), 0});
}

intptr_t platformDefWindowProc(PlatformHandle window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    logged("DefWindowProc", window, message, wParam, lParam);
    return 1234;
}
