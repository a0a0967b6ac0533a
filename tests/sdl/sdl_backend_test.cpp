// The SDL backend without a display: keys and window events as the messages
// Windows sends, the queue they pass through to windowProc, the window system
// on SDL's invisible driver, and the run clock. The boxes and the display
// modes are the whole-program tests' (e2e).
#include "app/app.h"
#include "platform/input.h"
#include "sdl/sdl_backend.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

static SDL_Event keyEvent(SDL_Keycode key, Uint16 mod = KMOD_NONE, Uint32 type = SDL_KEYDOWN,
                          Uint8 repeat = 0)
{
    SDL_Event event = {};
    event.key = {type, 0, 0, 0, repeat, 0, 0, {SDL_SCANCODE_UNKNOWN, key, mod, 0}};
    return event;
}

static SDL_Event windowEvent(Uint8 what, Uint32 id = 7, int width = 0, int height = 0)
{
    SDL_Event event = {};
    event.window = {SDL_WINDOWEVENT, 0, id, what, 0, 0, 0, width, height};
    return event;
}

// The messages of an event as "message wParam lParam;", hexadecimal as
// Windows' headers write them.
static std::string translated(const SDL_Event& event)
{
    PlatformMessage out[2] = {};
    std::string text;
    for (int i = 0; i < translateEvent(event, out, 2); i++) {
        char line[64];
        std::snprintf(line, sizeof line, "%s%x %lx %lx;", out[i].window == &backendWindow ? "" : "stranger ",
                      out[i].message, static_cast<unsigned long>(out[i].wParam),
                      static_cast<unsigned long>(out[i].lParam));
        text += line;
    }
    return text;
}

TEST(SdlEvents, KeysAndWindowEventsBecomeWindowsMessagesAndPassThroughTheQueueInOrder)
{
    // Our window as SetPixelFormat leaves it: SDL id 7, 800 x 600, focused.
    backendWindow =
        BackendWindow{true, reinterpret_cast<SDL_Window*>(0x1000), 7, {}, 0, 0, 0, 800, 600, true, false};
    // SDL's modifier state holds a modifier key's own press; AltGr comes as
    // Windows reports it (with Ctrl) and as X servers do (right Alt); the
    // keypad with NumLock off is the keys printed on it; a restore brings
    // back the last size.
    const struct {
        SDL_Event event;
        const char* messages;
    } cases[] = {{keyEvent(SDLK_s, KMOD_NUM), "100 53 1;"},
                 {keyEvent(SDLK_UP, KMOD_NONE, SDL_KEYDOWN, 1), "100 26 40000001;"},
                 {keyEvent(SDLK_s, KMOD_NONE, SDL_KEYUP), "101 53 c0000001;"},
                 {keyEvent(SDLK_F4, KMOD_LALT), "104 73 20000001;"},
                 {keyEvent(SDLK_LALT, KMOD_LALT), "104 12 20000001;"},
                 {keyEvent(SDLK_F10), "104 79 1;"},
                 {keyEvent(SDLK_e, KMOD_RALT | KMOD_LCTRL), "100 45 1;"},
                 {keyEvent(SDLK_RALT, KMOD_RALT), "100 12 1;"},
                 {keyEvent(SDLK_KP_8, KMOD_NUM), "100 68 1;"},
                 {keyEvent(SDLK_KP_8), "100 26 1;"},
                 {keyEvent(SDLK_KP_5), "100 c 1;"},
                 {keyEvent(SDLK_KP_PERIOD), "100 2e 1;"},
                 {keyEvent(SDLK_F13), ""},
                 {windowEvent(SDL_WINDOWEVENT_FOCUS_LOST, 6), ""},
                 {windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 7, 640, 480), "5 0 1e00280;"},
                 {windowEvent(SDL_WINDOWEVENT_FOCUS_LOST), "6 0 0;"},
                 {windowEvent(SDL_WINDOWEVENT_MINIMIZED), "6 10000 0;5 0 0;"},
                 {windowEvent(SDL_WINDOWEVENT_RESTORED), "5 0 1e00280;6 0 0;"},
                 {windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), "6 1 0;"},
                 {SDL_Event{SDL_QUIT}, "10 0 0;"}};
    for (const auto& c : cases)
        EXPECT_EQ(translated(c.event), c.messages) << "row " << &c - cases;
    // Through the queue, two-message events one after the other; the close
    // posts the quit, which waits until nothing else is pending.
    SDL_InitSubSystem(SDL_INIT_EVENTS);
    for (SDL_Event event :
         {keyEvent(SDLK_s), windowEvent(SDL_WINDOWEVENT_MINIMIZED), windowEvent(SDL_WINDOWEVENT_RESTORED),
          windowEvent(SDL_WINDOWEVENT_CLOSE), keyEvent(SDLK_F13), keyEvent(SDLK_s, KMOD_NONE, SDL_KEYUP)})
        SDL_PushEvent(&event);
    // Each message and, once handled, whether S is down and the window active.
    std::string seen;
    PlatformMessage m = {};
    while (platformPeekMessage(&m)) {
        // Neither the quit nor a size (no GL here for the viewport).
        if (m.message != 0x12 && m.message != 0x5)
            platformDispatchMessage(&m);
        seen += std::to_string(m.message) + (keys['S'] ? "S" : "") + (windowActive ? "A " : " ");
    }
    EXPECT_EQ(seen, "256SA 6S 5S 5S 6SA 16SA 257A 18A ");
}

TEST(SdlClock, TheRunClockCountsWholeMillisecondsSinceTheStart)
{
    const int startedAt = platformRunClock();
    SDL_Delay(50);
    const int later = platformRunClock();
    EXPECT_TRUE(startedAt >= 0 && startedAt < 600000) << "since the start: " << startedAt;
    EXPECT_TRUE(later - startedAt >= 50 && later - startedAt < 10000) << "50 ms: " << later - startedAt;
}

TEST(SdlWindowSystem, TheClassIsAFlagOverAVideoSystemThatStaysUpAcrossF1)
{
    // The invisible driver, which the backend takes only when asked for.
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    ASSERT_TRUE(platformRegisterClass(nullptr));
    EXPECT_TRUE(platformUnregisterClass(nullptr));
    EXPECT_FALSE(platformUnregisterClass(nullptr)) << "unregistered twice";
    // Closed, the connection to an X server with no other client would reset it.
    EXPECT_TRUE(SDL_WasInit(SDL_INIT_VIDEO));
}
