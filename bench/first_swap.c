/* The start-up probe's view of the program from outside. Preloaded into it,
 * this notes the monotonic time of the first buffer swap that follows a
 * glClear, that is the first frame drawn and presented, in the file that
 * TORVELO_FIRST_SWAP names (bench/startup_probe.py reads it). */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static int cleared = 0;
static int reported = 0;

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
        struct timespec now;
        const char* path = getenv("TORVELO_FIRST_SWAP");
        FILE* out = path ? fopen(path, "w") : NULL;
        reported = 1;
        clock_gettime(CLOCK_MONOTONIC, &now);
        if (out) {
            fprintf(out, "%lld.%09ld\n", (long long)now.tv_sec, now.tv_nsec);
            fclose(out);
        }
    }
}
