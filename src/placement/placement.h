#pragma once
// Placing NPCs and items from the user's answers, and editing placed ones, against a prompt
// and a document. Each returns false when the user closed the window during the questions:
// then nothing changed.
#include <functional>
#include <optional>
#include <string>

#include "world/defline.h"
#include "world/document.h"

// Whoever asks the questions: the editor's window, or a test's list of answers.
struct Prompt {
    // The answer to one question shown at (x, y), starting as `start`; nothing when the user
    // closed the window instead of answering.
    std::function<std::optional<std::string>(const char* question, int x, int y, const std::string& start)> ask;
    // Clears the window to dark blue before questions that start again at its top.
    std::function<void()> clear;
};

constexpr int PROMPT_LEFT = 10;

// An answer as a number: like atoi, saturating at the int range.
inline int answerNumber(const std::string& answer) { return parseInt(answer.c_str()); }
inline bool answerYes(const std::string& answer) { return answerNumber(answer) > 0; }

// A new object at the world position (not snapped to the grid), asked for in the prompt.
bool createNewNPCAt(Prompt& prompt, Document& document, int x, int y);
bool createNewItemAt(Prompt& prompt, Document& document, int x, int y);
// The placing questions again for the object a removal click there would take, each answer
// starting as its current value; nothing happens over empty ground.
bool editNPCAt(Prompt& prompt, Document& document, int x, int y);
bool editItemAt(Prompt& prompt, Document& document, int x, int y);
