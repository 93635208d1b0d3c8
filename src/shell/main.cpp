// Process entry: what SDL's start-up library does on other platforms, then SDL_main.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

int SDL_main(int argc, char** argv);

int main(int argc, char** argv) {
    // Tests and scripts read the progress lines while the editor runs.
    setvbuf(stdout, nullptr, _IOLBF, 0);
    if (SDL_Init(SDL_INIT_NOPARACHUTE) < 0) {
        fprintf(stderr, "Could not start SDL: %s\n", SDL_GetError());
        return 1;
    }
    atexit(SDL_Quit);
    return SDL_main(argc, argv);
}
