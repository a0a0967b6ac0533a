// The one creation step the game's own code decides: a graphics set-up that
// fails. The game's set-up always succeeds, so this program is linked with
// --wrap for initGraphics (by its mangled name): the window code's call
// lands here, and the real set-up is __real_ of the same name.
#include "app_fixture.h"

#include "platform/app.h"
#include "platform/graphics.h"
#include "platform/winapi_names.h"

static int setUpCalls = 0;
static bool setUpFails = false;

extern "C" bool __real__Z12initGraphicsv();
extern "C" bool __wrap__Z12initGraphicsv()
{
    setUpCalls++;
    return !setUpFails && __real__Z12initGraphicsv();
}

using InitialisationFails = AppTest;

TEST_F(InitialisationFails, EverythingIsReleasedInReverseThenTheBoxShowsAndTheProgramEndsWithZero)
{
    setUpFails = true;
    for (bool full : {false, true}) {
        SCOPED_TRACE(full ? "full screen" : "windowed");
        SetUp();
        setUpCalls = 0;
        EXPECT_FALSE(createGLWindow("Torvelo by Pelmaz", 800, 600, 16, full));
        EXPECT_EQ(setUpCalls, 1);
        // The window was shown and the context made current before the set-up.
        const int focus = findCallStarting("SetFocus");
        ASSERT_GE(focus, 0);
        std::vector<std::string> cleanUp = {"MakeCurrent - -", "DeleteContext rc1", "ReleaseDC w1 dc1",
                                            "DestroyWindow w1", "UnregisterClass i1",
                                            "MessageBox Initialization Failed."};
        if (full)
            cleanUp.insert(cleanUp.begin(), {"RestoreDisplayMode", "ShowCursor show"});
        EXPECT_EQ(callLines(focus + 1), cleanUp);
        ASSERT_EQ(fakeBoxes().size(), 1u);
        EXPECT_EQ(fakeBoxes()[0].caption, "ERROR");
        EXPECT_EQ(fakeBoxes()[0].flags, MB_OK | MB_ICONWARNING);
        EXPECT_EQ(fakeHeldHandles(), 0);
        EXPECT_FALSE(fakeClassRegistered());
        TearDown();
    }

    SetUp();
    fakeAnswerBoxes({IDNO});
    EXPECT_EQ(appMain(), 0);
    EXPECT_EQ(fakeCalls().back(), "MessageBox Initialization Failed.");
    EXPECT_EQ(findCallStarting("PeekMessage"), -1) << "no loop after a failed start";
    setUpFails = false;
}
