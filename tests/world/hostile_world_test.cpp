// The loaders and savers on the hostile worlds of tests/support/hostile_worlds.cpp, each in a
// child process with a deadline: a pipe would block an open for ever.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <list>
#include <memory>

#include "hostile_worlds.h"
#include "wait_until.h"
#include "world/defdir.h"
#include "world/map.h"

namespace {
// Loads as the load command does, then saves what was read; returns the done bits.
int loadAndSave(const std::string& data) {
    auto map = std::make_unique<Map>();
    std::list<Actor*> npcs;
    std::vector<Item*> items;
    bool mapRead = map->loadMap(data);
    int ownedNpcs = loadActorFiles(data, npcs), ownedItems = loadItemFiles(data, items);
    bool npcsRead = ownedNpcs > 0, itemsRead = ownedItems > 0;
    bool saved = !mapRead || map->saveMap(data);
    saved = (!npcsRead || saveActorFiles(data, npcs, ownedNpcs, true)) && saved;
    saved = (!itemsRead || saveItemFiles(data, items, ownedItems, true)) && saved;
    return (mapRead ? MAP_READ : 0) | (npcsRead ? NPCS_READ : 0) | (itemsRead ? ITEMS_READ : 0) | (saved ? SAVED : 0);
}
}  // namespace

TEST(HostileWorlds, LoadersAndSaversNeitherFollowHangNorCrash) {
    for (const HostileCase& c : hostileCases()) {
        SCOPED_TRACE(c.what);
        HostileWorld w(c);
        TempDir logs;
        fflush(nullptr);
        pid_t pid = fork();
        if (pid == 0) {
            dup2(open("/dev/null", O_WRONLY), 1);
            dup2(open((logs / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
            becomeWorldUser();
            _exit(loadAndSave(w.world / "data"));
        }
        int status = 0;
        bool ended = waitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 10000);
        if (!ended) kill(pid, SIGKILL), waitpid(pid, &status, 0);
        ASSERT_TRUE(ended) << "hangs";
        ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), c.done);
        EXPECT_TRUE(readFile(logs / "err") == w.expand(c.loadErr)) << readFile(logs / "err").substr(0, 999);
        w.expectIntact(c);
    }
}
