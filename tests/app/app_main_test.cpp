#include "app_fixture.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "platform/app.h"
#include "platform/input.h"
#include "platform/run_clock.h"
#include "platform/winapi_names.h"
#include "play/play.h"
#include "render/render.h"

#include <GL/gl.h>
#include <GL/osmesa.h>

#include <cstring>

namespace {

using Lines = std::vector<std::string>;

const Lines windowedTeardown = {"MakeCurrent - -", "DeleteContext rc1", "ReleaseDC w1 dc1", "DestroyWindow w1",
                                "UnregisterClass i1"};

const Lines creationNames = {"ModuleHandle",      "RegisterClass",  "AdjustWindowRect", "CreateWindow",
                             "GetDC",             "ChoosePixelFormat", "SetPixelFormat", "CreateContext",
                             "MakeCurrent",       "ShowWindow",     "SetForegroundWindow", "SetFocus"};

Lines fullScreenCreationNames()
{
    Lines names = creationNames;
    names.insert(names.begin() + 2, {"ChangeDisplayMode", "ShowCursor"});
    return names;
}

Lines concat(Lines a, const Lines& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// How far the raster position moves over one glyph list of font: proof that
// the list holds a glyph in the context current now.
float glyphAdvance(FontId font, unsigned char code)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRasterPos2f(-1.0f, -1.0f);
    GLfloat before[4] = {}, after[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, before);
    glCallList(font + code);
    glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return after[0] - before[0];
}

bool sameLiveCube(const CubeGrid& a)
{
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++)
                if (std::memcmp(a[x][y][z], cubeLive[x][y][z], sizeof(Cubie)) != 0)
                    return false;
    return true;
}

using StartQuestion = AppTest;
using MainLoop = AppTest;
using FullScreenSwitch = AppTest;

} // namespace

TEST_F(StartQuestion, NoMeansWindowedAnyOtherAnswerFullScreen)
{
    struct Case {
        int answer;
        bool full;
    };
    for (Case c : {Case{IDNO, false}, Case{IDYES, true}, Case{IDCANCEL, true}, Case{IDOK, true}, Case{0, true}}) {
        SCOPED_TRACE(c.answer);
        SetUp();
        fakeAnswerBoxes({c.answer});
        fakePostMessageAfterPasses(1, WM_KEYDOWN, VK_ESCAPE);

        EXPECT_EQ(appMain(), 0);

        ASSERT_FALSE(fakeBoxes().empty());
        EXPECT_EQ(fakeBoxes()[0].caption, "fullscreen?");
        EXPECT_EQ(fakeBoxes()[0].flags, MB_YESNO | MB_ICONQUESTION);
        EXPECT_EQ(fakeBoxes().size(), 1u);
        EXPECT_EQ(callNames(1, 1 + static_cast<int>(creationNames.size()) + (c.full ? 2 : 0)),
                  c.full ? fullScreenCreationNames() : creationNames);
        EXPECT_EQ(fakeCount(createWindowLine(1, c.full)), 1);
        EXPECT_EQ(fakeCount("ChangeDisplayMode 800x600x16"), c.full ? 1 : 0);
        EXPECT_EQ(fakeCount("RestoreDisplayMode"), c.full ? 1 : 0);
        EXPECT_EQ(fakeHeldHandles(), 0);
        TearDown();
    }
}

TEST_F(MainLoop, EachEmptyPassDrawsShowsTheCursorAndSwapsOneMessageAPassOtherwise)
{
    fakeAnswerBoxes({IDNO});
    fakePostMessageAfterPasses(2, WM_KEYDOWN, 'A');
    fakePostMessageAfterPasses(2, WM_KEYUP, 'A');
    fakePostMessageAfterPasses(3, WM_KEYDOWN, VK_ESCAPE);
    int framesSeen = 0;
    GLint viewport[4] = {};
    fakeOnSwap([&] {
        framesSeen++;
        glGetIntegerv(GL_VIEWPORT, viewport);
        setRunClockForTest(1000 + 16 * framesSeen);
    });

    EXPECT_EQ(appMain(), 0);

    const int loop = findCallStarting("PeekMessage");
    EXPECT_EQ(callLines(loop),
              concat({"PeekMessage -", "ShowCursor show", "SwapBuffers dc1",  //
                      "PeekMessage -", "ShowCursor show", "SwapBuffers dc1",  //
                      "PeekMessage 0x100 65 0", "TranslateMessage 0x100", "DispatchMessage w1 0x100",
                      "PeekMessage 0x101 65 0", "TranslateMessage 0x101", "DispatchMessage w1 0x101",
                      "PeekMessage -", "ShowCursor show", "SwapBuffers dc1",  //
                      "PeekMessage 0x100 27 0", "TranslateMessage 0x100", "DispatchMessage w1 0x100",
                      "PeekMessage -", "ShowCursor hide"},
                     windowedTeardown));
    EXPECT_EQ(framesSeen, 3);
    EXPECT_EQ(frameClock, 1000 + 16 * 3) << "the Escape pass still drew its frame";
    EXPECT_EQ((std::vector<GLint>(viewport, viewport + 4)), (std::vector<GLint>{0, 0, 800, 600}));
    EXPECT_TRUE(keys[VK_ESCAPE]) << "Escape is a level the loop never clears";
}

TEST_F(MainLoop, ClosingTheWindowEndsThroughQuitWithStatusZero)
{
    fakeAnswerBoxes({IDNO});
    fakePostMessageAfterPasses(2, WM_CLOSE);

    EXPECT_EQ(appMain(), 0);

    const int close = findCall("DispatchMessage w1 0x10");
    ASSERT_NE(close, -1);
    EXPECT_EQ(callLines(close), concat({"DispatchMessage w1 0x10", "PostQuitMessage 0", "PeekMessage 0x12 0 0"},
                                       windowedTeardown));
    EXPECT_EQ(findCall("ShowCursor hide"), -1);
    EXPECT_EQ(fakeHeldHandles(), 0);
}

TEST_F(MainLoop, ExitStatusIsTheQuitCodeAndZeroAfterEscape)
{
    fakeAnswerBoxes({IDNO});
    fakePostMessageAfterPasses(1, WM_QUIT, 3);
    EXPECT_EQ(appMain(), 3);

    SetUp();
    fakeAnswerBoxes({IDNO});
    // The last message taken carries 27; an end by Escape is still a normal end.
    fakePostMessageAfterPasses(1, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(appMain(), 0);
}

TEST_F(MainLoop, EscapeWhileInactiveEndsWithoutDrawingButInactivePassesStillSwap)
{
    fakeAnswerBoxes({IDNO});
    fakePostMessageAfterPasses(2, WM_ACTIVATE, WA_INACTIVE);
    fakePostMessageAfterPasses(5, WM_KEYDOWN, VK_ESCAPE);
    struct Swap {
        bool active;
        int frameClock;
        int clock;
    };
    std::vector<Swap> swaps;
    fakeOnSwap([&] {
        swaps.push_back(Swap{windowActive, frameClock, runClock()});
        setRunClockForTest(runClock() + 16);
    });

    EXPECT_EQ(appMain(), 0);

    ASSERT_EQ(swaps.size(), 5u);
    for (int i = 0; i < 5; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(swaps[i].active, i < 2);
        // A drawn frame samples the clock of its pass; the inactive ones keep the last.
        EXPECT_EQ(swaps[i].frameClock, i < 2 ? swaps[i].clock : swaps[1].clock);
    }
    EXPECT_EQ(frameClock, swaps[1].clock) << "the ending pass drew nothing either";
    EXPECT_EQ(callNames(findCall("ShowCursor hide") + 1),
              (Lines{"MakeCurrent", "DeleteContext", "ReleaseDC", "DestroyWindow", "UnregisterClass"}));
}

TEST_F(FullScreenSwitch, F1RebuildsWindowFontsAndCubeInTheOtherModeAndKeepsTheGame)
{
    fakeAnswerBoxes({IDNO});
    cubeSize = 4;
    cubeLast = 3;
    gameState = STATE_PLAYING;
    gameStartClock = 400;
    selectionActive = true;
    selectedColumn = 2;
    selectedRow = 1;
    viewAngleY = 30.0f;
    fakePostMessageAfterPasses(2, WM_KEYDOWN, VK_F1);
    fakePostMessageAfterPasses(3, WM_KEYUP, VK_F1);
    fakePostMessageAfterPasses(4, WM_KEYDOWN, VK_ESCAPE);
    // A known generator state for the new window's scramble.
    fakeOnCall([](const std::string& line) {
        if (line.compare(0, 15, "CreateWindow w2") == 0)
            seedRandom(42);
    });
    struct Swap {
        std::string dc;
        bool contextIsHeld;
        float advance;
    };
    std::vector<Swap> swaps;
    CubeGrid afterSwitch = {};
    fakeOnSwap([&] {
        const bool second = findCallStarting("CreateWindow w2") != -1;
        swaps.push_back(Swap{second ? "dc2" : "dc1", OSMesaGetCurrentContext() == hRC, glyphAdvance(fontMenu, 'W')});
        if (second)
            std::memcpy(afterSwitch, cubeLive, sizeof afterSwitch);
    });

    EXPECT_EQ(appMain(), 0);

    // Torn down, then built again full screen, with the same pixel-format request.
    const int f1Swap = findCall("SwapBuffers dc1", findCall("PeekMessage 0x100 112 0"));
    ASSERT_NE(f1Swap, -1);
    EXPECT_EQ(callLines(f1Swap + 1, f1Swap + 6), windowedTeardown);
    EXPECT_EQ(callNames(f1Swap + 6, f1Swap + 6 + 14), fullScreenCreationNames());
    EXPECT_EQ(fakeCount(createWindowLine(2, true)), 1);
    const int choose1 = findCallStarting("ChoosePixelFormat dc1");
    const int choose2 = findCallStarting("ChoosePixelFormat dc2");
    ASSERT_NE(choose2, -1);
    EXPECT_EQ(fakeCalls()[choose1].substr(21), fakeCalls()[choose2].substr(21));
    EXPECT_EQ(callLines(findCall("ShowCursor hide", findCall("PeekMessage 0x100 27 0")) + 1),
              (Lines{"RestoreDisplayMode", "ShowCursor show", "MakeCurrent - -", "DeleteContext rc2",
                     "ReleaseDC w2 dc2", "DestroyWindow w2", "UnregisterClass i1"}));
    EXPECT_FALSE(keys[VK_F1]);
    EXPECT_TRUE(fullscreen);

    // Frames on both windows, each drawn with glyph lists of its own context.
    ASSERT_EQ(swaps.size(), 4u);
    for (const Swap& s : swaps) {
        SCOPED_TRACE(s.dc);
        EXPECT_TRUE(s.contextIsHeld);
        EXPECT_GT(s.advance, 0.0f);
    }
    // The F1 pass presents on the old window before the switch.
    EXPECT_EQ(swaps[2].dc, "dc1");
    EXPECT_EQ(swaps[3].dc, "dc2");

    // The new window's cube: solved, then 150 turns at the current size.
    seedRandom(42);
    resetCubeSolved();
    scrambleCube(150);
    EXPECT_TRUE(sameLiveCube(afterSwitch));

    EXPECT_EQ(gameState, STATE_PLAYING);
    EXPECT_EQ(gameStartClock, 400);
    EXPECT_TRUE(selectionActive);
    EXPECT_EQ(selectedColumn, 2);
    EXPECT_EQ(selectedRow, 1);
    EXPECT_EQ(viewAngleY, 30.0f);
    EXPECT_EQ(cubeSize, 4);
}

TEST_F(FullScreenSwitch, F1AndEscapeOnOnePassSwitchThenTearTheNewWindowDown)
{
    fakeAnswerBoxes({IDNO});
    fakePostMessageAfterPasses(1, WM_KEYDOWN, VK_F1);
    fakePostMessageAfterPasses(1, WM_KEYDOWN, VK_ESCAPE);

    EXPECT_EQ(appMain(), 0);

    const int end = findCall("ShowCursor hide");
    ASSERT_NE(end, -1);
    EXPECT_EQ(callNames(end + 1),
              concat(concat({"MakeCurrent", "DeleteContext", "ReleaseDC", "DestroyWindow", "UnregisterClass"},
                            fullScreenCreationNames()),
                     {"RestoreDisplayMode", "ShowCursor", "MakeCurrent", "DeleteContext", "ReleaseDC",
                      "DestroyWindow", "UnregisterClass"}));
    EXPECT_EQ(fakeCount(createWindowLine(2, true)), 1);
    EXPECT_EQ(fakeCount("DestroyWindow w2"), 1);
    EXPECT_EQ(fakeHeldHandles(), 0);
}

TEST_F(FullScreenSwitch, EveryF1KeyDownArmsOneMoreSwitch)
{
    fakeAnswerBoxes({IDNO});
    fakePostMessageAfterPasses(1, WM_KEYDOWN, VK_F1);
    // The auto-repeat's second key-down after the first switch.
    fakePostMessageAfterPasses(2, WM_KEYDOWN, VK_F1);
    fakePostMessageAfterPasses(3, WM_KEYDOWN, VK_ESCAPE);

    EXPECT_EQ(appMain(), 0);

    EXPECT_EQ(fakeCount(createWindowLine(1, false)), 1);
    EXPECT_EQ(fakeCount(createWindowLine(2, true)), 1);
    EXPECT_EQ(fakeCount(createWindowLine(3, false)), 1);
    EXPECT_FALSE(fullscreen);
    EXPECT_EQ(fakeHeldHandles(), 0);
}

TEST_F(FullScreenSwitch, F1ToAFullScreenTheDisplayRefusesAsksAgain)
{
    struct Case {
        int answer;
        int status;
    };
    for (Case c : {Case{IDYES, 0}, Case{IDNO, 0}}) {
        SCOPED_TRACE(c.answer);
        SetUp();
        fakeAnswerBoxes({IDNO, c.answer});
        fakeFailCall("ChangeDisplayMode", 1);
        fakePostMessageAfterPasses(1, WM_KEYDOWN, VK_F1);
        fakePostMessageAfterPasses(2, WM_KEYDOWN, VK_ESCAPE);

        EXPECT_EQ(appMain(), c.status);

        ASSERT_GE(fakeBoxes().size(), 2u);
        EXPECT_EQ(fakeBoxes()[1].caption, "Torvelo by Pelmaz");
        if (c.answer == IDYES) {
            EXPECT_EQ(fakeBoxes().size(), 2u);
            EXPECT_EQ(fakeCount(createWindowLine(2, false)), 1) << "windowed again";
            EXPECT_EQ(fakeCount("RestoreDisplayMode"), 0);
            EXPECT_EQ(fakeHeldHandles(), 0);
        } else {
            ASSERT_EQ(fakeBoxes().size(), 3u);
            EXPECT_EQ(fakeBoxes()[2].text, "Le programme va maintenant \xEAtre ferm\xE9.");
            EXPECT_EQ(findCallStarting("CreateWindow w2"), -1);
            EXPECT_EQ(fakeCalls().back(), "MessageBox Le programme va maintenant \xEAtre ferm\xE9.");
            EXPECT_EQ(fakeHeldHandles(), 0) << "the first window was released before asking";
        }
        TearDown();
    }
}
