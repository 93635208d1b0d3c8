// The save command on a full disk: the world's files stay as they were, byte for byte, and
// the window says the save failed; with room again, the same command saves.
#include <SDL.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "driving.h"
#include "editor_fixture.h"

namespace {
namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

const char* const SAVED_MESSAGE = "Saved into 'data' folder. Overwrote existing files.";
const char* const SAVE_FAILED_MESSAGE = "Save failed: see the error output.";

// The world's own files under data/ (not the art), by path.
Files worldFiles() {
    Files files;
    for (const auto& entry : fs::recursive_directory_iterator("data")) {
        std::string path = entry.path().string();
        if (entry.is_regular_file() && path.rfind("data/assets", 0) != 0 && path != "data/filler")
            files[path] = readFile(path);
    }
    return files;
}

class FullDiskTest : public EditorTest {
protected:
    bool mounted = false;

    // Puts the world's data directory on a small tmpfs of its own (root only); the editor
    // has read its art already and reads nothing more from there but the map and definitions.
    void SetUp() override {
        EditorTest::SetUp();
        Files files = worldFiles();
        if (mount("tmpfs", "data", "tmpfs", MS_NOSUID | MS_NODEV, "size=2m,mode=0700") != 0) return;
        mounted = true;
        for (const auto& [path, bytes] : files) writeFile(path, bytes);
    }
    void TearDown() override {
        if (mounted) umount2("data", MNT_DETACH);
        EditorTest::TearDown();
    }
    // Fills the disk, then gives back `spare` bytes.
    void fillLeaving(off_t spare) {
        int fd = open("data/filler", O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        std::string block(4096, 'f');
        off_t size = 0;
        for (ssize_t done; (done = write(fd, block.data(), block.size())) > 0;) size += done;
        ASSERT_GT(size, spare);
        ASSERT_EQ(ftruncate(fd, size - spare), 0);
        close(fd);
    }
    // One pass of the command handler with S held; returns what it drew over a black screen.
    std::vector<Uint16> save() {
        fillScreen(editor->screen, 0, 0, 0);
        holdKeys({SDLK_s});
        editor->getInput();
        holdKeys({});
        return grabScreen(editor->screen);
    }
    std::vector<Uint16> messageAlone(const char* message) {
        fillScreen(editor->screen, 0, 0, 0);
        editor->drawTextAt(message, 0, 0);
        return grabScreen(editor->screen);
    }
};

TEST_F(FullDiskTest, SaveFailsWithoutTouchingTheWorldAndSucceedsWithRoomAgain) {
    if (!mounted) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    {
        CaptureOutput quiet;
        holdKeys({SDLK_l});  // the world's NPCs and items, so a save writes them all
        editor->getInput();
        holdKeys({});
    }
    ASSERT_FALSE(editor->npcs.empty());
    ASSERT_FALSE(editor->items.empty());
    // Edits in every part of the world.
    editor->map.setTileAt(5, 5, editor->map.getTileAt(5, 5) == 3 ? 4 : 3);
    editor->npcs.front()->name = "Renamed";
    editor->items.back()->price += 1;
    const Files before = worldFiles();
    ASSERT_NO_FATAL_FAILURE(fillLeaving(2 * 4096));  // room for two small files only

    std::string err;
    std::vector<Uint16> shown;
    {
        CaptureOutput output;
        shown = save();
        err = output.err();
        EXPECT_EQ(output.out().find("Written. closing"), std::string::npos);
    }
    EXPECT_TRUE(worldFiles() == before) << "a save on a full disk changed the world's files";
    EXPECT_EQ(err.rfind("***WARNING*** could not write data/map.dat\n", 0), 0u) << err;
    EXPECT_NE(err.find("***WARNING*** could not write data/npcdef/"), std::string::npos) << err;
    EXPECT_NE(err.find("***WARNING*** could not write data/idef/"), std::string::npos) << err;
    EXPECT_EQ(screenDifference(shown, messageAlone(SAVE_FAILED_MESSAGE)), "");

    removeFile("data/filler");
    {
        CaptureOutput output;
        shown = save();
        EXPECT_EQ(output.err(), "");
    }
    EXPECT_EQ(screenDifference(shown, messageAlone(SAVED_MESSAGE)), "");
    EXPECT_TRUE(readFile("data/map.dat") == editor->map.serialize());
    EXPECT_EQ(readFile("data/npcdef/0.def"), editor->npcs.front()->serialize());
    EXPECT_EQ(readFile("data/idef/" + std::to_string(editor->items.size() - 1) + ".def"),
              editor->items.back()->serialize());
}

}  // namespace
