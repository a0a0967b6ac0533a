/* The floor of the start-up figures: a bare SDL2 + OpenGL program. It opens
 * an 800x600 window with a GL context, presents cleared frames for two
 * seconds (as long as the probe lets the game run) and ends.
 * bench/startup_probe.py times it as it times the game, with
 * bench/first_swap.c preloaded, and takes its peak memory. */
#include <GL/gl.h>
#include <SDL.h>

int main(int argc, char** argv)
{
    (void)argc;
    (void)argv;
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    SDL_Window* window = SDL_CreateWindow("bare", 0, 0, 800, 600, SDL_WINDOW_OPENGL);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : NULL;
    if (!context)
        return 1;
    const Uint64 end = SDL_GetTicks64() + 2000;
    while (SDL_GetTicks64() < end) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) { }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SDL_GL_SwapWindow(window);
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
