// SDL keys to Windows virtual-key codes.
// Supports: letters by the letter the active layout produces, the digit row
// as digits (SDL reports AZERTY's digit row as digits too), arrows, editing
// and navigation keys, F1-F12, modifiers, keypad: with NumLock off its digits
// and '.' are the keys printed on them, as on Windows (keypad '.' Delete,
// keypad 8 Up, keypad 5 Clear). Not supported: F13 and up, media and browser
// keys, OEM punctuation codes (those keys are ignored).
#include "platform/sdl/sdl_backend.h"
#include "platform/winapi_names.h"

struct KeyCode {
    SDL_Keycode key;
    int code;
};

// Windows values; the game reads only a few of them.
static const KeyCode keyTable[] = {
    {SDLK_BACKSPACE, 0x08}, {SDLK_TAB, 0x09},      {SDLK_RETURN, 0x0D},    {SDLK_KP_ENTER, 0x0D},
    {SDLK_LSHIFT, 0x10},    {SDLK_RSHIFT, 0x10},   {SDLK_LCTRL, 0x11},     {SDLK_RCTRL, 0x11},
    {SDLK_LALT, 0x12},      {SDLK_RALT, 0x12},     {SDLK_PAUSE, 0x13},     {SDLK_CAPSLOCK, 0x14},
    {SDLK_ESCAPE, 0x1B},    {SDLK_SPACE, 0x20},    {SDLK_PAGEUP, 0x21},    {SDLK_PAGEDOWN, 0x22},
    {SDLK_END, 0x23},       {SDLK_HOME, 0x24},     {SDLK_LEFT, 0x25},      {SDLK_UP, 0x26},
    {SDLK_RIGHT, 0x27},     {SDLK_DOWN, 0x28},     {SDLK_PRINTSCREEN, 0x2C}, {SDLK_INSERT, 0x2D},
    {SDLK_DELETE, 0x2E},    {SDLK_LGUI, 0x5B},     {SDLK_RGUI, 0x5C},      {SDLK_APPLICATION, 0x5D},
    {SDLK_KP_0, 0x60},      {SDLK_KP_1, 0x61},     {SDLK_KP_2, 0x62},      {SDLK_KP_3, 0x63},
    {SDLK_KP_4, 0x64},      {SDLK_KP_5, 0x65},     {SDLK_KP_6, 0x66},      {SDLK_KP_7, 0x67},
    {SDLK_KP_8, 0x68},      {SDLK_KP_9, 0x69},     {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B},
    {SDLK_KP_MINUS, 0x6D},  {SDLK_KP_PERIOD, 0x6E}, {SDLK_KP_DIVIDE, 0x6F}, {SDLK_F1, 0x70},
    {SDLK_F2, 0x71},        {SDLK_F3, 0x72},       {SDLK_F4, VK_F4},       {SDLK_F5, 0x74},
    {SDLK_F6, 0x75},        {SDLK_F7, 0x76},       {SDLK_F8, 0x77},        {SDLK_F9, 0x78},
    {SDLK_F10, VK_F10},     {SDLK_F11, 0x7A},      {SDLK_F12, 0x7B},       {SDLK_NUMLOCKCLEAR, 0x90},
    {SDLK_SCROLLLOCK, 0x91},
};

// The keypad with NumLock off.
static const KeyCode keypadNavigation[] = {
    {SDLK_KP_0, 0x2D}, {SDLK_KP_1, 0x23}, {SDLK_KP_2, 0x28}, {SDLK_KP_3, 0x22},
    {SDLK_KP_4, 0x25}, {SDLK_KP_5, 0x0C}, {SDLK_KP_6, 0x27}, {SDLK_KP_7, 0x24},
    {SDLK_KP_8, 0x26}, {SDLK_KP_9, 0x21}, {SDLK_KP_PERIOD, 0x2E},
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
    for (const KeyCode& entry : keyTable)
        if (entry.key == key)
            return entry.code;
    return 0;
}
