#pragma once
// Runs xdotool against a display, bounded in time.
#include <string>
#include <vector>

// True when xdotool ran and exited with status 0; its standard output goes to output.
bool runXdotool(const std::string& display, const std::vector<std::string>& args, std::string* output = nullptr);
