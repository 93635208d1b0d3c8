#pragma once
// Ground textures that fill a whole tile, shared by the tile pictures.
#include "canvas.h"
#include "rng.h"

constexpr Rgba GRASS = rgb(88, 156, 62);
constexpr Rgba DARK_GRASS = rgb(58, 116, 48);
constexpr Rgba SAND = rgb(226, 206, 142);
constexpr Rgba DIRT = rgb(148, 108, 68);
constexpr Rgba POND = rgb(34, 112, 122);
constexpr Rgba WOOD = rgb(164, 114, 66);
constexpr Rgba STONE = rgb(132, 130, 136);

// Every pixel base moved by up to spread.
void speckle(Canvas& c, Rng& rng, Rgba base, int spread);
// Speckled grass with short lighter and darker blades.
void grass(Canvas& c, Rng& rng, Rgba base);
// Rows of bricks offset by half a brick, with a light top edge and a dark lower edge.
void bricks(Canvas& c, Rng& rng, Rgba brick, Rgba mortar, int w, int h);
// Boards of the given width running down (vertical) or across, with seams, grain and nails.
void planks(Canvas& c, Rng& rng, Rgba wood, int boardWidth, bool vertical);
// Rounded stones in a loose grid on a dark bed.
void cobbles(Canvas& c, Rng& rng, Rgba stone, Rgba bed, int size);
// Short wave crests, lighter than the water under them.
void waves(Canvas& c, Rng& rng, Rgba crest, int count);
// A soft dark ellipse on the ground under an object.
void shadow(Canvas& c, float cx, float cy, float rx, float ry);
// Small pebbles scattered over the ground.
void pebbles(Canvas& c, Rng& rng, Rgba stone, int count, int maxSize);

// The tile pictures, split by kind: solid ones (walls, trees, rocks, water...) and ground.
void drawObstacleTile(int number, Canvas& c, Rng& rng);
void drawGroundTile(int number, Canvas& c, Rng& rng);
