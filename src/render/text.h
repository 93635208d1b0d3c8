#pragma once
// Text in the editor's one font, in red, as the HUD, the messages and the prompt draw it.
#include <SDL.h>
#include <SDL_ttf.h>

// Draws text with its top-left corner at (x, y); nothing for an empty text or without a font.
void drawText(SDL_Surface* surface, TTF_Font* font, const char* text, int x, int y);
