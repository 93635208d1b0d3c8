#pragma once
// The parts of a world check. Each reads files under the world directory and adds what it
// finds to the report, under paths relative to that directory ("data/map.dat").
#include <string>

#include "report.h"
#include "world/world_paths.h"

class CheckedWorld {
public:
    std::string root;      // the world directory: the editor's working directory
    int tileImages = 0;    // data/assets/tiles/N.png present without a gap from 0, as the editor counts them
    int itemPictures = 0;  // data/assets/items/N.png, counted the same way

    std::string pathOf(const std::string& relative) const { return root + "/" + relative; }
};

// A path under the data directory, as shown in messages: dataPath("map.dat") is "data/map.dat".
std::string dataPath(const std::string& relative);

// Art first: it counts the tile images and item pictures that the other checks need.
void checkArt(CheckedWorld& world, Report& report);
// "", or the reason when the map file exists but cannot be read: then the check stops.
std::string checkMap(const CheckedWorld& world, Report& report);
void checkDefinitions(const CheckedWorld& world, Report& report);
