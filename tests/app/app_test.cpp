// The window code over the fake backend: every call it makes, in order.
#include "fake_platform.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "platform/app.h"
#include "platform/input.h"
#include "platform/run_clock.h"
#include "platform/winapi_names.h"
#include "play/play.h"
#include "render/render.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>

// The graphics set-up never fails on its own; the link wraps it so it can.
extern "C" bool __real__Z12initGraphicsv();
extern "C" bool __wrap__Z12initGraphicsv()
{
    const bool fails = fakeFails("InitGraphics");
    fakeLog.push_back(fails ? "InitGraphics failed" : "InitGraphics");
    return !fails && __real__Z12initGraphicsv();
}

namespace {

using Lines = std::vector<std::string>;

const char* const question = "MessageBox fullscreen? 0x24 Voulez vous activer le mode plein \xE9" "cran?";
const char* const refusedBox = "MessageBox Torvelo by Pelmaz 0x34 Le mode plein \xE9" "cran n'est pas support\xE9."
                               "\r\nVoulez-vous lancez le programme en mode fen\xEA" "tre?";
const char* const closingBox = "MessageBox ERROR 0x10 Le programme va maintenant \xEAtre ferm\xE9.";
#define ERROR_BOX "MessageBox ERROR 0x30 "
#define SHUTDOWN_BOX "MessageBox SHUTDOWN ERROR 0x40 "
// What a presented pass notes (see the fixture).
const std::string drawn = "drawn 800x600/1.33 glyphs", fresh = drawn + " fresh cube", f1Key = " key 112";

Lines cat(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// Window k's creation; refused: full screen asked, refused, windowed accepted.
Lines creation(int k, bool full, bool refused = false)
{
    const std::string n = std::to_string(k), w = " w" + n, dc = " dc" + n, rc = " rc" + n;
    const Lines mode = refused ? Lines{"ChangeDisplayMode 800x600x16 failed", refusedBox}
                               : full ? Lines{"ChangeDisplayMode 800x600x16", "ShowCursor hide"} : Lines{};
    full = full && !refused;
    return cat({{"ModuleHandle", "RegisterClass i1"}, mode,
                {full ? "AdjustWindowRect 0x80000000 0x40000" : "AdjustWindowRect 0xcf0000 0x40100",
                 "CreateWindow" + w + (full ? " 0x40000 0x86000000 0,0 800x600" : " 0x40100 0x6cf0000 0,0 816x639") +
                     " i1 Torvelo by Pelmaz", "GetDC" + w + dc,
                 "ChoosePixelFormat" + dc + " 40 1 0x25 0 16 0 0 16 0 0 0", "SetPixelFormat" + dc + " 1",
                 "CreateContext" + dc + rc, "MakeCurrent" + dc + rc, "ShowWindow" + w, "SetForegroundWindow" + w,
                 "SetFocus" + w, "InitGraphics"}});
}

Lines teardown(int k, bool full)
{
    const std::string n = std::to_string(k);
    return cat({full ? Lines{"RestoreDisplayMode", "ShowCursor show"} : Lines{},
                {"MakeCurrent - -", "DeleteContext rc" + n, "ReleaseDC w" + n + " dc" + n, "DestroyWindow w" + n,
                 "UnregisterClass i1"}});
}

// An empty pass presenting on window k; a message dispatched to window k; Escape ending the loop.
Lines shown(int k) { return {"PeekMessage -", "ShowCursor show", "SwapBuffers dc" + std::to_string(k)}; }
Lines taken(int k, const std::string& message, int wParam)
{
    return {"PeekMessage " + message + " " + std::to_string(wParam), "TranslateMessage " + message,
            "DispatchMessage w" + std::to_string(k) + " " + message};
}
Lines escapeEnd(int k) { return cat({taken(k, "0x100", VK_ESCAPE), {"PeekMessage -", "ShowCursor hide"}}); }

class App : public ::testing::Test {
protected:
    CubeGrid freshCube;  // a 4-cube reset and turned 150 times from seed 42

    void SetUp() override
    {
        seedRandom(42), cubeSize = 4, cubeLast = 3, resetCubeSolved(), scrambleCube(150);
        std::memcpy(freshCube, cubeLive, sizeof freshCube);
        fakeReset(), seedRandom(1), setRunClockForTest(1000), std::fill(keys, keys + 256, false);
        fullscreen = windowActive = true, hInstance = hWnd = hDC = hRC = nullptr;
        gameState = STATE_MENU, cubeSize = 3, cubeLast = 2;
        // A presented pass notes whether it drew, the view, whether a glyph list of
        // the current context advances the raster position and whether the cube is
        // the fresh one; then time goes on.
        fakeOnSwap = [this] {
            GLint v[4] = {};
            GLdouble m[16] = {};  // gluPerspective puts f / aspect at 0 and f at 5
            GLfloat at[4] = {};
            glGetIntegerv(GL_VIEWPORT, v), glGetDoublev(GL_PROJECTION_MATRIX, m);
            glWindowPos2i(10, 10), glCallList(fontMenu + 'W'), glGetFloatv(GL_CURRENT_RASTER_POSITION, at);
            bool same = cubeSize == 4;
            for (int i = 0; i < 64; i++)
                same = same && !memcmp(freshCube[i / 16][i / 4 % 4][i % 4], cubeLive[i / 16][i / 4 % 4][i % 4], 24);
            std::string line = (frameClock == runClock() ? "drawn " : "not drawn ") + std::to_string(v[2]) + "x" +
                               std::to_string(v[3]) + "/" + std::to_string(m[5] / m[0]).substr(0, 4) +
                               (at[0] > 10 ? " glyphs" : "") + (same ? " fresh cube" : "");
            for (int k = 0; k < 256; k++)
                line += keys[k] ? " key " + std::to_string(k) : "";
            fakeLog.push_back(line);
            if (keys[VK_F1])  // a known generator for the switch this pass makes
                seedRandom(42);
            setRunClockForTest(runClock() + 16);
        };
    }
    void TearDown() override
    {
        EXPECT_EQ(fakeBadReleases, 0) << "released twice or never held";
        EXPECT_TRUE(!hWnd && !hDC && !hRC);
        fakeReset();
    }
};

} // namespace

TEST_F(App, EachFailedStepShowsItsBoxAfterReleasingWhatItHeldInReverseAndExitsZero)
{
    // undone: teardown steps taken before the box; -1: the release fails at the end of a run.
    struct Row { const char* fail; int nth, answer, undone; const char* box; const char* held; };
    const Row rows[] = {
        {"RegisterClass", 1, 0, 0, ERROR_BOX "Failed To Register The Window Class.", ""},
        {"ChangeDisplayMode", 1, IDYES, -1, "", ""},
        {"ChangeDisplayMode", 1, IDNO, 0, closingBox, "class"},
        {"ChangeDisplayMode", 1, IDCANCEL, 0, closingBox, "class"},
        {"CreateWindow", 1, 0, 1, ERROR_BOX "Window Creation Error.", ""},
        {"GetDC", 1, 0, 2, ERROR_BOX "Can't Create A GL Device Context.", ""},
        {"ChoosePixelFormat", 1, 0, 3, ERROR_BOX "Can't Find A Suitable PixelFormat.", ""},
        {"SetPixelFormat", 1, 0, 3, ERROR_BOX "Can't Set The PixelFormat.", ""},
        {"CreateContext", 1, 0, 3, ERROR_BOX "Can't Create A GL Rendering Context.", ""},
        {"MakeCurrent", 1, 0, 5, ERROR_BOX "Can't Activate The GL Rendering Context.", ""},
        {"InitGraphics", 1, 0, 5, ERROR_BOX "Initialization Failed.", ""},
        {"MakeCurrent", 2, 0, -1, SHUTDOWN_BOX "Release Of DC And RC Failed.", ""},
        {"DeleteContext", 1, 0, -1, SHUTDOWN_BOX "Release Rendering Context Failed.", "rc1"},
        {"ReleaseDC", 1, 0, -1, SHUTDOWN_BOX "Release Device Context Failed.", "dc1"},
        {"DestroyWindow", 1, 0, -1, SHUTDOWN_BOX "Could Not Release hWnd.", "w1"},
        {"UnregisterClass", 1, 0, -1, SHUTDOWN_BOX "Could Not Unregister Class.", "class"},
    };
    for (const Row& r : rows) {
        const std::string fail = r.fail;
        const bool refused = fail == "ChangeDisplayMode";
        for (bool full : {false, true}) {
            if (!full && refused)
                continue;
            SCOPED_TRACE(fail + " " + std::to_string(r.nth) + (full ? " full screen" : " windowed"));
            SetUp();
            fakeFailAt[fail] = {r.nth}, fakeAnswers = {full ? IDYES : IDNO, r.answer};
            fakePostAfter(1, WM_KEYDOWN, VK_ESCAPE);

            EXPECT_EQ(appMain(), 0);

            Lines want = {question}, make = creation(1, full, refused && r.answer == IDYES);
            const Lines td = teardown(1, full && !refused);
            if (r.undone < 0) {
                want = cat({want, make, shown(1), {drawn}, escapeEnd(1)});
                for (const std::string& l : td)
                    want = cat({want, {l.rfind(fail, 0) ? l : l + " failed"}, Lines(!l.rfind(fail, 0), r.box)});
            } else {
                auto at = std::find_if(make.begin(), make.end(), [&](auto& l) { return l.rfind(fail, 0) == 0; });
                want = cat({want, Lines(make.begin(), at + 1)});
                want.back() += " failed";
                if (r.undone)  // the display mode and cursor first, then the reverse of creation
                    want = cat({want, Lines(td.begin(), td.begin() + 2 * full), Lines(td.end() - r.undone, td.end())});
                want = cat({want, refused ? Lines{refusedBox} : Lines{}, {r.box}});
            }
            EXPECT_EQ(fakeLog, want);
            EXPECT_EQ(fakeHeld, (*r.held ? std::set<std::string>{r.held} : std::set<std::string>{}));
            TearDown();
        }
    }
}

TEST_F(App, ARunAsksTheModeTakesOneMessageOrPresentsOneFrameAPassSwitchesOnF1AndEndsOnEscapeOrQuit)
{
    const int f1 = VK_F1, esc = VK_ESCAPE, down = WM_KEYDOWN;
    const char* const unpresented = "ended on an unpresented frame";
    // A second answer answers a refused full screen; script: after k empty passes, message, wParam (, lParam).
    struct Run { std::vector<int> answers; std::vector<std::vector<int>> script; int status; Lines log; };
    std::vector<Run> runs;
    for (int answer : {IDNO, IDYES, IDCANCEL, IDOK, 0})
        runs.push_back({{answer}, {{1, down, esc}}, 0,
                        cat({creation(1, answer != IDNO), shown(1), {drawn}, escapeEnd(1), teardown(1, answer != IDNO),
                             {unpresented}})});
    const Lines start = cat({creation(1, false), shown(1), {drawn}}), f1Pass = cat({start, taken(1, "0x100", f1)});
    const Lines toFull = cat({f1Pass, shown(1), {drawn + f1Key}, teardown(1, false)});
    runs.insert(runs.end(), {
        // The window procedure: sizes, keys (B 66, G 71, codes past the table), activity, default handling.
        {{IDNO}, {{1, WM_SIZE, 0, 300 << 16 | 400}, {1, down, 'B'}, {1, down, 'G'}, {1, WM_KEYUP, 'B'},
                  {1, WM_KEYUP, 256 + 'G'}, {1, down, 256 + 'B'}, {1, WM_SYSKEYDOWN, 'B'}, {2, WM_SIZE, 0, 640},
                  {2, WM_ACTIVATE, 1 | 1 << 16}, {3, WM_ACTIVATE, 2}, {4, WM_ACTIVATE, WA_INACTIVE}, {4, WM_PAINT, 0},
                  {4, down, esc}}, 0,
         cat({start, taken(1, "0x5", 0), taken(1, "0x100", 'B'), taken(1, "0x100", 'G'), taken(1, "0x101", 'B'),
              taken(1, "0x101", 327), taken(1, "0x100", 322), taken(1, "0x104", 'B'), {"DefWindowProc w1 0x104 66 5"},
              shown(1), {"drawn 400x300/1.33 glyphs key 71"}, taken(1, "0x5", 0), taken(1, "0x6", 65537), shown(1),
              {"not drawn 640x1/640. glyphs key 71"}, taken(1, "0x6", 2), shown(1), {"drawn 640x1/640. glyphs key 71"},
              taken(1, "0x6", 0), taken(1, "0xf", 0), {"DefWindowProc w1 0xf 0 5"}, escapeEnd(1), teardown(1, false),
              {"ended"}})},
        {{IDNO}, {{1, WM_CLOSE, 0}}, 0,
         cat({start, taken(1, "0x10", 0), {"PostQuitMessage 0", "PeekMessage 0x12 0"}, teardown(1, false), {"ended"}})},
        {{IDNO}, {{1, WM_QUIT, 3}}, 3, cat({start, {"PeekMessage 0x12 3"}, teardown(1, false), {"ended"}})},
        {{IDNO}, {{1, down, f1}, {2, down, f1}, {3, WM_KEYUP, f1}, {4, down, esc}}, 0,
         cat({toFull, creation(2, true), taken(2, "0x100", f1), shown(2), {fresh + f1Key}, teardown(2, true),
              creation(3, false), taken(3, "0x101", f1), shown(3), {fresh}, escapeEnd(3), teardown(3, false),
              {unpresented}})},
        {{IDNO}, {{1, down, f1}, {1, down, esc}}, 0,
         cat({f1Pass, escapeEnd(1), teardown(1, false), creation(2, true), teardown(2, true), {unpresented}})},
        {{IDNO, IDYES}, {{1, down, f1}, {3, down, esc}}, 0,
         cat({toFull, creation(2, true, true), shown(2), {fresh}, escapeEnd(2), teardown(2, false), {unpresented}})},
        {{IDNO, IDNO}, {{1, down, f1}, {3, down, esc}}, 0,
         cat({toFull, {"ModuleHandle", "RegisterClass i1", "ChangeDisplayMode 800x600x16 failed", refusedBox,
                       closingBox, "ended"}})},
    });
    for (const Run& r : runs) {
        SCOPED_TRACE("run " + std::to_string(&r - runs.data()));
        SetUp();
        fakeAnswers = r.answers, fakeFailAt["ChangeDisplayMode"] = {r.answers.size() > 1 ? 1 : 0};
        for (auto& m : r.script)
            fakePostAfter(m[0], m[1], m[2], m.size() > 3 ? m[3] : 5);
        cubeSize = 4, cubeLast = 3, gameState = STATE_PLAYING, gameStartClock = 400;
        selectionActive = true, selectedColumn = 2, selectedRow = 1, viewAngleX = 10.0f, viewAngleY = 30.0f;

        EXPECT_EQ(appMain(), r.status);

        fakeLog.push_back(frameClock == runClock() ? unpresented : "ended");
        EXPECT_EQ(fakeLog, cat({{question}, r.log}));
        EXPECT_EQ(fakeHeld, (r.log.end()[-2] == closingBox ? std::set<std::string>{"class"} : std::set<std::string>{}));
        EXPECT_EQ(keys[VK_ESCAPE], std::count(r.log.begin(), r.log.end(), "PeekMessage 0x100 27") == 1);
        EXPECT_EQ(std::vector<int>({gameState, gameStartClock, selectionActive, selectedColumn, selectedRow, cubeSize}),
                  std::vector<int>({STATE_PLAYING, 400, 1, 2, 1, 4}));
        EXPECT_TRUE(viewAngleX == 10.0f && viewAngleY == 30.0f);
        TearDown();
    }
    EXPECT_EQ(windowProc(nullptr, WM_PAINT, 0, 0), 1234) << "the default handling's result";
}
