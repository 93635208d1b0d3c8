// The edit history: undoing and redoing a whole-map fill, and the memory of 10,000 paint clicks.
#include <malloc.h>

#include <cstdio>
#include <memory>

#include "history_cases.h"
#include "world/edit_history.h"

namespace {
struct HistoryWorld : World {
    EditHistory history;
};
}  // namespace

void addHistoryCases(Harness& harness) {
    // One fill of all 122,500 cells, undone and redone in turn: each call is one step.
    auto w = std::make_shared<HistoryWorld>();
    w->map.Init();
    CellsEdit fill = paintCells(w->map, 0, 0, MAP_SIZE - 1, MAP_SIZE - 1, 5, true);
    applyCells(w->map, fill);
    w->history.record(std::move(fill));
    // Each case times one of the pair; the other, untimed, puts the step back for the next call.
    for (bool timeUndo : {true, false}) {
        harness.add(timeUndo ? "undo a whole-map fill" : "redo a whole-map fill",
                    [w, timeUndo](long calls) {
                        double spent = 0;
                        std::string said;
                        for (long i = 0; i < calls; ++i) {
                            double start = nowNs();
                            w->history.undo(*w, said);
                            double middle = nowNs();
                            w->history.redo(*w, said);
                            spent += timeUndo ? middle - start : nowNs() - middle;
                        }
                        return spent;
                    },
                    2e6);
    }
}

void printHistoryMemory() {
    // The world is made before the count starts: once a large block has been freed (the tool
    // cases read whole worlds), the allocator takes its 490 KB map from the heap, not from mmap.
    auto w = std::make_unique<HistoryWorld>();
    const size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 10000; ++i) {
        const int x = i % MAP_SIZE, y = i / MAP_SIZE;
        CellsEdit paint = paintCells(w->map, x, y, x, y, 1, false);
        applyCells(w->map, paint);
        w->history.record(std::move(paint));
    }
    const size_t used = mallinfo2().uordblks - before;
    printf("history of 10,000 paint clicks: %zu bytes on the heap (%.2f MiB; target under 1 MiB)\n", used,
           used / 1048576.0);
}
