// SDL events as window messages: the key codes, system keys, activation,
// sizes and closing, and the queue they pass through to windowProc.
#include "platform/app.h"
#include "platform/input.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/winapi_names.h"

#include <gtest/gtest.h>

static SDL_Event keyEvent(Uint32 type, SDL_Keycode key, Uint16 mod = KMOD_NONE, Uint8 repeat = 0)
{
    SDL_Event event = {};
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    event.key.keysym.sym = key;
    event.key.keysym.mod = mod;
    return event;
}

static SDL_Event windowEvent(Uint8 what, Uint32 id, int data1 = 0, int data2 = 0)
{
    SDL_Event event = {};
    event.window.type = SDL_WINDOWEVENT;
    event.window.event = what;
    event.window.windowID = id;
    event.window.data1 = data1;
    event.window.data2 = data2;
    return event;
}

static PlatformHandle const ourWindow = &backendWindow;

// Our window as made by SetPixelFormat: SDL id 7, 800 x 600, focused.
static void trackOurWindow()
{
    backendWindow = BackendWindow{true, reinterpret_cast<SDL_Window*>(0x1000), 7, {}, 0, 0, 0, 800, 600, true, false};
}

TEST(SdlKeys, LettersByLayoutDigitsAndNamedKeysGetWindowsCodesBelow256)
{
    for (SDL_Keycode key = SDLK_a; key <= SDLK_z; key++)
        EXPECT_EQ(virtualKeyFor(key, true), 'A' + (key - SDLK_a));
    for (SDL_Keycode key = SDLK_0; key <= SDLK_9; key++)
        EXPECT_EQ(virtualKeyFor(key, false), '0' + (key - SDLK_0));
    const struct { SDL_Keycode key; int code; } named[] = {
        {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_F1, VK_F1}, {SDLK_DELETE, VK_DELETE}, {SDLK_LEFT, VK_LEFT},
        {SDLK_UP, VK_UP}, {SDLK_RIGHT, VK_RIGHT}, {SDLK_DOWN, VK_DOWN}, {SDLK_RETURN, VK_RETURN},
        {SDLK_SPACE, VK_SPACE}, {SDLK_F12, 0x7B}, {SDLK_F13, 0}, {SDLK_AUDIOPLAY, 0}, {SDLK_SEMICOLON, 0},
    };
    for (const auto& entry : named)
        EXPECT_EQ(virtualKeyFor(entry.key, true), entry.code) << SDL_GetKeyName(entry.key);
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; scancode++)
        for (bool numLock : {false, true}) {
            const int code = virtualKeyFor(SDL_SCANCODE_TO_KEYCODE(scancode), numLock);
            EXPECT_TRUE(code >= 0 && code < 256) << scancode;
        }
}

TEST(SdlEvents, KeysAndRepeatsAreKeyMessagesLeftAltAndF10AreSystemKeys)
{
    trackOurWindow();
    // With the modifier state SDL reports: a modifier key's own press has it.
    const struct { SDL_Event event; unsigned message; uintptr_t code; bool altContext; } cases[] = {
        {keyEvent(SDL_KEYDOWN, SDLK_s, KMOD_NUM), WM_KEYDOWN, 'S', false},
        {keyEvent(SDL_KEYDOWN, SDLK_UP, KMOD_NONE, 1), WM_KEYDOWN, VK_UP, false},
        {keyEvent(SDL_KEYUP, SDLK_s), WM_KEYUP, 'S', false},
        {keyEvent(SDL_KEYDOWN, SDLK_F4, KMOD_LALT), WM_SYSKEYDOWN, 0x73, true},
        {keyEvent(SDL_KEYUP, SDLK_F4, KMOD_LALT | KMOD_NUM), WM_SYSKEYUP, 0x73, true},
        {keyEvent(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT), WM_SYSKEYDOWN, 0x12, true},
        {keyEvent(SDL_KEYDOWN, SDLK_F10), WM_SYSKEYDOWN, 0x79, false},
        // AltGr: as Windows reports it (with Ctrl), as X servers do (right Alt
        // or the mode switch alone): a plain key, AltGr itself too.
        {keyEvent(SDL_KEYDOWN, SDLK_e, KMOD_RALT | KMOD_LCTRL), WM_KEYDOWN, 'E', false},
        {keyEvent(SDL_KEYDOWN, SDLK_e, KMOD_RALT), WM_KEYDOWN, 'E', false},
        {keyEvent(SDL_KEYDOWN, SDLK_e, KMOD_MODE | KMOD_NUM), WM_KEYDOWN, 'E', false},
        {keyEvent(SDL_KEYDOWN, SDLK_RALT, KMOD_RALT), WM_KEYDOWN, 0x12, false},
        {keyEvent(SDL_KEYUP, SDLK_RALT), WM_KEYUP, 0x12, false},
        // The keypad by NumLock: digits and '.', or the keys printed on them.
        {keyEvent(SDL_KEYDOWN, SDLK_KP_8, KMOD_NUM), WM_KEYDOWN, 0x68, false},
        {keyEvent(SDL_KEYDOWN, SDLK_KP_0, KMOD_NUM | KMOD_SHIFT), WM_KEYDOWN, 0x60, false},
        {keyEvent(SDL_KEYUP, SDLK_KP_PERIOD, KMOD_NUM), WM_KEYUP, 0x6E, false},
        {keyEvent(SDL_KEYDOWN, SDLK_KP_PERIOD), WM_KEYDOWN, VK_DELETE, false},
        {keyEvent(SDL_KEYUP, SDLK_KP_PERIOD), WM_KEYUP, VK_DELETE, false},
        {keyEvent(SDL_KEYDOWN, SDLK_KP_8), WM_KEYDOWN, VK_UP, false},
        {keyEvent(SDL_KEYDOWN, SDLK_KP_2), WM_KEYDOWN, VK_DOWN, false},
        {keyEvent(SDL_KEYDOWN, SDLK_KP_4, KMOD_CAPS), WM_KEYDOWN, VK_LEFT, false},
        {keyEvent(SDL_KEYDOWN, SDLK_KP_6), WM_KEYDOWN, VK_RIGHT, false},
        {keyEvent(SDL_KEYDOWN, SDLK_KP_7), WM_KEYDOWN, 0x24, false},
        {keyEvent(SDL_KEYDOWN, SDLK_KP_1), WM_KEYDOWN, 0x23, false},
        {keyEvent(SDL_KEYDOWN, SDLK_KP_9), WM_KEYDOWN, 0x21, false},
        {keyEvent(SDL_KEYDOWN, SDLK_KP_3), WM_KEYDOWN, 0x22, false},
        {keyEvent(SDL_KEYDOWN, SDLK_KP_0), WM_KEYDOWN, 0x2D, false},
        {keyEvent(SDL_KEYDOWN, SDLK_KP_5), WM_KEYDOWN, 0x0C, false},
        {keyEvent(SDL_KEYDOWN, SDLK_KP_8, KMOD_LALT), WM_SYSKEYDOWN, VK_UP, true},
    };
    for (const auto& c : cases) {
        PlatformMessage out[2] = {};
        const int row = static_cast<int>(&c - cases);
        ASSERT_EQ(translateEvent(c.event, out, 2), 1) << row;
        EXPECT_EQ(out[0].window, ourWindow);
        EXPECT_EQ(out[0].message, c.message) << row;
        EXPECT_EQ(out[0].wParam, c.code) << row;
        EXPECT_EQ((out[0].lParam >> 29) & 1, c.altContext ? 1 : 0) << row;
    }
    PlatformMessage out[2] = {};
    EXPECT_EQ(translateEvent(keyEvent(SDL_KEYDOWN, SDLK_F13), out, 2), 0);
}

TEST(SdlEvents, WindowEventsAreActivationSizeAndCloseForOurWindowOnly)
{
    trackOurWindow();
    PlatformMessage out[2] = {};
    EXPECT_EQ(translateEvent(windowEvent(SDL_WINDOWEVENT_FOCUS_LOST, 6), out, 2), 0);

    ASSERT_EQ(translateEvent(windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 7, 640, 480), out, 2), 1);
    EXPECT_EQ(out[0].message, WM_SIZE);
    EXPECT_EQ(out[0].lParam, 640 | (480 << 16));

    ASSERT_EQ(translateEvent(windowEvent(SDL_WINDOWEVENT_FOCUS_LOST, 7), out, 2), 1);
    EXPECT_EQ(out[0].message, WM_ACTIVATE);
    EXPECT_EQ(out[0].wParam, WA_INACTIVE);

    // Minimised: inactive with the minimised flag, and a 0 x 0 client area.
    ASSERT_EQ(translateEvent(windowEvent(SDL_WINDOWEVENT_MINIMIZED, 7), out, 2), 2);
    EXPECT_EQ(out[0].message, WM_ACTIVATE);
    EXPECT_EQ(out[0].wParam, 1u << 16);
    EXPECT_EQ(out[1].message, WM_SIZE);
    EXPECT_EQ(out[1].lParam, 0);

    // Restored: the last size comes back; active only once focused again.
    ASSERT_EQ(translateEvent(windowEvent(SDL_WINDOWEVENT_RESTORED, 7), out, 2), 2);
    EXPECT_EQ(out[0].message, WM_SIZE);
    EXPECT_EQ(out[0].lParam, 640 | (480 << 16));
    EXPECT_EQ(out[1].message, WM_ACTIVATE);
    EXPECT_EQ(out[1].wParam, WA_INACTIVE);
    ASSERT_EQ(translateEvent(windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED, 7), out, 2), 1);
    EXPECT_EQ(out[0].wParam, 1u);

    ASSERT_EQ(translateEvent(windowEvent(SDL_WINDOWEVENT_CLOSE, 7), out, 2), 1);
    EXPECT_EQ(out[0].message, WM_CLOSE);
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    ASSERT_EQ(translateEvent(quit, out, 2), 1);
    EXPECT_EQ(out[0].message, WM_CLOSE);
}

TEST(SdlQueue, EventsReachWindowProcOneAPeekAndTheQuitComesLast)
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    trackOurWindow();
    keys['S'] = false;
    windowActive = true;

    SDL_Event events[] = {keyEvent(SDL_KEYDOWN, SDLK_s), windowEvent(SDL_WINDOWEVENT_MINIMIZED, 7),
                          windowEvent(SDL_WINDOWEVENT_CLOSE, 7), keyEvent(SDL_KEYDOWN, SDLK_F13),
                          keyEvent(SDL_KEYUP, SDLK_s)};
    for (SDL_Event& event : events)
        ASSERT_EQ(SDL_PushEvent(&event), 1);

    // The close request posts the quit; it comes once nothing else waits.
    const unsigned expected[] = {WM_KEYDOWN, WM_ACTIVATE, WM_SIZE, WM_CLOSE, WM_KEYUP, WM_QUIT};
    PlatformMessage message = {};
    for (unsigned wanted : expected) {
        ASSERT_TRUE(platformPeekMessage(&message));
        ASSERT_EQ(message.message, wanted);
        // No GL here for the viewport; the quit never reaches windowProc.
        if (wanted != WM_QUIT && wanted != WM_SIZE)
            platformDispatchMessage(&message);
        if (wanted == WM_KEYDOWN) {
            EXPECT_TRUE(keys['S']);
        }
        if (wanted == WM_SIZE) {
            EXPECT_FALSE(windowActive);
        }
    }
    EXPECT_EQ(message.wParam, 0u);
    EXPECT_FALSE(keys['S']);
    EXPECT_FALSE(platformPeekMessage(&message));

    windowActive = true;
    backendWindow = BackendWindow{};
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}
