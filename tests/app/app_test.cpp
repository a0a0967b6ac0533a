// The window code over the fake backend: every call it makes, in order.
#define GL_GLEXT_PROTOTYPES  // glWindowPos
#include "fake_platform.h"
#include "support/test_game.h"

#include <algorithm>

// The graphics set-up never fails on its own; the link wraps it so it can.
extern "C" bool __real__Z12initGraphicsv();
extern "C" bool __wrap__Z12initGraphicsv()
{
    return fakeCall("InitGraphics") && __real__Z12initGraphicsv();
}

using Lines = std::vector<std::string>;

static const std::string question = "MessageBox fullscreen? 0x24 Voulez vous activer le mode plein \xE9"
                                    "cran?";
static const std::string refusedBox = "MessageBox Torvelo by Pelmaz 0x34 Le mode plein \xE9"
                                      "cran n'est pas support\xE9."
                                      "\r\nVoulez-vous lancez le programme en mode fen\xEA"
                                      "tre?";
static const std::string closingBox = "MessageBox ERROR 0x10 Le programme va maintenant \xEAtre ferm\xE9.";
// What a presented pass notes (see noteFrame); how a run ended: on a frame drawn and not presented, or not.
static const std::string drawn = "drawn 800x600/1.33 glyphs", fresh = drawn + " fresh cube",
                         unpresented = "ended unpresented", ended = "ended";
static CubeGrid freshCube;  // a 4-cube reset and turned 150 times from seed 42

static Lines cat(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// Window k's creation; refused: full screen asked, refused, windowed accepted.
static Lines creation(int k, bool full, bool refused = false)
{
    const std::string n = std::to_string(k), w = " w" + n, dc = " dc" + n;
    const Lines mode = !full ? Lines{}
        : refused            ? Lines{"ChangeDisplayMode 800x600x16 failed", refusedBox}
                             : Lines{"ChangeDisplayMode 800x600x16", "ShowCursor hide"};
    const Lines window = full && !refused
        ? Lines{"AdjustWindowRect 0x80000000 0x40000",
                "CreateWindow 0x40000 0x86000000 0,0 800x600 i1 Torvelo by Pelmaz"}
        : Lines{"AdjustWindowRect 0xcf0000 0x40100",
                "CreateWindow 0x40100 0x6cf0000 0,0 816x639 i1 Torvelo by Pelmaz"};
    return cat({{"ModuleHandle", "RegisterClass i1"},
                mode,
                window,
                {"GetDC" + w, "ChoosePixelFormat" + dc + " 40 1 0x25 0 16 0 0 16 0 0 0",
                 "SetPixelFormat" + dc + " 1", "CreateContext" + dc, "MakeCurrent" + dc + " rc" + n,
                 "ShowWindow" + w, "SetForegroundWindow" + w, "SetFocus" + w, "InitGraphics"}});
}

static Lines teardown(int k, bool full)
{
    const std::string n = std::to_string(k);
    return cat({full ? Lines{"RestoreDisplayMode", "ShowCursor show"} : Lines{},
                {"MakeCurrent - -", "DeleteContext rc" + n, "ReleaseDC w" + n + " dc" + n,
                 "DestroyWindow w" + n, "UnregisterClass i1"}});
}

// An empty pass presenting on window k and what it noted; a message taken ("WM_ wParam"); Escape ending the
// loop.
static Lines shown(int k, std::string note)
{
    return {"PeekMessage -", "ShowCursor show", "SwapBuffers dc" + std::to_string(k), note};
}
static Lines taken(std::string message)
{
    return {"PeekMessage " + message, "TranslateMessage", "DispatchMessage"};
}
static Lines escapeEnd()
{
    return cat({taken("0x100 27"), {"PeekMessage -", "ShowCursor hide"}});
}

// A presented pass notes whether it drew, the view, whether a glyph list of the current context advances the
// raster position, whether the cube is the fresh one and the keys held; then time goes on.
static void noteFrame()
{
    GLdouble v[4] = {}, m[16] = {}, at[4] = {};  // gluPerspective puts f / aspect at 0 and f at 5
    glGetDoublev(GL_VIEWPORT, v), glGetDoublev(GL_PROJECTION_MATRIX, m), glWindowPos2i(10, 10),
        glCallList(fontMenu + 'W');
    glGetDoublev(GL_CURRENT_RASTER_POSITION, at);
    char line[99];
    const bool same = cubeSize == 4 && !std::memcmp(freshCube, cubeLive, sizeof freshCube);
    std::snprintf(line, sizeof line, "%s %gx%g/%.3g%s%s",
                  frameClock == platformRunClock() ? "drawn" : "not drawn", v[2], v[3], m[5] / m[0],
                  at[0] > 10 ? " glyphs" : "", same ? " fresh cube" : "");
    fakeLog.push_back(line);
    for (int k = 0; k < 256; k++)
        fakeLog.back() += keys[k] ? " key " + std::to_string(k) : "";
    if (keys[VK_F1])
        seedRandom(42);  // a known generator for the switch this pass makes
    setRunClock(platformRunClock() + 16);
}

TEST(App, FailedStepsAndWholeRunsMakeTheirCallsInOrderAndLeaveTheGameAsItWas)
{
    // The call failing (its n-th), the boxes' answers, the messages (after k empty passes: message, wParam (,
    // lParam)), the exit status and the calls after the start question.
    struct Case {
        std::string fail;
        int nth;
        std::vector<int> answers;
        std::vector<std::vector<int>> script;
        int status;
        Lines log;
    };
    std::vector<Case> runs;
    const int f1 = VK_F1, esc = VK_ESCAPE, down = WM_KEYDOWN;
    // A failed step shows its box (ERROR while creating, SHUTDOWN ERROR while releasing) after releasing what
    // it held (undone: the last steps of the teardown), the display mode and cursor first; -1: a release
    // failing at the end.
    struct Row {
        std::string fail;
        int nth, undone;
        std::string box;
    };
    for (const Row& r : std::vector<Row>{{"RegisterClass", 1, 0, "Failed To Register The Window Class."},
                                         {"CreateWindow", 1, 1, "Window Creation Error."},
                                         {"GetDC", 1, 2, "Can't Create A GL Device Context."},
                                         {"ChoosePixelFormat", 1, 3, "Can't Find A Suitable PixelFormat."},
                                         {"SetPixelFormat", 1, 3, "Can't Set The PixelFormat."},
                                         {"CreateContext", 1, 3, "Can't Create A GL Rendering Context."},
                                         {"MakeCurrent", 1, 5, "Can't Activate The GL Rendering Context."},
                                         {"InitGraphics", 1, 5, "Initialization Failed."},
                                         {"MakeCurrent", 2, -1, "Release Of DC And RC Failed."},
                                         {"DeleteContext", 1, -1, "Release Rendering Context Failed."},
                                         {"ReleaseDC", 1, -1, "Release Device Context Failed."},
                                         {"DestroyWindow", 1, -1, "Could Not Release hWnd."},
                                         {"UnregisterClass", 1, -1, "Could Not Unregister Class."}})
        for (bool full : {false, true}) {
            const Lines td = teardown(1, full);
            const std::string box =
                (r.undone < 0 ? "MessageBox SHUTDOWN ERROR 0x40 " : "MessageBox ERROR 0x30 ") + r.box;
            Lines log =
                r.undone < 0 ? cat({creation(1, full), shown(1, drawn), escapeEnd(), td}) : creation(1, full);
            auto at =
                std::find_if(log.rbegin(), log.rend(), [&](auto& l) { return !l.rfind(r.fail, 0); }).base()
                - 1;
            *at += " failed";
            log = r.undone < 0
                ? cat({Lines(log.begin(), at + 1), {box}, Lines(at + 1, log.end()), {unpresented}})
                : cat({Lines(log.begin(), at + 1),
                       Lines(td.begin(), td.begin() + (r.undone ? 2 * full : 0)),
                       Lines(td.end() - r.undone, td.end()),
                       {box, ended}});
            runs.push_back({r.fail, r.nth, {full ? IDYES : IDNO}, {{1, down, esc}}, r.undone < 0 ? 0 : 1, log});
        }
    // The start question's answers: No windowed, anything else full screen.
    for (int answer : {IDNO, IDYES, IDCANCEL, IDOK, 0})
        runs.push_back({"",
                        0,
                        {answer},
                        {{1, down, esc}},
                        0,
                        cat({creation(1, answer != IDNO),
                             shown(1, drawn),
                             escapeEnd(),
                             teardown(1, answer != IDNO),
                             {unpresented}})});
    // A refused full screen: Yes goes on windowed, anything else ends.
    const Lines refusal = {"ModuleHandle", "RegisterClass i1", "ChangeDisplayMode 800x600x16 failed",
                           refusedBox,     closingBox,         ended};
    const Lines start = cat({creation(1, false), shown(1, drawn)}), f1Pass = cat({start, taken("0x100 112")});
    const Lines toFull = cat({f1Pass, shown(1, drawn + " key 112"), teardown(1, false)});
    runs.insert(
        runs.end(),
        {
            {"ChangeDisplayMode",
             1,
             {IDYES, IDYES},
             {{1, down, esc}},
             0,
             cat({creation(1, true, true), shown(1, drawn), escapeEnd(), teardown(1, false), {unpresented}})},
            {"ChangeDisplayMode", 1, {IDYES, IDNO}, {}, 0, refusal},
            {"ChangeDisplayMode", 1, {IDYES, IDCANCEL}, {}, 0, refusal},
            // The window procedure: sizes, keys (B 66, G 71, codes past the table), activity, default
            // handling.
            {"",
             0,
             {IDNO},
             {{1, WM_SIZE, 0, 300 << 16 | 400},
              {1, down, 'B'},
              {1, down, 'G'},
              {1, WM_KEYUP, 'B'},
              {1, WM_KEYUP, 256 + 'G'},
              {1, down, 256 + 'B'},
              {1, WM_SYSKEYDOWN, 'B'},
              {2, WM_SIZE, 0, 640},
              {2, WM_ACTIVATE, 1 | 1 << 16},
              {3, WM_ACTIVATE, 2},
              {4, WM_ACTIVATE, WA_INACTIVE},
              {4, WM_PAINT, 0},
              {4, down, esc}},
             0,
             cat({start,
                  taken("0x5 0"),
                  taken("0x100 66"),
                  taken("0x100 71"),
                  taken("0x101 66"),
                  taken("0x101 327"),
                  taken("0x100 322"),
                  taken("0x104 66"),
                  {"DefWindowProc w1 0x104 66 5"},
                  shown(1, "drawn 400x300/1.33 glyphs key 71"),
                  taken("0x5 0"),
                  taken("0x6 65537"),
                  shown(1, "not drawn 640x1/640 glyphs key 71"),
                  taken("0x6 2"),
                  shown(1, "drawn 640x1/640 glyphs key 71"),
                  taken("0x6 0"),
                  taken("0xf 0"),
                  {"DefWindowProc w1 0xf 0 5"},
                  escapeEnd(),
                  teardown(1, false),
                  {ended}})},
            {"",
             0,
             {IDNO},
             {{1, WM_CLOSE, 0}},
             0,
             cat({start,
                  taken("0x10 0"),
                  {"PostQuitMessage 0", "PeekMessage 0x12 0"},
                  teardown(1, false),
                  {ended}})},
            {"",
             0,
             {IDNO},
             {{1, WM_QUIT, 3}},
             3,
             cat({start, {"PeekMessage 0x12 3"}, teardown(1, false), {ended}})},
            // F1 switches once per key down, at the end of its pass, to the fresh title cube.
            {"",
             0,
             {IDNO},
             {{1, down, f1}, {2, down, f1}, {3, WM_KEYUP, f1}, {4, down, esc}},
             0,
             cat({toFull,
                  creation(2, true),
                  taken("0x100 112"),
                  shown(2, fresh + " key 112"),
                  teardown(2, true),
                  creation(3, false),
                  taken("0x101 112"),
                  shown(3, fresh),
                  escapeEnd(),
                  teardown(3, false),
                  {unpresented}})},
            {"",
             0,
             {IDNO},
             {{1, down, f1}, {1, down, esc}},
             0,
             cat({f1Pass,
                  escapeEnd(),
                  teardown(1, false),
                  creation(2, true),
                  teardown(2, true),
                  {unpresented}})},
            {"ChangeDisplayMode",
             1,
             {IDNO, IDYES},
             {{1, down, f1}, {3, down, esc}},
             0,
             cat({toFull,
                  creation(2, true, true),
                  shown(2, fresh),
                  escapeEnd(),
                  teardown(2, false),
                  {unpresented}})},
            {"ChangeDisplayMode",
             1,
             {IDNO, IDNO},
             {{1, down, f1}, {3, down, esc}},
             0,
             cat({toFull, refusal})},
        });
    seedRandom(42), setCubeSize(4), resetCubeSolved(), scrambleCube(150);
    std::memcpy(freshCube, cubeLive, sizeof freshCube);
    fakeOnSwap = noteFrame;
    for (const Case& r : runs) {
        SCOPED_TRACE("run " + std::to_string(&r - runs.data()) + " " + r.fail);
        fakeReset(), seedRandom(1), setRunClock(1000), frameClock = 0, std::fill(keys, keys + 256, false);
        fakeFailAt[r.fail] = r.nth, fakeAnswers = r.answers, fullscreen = windowActive = true;
        for (auto& m : r.script)
            fakeScript.push_back({m[0], {nullptr, unsigned(m[1]), uintptr_t(m[2]), m.size() > 3 ? m[3] : 5}});
        setCubeSize(4), gameState = STATE_PLAYING, gameStartClock = 400;
        selectionActive = true, selectedColumn = 2, selectedRow = 1, viewAngleX = 10.0f, viewAngleY = 30.0f;

        EXPECT_EQ(appMain(), r.status);

        fakeLog.push_back(frameClock == platformRunClock() ? unpresented : ended);
        EXPECT_EQ(fakeLog, cat({{question}, r.log}));
        EXPECT_TRUE(!hWnd && !hDC && !hRC
                    && keys[VK_ESCAPE]
                        == (std::count(r.log.begin(), r.log.end(), "PeekMessage 0x100 27") == 1))
            << "a handle kept after the teardown, or Escape's key left as it was not";
        EXPECT_EQ(std::vector<double>({double(gameState), double(gameStartClock), double(selectionActive),
                                       double(selectedColumn), double(selectedRow), double(cubeSize),
                                       viewAngleX, viewAngleY}),
                  std::vector<double>({STATE_PLAYING, 400, 1, 2, 1, 4, 10, 30}));
    }
    EXPECT_EQ(windowProc(nullptr, WM_PAINT, 0, 0), 1234) << "the default handling's result";
}
