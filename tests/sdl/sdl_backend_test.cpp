// The SDL backend without a display: keys and window events as the messages
// Windows sends, through the queue, and the run clock. The boxes, the window
// system and the display modes are the whole-program tests' (e2e).
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

TEST(SdlEvents, KeysAndWindowEventsComeOutOfTheQueueAsTheMessagesWindowsSends)
{
    // Our window as SetPixelFormat leaves it: SDL id 7, 800 x 600, focused.
    backendWindow =
        BackendWindow{true, reinterpret_cast<SDL_Window*>(0x1000), 7, {}, 0, 0, 0, 800, 600, true, false};
    // SDL's modifier state holds a modifier key's own press; AltGr comes as
    // Windows reports it (with Ctrl) and as X servers do (right Alt); the
    // keypad with NumLock off is the keys printed on it; a restore brings
    // back the last size; the close box's quit comes once nothing else is
    // pending.
    SDL_InitSubSystem(SDL_INIT_EVENTS);
    for (SDL_Event event : {keyEvent(SDLK_s, KMOD_NUM),
                            keyEvent(SDLK_UP, KMOD_NONE, SDL_KEYDOWN, 1),
                            keyEvent(SDLK_s, KMOD_NONE, SDL_KEYUP),
                            keyEvent(SDLK_F4, KMOD_LALT),
                            keyEvent(SDLK_LALT, KMOD_LALT),
                            keyEvent(SDLK_F10),
                            windowEvent(SDL_WINDOWEVENT_CLOSE),
                            keyEvent(SDLK_e, KMOD_RALT | KMOD_LCTRL),
                            keyEvent(SDLK_RALT, KMOD_RALT),
                            keyEvent(SDLK_KP_8, KMOD_NUM),
                            keyEvent(SDLK_KP_8),
                            keyEvent(SDLK_KP_5),
                            keyEvent(SDLK_KP_PERIOD),
                            keyEvent(SDLK_F13),
                            windowEvent(SDL_WINDOWEVENT_FOCUS_LOST, 6),
                            windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 7, 640, 480),
                            windowEvent(SDL_WINDOWEVENT_FOCUS_LOST),
                            windowEvent(SDL_WINDOWEVENT_MINIMIZED),
                            windowEvent(SDL_WINDOWEVENT_RESTORED),
                            windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED),
                            SDL_Event{SDL_QUIT}})
        SDL_PushEvent(&event);
    // Each message as "message wParam lParam;", hexadecimal as Windows' headers write them.
    std::string seen;
    PlatformMessage m = {};
    while (platformPeekMessage(&m)) {
        char line[64];
        std::snprintf(line, sizeof line, "%s%x %lx %lx;", m.window == &backendWindow ? "" : "stranger ",
                      m.message, static_cast<unsigned long>(m.wParam), static_cast<unsigned long>(m.lParam));
        seen += line;
        // The close box posts the quit.
        if (m.message == 0x10)
            platformDispatchMessage(&m);
    }
    EXPECT_EQ(seen,
              "100 53 1;100 26 40000001;101 53 c0000001;104 73 20000001;104 12 20000001;104 79 1;10 0 0;"
              "100 45 1;100 12 1;100 68 1;100 26 1;100 c 1;100 2e 1;5 0 1e00280;6 0 0;6 10000 0;5 0 0;"
              "5 0 1e00280;6 0 0;6 1 0;10 0 0;stranger 12 0 0;");
}

TEST(SdlClock, TheRunClockCountsWholeMillisecondsSinceTheStart)
{
    const int startedAt = platformRunClock();
    SDL_Delay(50);
    const int later = platformRunClock();
    // Counted from the start, and 50 ms later about 50 more.
    EXPECT_GE(startedAt, 0);
    EXPECT_LT(startedAt, 600000);
    EXPECT_GE(later - startedAt, 50);
    EXPECT_LT(later - startedAt, 10000);
}
