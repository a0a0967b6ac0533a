#include "fake_platform.h"

#include "platform/app.h"
#include "platform/winapi_names.h"

#include <GL/osmesa.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <map>

namespace {

const int WIDTH = 800;
const int HEIGHT = 600;
// A loop that has found the queue empty this often was left without an end.
const int RUNAWAY_PASSES = 500;

struct FakeContext {
    OSMesaContext context;
    std::vector<unsigned char> buffer;
    bool held;
};

struct ScriptedMessage {
    int passes;
    PlatformMessage message;
};

PlatformHandle const fakeInstance = reinterpret_cast<PlatformHandle>(0x400000);

std::vector<std::string> calls;
std::map<std::string, std::vector<int>> failures;
std::map<std::string, int> callCounts;
std::vector<int> boxAnswers;
std::vector<FakeBox> boxes;
std::deque<PlatformMessage> queue;
std::vector<ScriptedMessage> scripted;
int emptyPasses = 0;
std::function<void()> swapHook;
std::function<void(const std::string&)> callHook;
intptr_t defWindowProcResult = 0;

bool classRegistered = false;
int windowsMade = 0;
int dcsMade = 0;
std::vector<bool> windowsHeld;  // index k - 1 for wk
std::vector<bool> dcsHeld;
std::vector<FakeContext> contexts;  // index k - 1 for rck
int badReleases = 0;

// Windows live at 0x10000 + k, device contexts at 0x20000 + k; contexts are
// the OSMesa contexts themselves.
PlatformHandle windowHandle(int k) { return reinterpret_cast<PlatformHandle>(uintptr_t{0x10000} + k); }
PlatformHandle dcHandle(int k) { return reinterpret_cast<PlatformHandle>(uintptr_t{0x20000} + k); }

int windowIndex(PlatformHandle h)
{
    const uintptr_t v = reinterpret_cast<uintptr_t>(h);
    return v > 0x10000 && v <= uintptr_t{0x10000} + windowsMade ? static_cast<int>(v - 0x10000) : 0;
}

int dcIndex(PlatformHandle h)
{
    const uintptr_t v = reinterpret_cast<uintptr_t>(h);
    return v > 0x20000 && v <= uintptr_t{0x20000} + dcsMade ? static_cast<int>(v - 0x20000) : 0;
}

// Newest first: a freed context's address may come back for the next one.
int contextIndex(PlatformHandle h)
{
    for (size_t i = contexts.size(); i > 0; i--)
        if (h && contexts[i - 1].context == h)
            return static_cast<int>(i);
    return 0;
}

std::string label(PlatformHandle h)
{
    if (!h)
        return "-";
    if (h == fakeInstance)
        return "i1";
    if (int k = windowIndex(h))
        return "w" + std::to_string(k);
    if (int k = dcIndex(h))
        return "dc" + std::to_string(k);
    if (int k = contextIndex(h))
        return "rc" + std::to_string(k);
    return "?";
}

std::string hex(unsigned long v)
{
    char s[24];
    std::snprintf(s, sizeof s, "%#lx", v);
    return s;
}

void record(const std::string& line)
{
    calls.push_back(line);
    if (callHook)
        callHook(line);
}

// Counts the call and says whether the script makes this one fail.
bool failsNow(const std::string& name)
{
    const int n = ++callCounts[name];
    for (int nth : failures[name])
        if (nth == n)
            return true;
    return false;
}

PlatformHandle liveWindow()
{
    for (int k = windowsMade; k >= 1; k--)
        if (windowsHeld[k - 1])
            return windowHandle(k);
    return nullptr;
}

bool release(std::vector<bool>& held, int k)
{
    if (k == 0 || !held[k - 1]) {
        badReleases++;
        return false;
    }
    held[k - 1] = false;
    return true;
}

void destroyContext(FakeContext& c)
{
    // wglDeleteContext makes a current context not current first.
    if (OSMesaGetCurrentContext() == c.context)
        OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    OSMesaDestroyContext(c.context);
    c.held = false;
}

} // namespace

// ---- test control ----

void fakeReset()
{
    for (FakeContext& c : contexts)
        if (c.held)
            destroyContext(c);
    OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    contexts.clear();
    calls.clear();
    failures.clear();
    callCounts.clear();
    boxAnswers.clear();
    boxes.clear();
    queue.clear();
    scripted.clear();
    emptyPasses = 0;
    swapHook = nullptr;
    callHook = nullptr;
    defWindowProcResult = 0;
    classRegistered = false;
    windowsMade = 0;
    dcsMade = 0;
    windowsHeld.clear();
    dcsHeld.clear();
    badReleases = 0;
}

const std::vector<std::string>& fakeCalls() { return calls; }

std::vector<std::string> fakeCallNames()
{
    std::vector<std::string> names;
    for (const std::string& line : calls)
        names.push_back(line.substr(0, line.find(' ')));
    return names;
}

int fakeCount(const std::string& line)
{
    int n = 0;
    for (const std::string& c : calls)
        n += c == line;
    return n;
}

void fakeFailCall(const std::string& name, int nth)
{
    static const char* const canFail[] = {"RegisterClass", "ChangeDisplayMode", "CreateWindow",  "GetDC",
                                          "ChoosePixelFormat", "SetPixelFormat", "CreateContext", "MakeCurrent",
                                          "DeleteContext", "ReleaseDC", "DestroyWindow", "UnregisterClass"};
    bool known = false;
    for (const char* c : canFail)
        known = known || name == c;
    ASSERT_TRUE(known) << name << " has no failure to inject";
    failures[name].push_back(nth);
}

void fakeAnswerBoxes(const std::vector<int>& answers) { boxAnswers = answers; }
const std::vector<FakeBox>& fakeBoxes() { return boxes; }

void fakePostMessage(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    queue.push_back(PlatformMessage{nullptr, message, wParam, lParam});
}

void fakePostMessageAfterPasses(int passes, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    scripted.push_back(ScriptedMessage{passes, PlatformMessage{nullptr, message, wParam, lParam}});
}

int fakeEmptyPasses() { return emptyPasses; }
void fakeOnSwap(std::function<void()> hook) { swapHook = std::move(hook); }
void fakeOnCall(std::function<void(const std::string&)> hook) { callHook = std::move(hook); }
void fakeSetDefWindowProcResult(intptr_t result) { defWindowProcResult = result; }

int fakeHeldHandles()
{
    int n = 0;
    for (bool h : windowsHeld)
        n += h;
    for (bool h : dcsHeld)
        n += h;
    for (const FakeContext& c : contexts)
        n += c.held;
    return n;
}

bool fakeClassRegistered() { return classRegistered; }
int fakeBadReleases() { return badReleases; }

// ---- the primitives ----

PlatformHandle platformModuleHandle()
{
    record("ModuleHandle");
    return fakeInstance;
}

bool platformRegisterClass(PlatformHandle instance)
{
    // Windows refuses a second registration of the same class.
    const bool ok = !failsNow("RegisterClass") && !classRegistered;
    if (ok)
        classRegistered = true;
    record("RegisterClass " + label(instance) + (ok ? "" : " failed"));
    return ok;
}

bool platformChangeDisplayMode(int width, int height, int bits)
{
    const bool ok = !failsNow("ChangeDisplayMode");
    record("ChangeDisplayMode " + std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(bits) +
           (ok ? "" : " failed"));
    return ok;
}

void platformRestoreDisplayMode() { record("RestoreDisplayMode"); }

void platformShowCursor(bool show) { record(show ? "ShowCursor show" : "ShowCursor hide"); }

void platformAdjustWindowRect(PlatformRect* rect, unsigned long style, unsigned long exStyle)
{
    record("AdjustWindowRect style=" + hex(style) + " ex=" + hex(exStyle));
    // A sizing frame and caption like a desktop theme's; a popup has none.
    if (style & WS_OVERLAPPEDWINDOW) {
        rect->left -= 8;
        rect->top -= 31;
        rect->right += 8;
        rect->bottom += 8;
    }
}

PlatformHandle platformCreateWindow(unsigned long exStyle, const char* title, unsigned long style, int x, int y,
                                    int width, int height, PlatformHandle instance)
{
    PlatformHandle window = nullptr;
    if (!failsNow("CreateWindow")) {
        window = windowHandle(++windowsMade);
        windowsHeld.push_back(true);
    }
    record("CreateWindow " + label(window) + " ex=" + hex(exStyle) + " style=" + hex(style) + " at " +
           std::to_string(x) + "," + std::to_string(y) + " size " + std::to_string(width) + "x" +
           std::to_string(height) + " " + label(instance) + " \"" + title + "\"" + (window ? "" : " failed"));
    return window;
}

PlatformHandle platformGetDC(PlatformHandle window)
{
    PlatformHandle dc = nullptr;
    if (!failsNow("GetDC")) {
        dc = dcHandle(++dcsMade);
        dcsHeld.push_back(true);
    }
    record("GetDC " + label(window) + " " + label(dc) + (dc ? "" : " failed"));
    return dc;
}

int platformChoosePixelFormat(PlatformHandle dc, const PixelFormatRequest* r)
{
    const int format = failsNow("ChoosePixelFormat") ? 0 : 1;
    record("ChoosePixelFormat " + label(dc) + " size=" + std::to_string(r->size) + " version=" +
           std::to_string(r->version) + " flags=" + hex(r->flags) + " type=" + std::to_string(r->pixelType) +
           " colour=" + std::to_string(r->colorBits) + " alpha=" + std::to_string(r->alphaBits) +
           " accum=" + std::to_string(r->accumBits) + " depth=" + std::to_string(r->depthBits) +
           " stencil=" + std::to_string(r->stencilBits) + " aux=" + std::to_string(r->auxBuffers) +
           " layer=" + std::to_string(r->layerType) + " -> " + std::to_string(format) + (format ? "" : " failed"));
    return format;
}

bool platformSetPixelFormat(PlatformHandle dc, int format, const PixelFormatRequest*)
{
    const bool ok = !failsNow("SetPixelFormat");
    record("SetPixelFormat " + label(dc) + " " + std::to_string(format) + (ok ? "" : " failed"));
    return ok;
}

PlatformHandle platformCreateContext(PlatformHandle dc)
{
    PlatformHandle rc = nullptr;
    if (!failsNow("CreateContext")) {
        OSMesaContext c = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
        if (c) {
            contexts.push_back(FakeContext{c, std::vector<unsigned char>(size_t{WIDTH} * HEIGHT * 4), true});
            rc = c;
        }
    }
    record("CreateContext " + label(dc) + " " + label(rc) + (rc ? "" : " failed"));
    return rc;
}

bool platformMakeCurrent(PlatformHandle dc, PlatformHandle context)
{
    bool ok = !failsNow("MakeCurrent");
    if (ok && !context) {
        OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    } else if (ok) {
        const int k = contextIndex(context);
        FakeContext* c = k ? &contexts[k - 1] : nullptr;
        ok = c && c->held && dcIndex(dc) && dcsHeld[dcIndex(dc) - 1] &&
             OSMesaMakeCurrent(c->context, c->buffer.data(), GL_UNSIGNED_BYTE, WIDTH, HEIGHT);
    }
    record("MakeCurrent " + label(dc) + " " + label(context) + (ok ? "" : " failed"));
    return ok;
}

bool platformDeleteContext(PlatformHandle context)
{
    bool ok = !failsNow("DeleteContext");
    if (ok) {
        const int k = contextIndex(context);
        if (k && contexts[k - 1].held) {
            destroyContext(contexts[k - 1]);
        } else {
            badReleases++;
            ok = false;
        }
    }
    record("DeleteContext " + label(context) + (ok ? "" : " failed"));
    return ok;
}

void platformShowWindow(PlatformHandle window) { record("ShowWindow " + label(window)); }

void platformSetForegroundWindow(PlatformHandle window)
{
    record("SetForegroundWindow " + label(window));
    windowProc(window, WM_ACTIVATE, 1 /* WA_ACTIVE */, 0);
}

void platformSetFocus(PlatformHandle window) { record("SetFocus " + label(window)); }

bool platformReleaseDC(PlatformHandle window, PlatformHandle dc)
{
    const bool ok = !failsNow("ReleaseDC") && release(dcsHeld, dcIndex(dc));
    record("ReleaseDC " + label(window) + " " + label(dc) + (ok ? "" : " failed"));
    return ok;
}

bool platformDestroyWindow(PlatformHandle window)
{
    const bool ok = !failsNow("DestroyWindow") && release(windowsHeld, windowIndex(window));
    record("DestroyWindow " + label(window) + (ok ? "" : " failed"));
    if (ok)
        windowProc(window, WM_ACTIVATE, WA_INACTIVE, 0);
    return ok;
}

bool platformUnregisterClass(PlatformHandle instance)
{
    const bool ok = !failsNow("UnregisterClass") && classRegistered;
    if (ok)
        classRegistered = false;
    record("UnregisterClass " + label(instance) + (ok ? "" : " failed"));
    return ok;
}

int platformMessageBox(const char* text, const char* caption, unsigned flags)
{
    boxes.push_back(FakeBox{text, caption, flags});
    record(std::string("MessageBox ") + text);
    const size_t i = boxes.size() - 1;
    if (i < boxAnswers.size())
        return boxAnswers[i];
    return (flags & 0xF) == MB_YESNO ? IDYES : IDOK;
}

bool platformPeekMessage(PlatformMessage* message)
{
    for (size_t i = 0; i < scripted.size();) {
        if (scripted[i].passes <= emptyPasses) {
            queue.push_back(scripted[i].message);
            scripted.erase(scripted.begin() + static_cast<long>(i));
        } else {
            i++;
        }
    }
    if (queue.empty() && emptyPasses >= RUNAWAY_PASSES) {
        ADD_FAILURE() << "the loop ran " << RUNAWAY_PASSES << " empty passes without ending";
        queue.push_back(PlatformMessage{nullptr, WM_QUIT, 99, 0});
    }
    if (queue.empty()) {
        emptyPasses++;
        record("PeekMessage -");
        return false;
    }
    *message = queue.front();
    queue.pop_front();
    if (message->message != WM_QUIT)
        message->window = liveWindow();
    record("PeekMessage " + hex(message->message) + " " + std::to_string(message->wParam) + " " +
           std::to_string(message->lParam));
    return true;
}

void platformTranslateMessage(const PlatformMessage* message) { record("TranslateMessage " + hex(message->message)); }

intptr_t platformDispatchMessage(const PlatformMessage* message)
{
    record("DispatchMessage " + label(message->window) + " " + hex(message->message));
    return windowProc(message->window, message->message, message->wParam, message->lParam);
}

void platformSwapBuffers(PlatformHandle dc)
{
    record("SwapBuffers " + label(dc));
    if (swapHook)
        swapHook();
}

void platformPostQuitMessage(int code)
{
    record("PostQuitMessage " + std::to_string(code));
    queue.push_back(PlatformMessage{nullptr, WM_QUIT, static_cast<uintptr_t>(code), 0});
}

intptr_t platformDefWindowProc(PlatformHandle window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    record("DefWindowProc " + label(window) + " " + hex(message) + " " + std::to_string(wParam) + " " +
           std::to_string(lParam));
    return defWindowProcResult;
}
