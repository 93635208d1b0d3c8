// Saving after one edit in a world of 10,000 NPCs: S, which writes only the file that changed,
// and autosave, whose frame takes only the snapshot (a worker writes the copy). And the cost of
// turning 10,000 NPCs into their files' bytes, against the stream the savers used before.
#include <sys/stat.h>

#include <memory>
#include <sstream>

#include "save_cases.h"
#include "scene.h"
#include "world/defdir.h"
#include "world/document.h"

namespace {

constexpr int NPC_COUNT = 10000;

// An NPC's bytes as the savers wrote them through a stream.
std::string streamed(const Actor& a) {
    std::ostringstream out;
    for (int n : {static_cast<int>(a.x), static_cast<int>(a.y), a.hp, a.hpMax, a.mp, a.mpMax, a.experience, a.spareStat,
                  a.strength, a.dexterity, a.intelligence, a.responseFlagId, a.isHostile ? 1 : 0})
        out << n << '\n';
    out << a.firstConvo.c_str() << '\n' << a.secondConvo.c_str() << '\n' << a.name.c_str() << '\n';
    for (int n : {a.isWandering ? 1 : 0, a.sprite, a.direction, a.spareValue}) out << n << '\n';
    return out.str();
}

// Each call edits one NPC, a different one each time, so that every save has one file to write.
void editOne(Document& doc, long call) {
    Actor edited = doc.npcs[static_cast<size_t>(call * 7919 % NPC_COUNT)];
    edited.hp += 1;
    doc.editNpc(static_cast<int>(call * 7919 % NPC_COUNT), edited);
}

}  // namespace

void addSaveCases(Harness& harness, const std::string& root) {
    static std::vector<Actor> actors = makeActors(NPC_COUNT);
    harness.add("serialize 10,000 NPCs", timedLoop([] {
                    for (const Actor& a : actors) keepMemory(a.serialize().data());
                }));
    harness.add("serialize 10,000 NPCs through std::ostringstream, as before", timedLoop([] {
                    for (const Actor& a : actors) keepMemory(streamed(a).data());
                }));

    // A world of 10,000 NPCs, loaded as L loads it, its recovery copy beside it.
    const std::string dir = root + "/bench-doc";
    mkdir(dir.c_str(), 0777);
    static auto doc = std::make_unique<Document>();
    doc->dataDir = dir + "/data";
    doc->recovery.root = dir + "/recovery";
    mkdir(doc->dataDir.c_str(), 0777);
    Messages unsaid;
    int owned = 0;
    Map().saveMap(doc->dataDir, unsaid);
    saveActorFiles(doc->dataDir, actors, owned, true, unsaid);
    doc->openMap(unsaid);
    doc->load();
    static long edits = 0;
    harness.add("S after editing one NPC of 10,000", [](long calls) {
        double took = 0;
        for (long i = 0; i < calls; ++i) {
            editOne(*doc, ++edits);
            const double start = nowNs();
            doc->save();
            took += nowNs() - start;
        }
        return took;
    }, 20e6);
    harness.add("  S with nothing to write", timedLoop([] { doc->save(); }));
    // The first autosave writes the whole copy; every one after it only the file that changed.
    doc->autosaveSeconds = 1;
    static long long clock = 0;
    harness.add("autosave after one edit: the frame's part (snapshot)", [](long calls) {
        double took = 0;
        for (long i = 0; i < calls; ++i) {
            editOne(*doc, ++edits);
            doc->autosave(clock);  // the edit is seen at the time of the last autosave: none is due yet
            clock += 2000;
            const double start = nowNs();
            doc->autosave(clock);  // one is due: the snapshot is taken and the worker started
            took += nowNs() - start;
            doc->recovery.wait();
        }
        return took;
    }, 20e6, 5);
    harness.add("  the worker's part (writing the copy)", [](long calls) {
        double took = 0;
        for (long i = 0; i < calls; ++i) {
            editOne(*doc, ++edits);
            const Snapshot snapshot = doc->snapshot();
            Messages said;
            const double start = nowNs();
            doc->recovery.keep(snapshot, said);
            took += nowNs() - start;
        }
        return took;
    }, 0, 5);
}
