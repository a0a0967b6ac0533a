// SDL keys to Windows virtual-key codes.
// Supports: letters by the letter the active layout produces, the digit row
// as digits (SDL reports AZERTY's digit row as digits too), arrows, editing
// and navigation keys, F1-F12, modifiers, keypad: with NumLock off its digits
// and '.' are the keys printed on them, as on Windows (keypad '.' Delete,
// keypad 8 Up, keypad 5 Clear). Not supported: F13 and up, media and browser
// keys, OEM punctuation codes (those keys are ignored).
#include "platform/winapi_names.h"
#include "sdl/sdl_backend.h"

struct KeyCode {
    SDL_Keycode key;
    int code;
};

// Everything else a Windows keyboard sends that SDL reports; the game reads
// only a few of these.
static const KeyCode keyTable[] = {
    {SDLK_BACKSPACE, VK_BACK},
    {SDLK_TAB, VK_TAB},
    {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_LSHIFT, VK_SHIFT},
    {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},
    {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},
    {SDLK_PAUSE, VK_PAUSE},
    {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_ESCAPE, VK_ESCAPE},
    {SDLK_SPACE, VK_SPACE},
    {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_END, VK_END},
    {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},
    {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},
    {SDLK_PRINTSCREEN, VK_SNAPSHOT},
    {SDLK_INSERT, VK_INSERT},
    {SDLK_DELETE, VK_DELETE},
    {SDLK_LGUI, VK_LWIN},
    {SDLK_RGUI, VK_RWIN},
    {SDLK_APPLICATION, VK_APPS},
    {SDLK_KP_0, VK_NUMPAD0},
    {SDLK_KP_1, VK_NUMPAD0 + 1},
    {SDLK_KP_2, VK_NUMPAD0 + 2},
    {SDLK_KP_3, VK_NUMPAD0 + 3},
    {SDLK_KP_4, VK_NUMPAD0 + 4},
    {SDLK_KP_5, VK_NUMPAD0 + 5},
    {SDLK_KP_6, VK_NUMPAD0 + 6},
    {SDLK_KP_7, VK_NUMPAD0 + 7},
    {SDLK_KP_8, VK_NUMPAD0 + 8},
    {SDLK_KP_9, VK_NUMPAD0 + 9},
    {SDLK_KP_MULTIPLY, VK_MULTIPLY},
    {SDLK_KP_PLUS, VK_ADD},
    {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_PERIOD, VK_DECIMAL},
    {SDLK_KP_DIVIDE, VK_DIVIDE},
    {SDLK_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDLK_SCROLLLOCK, VK_SCROLL},
};

// The keypad with NumLock off: the keys printed on it.
static const KeyCode keypadNavigation[] = {
    {SDLK_KP_0, VK_INSERT}, {SDLK_KP_1, VK_END},   {SDLK_KP_2, VK_DOWN},        {SDLK_KP_3, VK_NEXT},
    {SDLK_KP_4, VK_LEFT},   {SDLK_KP_5, VK_CLEAR}, {SDLK_KP_6, VK_RIGHT},       {SDLK_KP_7, VK_HOME},
    {SDLK_KP_8, VK_UP},     {SDLK_KP_9, VK_PRIOR}, {SDLK_KP_PERIOD, VK_DELETE},
};

int virtualKeyFor(SDL_Keycode key, bool numLock)
{
    if (!numLock)
        for (const KeyCode& entry : keypadNavigation)
            if (entry.key == key)
                return entry.code;
    if (key >= SDLK_a && key <= SDLK_z)
        return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return '0' + (key - SDLK_0);
    // SDL's F1 to F12 are consecutive, as Windows' are.
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return VK_F1 + (key - SDLK_F1);
    for (const KeyCode& entry : keyTable)
        if (entry.key == key)
            return entry.code;
    return 0;
}
