// Forced into every file of the world library by the build: the model and its files stand
// without SDL, and any SDL header included there fails to compile.
#pragma GCC poison SDL_Init SDL_Surface
