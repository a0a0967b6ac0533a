// The window code over the tests' fake backend: every call it makes, in
// order. The expectation is one whole run (whole_run.log, each line checked
// by hand once); a failure at each of its steps must
// follow it up to the step, release what was made before, show the step's
// box and end.
#include "app/app.h"
#include "support/test_game.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

using namespace std;

using Log = vector<string>;

// ---- The fake backend: each primitive of platform/platform.h logged as its
// name and arguments, handles named by kind and number (w1, dc1, rc1; the
// instance i1), drawing on the tests' software GL context, boxes answered
// No, messages from a script.

struct FakeMessage {
    int afterEmptyPasses;  // taken once the queue was found empty that often
    unsigned message;
    uintptr_t wParam;
    intptr_t lParam;
};

static Log fakeLog;
static string failAt;  // "Name n": the n-th call of Name fails
static vector<FakeMessage> script;
static map<string, int> calls;  // of each name, and handles made of each kind
static int emptyPasses;

// An argument in the log: a handle by its name ("-" for none), a text as it
// is, styles, flags and messages in hexadecimal as Windows' headers write
// them, other numbers in decimal.
template <typename T> static string text(T value)
{
    ostringstream out;
    if constexpr (is_pointer_v<T>)
        out << (value != nullptr ? static_cast<const char*>(value) : "-");
    else if constexpr (is_unsigned_v<T> && sizeof(T) >= 4)
        out << showbase << hex << value;
    else
        out << +value;
    return out.str();
}

// Logs the call; false, and " failed" in the log, when it is the one failAt names.
template <typename... Args> static bool logged(const string& name, Args... args)
{
    string line = name;
    for (const string& arg : initializer_list<string>{text(args)...})
        line += " " + arg;
    const bool succeeded = failAt != name + " " + to_string(++calls[name]);
    fakeLog.push_back(succeeded ? line : line + " failed");
    return succeeded;
}

// The next handle of a kind when its call succeeded, named for the log.
static PlatformHandle made(const string& kind, bool succeeded)
{
    static string names[64];
    static int count = 0;
    if (!succeeded)
        return nullptr;
    names[++count % 64] = kind + to_string(++calls[kind]);
    return names[count % 64].data();
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
    // No to every question: a window, not full screen.
    return IDNO;
}

bool platformPeekMessage(PlatformMessage* message)
{
    // A loop that does not end gets a quit no run expects.
    if (emptyPasses == 500)
        script.push_back({0, WM_QUIT, 99, 0});
    if (script.empty() || script[0].afterEmptyPasses > emptyPasses) {
        emptyPasses++;
        return !logged("PeekMessage");
    }
    *message = {hWnd, script[0].message, script[0].wParam, script[0].lParam};
    script.erase(script.begin());
    return logged("PeekMessage", message->message, message->wParam, message->lParam);
}

// Key messages are not translated further: nothing reads WM_CHAR.
void platformTranslateMessage(const PlatformMessage*) { }

intptr_t platformDispatchMessage(const PlatformMessage* m)
{
    return windowProc(m->window, m->message, m->wParam, m->lParam);
}

static void notePass();

void platformSwapBuffers(PlatformHandle dc)
{
    logged("SwapBuffers", dc);
    notePass();
}

void platformPostQuitMessage(int code)
{
    logged("PostQuitMessage", code);
    script.push_back({0, WM_QUIT, static_cast<uintptr_t>(code), 0});
}

intptr_t platformDefWindowProc(PlatformHandle window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    logged("DefWindowProc", window, message, wParam, lParam);
    return 1234;
}

extern "C" bool __real__Z12initGraphicsv();
// The graphics set-up never fails on its own; the link wraps it so it can.
extern "C" bool __wrap__Z12initGraphicsv()
{
    return logged("InitGraphics") && __real__Z12initGraphicsv();
}

// ---- The tests.

static CubeGrid freshCube;

// Each presented pass as a line: whether it drew, the viewport, whether the
// cube is the one a window creation makes from seed 42. Then time goes on,
// and a switch this pass makes scrambles from 42.
static void notePass()
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    char line[64];
    snprintf(line, sizeof line, "%s %dx%d%s", frameClock == platformRunClock() ? "drawn" : "not drawn",
             viewport[2], viewport[3],
             memcmp(freshCube, cubeLive, sizeof freshCube) == 0 ? " fresh cube" : "");
    fakeLog.push_back(line);
    if (keys[VK_F1])
        seedRandom(42);
    setRunClock(platformRunClock() + 16);
}

// The recorded run: No to full screen; sizes, keys (B, G, codes past the
// table), a system key, activation and minimising, a paint; F1 to full
// screen; Escape.
static Log wholeRun()
{
    ifstream file(TORVELO_TESTS_DIR "/app/whole_run.log");
    Log log;
    for (string line; getline(file, line);)
        log.push_back(line);
    return log;
}

static string firstWord(const string& line)
{
    return line.substr(0, line.find(' '));
}

// Its messages, each after as many empty passes as the run had made.
static vector<FakeMessage> wholeRunMessages()
{
    vector<FakeMessage> messages;
    int passes = 0;
    for (const string& line : wholeRun()) {
        unsigned message = 0;
        unsigned long wParam = 0;
        long lParam = 0;
        if (sscanf(line.c_str(), "PeekMessage %x %lx %ld", &message, &wParam, &lParam) == 3)
            messages.push_back({passes, message, wParam, lParam});
        passes += line == "PeekMessage";
    }
    return messages;
}

// appMain over the recorded run's messages from a 4-cube game in play, the
// failing step failing; its exit status ends the log.
static Log runApp(const string& failing = "")
{
    useGameGraphics();
    seedRandom(42);
    resetGame(4, 1000);
    scrambleCube(150);
    memcpy(freshCube, cubeLive, sizeof freshCube);
    seedRandom(1);
    gameState = STATE_PLAYING;
    fullscreen = true;
    windowActive = true;
    fakeLog.clear();
    calls.clear();
    emptyPasses = 0;
    script = wholeRunMessages();
    failAt = failing;
    fakeLog.push_back("status " + to_string(appMain()));
    // No handle kept, and the game not left.
    EXPECT_EQ(hWnd, nullptr) << failAt;
    EXPECT_EQ(hDC, nullptr) << failAt;
    EXPECT_EQ(hRC, nullptr) << failAt;
    EXPECT_EQ(gameState, STATE_PLAYING) << failAt;
    return fakeLog;
}

TEST(WindowCode, AWholeRunMakesTheCallsOfTheRecordedOneInItsOrder)
{
    // Active from the start, before any activation.
    EXPECT_TRUE(windowActive);
    EXPECT_EQ(runApp(), wholeRun());
}

TEST(WindowCode, AFailedStepReleasesWhatWasMadeBeforeItThenShowsItsBoxAndEnds)
{
    // The box texts by the line of the step that fails: the
    // creation's (what it made released first), the offer of a window
    // (declined, with the closing box), the teardown's (which goes on).
    const map<string, string> boxes = {
        {"RegisterClass", "Failed To Register The Window Class."},
        {"ChangeDisplayMode",
         "Le mode plein \xE9"
         "cran n'est pas support\xE9.\r\nVoulez-vous lancez le programme en mode fen\xEA"
         "tre?"},
        {"CreateWindow", "Window Creation Error."},
        {"GetDC", "Can't Create A GL Device Context."},
        {"ChoosePixelFormat", "Can't Find A Suitable PixelFormat."},
        {"SetPixelFormat", "Can't Set The PixelFormat."},
        {"CreateContext", "Can't Create A GL Rendering Context."},
        {"MakeCurrent dc", "Can't Activate The GL Rendering Context."},
        {"InitGraphics", "Initialization Failed."},
        {"MakeCurrent -", "Release Of DC And RC Failed."},
        {"DeleteContext", "Release Rendering Context Failed."},
        {"ReleaseDC", "Release Device Context Failed."},
        {"DestroyWindow", "Could Not Release hWnd."},
        {"UnregisterClass", "Could Not Unregister Class."}};
    // What each step of a teardown undoes.
    const map<string, string> undoes = {{"RestoreDisplayMode", "ChangeDisplayMode"},
                                        {"ShowCursor 1", "ChangeDisplayMode"},
                                        {"MakeCurrent -", "CreateContext"},
                                        {"DeleteContext", "CreateContext"},
                                        {"ReleaseDC", "GetDC"},
                                        {"DestroyWindow", "CreateWindow"},
                                        {"UnregisterClass", "RegisterClass"}};
    const auto lookUp = [](const map<string, string>& table, const string& line) {
        for (const auto& [start, value] : table)
            if (line.rfind(start, 0) == 0)
                return value;
        return string();
    };
    const Log whole = wholeRun();
    map<string, int> steps;
    auto creation = whole.begin();
    for (auto step = whole.begin(); step != whole.end(); step++) {
        const string name = firstWord(*step);
        const string failing = name + " " + to_string(++steps[name]);
        if (name == "ModuleHandle")
            creation = step;
        const string box = lookUp(boxes, *step);
        if (box.empty())
            continue;
        const bool release = !lookUp(undoes, *step).empty();
        const bool offer = name == "ChangeDisplayMode";
        Log expected(whole.begin(), step + 1);
        expected.back() += " failed";
        if (!release && !offer) {
            // This creation's teardown in the whole run, where it undoes a step made before the failure.
            auto end =
                find_if(step, whole.end(), [](auto& line) { return firstWord(line) == "UnregisterClass"; });
            auto start = end;
            while (!lookUp(undoes, start[-1]).empty())
                start--;
            for (auto undo = start; undo <= end; undo++)
                if (any_of(creation, step,
                           [&](auto& line) { return firstWord(line) == lookUp(undoes, *undo); }))
                    expected.push_back(*undo);
        }
        expected.push_back(release     ? "MessageBox SHUTDOWN ERROR 0x40 " + box
                               : offer ? "MessageBox Torvelo by Pelmaz 0x34 " + box
                                       : "MessageBox ERROR 0x30 " + box);
        if (offer)
            expected.push_back("MessageBox ERROR 0x10 Le programme va maintenant \xEAtre ferm\xE9.");
        if (release)
            expected.insert(expected.end(), step + 1, whole.end());
        else
            expected.push_back(offer ? "status 0" : "status 1");
        EXPECT_EQ(runApp(failing), expected) << failing;
    }
}
