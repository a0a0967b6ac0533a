#include "fake_platform.h"

#include "platform/app.h"
#include "platform/winapi_names.h"

#include <GL/osmesa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

std::vector<std::string> fakeLog;
std::vector<int> fakeAnswers;
std::function<void()> fakeOnSwap;
std::map<std::string, std::vector<int>> fakeFailAt;
std::set<std::string> fakeHeld;
int fakeBadReleases = 0;

namespace {

PlatformHandle const instance = const_cast<char*>("i1");
std::map<std::string, int> counts;
std::vector<std::pair<int, PlatformMessage>> script;  // due after that many empty passes
std::map<std::string, int> made;  // by kind: w, dc, rc
std::set<std::string> names;      // never freed: the handles point into it
int emptyPasses = 0, boxesShown = 0;
std::map<PlatformHandle, OSMesaContext> contexts;
std::vector<unsigned char> frame(size_t{800} * 600 * 4);

// A handle is its own name in the log: w1, dc1, rc1 (n-th of its kind), i1.
const char* label(PlatformHandle h) { return h ? static_cast<const char*>(h) : "-"; }

__attribute__((format(printf, 2, 3))) bool record(bool ok, const char* format, ...)
{
    char line[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    fakeLog.push_back(ok ? line : std::string(line) + " failed");
    return ok;
}

PlatformHandle next(const std::string& k) { return (char*)names.insert(k + std::to_string(++made[k])).first->c_str(); }

bool acquire(const char* call, PlatformHandle h) { return !fakeFails(call) && fakeHeld.insert(label(h)).second; }

bool release(const char* c, const std::string& h) { return !fakeFails(c) && (fakeHeld.erase(h) || !++fakeBadReleases); }

} // namespace

void fakeReset()
{
    OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    for (auto& c : contexts)
        OSMesaDestroyContext(c.second);
    contexts.clear(), fakeLog.clear(), fakeAnswers.clear(), fakeHeld.clear(), fakeFailAt.clear(), counts.clear();
    script.clear(), made.clear(), fakeOnSwap = nullptr, fakeBadReleases = emptyPasses = 0, boxesShown = 0;
}

bool fakeFails(const std::string& n) { auto& f = fakeFailAt[n]; return std::count(f.begin(), f.end(), ++counts[n]); }

void fakePostAfter(int passes, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    script.push_back({passes, PlatformMessage{nullptr, message, wParam, lParam}});
}

PlatformHandle platformModuleHandle() { return record(true, "ModuleHandle"), instance; }
void platformRestoreDisplayMode() { record(true, "RestoreDisplayMode"); }
void platformShowCursor(bool show) { record(true, "ShowCursor %s", show ? "show" : "hide"); }
void platformShowWindow(PlatformHandle window) { record(true, "ShowWindow %s", label(window)); }
void platformSetFocus(PlatformHandle window) { record(true, "SetFocus %s", label(window)); }
void platformTranslateMessage(const PlatformMessage* m) { record(true, "TranslateMessage %#x", m->message); }

bool platformRegisterClass(PlatformHandle i)
{
    // Windows refuses a second registration of the same class.
    return record(!fakeFails("RegisterClass") && fakeHeld.insert("class").second, "RegisterClass %s", label(i));
}

bool platformChangeDisplayMode(int width, int height, int bits)
{
    return record(!fakeFails("ChangeDisplayMode"), "ChangeDisplayMode %dx%dx%d", width, height, bits);
}

void platformAdjustWindowRect(PlatformRect* rect, unsigned long style, unsigned long exStyle)
{
    record(true, "AdjustWindowRect %#lx %#lx", style, exStyle);
    if (style & WS_OVERLAPPEDWINDOW)  // a desktop theme's frame and caption
        *rect = PlatformRect{rect->left - 8, rect->top - 31, rect->right + 8, rect->bottom + 8};
}

PlatformHandle platformCreateWindow(unsigned long exStyle, const char* title, unsigned long style, int x, int y,
                                    int width, int height, PlatformHandle i)
{
    PlatformHandle w = next("w");
    return record(acquire("CreateWindow", w), "CreateWindow %s %#lx %#lx %d,%d %dx%d %s %s", label(w), exStyle,
                  style, x, y, width, height, label(i), title) ? w : nullptr;
}

PlatformHandle platformGetDC(PlatformHandle window)
{
    PlatformHandle dc = next("dc");
    return record(acquire("GetDC", dc), "GetDC %s %s", label(window), label(dc)) ? dc : nullptr;
}

int platformChoosePixelFormat(PlatformHandle dc, const PixelFormatRequest* r)
{
    return record(!fakeFails("ChoosePixelFormat"), "ChoosePixelFormat %s %u %u %#lx %u %u %u %u %u %u %u %u",
                  label(dc), r->size, r->version, r->flags, r->pixelType, r->colorBits, r->alphaBits, r->accumBits,
                  r->depthBits, r->stencilBits, r->auxBuffers, r->layerType);
}

bool platformSetPixelFormat(PlatformHandle dc, int format, const PixelFormatRequest*)
{
    return record(!fakeFails("SetPixelFormat"), "SetPixelFormat %s %d", label(dc), format);
}

PlatformHandle platformCreateContext(PlatformHandle dc)
{
    PlatformHandle rc = next("rc");
    if (!record(acquire("CreateContext", rc), "CreateContext %s %s", label(dc), label(rc)))
        return nullptr;
    return contexts[rc] = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr), rc;
}

bool platformMakeCurrent(PlatformHandle dc, PlatformHandle rc)
{
    const bool ok = !fakeFails("MakeCurrent") && (!rc || (contexts.count(rc) && fakeHeld.count(label(dc)))) &&
                    OSMesaMakeCurrent(rc ? contexts[rc] : nullptr, rc ? frame.data() : nullptr, GL_UNSIGNED_BYTE,
                                      800, 600);
    if (ok && rc)  // unlike OSMesa's, a new window's viewport is not yet its client size
        glViewport(0, 0, 1, 1);
    return record(ok, "MakeCurrent %s %s", label(dc), label(rc));
}

bool platformDeleteContext(PlatformHandle rc)
{
    if (!record(release("DeleteContext", label(rc)), "DeleteContext %s", label(rc)))
        return false;
    if (OSMesaGetCurrentContext() == contexts[rc])  // deleting a current context releases it first
        OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    return OSMesaDestroyContext(contexts[rc]), contexts.erase(rc);
}

void platformSetForegroundWindow(PlatformHandle window)
{
    record(true, "SetForegroundWindow %s", label(window)), windowProc(window, WM_ACTIVATE, 1, 0);
}

bool platformReleaseDC(PlatformHandle window, PlatformHandle dc)
{
    return record(release("ReleaseDC", label(dc)), "ReleaseDC %s %s", label(window), label(dc));
}

bool platformDestroyWindow(PlatformHandle window)
{
    if (!record(release("DestroyWindow", label(window)), "DestroyWindow %s", label(window)))
        return false;
    return windowProc(window, WM_ACTIVATE, WA_INACTIVE, 0), true;
}

bool platformUnregisterClass(PlatformHandle i)
{
    return record(release("UnregisterClass", "class"), "UnregisterClass %s", label(i));
}

int platformMessageBox(const char* text, const char* caption, unsigned flags)
{
    return record(true, "MessageBox %s %#x %s", caption, flags, text), boxesShown < static_cast<int>(fakeAnswers.size())
               ? fakeAnswers[boxesShown++] : (flags & 0xF) == MB_YESNO ? IDYES : IDOK;  // else the default button
}

bool platformPeekMessage(PlatformMessage* message)
{
    auto due = std::find_if(script.begin(), script.end(), [](auto& s) { return s.first <= emptyPasses; });
    if (due == script.end() && emptyPasses >= 500) {
        ADD_FAILURE() << "the loop ran 500 empty passes without ending";
        fakePostAfter(0, WM_QUIT, 99), due = script.end() - 1;
    }
    if (due == script.end())
        return emptyPasses++, !record(true, "PeekMessage -");
    *message = due->second, message->window = hWnd;
    script.erase(due);
    return record(true, "PeekMessage %#x %zu", message->message, static_cast<size_t>(message->wParam));
}

intptr_t platformDispatchMessage(const PlatformMessage* m)
{
    record(true, "DispatchMessage %s %#x", label(m->window), m->message);
    return windowProc(m->window, m->message, m->wParam, m->lParam);
}

void platformSwapBuffers(PlatformHandle dc)
{
    if (record(true, "SwapBuffers %s", label(dc)) && fakeOnSwap)
        fakeOnSwap();
}

void platformPostQuitMessage(int code) { record(true, "PostQuitMessage %d", code), fakePostAfter(0, WM_QUIT, code); }

intptr_t platformDefWindowProc(PlatformHandle window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    return record(true, "DefWindowProc %s %#x %zu %ld", label(window), message, static_cast<size_t>(wParam),
                  static_cast<long>(lParam)), 1234;
}
