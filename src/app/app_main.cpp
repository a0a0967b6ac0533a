#include "app/app.h"
#include "platform/input.h"
#include "platform/winapi_names.h"
#include "render/render.h"

#include "cube/cube.h"
#include "play/play.h"

static const char* const windowTitle = "Torvelo by Pelmaz";

// A failed creation ends the program at once; only the player's No to a
// window is a normal end.
static int statusAfterFailedCreation()
{
    return windowDeclined ? 0 : 1;
}

int appMain()
{
    if (platformMessageBox("Voulez vous activer le mode plein \xE9"
                           "cran?",
                           "fullscreen?", MB_YESNO | MB_ICONQUESTION)
        == IDNO)
        fullscreen = false;

    if (!createGLWindow(windowTitle, screenWidth, screenHeight, 16, fullscreen))
        return statusAfterFailedCreation();

    // After the first scramble, so the title cube starts the same every run.
    seedRandomFromTime();

    PlatformMessage msg = {};
    bool quitMessage = false;
    bool done = false;
    while (!done) {
        if (platformPeekMessage(&msg)) {
            if (msg.message == WM_QUIT) {
                quitMessage = true;
                done = true;
            } else {
                platformTranslateMessage(&msg);
                platformDispatchMessage(&msg);
            }
            continue;
        }

        if ((windowActive && !drawFrame()) || keys[VK_ESCAPE]) {
            platformShowCursor(false);
            done = true;
        } else {
            platformShowCursor(true);
            platformSwapBuffers(hDC);
        }

        if (keys[VK_F1]) {
            keys[VK_F1] = false;
            destroyGLWindow();
            fullscreen = !fullscreen;
            if (!createGLWindow(windowTitle, screenWidth, screenHeight, 16, fullscreen))
                return statusAfterFailedCreation();
        }
    }

    destroyGLWindow();
    // A quit message carries its status; an end by Escape is a normal end.
    return quitMessage ? static_cast<int>(msg.wParam) : 0;
}
