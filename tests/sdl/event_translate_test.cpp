// SDL events as window messages: key codes, system keys, activation, sizes,
// closing, and the queue they pass through to windowProc.
#include "app/app.h"
#include "platform/input.h"
#include "platform/winapi_names.h"
#include "sdl/sdl_backend.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A key event (SDL's modifier state, type, repeat count) and a window event (window id, data).
static SDL_Event keyEvent(SDL_Keycode key, Uint16 mod = KMOD_NONE, Uint32 type = SDL_KEYDOWN,
                          Uint8 repeat = 0)
{
    SDL_Event e = {};
    return e.key = {type, 0, 0, 0, repeat, 0, 0, {SDL_SCANCODE_UNKNOWN, key, mod, 0}}, e;
}

static SDL_Event windowEvent(Uint8 what, Uint32 id = 7, int data1 = 0, int data2 = 0)
{
    SDL_Event e = {};
    return e.window = {SDL_WINDOWEVENT, 0, id, what, 0, 0, 0, data1, data2}, e;
}

TEST(SdlKeys, LayoutLettersDigitsArrowsAndTheKeypadByNumLockGetWindowsCodesBelow256)
{
    const struct {
        SDL_Keycode key;
        bool numLock;
        int code;
    } cases[] = {{SDLK_a, true, 'A'},          {SDLK_q, false, 'Q'},
                 {SDLK_z, true, 'Z'},          {SDLK_0, false, '0'},
                 {SDLK_9, true, '9'},          {SDLK_F1, true, VK_F1},
                 {SDLK_LEFT, true, VK_LEFT},   {SDLK_UP, false, VK_UP},
                 {SDLK_RIGHT, true, VK_RIGHT}, {SDLK_DOWN, true, VK_DOWN},
                 {SDLK_KP_8, true, 0x68},      {SDLK_KP_0, true, 0x60},
                 {SDLK_KP_PERIOD, true, 0x6E}, {SDLK_KP_PERIOD, false, VK_DELETE},
                 {SDLK_KP_8, false, VK_UP},    {SDLK_KP_2, false, VK_DOWN},
                 {SDLK_KP_4, false, VK_LEFT},  {SDLK_KP_6, false, VK_RIGHT},
                 {SDLK_KP_7, false, 0x24},     {SDLK_KP_1, false, 0x23},
                 {SDLK_KP_9, false, 0x21},     {SDLK_KP_3, false, 0x22},
                 {SDLK_KP_0, false, 0x2D},     {SDLK_KP_5, false, 0x0C},
                 {SDLK_F13, true, 0},          {SDLK_AUDIOPLAY, true, 0},
                 {SDLK_SEMICOLON, false, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(virtualKeyFor(c.key, c.numLock), c.code)
            << SDL_GetKeyName(c.key) << " NumLock " << c.numLock;
    for (int i = 0; i < SDL_NUM_SCANCODES * 2; i++)  // every scancode, NumLock off and on
        EXPECT_LT(static_cast<unsigned>(virtualKeyFor(SDL_SCANCODE_TO_KEYCODE(i / 2), i % 2)), 256u)
            << "scancode " << i / 2;
}

// Our window as SetPixelFormat leaves it: SDL id 7, 800 x 600, focused.
TEST(SdlEvents, KeyAndWindowEventsBecomeTheMessagesWindowsSendsAndPassThroughTheQueueInOrder)
{
    backendWindow =
        BackendWindow{true, reinterpret_cast<SDL_Window*>(0x1000), 7, {}, 0, 0, 0, 800, 600, true, false};
    struct Msg {
        unsigned message;
        uintptr_t wParam;
        intptr_t lParam;
    };
    const intptr_t ALT = ALT_CONTEXT_BIT | 1, UP = intptr_t(3) << 30 | 1, REPEAT = intptr_t(1) << 30 | 1;
    // In order: restore brings back the last size. SDL's modifier state has
    // a modifier key's own press in it. AltGr as Windows reports it (with
    // Ctrl) and as X servers do (right Alt, the mode switch): plain keys.
    const struct {
        SDL_Event event;
        std::vector<Msg> out;
    } cases[] = {{keyEvent(SDLK_s, KMOD_NUM), {{WM_KEYDOWN, 'S', 1}}},
                 {keyEvent(SDLK_UP, KMOD_NONE, SDL_KEYDOWN, 1), {{WM_KEYDOWN, VK_UP, REPEAT}}},
                 {keyEvent(SDLK_s, KMOD_NONE, SDL_KEYUP), {{WM_KEYUP, 'S', UP}}},
                 {keyEvent(SDLK_F4, KMOD_LALT), {{WM_SYSKEYDOWN, VK_F4, ALT}}},
                 {keyEvent(SDLK_F4, KMOD_LALT | KMOD_NUM, SDL_KEYUP), {{WM_SYSKEYUP, VK_F4, ALT | UP}}},
                 {keyEvent(SDLK_LALT, KMOD_LALT), {{WM_SYSKEYDOWN, 0x12, ALT}}},
                 {keyEvent(SDLK_KP_8, KMOD_LALT), {{WM_SYSKEYDOWN, VK_UP, ALT}}},
                 {keyEvent(SDLK_F10), {{WM_SYSKEYDOWN, VK_F10, 1}}},
                 {keyEvent(SDLK_e, KMOD_RALT | KMOD_LCTRL), {{WM_KEYDOWN, 'E', 1}}},
                 {keyEvent(SDLK_e, KMOD_RALT), {{WM_KEYDOWN, 'E', 1}}},
                 {keyEvent(SDLK_e, KMOD_MODE | KMOD_NUM), {{WM_KEYDOWN, 'E', 1}}},
                 {keyEvent(SDLK_RALT, KMOD_RALT), {{WM_KEYDOWN, 0x12, 1}}},
                 {keyEvent(SDLK_KP_PERIOD), {{WM_KEYDOWN, VK_DELETE, 1}}},
                 {keyEvent(SDLK_F13), {}},
                 {windowEvent(SDL_WINDOWEVENT_FOCUS_LOST, 6), {}},
                 {windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 7, 640, 480), {{WM_SIZE, 0, 640 | 480 << 16}}},
                 {windowEvent(SDL_WINDOWEVENT_FOCUS_LOST), {{WM_ACTIVATE, WA_INACTIVE, 0}}},
                 {windowEvent(SDL_WINDOWEVENT_MINIMIZED), {{WM_ACTIVATE, 1u << 16, 0}, {WM_SIZE, 0, 0}}},
                 {windowEvent(SDL_WINDOWEVENT_RESTORED),
                  {{WM_SIZE, 0, 640 | 480 << 16}, {WM_ACTIVATE, WA_INACTIVE, 0}}},
                 {windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), {{WM_ACTIVATE, 1, 0}}},
                 {windowEvent(SDL_WINDOWEVENT_CLOSE), {{WM_CLOSE, 0, 0}}},
                 {SDL_Event{SDL_QUIT}, {{WM_CLOSE, 0, 0}}}};
    for (const auto& c : cases) {
        PlatformMessage out[2] = {};
        ASSERT_EQ(translateEvent(c.event, out, 2), static_cast<int>(c.out.size())) << "row " << &c - cases;
        for (size_t i = 0; i < c.out.size(); i++)
            EXPECT_TRUE(out[i].window == &backendWindow && out[i].message == c.out[i].message
                        && out[i].wParam == c.out[i].wParam && out[i].lParam == c.out[i].lParam)
                << "row " << &c - cases << ": " << out[i].message << " " << out[i].lParam;
    }
    // Through the queue, two-message events one after the other: the close posts the quit, which waits until
    // nothing else does.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    keys['S'] = false, windowActive = true;
    for (SDL_Event event :
         {keyEvent(SDLK_s), windowEvent(SDL_WINDOWEVENT_MINIMIZED), windowEvent(SDL_WINDOWEVENT_RESTORED),
          windowEvent(SDL_WINDOWEVENT_CLOSE), keyEvent(SDLK_F13), keyEvent(SDLK_s, KMOD_NONE, SDL_KEYUP)})
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    std::string seen;  // each message and, once handled, whether S is down and the window active
    PlatformMessage m = {};
    while (platformPeekMessage(&m)) {
        if (m.message != WM_QUIT && m.message != WM_SIZE)  // no GL here for the viewport
            platformDispatchMessage(&m);
        seen += std::to_string(m.message) + (keys['S'] ? "S" : "") + (windowActive ? "A " : " ");
    }
    EXPECT_TRUE(seen == "256SA 6S 5S 5S 6SA 16SA 257A 18A " && m.wParam == 0) << seen;
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
    // Without a display no box shows: each answers its default button, its text on stderr in UTF-8, "\r\n" as
    // "\n".
    unsetenv("DISPLAY"), unsetenv("WAYLAND_DISPLAY"), testing::internal::CaptureStderr();
    EXPECT_TRUE(platformMessageBox("plein \xE9"
                                   "cran?\r\nOui",
                                   "Torvelo", MB_YESNO | MB_ICONQUESTION)
                    == IDYES
                && platformMessageBox("x", "ERROR", MB_OK) == IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Torvelo: plein \xC3\xA9"
              "cran?\nOui\nERROR: x\n");
}

TEST(SdlClock, RunClockCountsMillisecondsSinceTheStart)
{
    const int startedAt = platformRunClock();
    SDL_Delay(50);
    const int later = platformRunClock();
    EXPECT_TRUE(startedAt >= 0 && startedAt < 600000 && later - startedAt >= 50 && later - startedAt < 10000)
        << startedAt << " " << later;
}
