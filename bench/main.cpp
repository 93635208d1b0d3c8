// maped_bench: how long the editor takes to draw a frame, render the minimap, paint a cell,
// read and write its files and start up, beside the floors that bound what is possible.
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "frame_memory.h"
#include "harness.h"
#include "history_cases.h"
#include "paint_cases.h"
#include "render/blit.h"
#include "render/direct_blit.h"
#include "save_cases.h"
#include "scene.h"
#include "tool_cases.h"
#include "world/defdir.h"

namespace {

constexpr int OBJECTS_IN_VIEW = 200;
constexpr int DEFINITION_COUNT = 10000;
constexpr double MS = 1e6;
// Saving 10,000 files takes seconds, mostly in the file system: a few rounds tell enough.
constexpr int SLOW_ROUNDS = 5;

void drawFrame(MapEditor& editor) {
    editor.drawMap();
    editor.drawHUD();
    editor.drawSprites();
}

void releaseKeys() {
    int count = 0;
    Uint8* state = SDL_GetKeyState(&count);
    memset(state, 0, static_cast<size_t>(count));
}

// The frame and its parts, with the copy of one frame's bytes as the floor.
struct FrameCases {
    size_t frame, floor;
};

FrameCases addFrameCases(Harness& harness, MapEditor& editor) {
    MapEditor* e = &editor;
    FrameCases c;
    c.frame = harness.add("frame: drawMap + drawHUD + drawSprites", timedLoop([e] { drawFrame(*e); }), 0.6 * MS);
    harness.add("  drawMap (tiles, \"Current tile:\")", timedLoop([e] { e->drawMap(); }));
    harness.add("  drawHUD (minimap, box, mode line, palette)", timedLoop([e] { e->drawHUD(); }));
    harness.add("  drawSprites (200 NPCs, 200 items)", timedLoop([e] { e->drawSprites(); }));
    harness.add("    minimap blit (350x350, alpha 100)", timedLoop([e] { blitTranslucent(e->minimap.get(), e->screen, 0, 0); }));
    harness.add("    mode line text", timedLoop([e] { e->drawTextAt("Right Click: Select multiple tiles", 0, 580); }));
    harness.add("    \"Current tile:\" text", timedLoop([e] { e->drawTextAt("Current tile:", 700, 410); }));
    harness.add("    drawTilePalette", timedLoop([e] { e->drawTilePalette(); }));
    static std::vector<Uint16> from(SCREEN_WIDTH * SCREEN_HEIGHT, 0x1234), to(SCREEN_WIDTH * SCREEN_HEIGHT);
    c.floor = harness.add("floor: memcpy of one 800x600 16-bit frame", timedLoop([] {
                              memcpy(to.data(), from.data(), to.size() * sizeof(Uint16));
                              keepMemory(to.data());
                          }));
    return c;
}

struct MinimapCases {
    size_t render, paint, floor;
};

MinimapCases addMinimapCases(Harness& harness, MapEditor& editor) {
    MapEditor* e = &editor;
    MinimapCases c;
    // Each new minimap is freed before the next, untimed, as a reload frees the one it replaces.
    c.render = harness.add("renderMinimap", [e](long calls) {
        double took = 0;
        for (long i = 0; i < calls; ++i) {
            double start = nowNs();
            SDL_Surface* made = e->renderMinimap(e->map);
            took += nowNs() - start;
            SDL_FreeSurface(made);
        }
        return took;
    }, 0.2 * MS);
    // A left click on a land cell: it turns to sea and back, so every click changes the minimap.
    c.paint = harness.add("paint click: setTileAt + reloadMinimap", [e](long calls) {
        const int x = 200, y = 200;
        const int original = e->map.getTileAt(x, y);
        const int other = original == SEA_TILE ? 3 : SEA_TILE;
        double start = nowNs();
        for (long i = 0; i < calls; ++i) {
            e->map.setTileAt(x, y, i % 2 ? original : other);
            e->reloadMinimap();
        }
        double took = nowNs() - start;
        e->map.setTileAt(x, y, original);
        e->reloadMinimap();
        return took;
    }, 0.25 * MS);
    SDL_PixelFormat* f = editor.screen->format;
    static SDL_Surface* pixels =
        SDL_CreateRGBSurface(SDL_SWSURFACE, MAP_SIZE, MAP_SIZE, 16, f->Rmask, f->Gmask, f->Bmask, 0);
    c.floor = harness.add("floor: writing 350x350 16-bit pixels", timedLoop([] {
                              for (int y = 0; y < MAP_SIZE; ++y) {
                                  Uint16* row = reinterpret_cast<Uint16*>(static_cast<Uint8*>(pixels->pixels) + y * pixels->pitch);
                                  for (int x = 0; x < MAP_SIZE; ++x) row[x] = static_cast<Uint16>(x + y);
                              }
                              keepMemory(pixels->pixels);
                          }));
    return c;
}

// The benchmark's directories hold only its own files: every save may replace them all.
int& allOwned() {
    static int owned;
    owned = INT_MAX;
    return owned;
}

// The files a load case reads, written untimed unless a save case has written them already.
void writeOnce(const std::string& dir, const std::vector<Actor>& actors) {
    Messages unsaid;
    if (access(npcDefPath(dir, 0).c_str(), F_OK) != 0) saveActorFiles(dir, actors, allOwned(), true, unsaid);
}

void writeOnce(const std::string& dir, const std::vector<Item>& items) {
    Messages unsaid;
    if (access(itemDefPath(dir, 0).c_str(), F_OK) != 0) saveItemFiles(dir, items, allOwned(), true, unsaid);
}

void addFileCases(Harness& harness, const std::string& root) {
    const std::string copyDir = root + "/bench-files";
    const std::string defsDir = root + "/bench-defs";
    mkdir(copyDir.c_str(), 0777);
    static Map map;
    {
        Messages unsaid;
        map.loadMap(DATA_DIR, unsaid);
        map.saveMap(copyDir, unsaid);
    }
    // What the map's reader and writer say is part of their cost.
    harness.add("loadMap", [copyDir](long calls) {
        double start = nowNs();
        for (long i = 0; i < calls; ++i) {
            Messages said;
            map.loadMap(copyDir, said);
        }
        return nowNs() - start;
    });
    harness.add("saveMap", [copyDir](long calls) {
        double start = nowNs();
        for (long i = 0; i < calls; ++i) {
            Messages said;
            map.saveMap(copyDir, said);
        }
        return nowNs() - start;
    });
    harness.add("loadMap + saveMap", [copyDir](long calls) {
        double start = nowNs();
        for (long i = 0; i < calls; ++i) {
            Messages said;
            map.loadMap(copyDir, said);
            map.saveMap(copyDir, said);
        }
        return nowNs() - start;
    }, 2 * MS);

    static std::vector<Actor> actors = makeActors(DEFINITION_COUNT);
    static std::vector<Item> items = makeItems(DEFINITION_COUNT);
    harness.add("save 10,000 NPCs", [defsDir](long calls) {
        Messages said;
        double start = nowNs();
        for (long i = 0; i < calls; ++i) saveActorFiles(defsDir, actors, allOwned(), true, said);
        return nowNs() - start;
    }, 0, SLOW_ROUNDS);
    harness.add("load 10,000 NPCs", [defsDir](long calls) {
        writeOnce(defsDir, actors);
        double took = 0;
        for (long i = 0; i < calls; ++i) {
            std::vector<Actor> loaded;
            Messages said;
            double start = nowNs();
            loadActorFiles(defsDir, loaded, said);
            took += nowNs() - start;
        }
        return took;
    }, 300 * MS);
    harness.add("save 10,000 items", [defsDir](long calls) {
        Messages said;
        double start = nowNs();
        for (long i = 0; i < calls; ++i) saveItemFiles(defsDir, items, allOwned(), true, said);
        return nowNs() - start;
    }, 0, SLOW_ROUNDS);
    harness.add("load 10,000 items", [defsDir](long calls) {
        writeOnce(defsDir, items);
        double took = 0;
        for (long i = 0; i < calls; ++i) {
            std::vector<Item> loaded;
            Messages said;
            double start = nowNs();
            loadItemFiles(defsDir, loaded, said);
            took += nowNs() - start;
        }
        return took;
    });
}

// A second editor started in the same world, drawn once with no input pending.
void addStartupCase(Harness& harness, MapEditor& editor) {
    MapEditor* e = &editor;
    harness.add("start-up to the first frame", [e](long calls) {
        double took = 0;
        for (long i = 0; i < calls; ++i) {
            Quiet quiet;
            double start = nowNs();
            MapEditor* started = new MapEditor();
            started->start();
            started->runFrame();
            took += nowNs() - start;
            delete started;
        }
        // Setting the video mode again may hand out a new display surface.
        e->screen = SDL_GetVideoSurface();
        releaseKeys();
        return took;
    });
}

void printRow(const BenchCase& c) {
    const char* verdict = c.targetNs <= 0 ? "" : c.median() <= c.targetNs ? "met" : "MISSED";
    std::string target = c.targetNs > 0 ? formatNs(c.targetNs) : "";
    printf("%-46s %12s %12s %12s  %s\n", c.name.c_str(), formatNs(c.median()).c_str(), formatNs(c.fastest()).c_str(),
           target.c_str(), verdict);
}

void printRatio(const Harness& harness, const char* label, size_t a, size_t b) {
    double over = harness.at(b).median();
    if (harness.at(a).median() > 0 && over > 0) printf("%-36s %6.2f\n", label, harness.at(a).median() / over);
}

}  // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IOLBF, 0);
    Harness harness;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--rounds") && i + 1 < argc) {
            harness.rounds = atoi(argv[++i]);
        } else if (!strcmp(argv[i], "--calls") && i + 1 < argc) {
            harness.fixedCalls = atol(argv[++i]);
        } else if (!strcmp(argv[i], "--only") && i + 1 < argc) {
            harness.only = argv[++i];
        } else {
            fprintf(stderr, "usage: %s [--rounds N] [--only TEXT] [--calls N]\n", argv[0]);
            return 2;
        }
    }
    if (harness.rounds < 1) harness.rounds = 1;

    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    fprintf(stderr, "generating the default world...\n");
    const std::string root = makeBenchWorld();
    if (root.empty() || chdir(root.c_str()) != 0) {
        fprintf(stderr, "could not generate the default world under /tmp\n");
        return 1;
    }
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) < 0) {
        fprintf(stderr, "could not start SDL: %s\n", SDL_GetError());
        return 1;
    }
    MapEditor* editor = nullptr;
    {
        Quiet quiet;
        editor = new MapEditor();
        if (editor->start() != 0) return 1;
    }
    releaseKeys();
    // A view on the island, with both panels shown.
    editor->scrollX = 150;
    editor->scrollY = 150;
    editor->showMinimap = true;
    editor->showPalette = true;
    placeObjectsInView(*editor, OBJECTS_IN_VIEW, OBJECTS_IN_VIEW);
    // Fingerprints of what the user sees, to compare before and after an optimisation.
    drawFrame(*editor);
    const unsigned long long frameHash = pixelHash(editor->screen);
    const unsigned long long minimapHash = pixelHash(editor->minimap.get());

    FrameCases frame = addFrameCases(harness, *editor);
    MinimapCases minimap = addMinimapCases(harness, *editor);
    addFileCases(harness, root);
    addStartupCase(harness, *editor);
    addHistoryCases(harness);
    addSaveCases(harness, root);
    addPaintCases(harness, *editor);
    {
        Quiet quiet;
        addToolCases(harness, root);
    }
    harness.run();

    printf("maped_bench: 800x600 at 16 bits per pixel on the dummy video driver; per call, median and fastest of %d rounds\n\n",
           harness.rounds);
    printf("%-46s %12s %12s %12s\n", "case", "median", "fastest", "target");
    for (const BenchCase& c : harness.cases)
        if (harness.selected(c)) printRow(c);
    printf("\n");
    printRatio(harness, "frame / memcpy floor:", frame.frame, frame.floor);
    printRatio(harness, "renderMinimap / 350x350 write floor:", minimap.render, minimap.floor);
    printRatio(harness, "paint click / 350x350 write floor:", minimap.paint, minimap.floor);
    printHistoryMemory();
    long growth = 0;
    {
        Quiet quiet;
        growth = frameHeapGrowth(*editor);
    }
    printf("heap growth from frame 100 to 1,000, a prompt every 10 frames: %ld bytes (target: under 512)\n", growth);
    printf("frame pixels: %016llx  minimap pixels: %016llx\n", frameHash, minimapHash);

    {
        Quiet quiet;
        delete editor;
    }
    SDL_Quit();
    removeBenchWorld(root);
    return 0;
}
