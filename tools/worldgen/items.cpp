// The item pictures: 0 sword, 1 bow, 2 pistol, 3 potion, 4 key, 5 coin bag, 6 shield,
// 7 helmet, 8 scroll, 9 apple, 10 ring, 11 book. Each keeps clear of the picture's edge so
// the owner badge drawn under it still shows around it.
#include <string>

#include "art.h"
#include "files.h"

namespace {

constexpr Rgba INK = rgb(24, 20, 20);
constexpr Rgba GOLD = rgb(236, 190, 50);
constexpr Rgba STEEL = rgb(196, 200, 212);
constexpr Rgba WOODEN = rgb(140, 90, 44);

void sword(Canvas& c) {
    c.line(19, 29, 35, 13, 5, STEEL);
    c.triangle(33, 11, 40, 8, 37, 15, STEEL);
    c.line(21, 27, 35, 13, 1, rgb(250, 250, 255));
    c.line(13, 23, 25, 35, 4, GOLD);
    c.line(11, 37, 18, 30, 4, WOODEN);
    c.disc(10.5f, 37.5f, 3, GOLD);
}

void bow(Canvas& c) {
    c.ring(28, 24, 17, 14, WOODEN);
    c.rect(28, 0, 20, 48, CLEAR);  // keep only the left half of the ring
    c.rect(26, 6, 3, 3, GOLD);
    c.rect(26, 39, 3, 3, GOLD);
    c.line(27.5f, 8, 27.5f, 40, 1, rgb(240, 240, 230));
    c.line(9, 24, 39, 24, 2, rgb(170, 130, 80));
    c.triangle(40, 24, 35, 20, 35, 28, STEEL);
    c.triangle(10, 24, 6, 20, 13, 24, rgb(220, 60, 50));
    c.triangle(10, 24, 6, 28, 13, 24, rgb(220, 60, 50));
}

void pistol(Canvas& c) {
    c.rect(14, 16, 26, 6, rgb(80, 80, 90));
    c.rect(14, 16, 26, 2, rgb(150, 150, 165));
    c.rect(38, 15, 2, 2, rgb(80, 80, 90));
    c.polygon({12, 16, 22, 16, 20, 24, 14, 36, 7, 34, 12, 22}, WOODEN);
    c.polygon({13, 18, 18, 18, 16, 23, 11, 31, 10, 30}, shade(WOODEN, 30));
    c.ring(22, 25, 4, 2.5f, GOLD);
    c.rect(18, 12, 3, 4, rgb(80, 80, 90));
}

void potion(Canvas& c) {
    c.rect(20, 9, 8, 5, rgb(150, 100, 60));
    c.rect(21, 13, 6, 8, rgb(190, 220, 240));
    c.disc(24, 29, 11, rgb(190, 220, 240));
    c.disc(24, 30, 9.5f, rgb(210, 30, 50));
    c.rect(14, 26, 20, 5, rgb(190, 220, 240));
    c.rect(15, 28, 18, 3, rgb(210, 30, 50));
    c.disc(20, 27, 2, rgb(255, 255, 255));
    c.disc(27, 34, 1.5f, rgb(255, 120, 140));
}

void key(Canvas& c) {
    c.disc(15, 24, 8, GOLD);
    c.disc(15, 24, 3.5f, CLEAR);
    c.rect(22, 22, 18, 4, GOLD);
    c.rect(33, 26, 3, 6, GOLD);
    c.rect(37, 26, 3, 4, GOLD);
    c.rect(22, 22, 18, 1, rgb(255, 240, 160));
}

void coinBag(Canvas& c) {
    c.disc(24, 30, 12, rgb(160, 120, 70));
    c.triangle(24, 20, 15, 11, 33, 11, rgb(160, 120, 70));
    c.rect(19, 17, 10, 3, rgb(110, 60, 30));
    c.disc(20, 28, 4, shade(rgb(160, 120, 70), 25));
    for (int i = 0; i < 3; i++) {
        float x = 30 + i * 4, y = 40 - i * 2;
        c.disc(x, y, 4.5f, rgb(150, 110, 20));
        c.disc(x, y, 3.5f, GOLD);
    }
}

void shield(Canvas& c) {
    c.polygon({10, 8, 38, 8, 38, 24, 24, 41, 10, 24}, GOLD);
    c.polygon({13, 11, 35, 11, 35, 23, 24, 37, 13, 23}, rgb(40, 80, 180));
    c.rect(22, 11, 4, 24, rgb(240, 240, 240));
    c.rect(13, 18, 22, 4, rgb(240, 240, 240));
}

void helmet(Canvas& c) {
    c.line(24, 9, 33, 4, 4, rgb(210, 40, 40));
    c.ellipse(24, 24, 13, 14, STEEL);
    c.rect(11, 24, 26, 14, STEEL);
    c.rect(14, 24, 20, 3, INK);
    c.rect(23, 27, 2, 9, shade(STEEL, -50));
    c.disc(18, 16, 3, rgb(245, 245, 255));
    c.rect(11, 36, 26, 2, shade(STEEL, -40));
}

void scroll(Canvas& c) {
    Rgba paper = rgb(240, 226, 180);
    c.rect(12, 12, 24, 24, paper);
    for (int y : {10, 36}) {
        c.rect(10, y, 28, 4, shade(paper, -35));
        c.rect(10, y, 28, 1, shade(paper, 10));
        c.rect(8, y, 2, 4, rgb(150, 40, 40));
        c.rect(38, y, 2, 4, rgb(150, 40, 40));
    }
    for (int y = 17; y < 33; y += 4) c.rect(15, y, y % 8 ? 14 : 18, 1, rgb(90, 70, 50));
}

void apple(Canvas& c) {
    c.disc(19, 27, 10, rgb(200, 30, 30));
    c.disc(29, 27, 10, rgb(200, 30, 30));
    c.disc(24, 32, 9, rgb(200, 30, 30));
    c.disc(19, 23, 3, rgb(255, 140, 130));
    c.line(24, 18, 26, 10, 2, rgb(100, 60, 20));
    c.ellipse(31, 12, 5, 2.5f, rgb(60, 160, 50));
}

void ring(Canvas& c) {
    c.ring(24, 28, 11, 7, GOLD);
    c.ring(24, 28, 8, 7, rgb(170, 120, 20));
    c.disc(24, 15, 6, rgb(150, 110, 20));
    c.disc(24, 15, 4.5f, rgb(60, 150, 240));
    c.disc(22.5f, 13.5f, 1.5f, rgb(220, 240, 255));
}

void book(Canvas& c) {
    c.rect(12, 9, 26, 31, rgb(110, 40, 40));
    c.rect(14, 36, 24, 3, rgb(245, 240, 225));
    c.rect(12, 9, 4, 31, rgb(80, 26, 26));
    c.frame(19, 14, 15, 18, 1, GOLD);
    c.disc(26.5f, 23, 3.5f, GOLD);
}

}  // namespace

Canvas drawItemPicture(int picture) {
    Canvas c(ART_SIZE, ART_SIZE);
    switch (picture) {
    case 0: sword(c); break;
    case 1: bow(c); break;
    case 2: pistol(c); break;
    case 3: potion(c); break;
    case 4: key(c); break;
    case 5: coinBag(c); break;
    case 6: shield(c); break;
    case 7: helmet(c); break;
    case 8: scroll(c); break;
    case 9: apple(c); break;
    case 10: ring(c); break;
    case 11: book(c); break;
    default: break;
    }
    c.outline(INK);
    return c;
}

bool writeItemPictures(const std::string& root) {
    for (int picture = 0; picture < ITEM_PICTURES; picture++)
        if (!drawItemPicture(picture).save(root + "/" + itemPicturePath(picture))) return false;
    return true;
}
