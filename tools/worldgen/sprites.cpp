// The nine NPC sprite sets. Directions: 0 faces down (towards the viewer), 1 left, 2 up
// (away), 3 right; frame 0 stands, frames 1 and 2 step with one leg and then the other.
#include <string>

#include "art.h"
#include "files.h"

namespace {

enum Hat { NO_HAT, HELMET, POINTED_HAT, CROWN, STRAW_HAT, TURBAN };

struct Look {
    Rgba skin, hair, top, legs, shoes;
    Hat hat;
    bool longHair, beard, robe, skeleton, spear, tusks;
    Rgba accent;  // belt, trim or hat band
};

constexpr Rgba SKIN = rgb(240, 196, 156);
constexpr Rgba BONE = rgb(232, 228, 208);

const Look LOOKS[SPRITE_SETS] = {
    // 0 villager: blue tunic, brown hair
    {SKIN, rgb(110, 66, 30), rgb(50, 100, 200), rgb(110, 84, 56), rgb(70, 44, 24), NO_HAT, false, false, false, false, false, false, rgb(140, 100, 40)},
    // 1 village woman: red dress, long fair hair
    {SKIN, rgb(240, 200, 80), rgb(200, 40, 50), rgb(200, 40, 50), rgb(90, 40, 30), NO_HAT, true, false, true, false, false, false, rgb(250, 240, 220)},
    // 2 guard: steel helmet, mail, red tabard, spear
    {SKIN, rgb(60, 40, 20), rgb(150, 154, 164), rgb(80, 80, 90), rgb(50, 50, 56), HELMET, false, false, false, false, true, false, rgb(190, 30, 30)},
    // 3 merchant: green robe, turban, black beard
    {rgb(200, 150, 110), rgb(30, 24, 20), rgb(40, 140, 80), rgb(40, 140, 80), rgb(110, 70, 30), TURBAN, false, true, true, false, false, false, rgb(240, 190, 60)},
    // 4 skeleton
    {BONE, BONE, BONE, BONE, BONE, NO_HAT, false, false, false, true, false, false, rgb(40, 36, 30)},
    // 5 wizard: purple robe, pointed hat, white beard
    {SKIN, rgb(235, 235, 240), rgb(110, 50, 170), rgb(110, 50, 170), rgb(60, 30, 90), POINTED_HAT, false, true, true, false, false, false, rgb(250, 210, 60)},
    // 6 king: gold crown, red and white robe, brown beard
    {SKIN, rgb(130, 80, 40), rgb(180, 20, 40), rgb(180, 20, 40), rgb(60, 30, 20), CROWN, false, true, true, false, false, false, rgb(250, 250, 250)},
    // 7 farmer: straw hat, white shirt, blue overalls
    {rgb(232, 180, 130), rgb(180, 90, 40), rgb(245, 245, 235), rgb(60, 90, 170), rgb(90, 60, 30), STRAW_HAT, false, false, false, false, false, false, rgb(60, 90, 170)},
    // 8 orc: green skin, leather, black crest, tusks
    {rgb(100, 160, 70), rgb(20, 20, 20), rgb(120, 80, 40), rgb(80, 60, 40), rgb(50, 36, 24), NO_HAT, false, false, false, false, false, true, rgb(200, 180, 60)},
};

constexpr Rgba INK = rgb(28, 22, 22);

void drawLegs(Canvas& c, const Look& look, int direction, int frame) {
    // The stepping leg is lifted (front and back views) or swung out (side views).
    int lift[3][2] = {{0, 0}, {3, 0}, {0, 3}};
    if (direction == 0 || direction == 2) {
        for (int leg = 0; leg < 2; leg++) {
            int x = leg ? 25 : 18, up = lift[frame][leg];
            c.rect(x, 33, 5, 9 - up, look.legs);
            c.rect(x - (leg ? 0 : 1), 41 - up, 6, 3, look.shoes);
        }
        return;
    }
    int swing[3] = {0, 4, -4};
    int front = 21 - swing[frame], back = 21 + swing[frame];
    c.rect(back, 33, 5, 9, shade(look.legs, -30));
    c.rect(back - 2, 41, 6, 3, shade(look.shoes, -20));
    c.rect(front, 33, 5, 9, look.legs);
    c.rect(front - 2, 41, 6, 3, look.shoes);
}

void drawBody(Canvas& c, const Look& look, int direction, int frame) {
    bool side = direction == 1 || direction == 3;
    int left = side ? 18 : 15, width = side ? 12 : 18;
    if (look.robe) {
        int hem = 42;
        c.polygon({float(left + 1), 21, float(left + width - 1), 21, float(left + width + 2), float(hem), float(left - 2), float(hem)}, look.top);
        c.rect(left - 1, hem - 2, width + 2, 2, shade(look.top, -35));
        if (direction == 0) c.rect(23, 22, 2, hem - 22, look.accent);  // trim down the front
    } else {
        c.rect(left, 21, width, 14, look.top);
        c.rect(left, 31, width, 2, look.accent);  // belt
    }
    if (look.skeleton) {
        for (int y = 23; y < 32; y += 3) c.rect(left + 2, y, width - 4, 1, INK);  // ribs
        c.rect(23, 22, 2, 12, shade(BONE, -40));
    }
    if (look.hat == HELMET && !side) c.rect(21, 21, 6, 14, look.accent);  // tabard
    // Arms swing opposite to the legs.
    int swing[3] = {0, -2, 2};
    if (side) {
        c.rect(22, 22 + swing[frame], 4, 11, shade(look.top, -25));  // the near arm only
        c.rect(22, 32 + swing[frame], 4, 3, look.skin);
    } else {
        c.rect(left - 4, 22 + swing[frame], 4, 11, shade(look.top, -20));
        c.rect(left - 4, 32 + swing[frame], 4, 3, look.skin);
        c.rect(left + width, 22 - swing[frame], 4, 11, shade(look.top, -20));
        c.rect(left + width, 32 - swing[frame], 4, 3, look.skin);
    }
}

void drawHead(Canvas& c, const Look& look, int direction) {
    float cx = 24, cy = 13;
    c.disc(cx, cy, 9, look.skin);
    bool side = direction == 1 || direction == 3;
    // Facing left is drawn here; facing right is the mirror of it.
    if (direction == 2) {
        c.ellipse(cx, cy - 1, 9.5f, 9, look.hair);
    } else if (look.skeleton) {
        int eyes[2] = {side ? 17 : 19, side ? 17 : 26};
        c.rect(eyes[0], 12, 3, 3, INK);
        c.rect(eyes[1], 12, 3, 3, INK);
        for (int x = side ? 16 : 20; x < (side ? 22 : 28); x += 2) c.set(x, 19, INK);
    } else {
        if (look.hat == NO_HAT || look.hat == STRAW_HAT) {
            c.ellipse(cx + (side ? 2 : 0), cy - 4, 9.5f, 6, look.hair);
            if (side) c.ellipse(cx + 4, cy - 1, 6, 7, look.hair);
        }
        if (look.longHair) {
            c.rect(side ? 26 : 14, 12, side ? 7 : 4, 13, look.hair);
            if (!side) c.rect(30, 12, 4, 13, look.hair);
        }
        if (side) {
            c.rect(17, 13, 2, 3, INK);
            c.set(15, 15, shade(look.skin, -40));  // nose
        } else {
            c.rect(20, 13, 2, 3, INK);
            c.rect(26, 13, 2, 3, INK);
            c.rect(22, 18, 4, 1, shade(look.skin, -60));
        }
        if (look.beard) {
            if (side) c.polygon({15, 16, 24, 16, 22, 27, 17, 24}, look.hair);
            else c.polygon({16, 15, 32, 15, 28, 24, 24, 28, 20, 24}, look.hair);
            if (!side) c.rect(22, 18, 4, 1, shade(look.hair, -80));
        }
        if (look.tusks) {
            c.rect(side ? 16 : 20, 18, 1, 3, rgb(250, 250, 240));
            if (!side) c.rect(27, 18, 1, 3, rgb(250, 250, 240));
        }
    }
    if (look.tusks) c.rect(22, 2, 4, 7, look.hair);  // crest
    switch (look.hat) {
    case HELMET:
        c.ellipse(cx, cy - 2, 10.5f, 8, look.top);
        c.rect(13, 11, 22, 2, shade(look.top, -40));
        if (direction == 0) c.rect(23, 11, 2, 7, shade(look.top, -20));  // nose guard
        c.disc(cx - 3, cy - 6, 2, shade(look.top, 60));
        break;
    case POINTED_HAT:
        c.triangle(24, -6, 12, 9, 36, 9, look.top);
        c.polygon({24, -8, 26, -6, 31, 4}, look.top);
        c.rect(10, 7, 28, 3, shade(look.top, -20));
        c.rect(14, 5, 20, 2, look.accent);
        break;
    case CROWN:
        c.rect(15, 2, 18, 6, rgb(250, 200, 40));
        for (int x : {15, 21, 27}) c.triangle(x, 2, x + 6, 2, x + 3, -3, rgb(250, 200, 40));
        c.disc(24, 5, 1.5f, rgb(220, 30, 60));
        c.rect(15, 7, 18, 1, rgb(180, 120, 20));
        break;
    case STRAW_HAT:
        c.ellipse(cx, cy - 5, 14, 4, rgb(230, 200, 100));
        c.ellipse(cx, cy - 7, 7, 5, rgb(240, 214, 120));
        c.rect(17, 6, 14, 1, rgb(200, 60, 40));
        break;
    case TURBAN:
        c.ellipse(cx, cy - 4, 10.5f, 7, rgb(250, 246, 230));
        c.line(16, 7, 31, 2, 2, rgb(210, 200, 180));
        c.disc(24, 6, 2, look.accent);
        break;
    case NO_HAT: break;
    }
}

void drawSpear(Canvas& c) {
    c.rect(38, 6, 2, 38, rgb(120, 80, 40));
    c.triangle(39, -0, 36, 8, 42, 8, rgb(210, 214, 224));
}

}  // namespace

Canvas drawSprite(int set, int direction, int frame) {
    Canvas c(ART_SIZE, ART_SIZE);
    const Look& look = LOOKS[set];
    int facing = direction == 3 ? 1 : direction;  // right is drawn as left, then mirrored
    if (look.spear && facing == 2) drawSpear(c);
    drawLegs(c, look, facing, frame);
    drawBody(c, look, facing, frame);
    drawHead(c, look, facing);
    if (look.spear && facing != 2) drawSpear(c);
    c.outline(INK);
    if (direction == 3) c.mirror();
    return c;
}

bool writeSprites(const std::string& root) {
    for (int set = 0; set < SPRITE_SETS; set++)
        for (int direction = 0; direction < SPRITE_DIRECTIONS; direction++)
            for (int frame = 0; frame < SPRITE_FRAMES; frame++)
                if (!drawSprite(set, direction, frame).save(root + "/" + spritePath(set, direction, frame))) return false;
    return true;
}
