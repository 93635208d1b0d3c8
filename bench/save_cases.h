#pragma once
#include <string>

#include "harness.h"

// A save and an autosave of a document of 10,000 NPCs after one edit, and serializing them.
void addSaveCases(Harness& harness, const std::string& root);
