#include "app_fixture.h"

#include "platform/app.h"
#include "platform/input.h"
#include "support/test_gl.h"
#include "platform/winapi_names.h"

#include <GL/gl.h>

namespace {

PlatformHandle const window = reinterpret_cast<PlatformHandle>(0x1234);

intptr_t sizeParam(unsigned width, unsigned height)
{
    return static_cast<intptr_t>((height << 16) | width);
}

std::vector<GLint> viewport()
{
    GLint v[4] = {};
    glGetIntegerv(GL_VIEWPORT, v);
    return std::vector<GLint>(v, v + 4);
}

int keysDown()
{
    int n = 0;
    for (bool k : keys)
        n += k;
    return n;
}

using WindowProc = AppTest;

} // namespace

TEST_F(WindowProc, SizeSetsViewportAndAspectAndAZeroHeightBecomesOne)
{
    useTestGLContext();
    struct Case {
        unsigned width, height;
        std::vector<GLint> viewport;
    };
    for (const Case& c : {Case{400, 300, {0, 0, 400, 300}}, Case{1024, 256, {0, 0, 1024, 256}},
                          Case{640, 0, {0, 0, 640, 1}}, Case{0, 0, {0, 0, 0, 1}}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        glViewport(1, 2, 3, 4);
        EXPECT_EQ(windowProc(window, WM_SIZE, 0, sizeParam(c.width, c.height)), 0);
        EXPECT_EQ(viewport(), c.viewport);
        if (c.width > 0) {
            // gluPerspective puts f / aspect at [0] and f at [5].
            GLdouble m[16] = {};
            glGetDoublev(GL_PROJECTION_MATRIX, m);
            const double aspect = static_cast<double>(c.width) / (c.height ? c.height : 1);
            EXPECT_NEAR(m[5] / m[0], aspect, 1e-6 * aspect);  // GL keeps floats
        }
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
    }
    EXPECT_TRUE(fakeCalls().empty()) << "no default handling";
}

TEST_F(WindowProc, KeyDownAndUpSetAndClearTheirEntryOnly)
{
    for (int code : {VK_ESCAPE, VK_F1, VK_DELETE, VK_LEFT, int{'A'}, int{'1'}, 0x00, 0xFF}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(windowProc(window, WM_KEYDOWN, code, 0), 0);
        EXPECT_TRUE(keys[code]);
        // Auto-repeat: more key-downs, still down.
        windowProc(window, WM_KEYDOWN, code, 0x40000000);
        EXPECT_TRUE(keys[code]);
        EXPECT_EQ(keysDown(), 1);
        EXPECT_EQ(windowProc(window, WM_KEYUP, code, 0), 0);
        EXPECT_FALSE(keys[code]);
        EXPECT_EQ(keysDown(), 0);
    }
    // Codes past the table change nothing (and touch no memory past it).
    windowProc(window, WM_KEYDOWN, 256, 0);
    windowProc(window, WM_KEYDOWN, 0x1FF, 0);
    EXPECT_EQ(keysDown(), 0);
    keys['Q'] = true;
    windowProc(window, WM_KEYUP, 256 + 'Q', 0);
    EXPECT_TRUE(keys['Q']);
    EXPECT_TRUE(fakeCalls().empty());
}

TEST_F(WindowProc, ActiveOnlyWhenActivatedAndNotMinimised)
{
    const unsigned minimised = 1u << 16;
    struct Case {
        uintptr_t wParam;
        bool active;
    };
    for (Case c : {Case{1, true}, Case{2, true}, Case{WA_INACTIVE, false}, Case{1 | minimised, false},
                   Case{2 | minimised, false}, Case{WA_INACTIVE | minimised, false}}) {
        SCOPED_TRACE(c.wParam);
        windowActive = !c.active;
        EXPECT_EQ(windowProc(window, WM_ACTIVATE, c.wParam, 0), 0);
        EXPECT_EQ(windowActive, c.active);
    }
    EXPECT_TRUE(fakeCalls().empty());
}

TEST_F(WindowProc, CloseOnlyPostsQuitZero)
{
    EXPECT_EQ(windowProc(window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(fakeCalls(), (std::vector<std::string>{"PostQuitMessage 0"}));
    PlatformMessage m = {};
    ASSERT_TRUE(platformPeekMessage(&m));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 0u);
}

TEST_F(WindowProc, OtherMessagesGetTheDefaultHandlingAndItsResult)
{
    const unsigned VK_F10 = 0x79;
    fakeSetDefWindowProcResult(1234);
    struct Case {
        unsigned message;
        uintptr_t wParam;
        const char* line;
    };
    for (Case c : {Case{WM_SYSKEYDOWN, VK_F10, "DefWindowProc ? 0x104 121 7"},
                   Case{WM_SYSKEYUP, 'A', "DefWindowProc ? 0x105 65 7"},
                   Case{WM_PAINT, 0, "DefWindowProc ? 0xf 0 7"},
                   Case{WM_DESTROY, 0, "DefWindowProc ? 0x2 0 7"}}) {
        SCOPED_TRACE(c.line);
        fakeReset();
        fakeSetDefWindowProcResult(1234);
        EXPECT_EQ(windowProc(window, c.message, c.wParam, 7), 1234);
        EXPECT_EQ(fakeCalls(), (std::vector<std::string>{c.line}));
    }
    EXPECT_EQ(keysDown(), 0) << "keys pressed with Alt are not recorded";
}
