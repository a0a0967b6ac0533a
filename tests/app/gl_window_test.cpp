#include "app_fixture.h"

#include "platform/app.h"
#include "platform/input.h"
#include "platform/winapi_names.h"

#include <GL/gl.h>

#include <cstdio>

namespace {

using Lines = std::vector<std::string>;

const char* const title = "Torvelo by Pelmaz";
const char* const fullScreenRefused =
    "Le mode plein \xE9"
    "cran n'est pas support\xE9.\r\nVoulez-vous lancez le programme en mode fen\xEA"
    "tre?";
const char* const closingNow = "Le programme va maintenant \xEAtre ferm\xE9.";

// One failing creation step: what the user reads and what is released first.
struct CreationRow {
    const char* failing;  // the primitive that fails on its first call
    const char* text;
    Lines cleanUp;        // between the failed call and the box, windowed
};

const CreationRow creationRows[] = {
    {"RegisterClass", "Failed To Register The Window Class.", {}},
    {"CreateWindow", "Window Creation Error.", {"UnregisterClass i1"}},
    {"GetDC", "Can't Create A GL Device Context.", {"DestroyWindow w1", "UnregisterClass i1"}},
    {"ChoosePixelFormat",
     "Can't Find A Suitable PixelFormat.",
     {"ReleaseDC w1 dc1", "DestroyWindow w1", "UnregisterClass i1"}},
    {"SetPixelFormat", "Can't Set The PixelFormat.", {"ReleaseDC w1 dc1", "DestroyWindow w1", "UnregisterClass i1"}},
    {"CreateContext",
     "Can't Create A GL Rendering Context.",
     {"ReleaseDC w1 dc1", "DestroyWindow w1", "UnregisterClass i1"}},
    {"MakeCurrent",
     "Can't Activate The GL Rendering Context.",
     {"MakeCurrent - -", "DeleteContext rc1", "ReleaseDC w1 dc1", "DestroyWindow w1", "UnregisterClass i1"}},
};

// Creation as far as the failing step, in the order the steps are taken.
Lines creationUpTo(const std::string& failing, bool full)
{
    Lines steps = {"ModuleHandle", "RegisterClass"};
    if (full)
        steps.insert(steps.end(), {"ChangeDisplayMode", "ShowCursor"});
    for (const char* s : {"AdjustWindowRect", "CreateWindow", "GetDC", "ChoosePixelFormat", "SetPixelFormat",
                          "CreateContext", "MakeCurrent"})
        steps.push_back(s);
    Lines upTo;
    for (const std::string& s : steps) {
        upTo.push_back(s);
        if (s == failing)
            break;
    }
    return upTo;
}

using GLWindowCreation = AppTest;
using GLWindowTeardown = AppTest;
using FullScreenRefused = AppTest;

} // namespace

TEST_F(GLWindowCreation, EachFailedStepReleasesWhatItHeldInReverseThenShowsItsErrorBox)
{
    for (bool full : {false, true}) {
        for (const CreationRow& row : creationRows) {
            SCOPED_TRACE(std::string(row.failing) + (full ? " full screen" : " windowed"));
            SetUp();
            fakeFailCall(row.failing, 1);

            EXPECT_FALSE(createGLWindow(title, 800, 600, 16, full));

            const Lines head = creationUpTo(row.failing, full);
            const int failedAt = static_cast<int>(head.size()) - 1;
            EXPECT_EQ(callNames(0, failedAt + 1), head);
            const std::string& failedCall = fakeCalls()[failedAt];
            EXPECT_EQ(failedCall.substr(failedCall.size() - 7), " failed") << failedCall;
            // The display mode goes back first whenever it was changed.
            Lines cleanUp = row.cleanUp;
            if (full && std::string(row.failing) != "RegisterClass")
                cleanUp.insert(cleanUp.begin(), {"RestoreDisplayMode", "ShowCursor show"});
            cleanUp.push_back(std::string("MessageBox ") + row.text);
            EXPECT_EQ(callLines(failedAt + 1), cleanUp);

            ASSERT_EQ(fakeBoxes().size(), 1u);
            EXPECT_EQ(fakeBoxes()[0].text, row.text);
            EXPECT_EQ(fakeBoxes()[0].caption, "ERROR");
            EXPECT_EQ(fakeBoxes()[0].flags, MB_OK | MB_ICONWARNING);
            EXPECT_EQ(fakeHeldHandles(), 0);
            EXPECT_FALSE(fakeClassRegistered());
            EXPECT_EQ(hWnd, nullptr);
            EXPECT_EQ(hDC, nullptr);
            EXPECT_EQ(hRC, nullptr);
            TearDown();
        }
    }
}

TEST_F(GLWindowCreation, AFailedCreationAtStartEndsTheProgramWithStatusZeroRightAfterItsBox)
{
    for (int answer : {IDNO, IDYES}) {
        for (const CreationRow& row : creationRows) {
            SCOPED_TRACE(std::string(row.failing) + (answer == IDYES ? " full screen" : " windowed"));
            SetUp();
            fakeAnswerBoxes({answer});
            fakeFailCall(row.failing, 1);

            EXPECT_EQ(appMain(), 0);
            EXPECT_EQ(fakeCalls().back(), std::string("MessageBox ") + row.text);
            EXPECT_EQ(fakeBoxes().size(), 2u);
            EXPECT_EQ(findCallStarting("PeekMessage"), -1);
            EXPECT_EQ(fakeHeldHandles(), 0);
            TearDown();
        }
    }
}

TEST_F(GLWindowCreation, AskedSizeIsTheClientAreaAndThePixelFormatIsDoubleBuffered16BitWithDepth)
{
    ASSERT_TRUE(createGLWindow(title, 800, 600, 16, false));
    EXPECT_EQ(fakeCount(createWindowLine(1, false)), 1);
    char adjust[80];
    std::snprintf(adjust, sizeof adjust, "AdjustWindowRect style=%#lx ex=%#lx", WS_OVERLAPPEDWINDOW,
                  WS_EX_APPWINDOW | WS_EX_WINDOWEDGE);
    EXPECT_EQ(fakeCount(adjust), 1);
    char format[160];
    std::snprintf(format, sizeof format,
                  "ChoosePixelFormat dc1 size=40 version=1 flags=%#lx type=0 colour=16 alpha=0 accum=0 depth=16 "
                  "stencil=0 aux=0 layer=0 -> 1",
                  PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER);
    EXPECT_EQ(fakeCount(format), 1);
    EXPECT_EQ(fakeCount("SetPixelFormat dc1 1"), 1);
    // Shown only once the context is current, then the viewport of the asked size.
    EXPECT_EQ(callNames(findCall("MakeCurrent dc1 rc1")),
              (Lines{"MakeCurrent", "ShowWindow", "SetForegroundWindow", "SetFocus"}));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ((std::vector<GLint>(viewport, viewport + 4)), (std::vector<GLint>{0, 0, 800, 600}));
    EXPECT_TRUE(windowActive);
    destroyGLWindow();
    EXPECT_EQ(fakeHeldHandles(), 0);
    EXPECT_TRUE(fakeBoxes().empty());
}

TEST_F(GLWindowTeardown, EachFailedReleaseIsReportedAndTeardownGoesOn)
{
    struct Row {
        const char* failing;
        int nth;  // MakeCurrent's first call is the activation
        const char* text;
    };
    const Row rows[] = {
        {"MakeCurrent", 2, "Release Of DC And RC Failed."},
        {"DeleteContext", 1, "Release Rendering Context Failed."},
        {"ReleaseDC", 1, "Release Device Context Failed."},
        {"DestroyWindow", 1, "Could Not Release hWnd."},
        {"UnregisterClass", 1, "Could Not Unregister Class."},
    };
    const Lines teardown = {"MakeCurrent - -", "DeleteContext rc1", "ReleaseDC w1 dc1", "DestroyWindow w1",
                            "UnregisterClass i1"};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.failing);
        SetUp();
        fakeAnswerBoxes({IDNO});
        fakeFailCall(row.failing, row.nth);
        fakePostMessageAfterPasses(1, WM_KEYDOWN, VK_ESCAPE);

        EXPECT_EQ(appMain(), 0);

        Lines expected;
        for (const std::string& step : teardown) {
            if (step.compare(0, std::string(row.failing).size(), row.failing) == 0) {
                expected.push_back(step + " failed");
                expected.push_back(std::string("MessageBox ") + row.text);
            } else {
                expected.push_back(step);
            }
        }
        EXPECT_EQ(callLines(findCall("ShowCursor hide") + 1), expected);
        ASSERT_EQ(fakeBoxes().size(), 2u);
        EXPECT_EQ(fakeBoxes()[1].text, row.text);
        EXPECT_EQ(fakeBoxes()[1].caption, "SHUTDOWN ERROR");
        EXPECT_EQ(fakeBoxes()[1].flags, MB_OK | MB_ICONINFORMATION);
        EXPECT_EQ(hWnd, nullptr);
        EXPECT_EQ(hDC, nullptr);
        EXPECT_EQ(hRC, nullptr);
        TearDown();
    }
}

TEST_F(GLWindowTeardown, FullScreenGivesTheDisplayModeAndCursorBackFirst)
{
    ASSERT_TRUE(createGLWindow(title, 800, 600, 16, true));
    const int end = static_cast<int>(fakeCalls().size());
    destroyGLWindow();
    EXPECT_EQ(callLines(end), (Lines{"RestoreDisplayMode", "ShowCursor show", "MakeCurrent - -", "DeleteContext rc1",
                                     "ReleaseDC w1 dc1", "DestroyWindow w1", "UnregisterClass i1"}));
    EXPECT_EQ(fakeHeldHandles(), 0);
    EXPECT_FALSE(fakeClassRegistered());
}

TEST_F(FullScreenRefused, YesGoesOnInAWindowWithoutTouchingModeOrCursor)
{
    fakeAnswerBoxes({IDYES, IDYES});
    fakeFailCall("ChangeDisplayMode", 1);
    fakePostMessageAfterPasses(1, WM_KEYDOWN, VK_ESCAPE);
    bool fullscreenWhileRunning = true;
    fakeOnSwap([&] { fullscreenWhileRunning = fullscreen; });

    EXPECT_EQ(appMain(), 0);

    ASSERT_EQ(fakeBoxes().size(), 2u);
    EXPECT_EQ(fakeBoxes()[1].text, fullScreenRefused);
    EXPECT_EQ(fakeBoxes()[1].caption, "Torvelo by Pelmaz");
    EXPECT_EQ(fakeBoxes()[1].flags, MB_YESNO | MB_ICONWARNING);
    EXPECT_FALSE(fullscreenWhileRunning);
    EXPECT_EQ(fakeCount(createWindowLine(1, false)), 1);
    EXPECT_GT(findCall("ShowCursor hide"), findCallStarting("PeekMessage")) << "hidden only at the end, by Escape";
    EXPECT_EQ(findCall("RestoreDisplayMode"), -1);
    EXPECT_EQ(fakeHeldHandles(), 0);
}

TEST_F(FullScreenRefused, AnythingButYesShowsTheClosingBoxAndLeavesTheClassRegistered)
{
    for (int answer : {IDNO, IDCANCEL}) {
        SCOPED_TRACE(answer);
        SetUp();
        fakeAnswerBoxes({IDYES, answer});
        fakeFailCall("ChangeDisplayMode", 1);

        EXPECT_EQ(appMain(), 0);

        ASSERT_EQ(fakeBoxes().size(), 3u);
        EXPECT_EQ(fakeBoxes()[1].text, fullScreenRefused);
        EXPECT_EQ(fakeBoxes()[2].text, closingNow);
        EXPECT_EQ(fakeBoxes()[2].caption, "ERROR");
        EXPECT_EQ(fakeBoxes()[2].flags, MB_OK | MB_ICONERROR);
        EXPECT_EQ(callNames(1), (Lines{"ModuleHandle", "RegisterClass", "ChangeDisplayMode", "MessageBox", "MessageBox"}));
        EXPECT_TRUE(fakeClassRegistered());
        TearDown();
    }
}

TEST_F(FullScreenRefused, FrenchTextsAreSingleByteWindows1252)
{
    fakeAnswerBoxes({IDYES, IDNO});
    fakeFailCall("ChangeDisplayMode", 1);
    appMain();

    ASSERT_EQ(fakeBoxes().size(), 3u);
    // é is 0xE9, ê 0xEA; UTF-8 would bring 0xC3 lead bytes.
    EXPECT_EQ(fakeBoxes()[0].text, "Voulez vous activer le mode plein \xE9"
                                   "cran?");
    EXPECT_EQ(fakeBoxes()[1].text, "Le mode plein \xE9"
                                   "cran n'est pas support\xE9.\r\nVoulez-vous lancez le programme en mode fen\xEA"
                                   "tre?");
    EXPECT_EQ(fakeBoxes()[2].text, "Le programme va maintenant \xEAtre ferm\xE9.");
    for (const FakeBox& box : fakeBoxes())
        EXPECT_EQ(box.text.find('\xC3'), std::string::npos) << box.text;
}
