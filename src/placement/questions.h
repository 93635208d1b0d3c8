#pragma once
// The prompt's questions for an NPC or an item: one table per kind, walked both when placing
// a new object (every answer starts empty) and when editing a placed one (every answer starts
// as the object's current value).
#include <string>

#include "placement/placement.h"

// One question: its text, its place, and the one member its answer fills.
template <typename T>
struct Question {
    const char* text;
    int y;  // a question above the one before it starts again on a cleared window
    std::string T::*words = nullptr;  // kept as typed
    int T::*number = nullptr;         // read by answerNumber
    bool T::*yes = nullptr;           // read by answerYes
};

// The member as its definition file writes it: decimal numbers, 1 or 0, a text up to any NUL.
template <typename T>
std::string currentAnswer(const Question<T>& question, const T& object) {
    if (question.words) return (object.*question.words).c_str();
    if (question.number) return std::to_string(object.*question.number);
    return object.*question.yes ? "1" : "0";
}

template <typename T>
void readAnswer(const Question<T>& question, T& object, const std::string& answer) {
    if (question.words) object.*question.words = answer;
    else if (question.number) object.*question.number = answerNumber(answer);
    else object.*question.yes = answerYes(answer);
}

// Asks the questions in order into the object; each answer starts as the member's value in
// `current`, or empty when there is none (placing). False once the window was closed.
template <typename T, size_t N>
bool askQuestions(Prompt& prompt, const Question<T> (&questions)[N], T& object, const T* current = nullptr) {
    for (size_t i = 0; i < N; ++i) {
        const Question<T>& question = questions[i];
        if (i > 0 && question.y < questions[i - 1].y) prompt.clear();
        const std::string start = current ? currentAnswer(question, *current) : std::string();
        std::optional<std::string> answer = prompt.ask(question.text, PROMPT_LEFT, question.y, start);
        if (!answer) return false;
        readAnswer(question, object, *answer);
    }
    return true;
}
