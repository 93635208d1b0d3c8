// Memory the editor holds does not grow with the frames it draws or the prompts it runs: the
// heap in use after 100 frames and after 1,000 is the same. In the sanitizer build,
// LeakSanitizer also checks that nothing allocated so far was lost.
#include <SDL.h>
#include <malloc.h>

#include <string>

#include "editor_fixture.h"

// Present only when a sanitizer runtime replaces malloc; glibc's counters then see nothing.
extern "C" size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));
extern "C" int __lsan_do_recoverable_leak_check() __attribute__((weak));

namespace {

size_t heapInUse() {
    if (__sanitizer_get_current_allocated_bytes) return __sanitizer_get_current_allocated_bytes();
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Much less than one small block per frame or per prompt: anything kept per frame shows.
constexpr size_t SLACK_BYTES = 512;

class LeakTest : public EditorTest {
protected:
    std::string answer;

    // Frames with no key held: nothing waits. Every tenth frame a prompt is answered.
    void runFrames(int frameCount) {
        for (int i = 1; i <= frameCount; ++i) {
            editor->runFrame();
            if (i % 10 == 0) answerPrompt();
        }
    }
    void answerPrompt() {
        queueAnswers({"x\bLeak check 42"});
        answer = editor->getUserString("Name:", 10, 300);
    }
};

TEST_F(LeakTest, ThousandFramesWithTextAndPromptsHoldNoMoreMemory) {
    // The world's NPCs and items loaded and in view, the palette shown: each frame draws the
    // map, the HUD with its text, the minimap and the palette, and the sprites.
    {
        CaptureOutput quiet;
        EditorTest::run({SDLK_l});
    }
    ASSERT_FALSE(editor->npcs.empty()) << "the default world has no NPCs to draw";
    const Actor* npc = editor->npcs.front();
    editor->scrollX = static_cast<int>(npc->x) / TILE_SIZE - 3;
    editor->scrollY = static_cast<int>(npc->y) / TILE_SIZE - 3;
    editor->showPalette = true;
    recordedDelays.clear();
    recordedDelays.shrink_to_fit();

    runFrames(100);  // caches of SDL, the font and the C++ library fill here
    ASSERT_EQ(answer, "Leak check 42");
    const size_t after100 = heapInUse();
    runFrames(900);
    const size_t after1000 = heapInUse();
    EXPECT_TRUE(recordedDelays.empty()) << "a command fired with no key held";
    EXPECT_LE(after1000, after100 + SLACK_BYTES)
        << "the heap grew by " << after1000 - after100 << " bytes from frame 100 to frame 1000";
    if (__lsan_do_recoverable_leak_check) {
        EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0) << "LeakSanitizer found lost memory";
    }
}

}  // namespace
