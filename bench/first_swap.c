/* The start-up probe's view from inside a program. Preloaded into it, this
 * notes the milliseconds from the program's start to its first buffer swap
 * that follows a glClear, that is to the first frame drawn and presented, in
 * the file that TORVELO_FIRST_SWAP names (bench/startup_probe.py reads it).
 * The start is the moment the program receives the answer to its first
 * message box (the game's start-up question) or, in a program that shows
 * none (bench/bare_window.c), the moment this library is loaded. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double started = 0.0;
static int answered = 0;
static int cleared = 0;
static int reported = 0;

static double now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

__attribute__((constructor)) static void loaded(void)
{
    started = now();
}

int SDL_ShowMessageBox(const void* data, int* button)
{
    static int (*next)(const void*, int*) = 0;
    if (!next)
        next = (int (*)(const void*, int*))dlsym(RTLD_NEXT, "SDL_ShowMessageBox");
    const int result = next(data, button);
    if (!answered) {
        answered = 1;
        started = now();
    }
    return result;
}

void glClear(unsigned int mask)
{
    static void (*next)(unsigned int) = 0;
    if (!next)
        next = (void (*)(unsigned int))dlsym(RTLD_NEXT, "glClear");
    cleared = 1;
    next(mask);
}

void SDL_GL_SwapWindow(void* window)
{
    static void (*next)(void*) = 0;
    if (!next)
        next = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    next(window);
    if (cleared && !reported) {
        const char* path = getenv("TORVELO_FIRST_SWAP");
        FILE* out = path ? fopen(path, "w") : NULL;
        reported = 1;
        if (out) {
            fprintf(out, "%.1f\n", now() - started);
            fclose(out);
        }
    }
}
