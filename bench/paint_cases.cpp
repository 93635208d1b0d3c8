#include "paint_cases.h"

#include <memory>
#include <tuple>
#include <utility>

#include "shell/map_editor.h"

namespace {
constexpr double MS = 1e6;

void drawFrame(MapEditor& editor) {
    editor.drawMap();
    editor.drawHUD();
    editor.drawSprites();
}
}  // namespace

void addPaintCases(Harness& harness, MapEditor& editor) {
    // One region of all 122,500 cells, filled with another tile each call; the history is
    // emptied between calls, untimed, so that it never trims old steps during the timing.
    auto document = std::make_shared<Document>();
    harness.add("bucket fill of the whole map (122,500 cells)", [document](long calls) {
        double took = 0;
        for (long i = 0; i < calls; ++i) {
            const int tile = document->map.tiles[0][0] == 5 ? 6 : 5;
            double start = nowNs();
            document->bucketFill(175, 175, tile);
            took += nowNs() - start;
            document->history.clear();
        }
        return took;
    }, 5 * MS);

    // The other cases draw at 48 pixels per cell, which frees the shrunk art: one untimed
    // frame makes it again before the timing.
    MapEditor* e = &editor;
    harness.add("frame at 6 pixels per cell (400 objects)", [e](long calls) {
        e->cellPixels = 6;
        drawFrame(*e);
        double start = nowNs();
        for (long i = 0; i < calls; ++i) drawFrame(*e);
        double took = nowNs() - start;
        e->cellPixels = TILE_SIZE;
        return took;
    }, 2 * MS);

    // Out to 6 pixels per cell and back in, a level a call, each with the first frame drawn
    // at the new zoom (which shrinks the art for it).
    harness.add("zoom by one level and draw the first frame", [e](long calls) {
        const int scrollX = e->scrollX, scrollY = e->scrollY;
        int direction = 1;
        double start = nowNs();
        for (long i = 0; i < calls; ++i) {
            if (!e->zoom(direction, SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2)) {
                direction = -direction;
                e->zoom(direction, SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2);
            }
            drawFrame(*e);
        }
        double took = nowNs() - start;
        e->cellPixels = TILE_SIZE;
        e->scrollX = scrollX;
        e->scrollY = scrollY;
        return took;
    }, 20 * MS);
    // The first zoom of a run also reads every image's pixels: a fresh view each call.
    harness.add("first zoom of a run, with its frame", [e](long calls) {
        double took = 0;
        for (long i = 0; i < calls; ++i) {
            auto view = std::make_unique<View>();
            std::tie(view->scrollX, view->scrollY) = std::pair(e->scrollX, e->scrollY);
            double start = nowNs();
            view->zoom(1, SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2);
            view->drawMap(*e, e->canvas());
            view->drawHUD(e->canvas());
            view->drawSprites(*e, e->canvas());
            took += nowNs() - start;
        }
        return took;
    }, 20 * MS);
}
