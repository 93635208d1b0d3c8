#pragma once
// The command-line tools on the default world: worlddiff against a copy with a few hundred
// planted differences, and worldrender's pictures.
#include <string>

#include "harness.h"

void addToolCases(Harness& harness, const std::string& root);
