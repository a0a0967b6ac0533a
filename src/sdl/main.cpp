// The torvelo program: the game's entry, then SDL's own shutdown.
#define SDL_MAIN_HANDLED
#include "app/app.h"

#include <SDL.h>

int main()
{
    const int status = appMain();
    // A declined windowed mode leaves the window system up (the class stays
    // registered), so SDL is shut down here whatever the path.
    SDL_Quit();
    return status;
}
