// The checker on the art and the font that the editor loads at start-up.
#include <gtest/gtest.h>

#include "check_world.h"

TEST(WorldCheckArt, MissingFilesAndTheImagesAfterAGap) {
    std::vector<ReportCase> cases;
    for (const char* path : {"data/assets/sprites/3/2-1.png", "data/assets/sprites/8/3-2.png", "data/assets/icns/10.png",
                             "data/assets/icns/28.png", "edfont.ttf"})
        cases.push_back({path, [=](const FixtureWorld& w) { removeFile(w / path); },
                         oneProblem(std::string(path) + ": missing (the editor will not start without it)")});
    // Tile 0 but for one cell, so that nothing else depends on the missing images; the images
    // after a gap are never loaded.
    cases.push_back({"gaps in the tiles and the item icons",
                     [](const FixtureWorld& w) {
                         writeFile(w / "data/map.dat", joinLines(std::vector<std::string>(350, std::string(350, 'A'))));
                         w.replaceLine("data/map.dat", 2, "B" + std::string(349, 'A'));
                         Item item;
                         item.icon = 1;
                         w.setItems({item});
                         removeFile(w / "data/assets/tiles/1.png");
                         removeFile(w / "data/assets/items/1.png");
                     },
                     "data/assets/items: files after the gap at 1.png are never loaded: 2.png, 3.png, 4.png, 5.png, "
                     "6.png and 5 more\ndata/assets/tiles: files after the gap at 1.png are never loaded: 2.png, "
                     "3.png, 4.png, 5.png, 6.png and 40 more\n"
                     "data/idef/0.def:11: icon 1 has no picture in data/assets/items (drawn as the missing-image icon)\n"
                     "data/map.dat:2: tile 1 ('B') at x=0 has no image in data/assets/tiles (drawn as the missing-image "
                     "icon)\n4 problems in 4 files\n"});
    expectReports(cases);
}
