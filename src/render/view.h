#pragma once
// The editor's view of a world: where it is scrolled to, the selection, the current tile, what
// the right mouse button does, which panels are shown and the minimap; and the drawing of a
// world onto the window from them. It reads the world and never changes it.
#include <SDL.h>
#include <SDL_ttf.h>

#include <string>

#include "render/art_assets.h"
#include "render/objects.h"
#include "render/scaled_art.h"
#include "render/surface.h"
#include "world/world.h"

constexpr int SCREEN_WIDTH = 800;
constexpr int SCREEN_HEIGHT = 600;
constexpr int LAST_MODE = 4;

// The view's zoom levels, in screen pixels per cell, from the closest out.
constexpr int ZOOM_LEVELS[] = {48, 24, 12, 6};

enum RightClickMode { MODE_SELECT = 0, MODE_PLACE_NPC, MODE_PLACE_ITEM, MODE_KILL_NPC, MODE_KILL_ITEM };

// Where the view draws: the window's surface, the art and the font.
struct Canvas {
    SDL_Surface* screen;
    const ArtAssets& art;
    TTF_Font* font;
};

class View {
public:
    int scrollX = 0, scrollY = 0;                     // the map cell at the window's top-left corner
    int selX1 = -1, selX2 = -1, selY1 = -1, selY2 = -1;  // -1: no corner given
    int currentTile = 0;
    int rightClickMode = MODE_SELECT;
    SurfacePtr minimap;  // one pixel per cell; may be null when it could not be made
    bool showMinimap = true;
    bool showPalette = false;
    int paletteScroll = 0;
    int cellPixels = TILE_SIZE;  // screen pixels per map cell side
    MovedObject dragged;         // the object being dragged, drawn where the pointer has it
    // A 48x48 box of the world outlined over the view (the place of the finding stepped to).
    bool outlined = false;
    int outlineX = 0, outlineY = 0;  // world pixels of its top-left corner

    // The map view with the selection in red, and the current tile beside "Current tile:".
    void drawMap(const World& world, const Canvas& canvas) const;
    void drawTilePalette(const Canvas& canvas) const;
    // The minimap and its view box, the mode line and the palette.
    void drawHUD(const Canvas& canvas) const;
    void drawScrollbox(SDL_Surface* screen, int x, int y) const;
    // The NPCs and items that lie in the view, over everything else.
    void drawSprites(const World& world, const Canvas& canvas) const;
    // A new minimap of the map in the display's format (null when it cannot be made).
    static SDL_Surface* renderMinimap(const Map& source, const SDL_PixelFormat* display);
    void reloadMinimap(const Map& source, const SDL_PixelFormat* display);

    // The map cell and the world pixel under a window position. Every click goes through these.
    int cellX(int mx) const { return mx / cellPixels + scrollX; }
    int cellY(int my) const { return my / cellPixels + scrollY; }
    int worldX(int mx) const { return mx * TILE_SIZE / cellPixels + TILE_SIZE * scrollX; }
    int worldY(int my) const { return my * TILE_SIZE / cellPixels + TILE_SIZE * scrollY; }
    // Scrolls so that the cell is in the middle of the view: the top-left cell becomes
    // X-8, Y-6 at 48 pixels per cell, as many cells as half the window holds at any size,
    // never less than 0.
    void centreOn(int cellX, int cellY);
    // The outlined box, if any, over everything else.
    void drawOutline(const Canvas& canvas) const;
    // The cells the window shows, wholly or in part, across and down.
    int viewColumns() const { return (SCREEN_WIDTH + cellPixels - 1) / cellPixels; }
    int viewRows() const { return (SCREEN_HEIGHT + cellPixels - 1) / cellPixels; }
    // Cells per scroll step: a step is 48 screen pixels at every zoom.
    int scrollStep() const { return TILE_SIZE / cellPixels; }
    // Zooms one level out (steps 1) or in (-1), keeping the cell under the window position
    // (mx, my) under it as far as the map's top and left edges allow; false at the last level.
    bool zoom(int steps, int mx, int my);
    // A selection corner at a cell: the first, or the second against the first.
    void selectCorner(int cellX, int cellY);
    void clearSelection() { selX1 = selX2 = selY1 = selY2 = -1; }
    bool hasSelection() const { return selX1 != -1 && selX2 >= selX1; }

    // The caption ("x=%i y=%i", the view's top-left cell) when it differs from the one last
    // taken, so that it is sent only on change.
    bool captionChanged(std::string& caption);

private:
    int captionX = -1, captionY = -1;
    mutable ScaledArt scaled;  // the art at cellPixels, made by the first frame at each zoom
    const ScaledArt& scaledArt(const ArtAssets& art) const;
    void drawCells(const World& world, const Canvas& canvas) const;  // at 48 pixels per cell
    void drawScaledCells(const World& world, const Canvas& canvas) const;
};
