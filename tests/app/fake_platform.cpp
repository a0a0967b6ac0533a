#include "fake_platform.h"

#include "headless/headless.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <set>

std::vector<std::string> fakeLog;
std::map<std::string, int> fakeFailAt;
std::vector<int> fakeAnswers;
std::vector<std::pair<int, PlatformMessage>> fakeScript;
void (*fakeOnSwap)() = [] {};

static std::map<std::string, int> calls, made;  // by name; handles by kind
static std::set<std::string> names;             // never freed: the handles point into it
static int emptyPasses = 0, box = 0;
static OSMesaContext mesa = nullptr;  // the one window's context: F1 deletes it before making the next
static unsigned char frame[800 * 600 * 4];

static const char* str(PlatformHandle h)
{
    return h ? static_cast<const char*>(h) : "-";
}
static void dropContext()
{
    OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0), OSMesaDestroyContext(mesa), mesa = nullptr;
}

// The next handle of a kind (w, dc, rc) when its call succeeded.
static PlatformHandle handle(const std::string& kind, bool ok)
{
    return ok ? (char*)names.insert(kind + std::to_string(++made[kind])).first->c_str() : nullptr;
}

bool fakeCall(const char* format, ...)
{
    char line[256];
    va_list args;
    va_start(args, format), std::vsnprintf(line, sizeof line, format, args), va_end(args);
    const std::string name(line, std::strcspn(line, " "));
    const bool ok = ++calls[name] != fakeFailAt[name];
    fakeLog.push_back(line + std::string(ok ? "" : " failed"));
    return ok;
}

void fakeReset()
{
    dropContext(), fakeLog.clear(), fakeFailAt.clear(), fakeAnswers.clear(), fakeScript.clear(),
        calls.clear(), made.clear(), emptyPasses = box = 0;
}

PlatformHandle platformModuleHandle()
{
    return fakeCall("ModuleHandle"), const_cast<char*>("i1");
}
bool platformRegisterClass(PlatformHandle i)
{
    return fakeCall("RegisterClass %s", str(i));
}
bool platformChangeDisplayMode(int w, int h, int b)
{
    return fakeCall("ChangeDisplayMode %dx%dx%d", w, h, b);
}
void platformRestoreDisplayMode()
{
    fakeCall("RestoreDisplayMode");
}
void platformShowCursor(bool show)
{
    fakeCall("ShowCursor %s", show ? "show" : "hide");
}
PlatformHandle platformGetDC(PlatformHandle w)
{
    return handle("dc", fakeCall("GetDC %s", str(w)));
}
void platformShowWindow(PlatformHandle w)
{
    fakeCall("ShowWindow %s", str(w));
}
void platformSetForegroundWindow(PlatformHandle w)
{
    fakeCall("SetForegroundWindow %s", str(w));
}
void platformSetFocus(PlatformHandle w)
{
    fakeCall("SetFocus %s", str(w));
}
// Deleting the current context releases it first.
bool platformDeleteContext(PlatformHandle rc)
{
    return fakeCall("DeleteContext %s", str(rc)) && (dropContext(), true);
}
bool platformReleaseDC(PlatformHandle w, PlatformHandle dc)
{
    return fakeCall("ReleaseDC %s %s", str(w), str(dc));
}
bool platformDestroyWindow(PlatformHandle w)
{
    return fakeCall("DestroyWindow %s", str(w));
}
bool platformUnregisterClass(PlatformHandle i)
{
    return fakeCall("UnregisterClass %s", str(i));
}
void platformTranslateMessage(const PlatformMessage*)
{
    fakeCall("TranslateMessage");
}
void platformSwapBuffers(PlatformHandle dc)
{
    fakeCall("SwapBuffers %s", str(dc)), fakeOnSwap();
}
void platformPostQuitMessage(int code)
{
    fakeCall("PostQuitMessage %d", code), fakeScript.push_back({0, {nullptr, WM_QUIT, uintptr_t(code), 0}});
}
bool platformSetPixelFormat(PlatformHandle dc, int format, const PixelFormatRequest*)
{
    return fakeCall("SetPixelFormat %s %d", str(dc), format);
}

void platformAdjustWindowRect(PlatformRect* r, unsigned long style, unsigned long exStyle)
{
    if (fakeCall("AdjustWindowRect %#lx %#lx", style, exStyle) && (style & WS_OVERLAPPEDWINDOW))
        *r = {r->left - 8, r->top - 31, r->right + 8, r->bottom + 8};  // a theme's frame and caption
}

PlatformHandle platformCreateWindow(unsigned long exStyle, const char* title, unsigned long style, int x,
                                    int y, int w, int h, PlatformHandle i)
{
    return handle(
        "w", fakeCall("CreateWindow %#lx %#lx %d,%d %dx%d %s %s", exStyle, style, x, y, w, h, str(i), title));
}

int platformChoosePixelFormat(PlatformHandle dc, const PixelFormatRequest* r)
{
    return fakeCall("ChoosePixelFormat %s %u %u %#lx %u %u %u %u %u %u %u %u", str(dc), r->size, r->version,
                    r->flags, r->pixelType, r->colorBits, r->alphaBits, r->accumBits, r->depthBits,
                    r->stencilBits, r->auxBuffers, r->layerType);
}

PlatformHandle platformCreateContext(PlatformHandle dc)
{
    const bool ok = fakeCall("CreateContext %s", str(dc));
    return mesa = ok ? makeSoftwareContext(frame, 800, 600) : mesa, handle("rc", ok);
}

bool platformMakeCurrent(PlatformHandle dc, PlatformHandle rc)
{
    const bool ok = fakeCall("MakeCurrent %s %s", str(dc), str(rc));
    if (ok && rc)  // unlike OSMesa's, a new window's viewport is not yet its client size
        OSMesaMakeCurrent(mesa, frame, GL_UNSIGNED_BYTE, 800, 600), glViewport(0, 0, 1, 1);
    return ok;
}

int platformMessageBox(const char* text, const char* caption, unsigned type)
{
    return fakeCall("MessageBox %s %#x %s", caption, type, text),
           box < int(fakeAnswers.size()) ? fakeAnswers[box++] : 0;
}

bool platformPeekMessage(PlatformMessage* m)
{
    if (emptyPasses >= 500)
        fakeScript.push_back(
            {0, {nullptr, WM_QUIT, 99, 0}});  // a loop that never ends: a quit no run expects
    auto due =
        std::find_if(fakeScript.begin(), fakeScript.end(), [](auto& s) { return s.first <= emptyPasses; });
    if (due == fakeScript.end())
        return emptyPasses++, !fakeCall("PeekMessage -");
    *m = due->second, m->window = hWnd;
    fakeScript.erase(due);
    return fakeCall("PeekMessage %#x %zu", m->message, size_t{m->wParam});
}

intptr_t platformDispatchMessage(const PlatformMessage* m)
{
    return fakeCall("DispatchMessage"), windowProc(m->window, m->message, m->wParam, m->lParam);
}

intptr_t platformDefWindowProc(PlatformHandle w, unsigned m, uintptr_t wParam, intptr_t lParam)
{
    return fakeCall("DefWindowProc %s %#x %zu %ld", str(w), m, size_t{wParam}, long{lParam}), 1234;
}
