// SDL events to window messages, as Windows would send them to windowProc.
// Supports: key down/up (auto-repeat included) as WM_KEYDOWN/UP, or as
// WM_SYSKEYDOWN/UP with left Alt (not with Ctrl too: that is AltGr) and for
// F10; right Alt is AltGr as X servers report it, so its keys stay plain;
// focus, minimise and restore as WM_ACTIVATE; size changes as WM_SIZE;
// the close request and SDL_QUIT as WM_CLOSE.
// Not supported: mouse, text input, WM_PAINT (the loop redraws anyway).
#include "platform/winapi_names.h"
#include "sdl/sdl_backend.h"

static PlatformMessage message(unsigned type, uintptr_t wParam, intptr_t lParam)
{
    return PlatformMessage{backendWindow.created ? &backendWindow : nullptr, type, wParam, lParam};
}

static intptr_t sizeParam(int width, int height)
{
    const unsigned w = static_cast<unsigned>(width < 0 ? 0 : width) & 0xFFFF;
    const unsigned h = static_cast<unsigned>(height < 0 ? 0 : height) & 0xFFFF;
    return static_cast<intptr_t>(w | (h << 16));
}

static uintptr_t activateParam(bool active, bool minimised)
{
    return (active ? 1u : WA_INACTIVE) | (minimised ? 1u << 16 : 0u);
}

static int translateKey(const SDL_KeyboardEvent& key, PlatformMessage* out)
{
    const int code = virtualKeyFor(key.keysym.sym, (key.keysym.mod & KMOD_NUM) != 0);
    if (code == 0)
        return 0;
    const bool down = key.type == SDL_KEYDOWN;
    const bool ctrl = (key.keysym.mod & KMOD_CTRL) != 0;
    // Right Alt (or the mode switch) is AltGr: Windows sends its keys, and
    // AltGr itself, as plain key-downs.
    const bool alt = ((key.keysym.mod & KMOD_LALT) != 0 || key.keysym.sym == SDLK_LALT) && !ctrl;
    // Windows sends F10 as a system key too: it opens the menu bar.
    const bool system = alt || key.keysym.sym == SDLK_F10;
    intptr_t lParam = 1;
    if (alt)
        lParam |= ALT_CONTEXT_BIT;
    if (!down || key.repeat)
        lParam |= intptr_t(1) << 30;
    if (!down)
        lParam |= intptr_t(1) << 31;
    const unsigned type = system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    out[0] = message(type, static_cast<uintptr_t>(code), lParam);
    return 1;
}

static int translateWindowEvent(const SDL_WindowEvent& event, PlatformMessage* out)
{
    // Events of a window already destroyed (F1) are not for this one.
    if (backendWindow.sdl == nullptr || event.windowID != backendWindow.id)
        return 0;
    switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        backendWindow.focused = true;
        out[0] = message(WM_ACTIVATE, activateParam(true, backendWindow.minimised), 0);
        return 1;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        backendWindow.focused = false;
        out[0] = message(WM_ACTIVATE, activateParam(false, backendWindow.minimised), 0);
        return 1;
    case SDL_WINDOWEVENT_MINIMIZED:
        // Windows reports a minimised window as a 0 x 0 client area.
        backendWindow.minimised = true;
        out[0] = message(WM_ACTIVATE, activateParam(false, true), 0);
        out[1] = message(WM_SIZE, 0, sizeParam(0, 0));
        return 2;
    case SDL_WINDOWEVENT_RESTORED:
        backendWindow.minimised = false;
        out[0] = message(WM_SIZE, 0, sizeParam(backendWindow.width, backendWindow.height));
        out[1] = message(WM_ACTIVATE, activateParam(backendWindow.focused, false), 0);
        return 2;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        backendWindow.width = event.data1;
        backendWindow.height = event.data2;
        out[0] = message(WM_SIZE, 0, sizeParam(event.data1, event.data2));
        return 1;
    case SDL_WINDOWEVENT_CLOSE:
        out[0] = message(WM_CLOSE, 0, 0);
        return 1;
    default:
        return 0;
    }
}

int translateEvent(const SDL_Event& event, PlatformMessage* out, int maxOut)
{
    // Two messages is the most one event gives.
    if (maxOut < 2)
        return 0;
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return translateKey(event.key, out);
    case SDL_WINDOWEVENT:
        return translateWindowEvent(event.window, out);
    case SDL_QUIT:
        // A quit request (the last window closed, or a signal) ends the
        // program the same orderly way as the close box.
        out[0] = message(WM_CLOSE, 0, 0);
        return 1;
    default:
        return 0;
    }
}
