#pragma once
// Shared by NPC and item placement.
#include <string>

#include "world/defline.h"

constexpr int CLICK_BOX = 2;    // a click covers 2x2 pixels
constexpr int OBJECT_BOX = 48;  // an NPC or item covers 48x48 pixels
constexpr int PROMPT_LEFT = 10;

// An answer as a number: like atoi, saturating at the int range.
inline int answerNumber(const std::string& answer) { return parseInt(answer.c_str()); }
inline bool answerYes(const std::string& answer) { return answerNumber(answer) > 0; }
