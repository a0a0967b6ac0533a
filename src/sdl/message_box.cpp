// Message boxes.
// Supports: MB_OK and MB_YESNO (Yes first and the default on Return, No on
// Escape and on the close button); the error, warning and information icons
// (the question icon shows as information, SDL has none); Windows-1252
// texts, converted to UTF-8: read as Latin-1 by an SDL whose converter lacks
// Windows-1252, and with '?' for each non-ASCII byte if it has neither, so
// no box is skipped for its converter. Works before the window system is
// started, as the start-up question needs. A box that cannot be shown
// answers with its default button, and its text goes to stderr so that it
// is not lost.
// Not supported: an owner window, other button sets.
#include "platform/winapi_names.h"
#include "sdl/sdl_backend.h"

#include <cstdio>
#include <cstring>

static Uint32 iconFlags(unsigned flags)
{
    switch (flags & 0xF0) {
    case MB_ICONERROR:
        return SDL_MESSAGEBOX_ERROR;
    case MB_ICONWARNING:
        return SDL_MESSAGEBOX_WARNING;
    default:
        return SDL_MESSAGEBOX_INFORMATION;
    }
}

static char* toUtf8(const char* text)
{
    const size_t size = std::strlen(text) + 1;
    // SDL's own converter, used when it was built without the C library's
    // iconv, knows Latin-1 but not Windows-1252; both have é and ê.
    char* converted = SDL_iconv_string("UTF-8", "WINDOWS-1252", text, size);
    if (converted == nullptr)
        converted = SDL_iconv_string("UTF-8", "ISO-8859-1", text, size);
    if (converted == nullptr) {
        // Neither converter: the ASCII kept, a question mark for every other byte.
        converted = SDL_strdup(text);
        if (converted == nullptr)
            return nullptr;
        for (char* c = converted; *c != '\0'; c++)
            if (static_cast<unsigned char>(*c) >= 0x80)
                *c = '?';
    }
    // Windows breaks lines at "\r\n"; a lone carriage return would show as a
    // stray glyph in the X11 box.
    char* to = converted;
    for (const char* from = converted; *from != '\0'; from++)
        if (!(from[0] == '\r' && from[1] == '\n'))
            *to++ = *from;
    *to = '\0';
    return converted;
}

int platformMessageBox(const char* text, const char* caption, unsigned flags)
{
    const bool yesNo = (flags & 0x0F) == MB_YESNO;
    const int defaultAnswer = yesNo ? IDYES : IDOK;
    const int escapeAnswer = yesNo ? IDNO : IDOK;

    SDL_MessageBoxButtonData buttons[2];
    int buttonCount = 0;
    if (yesNo) {
        buttons[0] = SDL_MessageBoxButtonData{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"};
        buttons[1] = SDL_MessageBoxButtonData{SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"};
        buttonCount = 2;
    } else {
        buttons[0] = SDL_MessageBoxButtonData{
            SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK, "OK"};
        buttonCount = 1;
    }

    char* utf8Text = toUtf8(text);
    char* utf8Caption = toUtf8(caption);
    int answer = defaultAnswer;
    if (utf8Text != nullptr && utf8Caption != nullptr) {
        const SDL_MessageBoxData box = {iconFlags(flags) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
                                        nullptr,
                                        utf8Caption,
                                        utf8Text,
                                        buttonCount,
                                        buttons,
                                        nullptr};
        int pressed = -1;
        const bool shown = retryRefusedConnection([&] { return SDL_ShowMessageBox(&box, &pressed) == 0; });
        if (!shown) {
            std::fprintf(stderr, "%s: %s\n", utf8Caption, utf8Text);
            answer = defaultAnswer;
        } else {
            // Closed without a button: taken as Escape.
            answer = pressed < 0 ? escapeAnswer : pressed;
        }
    } else {
        std::fprintf(stderr, "%s: %s\n", caption, text);
    }
    // After the box, so that its text on stderr comes first.
    if (failureReason[0] != '\0')
        std::fprintf(stderr, "torvelo: %s\n", failureReason);
    failureReason[0] = '\0';
    SDL_free(utf8Text);
    SDL_free(utf8Caption);
    return answer;
}
