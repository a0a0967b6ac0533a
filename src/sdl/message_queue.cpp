// The message queue over SDL's event queue.
// Supports: one translated message per peek (an event that gives two keeps
// the second in a small ring), a posted WM_QUIT that comes once nothing else
// is pending (as PostQuitMessage's flag does on Windows), Alt+F4 closing the
// window through the default handling. Not supported: WM_CHAR (no reader),
// any other default handling (the window manager does it).
#include "app/app.h"
#include "platform/winapi_names.h"
#include "sdl/sdl_backend.h"

static PlatformMessage pending[4] = {};
static int pendingFirst = 0;
static int pendingCount = 0;
static bool quitPosted = false;
static int quitCode = 0;

static void pushPending(const PlatformMessage& message)
{
    if (pendingCount == 4)
        return;
    pending[(pendingFirst + pendingCount) % 4] = message;
    pendingCount++;
}

bool platformPeekMessage(PlatformMessage* message)
{
    if (pendingCount > 0) {
        *message = pending[pendingFirst];
        pendingFirst = (pendingFirst + 1) % 4;
        pendingCount--;
        return true;
    }
    if (SDL_WasInit(SDL_INIT_EVENTS)) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            PlatformMessage translated[2];
            const int count = translateEvent(event, translated, 2);
            if (count == 0)
                continue;
            *message = translated[0];
            for (int i = 1; i < count; i++)
                pushPending(translated[i]);
            return true;
        }
    }
    if (quitPosted) {
        quitPosted = false;
        *message = PlatformMessage{nullptr, WM_QUIT, static_cast<uintptr_t>(quitCode), 0};
        return true;
    }
    return false;
}

// Key messages are already translated: nobody reads WM_CHAR.
void platformTranslateMessage(const PlatformMessage*) { }

intptr_t platformDispatchMessage(const PlatformMessage* message)
{
    return windowProc(message->window, message->message, message->wParam, message->lParam);
}

void platformPostQuitMessage(int code)
{
    quitPosted = true;
    quitCode = code;
}

intptr_t platformDefWindowProc(PlatformHandle window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    // Alt+F4 closes the window, as the system menu does on Windows. Under a
    // window manager that keeps Alt+F4 for itself the close request comes
    // as a WM_CLOSE instead.
    if (message == WM_SYSKEYDOWN && wParam == VK_F4 && (lParam & ALT_CONTEXT_BIT))
        return windowProc(window, WM_CLOSE, 0, 0);
    return 0;
}
