// The window code over the fake backend: every call it makes, in order. The
// expectation is one whole run (whole_run.log, each line checked against the
// design's steps once); a failure at each of its steps must follow it up to
// the step, release what was made before, show the step's box and end.
#define GL_GLEXT_PROTOTYPES  // glWindowPos
#include "fake_platform.h"
#include "support/test_game.h"

#include <algorithm>
#include <fstream>
#include <map>

extern "C" bool __real__Z12initGraphicsv();
// The graphics set-up never fails on its own; the link wraps it so it can.
extern "C" bool __wrap__Z12initGraphicsv()
{
    return fakeCall("InitGraphics") && __real__Z12initGraphicsv();
}

using Log = std::vector<std::string>;

static CubeGrid freshCube;

// Each presented pass as a line: whether it drew, the viewport, whether the
// glyph lists move the raster position, whether the cube is the one a window
// creation makes from seed 42, the keys down. Then time goes on, and a switch
// this pass makes scrambles from 42.
static void notePass()
{
    GLint viewport[4];
    GLdouble raster[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glWindowPos2i(10, 10);
    glCallList(fontMenu + 'W');
    glGetDoublev(GL_CURRENT_RASTER_POSITION, raster);
    std::string line = frameClock == platformRunClock() ? "drawn " : "not drawn ";
    line += std::to_string(viewport[2]) + "x" + std::to_string(viewport[3]);
    if (raster[0] > 10)
        line += " glyphs";
    if (std::memcmp(freshCube, cubeLive, sizeof freshCube) == 0)
        line += " fresh cube";
    for (int k = 0; k < 256; k++)
        if (keys[k])
            line += " key " + std::to_string(k);
    fakeLog.push_back(line);
    if (keys[VK_F1])
        seedRandom(42);
    setRunClock(platformRunClock() + 16);
}

// appMain from a 4-cube game in play; its exit status ends the log.
static Log runApp(std::vector<int> answers, std::vector<FakeMessage> script, const std::string& failAt = "")
{
    useGameGraphics();
    seedRandom(42);
    resetGame(4, 1000);
    scrambleCube(150);
    std::memcpy(freshCube, cubeLive, sizeof freshCube);
    seedRandom(1);
    gameState = STATE_PLAYING;
    fullscreen = true;
    windowActive = true;
    fakeReset();
    fakeAnswers = answers;
    fakeScript = script;
    fakeFailAt = failAt;
    fakeOnSwap = notePass;
    fakeLog.push_back("status " + std::to_string(appMain()));
    EXPECT_TRUE(hWnd == nullptr && hDC == nullptr && hRC == nullptr) << "a handle kept, " << failAt;
    EXPECT_EQ(gameState, STATE_PLAYING) << "the game left, " << failAt;
    return fakeLog;
}

// The recorded run: No to full screen; sizes, keys (B, G, codes past the
// table), a system key, activation and minimising, a paint; F1 to full
// screen; Escape.
static Log wholeRun()
{
    std::ifstream file(TORVELO_TESTS_DIR "/app/whole_run.log");
    Log log;
    for (std::string line; std::getline(file, line);)
        log.push_back(line);
    return log;
}

static std::string firstWord(const std::string& line)
{
    return line.substr(0, line.find(' '));
}

// Its messages, each after as many empty passes as the run had made.
static std::vector<FakeMessage> wholeRunMessages()
{
    std::vector<FakeMessage> script;
    int emptyPasses = 0;
    for (const std::string& line : wholeRun()) {
        unsigned message = 0;
        unsigned long wParam = 0;
        long lParam = 0;
        if (std::sscanf(line.c_str(), "PeekMessage %x %lx %ld", &message, &wParam, &lParam) == 3)
            script.push_back({emptyPasses, message, wParam, lParam});
        emptyPasses += line == "PeekMessage";
    }
    return script;
}

TEST(WindowCode, AWholeRunMakesTheCallsOfTheRecordedOneInItsOrder)
{
    EXPECT_EQ(runApp({IDNO}, wholeRunMessages()), wholeRun());
    EXPECT_EQ(windowProc(nullptr, WM_PAINT, 0, 0), 1234) << "the default handling's result";
}

TEST(WindowCode, AFailedStepReleasesWhatWasMadeBeforeItThenShowsItsBoxAndEnds)
{
    // The design's boxes by the line of the step that fails: the creation's
    // (what it made released first), the offer of a window (declined, with
    // the closing box) and the teardown's (which goes on).
    const std::map<std::string, std::string> boxes = {
        {"RegisterClass", "ERROR 0x30 Failed To Register The Window Class."},
        {"ChangeDisplayMode",
         "Torvelo by Pelmaz 0x34 Le mode plein \xE9"
         "cran n'est pas support\xE9.\r\n"
         "Voulez-vous lancez le programme en mode fen\xEA"
         "tre?"},
        {"CreateWindow", "ERROR 0x30 Window Creation Error."},
        {"GetDC", "ERROR 0x30 Can't Create A GL Device Context."},
        {"ChoosePixelFormat", "ERROR 0x30 Can't Find A Suitable PixelFormat."},
        {"SetPixelFormat", "ERROR 0x30 Can't Set The PixelFormat."},
        {"CreateContext", "ERROR 0x30 Can't Create A GL Rendering Context."},
        {"MakeCurrent dc", "ERROR 0x30 Can't Activate The GL Rendering Context."},
        {"InitGraphics", "ERROR 0x30 Initialization Failed."},
        {"MakeCurrent -", "SHUTDOWN ERROR 0x40 Release Of DC And RC Failed."},
        {"DeleteContext", "SHUTDOWN ERROR 0x40 Release Rendering Context Failed."},
        {"ReleaseDC", "SHUTDOWN ERROR 0x40 Release Device Context Failed."},
        {"DestroyWindow", "SHUTDOWN ERROR 0x40 Could Not Release hWnd."},
        {"UnregisterClass", "SHUTDOWN ERROR 0x40 Could Not Unregister Class."}};
    // What each step of a teardown undoes.
    const std::map<std::string, std::string> undoes = {{"RestoreDisplayMode", "ChangeDisplayMode"},
                                                       {"ShowCursor 1", "ChangeDisplayMode"},
                                                       {"MakeCurrent -", "CreateContext"},
                                                       {"DeleteContext", "CreateContext"},
                                                       {"ReleaseDC", "GetDC"},
                                                       {"DestroyWindow", "CreateWindow"},
                                                       {"UnregisterClass", "RegisterClass"}};
    const auto lookUp = [](const std::map<std::string, std::string>& table, const std::string& line) {
        for (const auto& [start, value] : table)
            if (line.rfind(start, 0) == 0)
                return value;
        return std::string();
    };
    const Log whole = wholeRun();
    std::map<std::string, int> calls;
    auto creation = whole.begin();
    for (auto step = whole.begin(); step != whole.end(); step++) {
        const std::string name = firstWord(*step);
        const std::string failAt = name + " " + std::to_string(++calls[name]);
        if (name == "ModuleHandle")
            creation = step;
        const std::string box = lookUp(boxes, *step);
        if (box.empty())
            continue;
        Log expected(whole.begin(), step + 1);
        expected.back() += " failed";
        if (box[0] == 'E') {
            // This creation's teardown in the whole run, where it undoes a step made before the failure.
            auto end = std::find_if(step, whole.end(),
                                    [](auto& line) { return firstWord(line) == "UnregisterClass"; });
            auto start = end;
            while (!lookUp(undoes, start[-1]).empty())
                start--;
            for (auto release = start; release <= end; release++)
                if (std::any_of(creation, step,
                                [&](auto& line) { return firstWord(line) == lookUp(undoes, *release); }))
                    expected.push_back(*release);
        }
        expected.push_back("MessageBox " + box);
        if (box[0] == 'T')
            expected.push_back("MessageBox ERROR 0x10 Le programme va maintenant \xEAtre ferm\xE9.");
        if (box[0] == 'S')
            expected.insert(expected.end(), step + 1, whole.end());
        else
            expected.push_back(box[0] == 'E' ? "status 1" : "status 0");
        EXPECT_EQ(runApp({IDNO, IDNO}, wholeRunMessages(), failAt), expected) << failAt;
    }
    // Yes to the offer goes on in a window; a quit message ends with its status.
    Log log = runApp({IDYES, IDYES}, {{1, WM_KEYDOWN, VK_ESCAPE, 1}}, "ChangeDisplayMode 1");
    EXPECT_EQ(log[5], "AdjustWindowRect 0xcf0000 0x40100");
    EXPECT_EQ(log.back(), "status 0");
    EXPECT_EQ(runApp({IDNO}, {{1, WM_QUIT, 3, 0}}).back(), "status 3");
}
