// The SDL backend without a display: keys and window events as the messages
// Windows sends, the queue they pass through to windowProc, message boxes
// that cannot be shown, the window system's start and end, and the run clock.
#include "app/app.h"
#include "platform/input.h"
#include "platform/winapi_names.h"
#include "sdl/sdl_backend.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
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

TEST(SdlKeys, LettersDigitsArrowsFunctionKeysAndTheKeypadByNumLockGetWindowsCodesBelow256)
{
    // Windows' own codes by SDL's key names, with NumLock on and off; 0: the game has no code for it.
    const char* const table[2] = {
        "Z=5A,9=39,F1=70,F12=7B,Delete=2E,Return=D,Left Alt=12,Keypad 0=60,Keypad .=6E,F13=0,AudioPlay=0,;=0",
        "Keypad 0=2D,Keypad 1=23,Keypad 2=28,Keypad 3=22,Keypad 4=25,Keypad 5=C,Keypad 6=27,Keypad 7=24,"
        "Keypad 8=26,Keypad 9=21,Keypad .=2E,Q=51"};
    for (bool numLock : {true, false}) {
        std::istringstream rows(table[!numLock]);
        for (std::string name, code; std::getline(rows, name, '=') && std::getline(rows, code, ',');)
            EXPECT_EQ(virtualKeyFor(SDL_GetKeyFromName(name.c_str()), numLock), std::stoi(code, nullptr, 16))
                << name;
    }
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; scancode++)
        for (bool numLock : {false, true})
            EXPECT_LT(virtualKeyFor(SDL_SCANCODE_TO_KEYCODE(scancode), numLock), 256)
                << "scancode " << scancode;
}

// Messages as "message wParam lParam", hexadecimal as Windows' headers write them.
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
    // Windows reports it (with Ctrl) and as X servers do (right Alt, the mode
    // switch); a restore brings back the last size.
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
                 {keyEvent(SDLK_e, KMOD_RALT), "100 45 1;"},
                 {keyEvent(SDLK_RALT, KMOD_RALT), "100 12 1;"},
                 {keyEvent(SDLK_F13), ""},
                 {windowEvent(SDL_WINDOWEVENT_FOCUS_LOST, 6), ""},
                 {windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 7, 640, 480), "5 0 1e00280;"},
                 {windowEvent(SDL_WINDOWEVENT_FOCUS_LOST), "6 0 0;"},
                 {windowEvent(SDL_WINDOWEVENT_MINIMIZED), "6 10000 0;5 0 0;"},
                 {windowEvent(SDL_WINDOWEVENT_RESTORED), "5 0 1e00280;6 0 0;"},
                 {windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), "6 1 0;"},
                 {windowEvent(SDL_WINDOWEVENT_CLOSE), "10 0 0;"},
                 {SDL_Event{SDL_QUIT}, "10 0 0;"}};
    for (const auto& c : cases)
        EXPECT_EQ(translated(c.event), c.messages) << "row " << &c - cases;
    // Through the queue, two-message events one after the other; the close
    // posts the quit, which waits until nothing else is pending.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    for (SDL_Event event :
         {keyEvent(SDLK_s), windowEvent(SDL_WINDOWEVENT_MINIMIZED), windowEvent(SDL_WINDOWEVENT_RESTORED),
          windowEvent(SDL_WINDOWEVENT_CLOSE), keyEvent(SDLK_F13), keyEvent(SDLK_s, KMOD_NONE, SDL_KEYUP)})
        SDL_PushEvent(&event);
    // Each message and, once handled, whether S is down and the window active.
    std::string seen;
    PlatformMessage m = {};
    while (platformPeekMessage(&m)) {
        // No GL here for the viewport.
        if (m.message != WM_QUIT && m.message != WM_SIZE)
            platformDispatchMessage(&m);
        seen += std::to_string(m.message) + (keys['S'] ? "S" : "") + (windowActive ? "A " : " ");
    }
    EXPECT_EQ(seen, "256SA 6S 5S 5S 6SA 16SA 257A 18A ");
}

TEST(SdlBoxes, WithoutADisplayABoxAnswersItsDefaultAndPrintsItsTextThenTheFailuresReason)
{
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    testing::internal::CaptureStderr();
    EXPECT_EQ(platformMessageBox("plein \xE9"
                                 "cran?\r\nOui",
                                 "Torvelo", MB_YESNO | MB_ICONQUESTION),
              IDYES);
    noteFailure("the reason");
    EXPECT_EQ(platformMessageBox("x", "ERROR", MB_OK), IDOK);
    EXPECT_EQ(platformMessageBox("y", "ERROR", MB_OK), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Torvelo: plein \xC3\xA9"
              "cran?\nOui\nERROR: x\ntorvelo: the reason\nERROR: y\n");
}

TEST(SdlWindowSystem, TheClassIsAFlagOverAVideoSubsystemThatStaysUpToTheEnd)
{
    // The invisible driver, which the backend takes only when asked for.
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    EXPECT_FALSE(platformUnregisterClass(nullptr)) << "never registered";
    ASSERT_TRUE(platformRegisterClass(nullptr));
    EXPECT_TRUE(platformUnregisterClass(nullptr));
    EXPECT_TRUE(SDL_WasInit(SDL_INIT_VIDEO)) << "the display connection closed at F1";
    EXPECT_FALSE(platformUnregisterClass(nullptr)) << "unregistered twice";
    EXPECT_TRUE(platformRegisterClass(nullptr));
    SDL_Quit();
}

TEST(SdlClock, TheRunClockCountsWholeMillisecondsSinceTheStart)
{
    const int startedAt = platformRunClock();
    SDL_Delay(50);
    const int later = platformRunClock();
    EXPECT_GE(startedAt, 0);
    EXPECT_LT(startedAt, 600000) << "since the program's start";
    EXPECT_GE(later - startedAt, 50);
    EXPECT_LT(later - startedAt, 10000);
}
