// The message queue, default handling and message boxes, on the Win32 API.
// Supports: polling all messages of the thread, translation and dispatch to
// windowProc, the quit message, ownerless ANSI boxes. Does not: wait for
// messages or filter them by window or range.
#include <windows.h>

#include "platform/platform.h"

// The last message taken, whole: the loop sees only four of its fields, but
// translation and dispatch get back its time and cursor position too.
static MSG lastMessage = {};

static MSG toMsg(const PlatformMessage* message)
{
    MSG msg = lastMessage;
    msg.hwnd = static_cast<HWND>(message->window);
    msg.message = message->message;
    msg.wParam = message->wParam;
    msg.lParam = message->lParam;
    return msg;
}

bool platformPeekMessage(PlatformMessage* message)
{
    if (!PeekMessageA(&lastMessage, nullptr, 0, 0, PM_REMOVE))
        return false;
    *message = PlatformMessage{lastMessage.hwnd, lastMessage.message, lastMessage.wParam, lastMessage.lParam};
    return true;
}

void platformTranslateMessage(const PlatformMessage* message)
{
    const MSG msg = toMsg(message);
    TranslateMessage(&msg);
}

intptr_t platformDispatchMessage(const PlatformMessage* message)
{
    const MSG msg = toMsg(message);
    return DispatchMessageA(&msg);
}

void platformPostQuitMessage(int code)
{
    PostQuitMessage(code);
}

intptr_t platformDefWindowProc(PlatformHandle window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    return DefWindowProcA(static_cast<HWND>(window), message, wParam, lParam);
}

int platformMessageBox(const char* text, const char* caption, unsigned flags)
{
    return MessageBoxA(nullptr, text, caption, flags);
}
