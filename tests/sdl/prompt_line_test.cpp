// Answers typed into the prompt always fit on one line of a definition file.
#include <SDL.h>

#include "editor_fixture.h"

using PromptLineTest = EditorTest;

// SDL gives the typed character in 16 bits and the prompt keeps the low 8: characters such
// as U+010A and U+400D would become a line feed or a carriage return and break the NPC or
// item file the answer is saved in. They add nothing, like keys without a character.
TEST_F(PromptLineTest, CharactersThatWouldBreakTheLineAreNotTaken) {
    pushKey(SDLK_a, 'a');
    pushKey(SDLK_c, 0x010A);
    pushKey(SDLK_w, 0x400D);
    pushKey(SDLK_b, 0x0162);  // low 8 bits 'b'
    pushKey(SDLK_RETURN, '\r');
    EXPECT_EQ(editor->getUserString("Name:", 10, 0), "ab");
}
