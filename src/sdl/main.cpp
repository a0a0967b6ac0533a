// The torvelo program: the game's entry, then SDL's own shutdown.
#define SDL_MAIN_HANDLED
#include "app/app.h"

#include <SDL.h>

int main()
{
    const int status = appMain();
    // The window system stays up from the first window to here, whatever
    // the path (the class is only a flag over it).
    SDL_Quit();
    return status;
}
